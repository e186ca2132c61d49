#include "platform/gfx/gl/GlTextureCache.h"

#include <GL/glext.h>

#include <algorithm>
#include <vector>

#include "platform/gfx/MemoryCubeTexture.h"
#include "platform/gfx/MemoryTexture.h"
#include "platform/gfx/PixelConversion.h"

namespace platform::gfx {
namespace {

constexpr GLenum kParameterNames[] = {GL_TEXTURE_MAG_FILTER, GL_TEXTURE_MIN_FILTER, GL_TEXTURE_WRAP_S,
                                      GL_TEXTURE_WRAP_T, GL_TEXTURE_MAX_LEVEL};

}  // namespace

class GlTextureData : public TextureBackendData {
public:
    GlTextureData(std::shared_ptr<GlDeleteQueue> deletes, size_t images)
        : deletes_(std::move(deletes)), uploaded(images, 0), leastAlpha(images, 0) {
        glGenTextures(1, &name);
    }
    ~GlTextureData() override {
        if (newTextures) newTextures->Remove(this);
        if (heldPictures) heldPictures->Remove(this);
        deletes_->PushTexture(name);
    }

    GLuint name = 0;
    std::shared_ptr<GlDeleteQueue> deletes_;
    std::vector<uint64_t> uploaded;  // the version of each image last copied
    std::vector<uint8_t> leastAlpha;  // the least alpha of each image as copied
    GlTextureParameters parameters;
    // While the texture is new: the texture (which owns this) and the list of new ones.
    MemoryTexture* texture = nullptr;
    std::shared_ptr<GlNewTextures> newTextures;
    // While OpenGL holds a picture's copy: the list of held ones; and the frame that last read the texture.
    std::shared_ptr<GlHeldPictures> heldPictures;
    uint64_t lastRead = 0;
};

void GlHeldPictures::Add(GlTextureData* data) {
    std::lock_guard lock(mutex_);
    held_.insert(data);
}

void GlHeldPictures::Remove(GlTextureData* data) {
    std::lock_guard lock(mutex_);
    held_.erase(data);
}

bool GlHeldPictures::ReleaseIdle() {
    std::lock_guard lock(mutex_);
    ++frame_;
    bool released = false;
    for (auto it = held_.begin(); it != held_.end();) {
        GlTextureData& data = **it;
        if (frame_ - data.lastRead < kIdleFrames) {
            ++it;
            continue;
        }
        // The texture object goes (OpenGL frees its storage only with it) and an empty one takes its place: the
        // next bind finds every level stale and makes it again from the file.
        data.deletes_->PushTexture(data.name);
        glGenTextures(1, &data.name);
        std::fill(data.uploaded.begin(), data.uploaded.end(), 0);
        data.parameters.Forget();
        data.heldPictures.reset();
        it = held_.erase(it);
        released = true;
    }
    return released;
}

void GlNewTextures::Add(GlTextureData* data) {
    std::lock_guard lock(mutex_);
    made_.insert(data);
}

void GlNewTextures::Remove(GlTextureData* data) {
    std::lock_guard lock(mutex_);
    made_.erase(data);
}

void GlNewTextures::ReleaseUndrawn() {
    std::lock_guard lock(mutex_);
    for (GlTextureData* data : made_) {
        // Under the lock a texture being destroyed elsewhere waits in its data's destructor, levels intact.
        MemoryTexture& texture = *data->texture;
        const bool drawn = std::any_of(data->uploaded.begin(), data->uploaded.end(), [](uint64_t v) { return v != 0; });
        if (!drawn && texture.ReleasesPixelsOnceHeld() && texture.HasRestorer()) texture.ReleasePixels();
        data->texture = nullptr;
        data->newTextures.reset();
    }
    made_.clear();
}

namespace {

bool IsStale(const PixelImage& image, uint64_t uploaded) {
    return PixelImage::Reader(image).Version() != uploaded;
}

// The least alpha byte of 32-bit BGRA pixels, rows pitch bytes apart.
uint8_t LeastAlpha(const uint8_t* bytes, uint32_t pitch, uint32_t width, uint32_t height) {
    uint8_t least = 255;
    for (uint32_t y = 0; y < height && least != 0; ++y) {
        const uint8_t* row = bytes + static_cast<size_t>(y) * pitch;
        for (uint32_t x = 0; x < width; ++x) least = std::min(least, row[x * 4 + 3]);
    }
    return least;
}

// Copies one image when it changed: 32-bit pixels go as they are, other formats through 32-bit colour. The
// least alpha of what was copied is kept: the alpha test is left off for draws it cannot reject.
void Upload(GLenum target, GLint level, const PixelImage& image, uint64_t& uploaded, uint8_t& leastAlpha) {
    PixelImage::Reader reader(image);
    if (reader.Version() == uploaded) return;
    const GLsizei width = static_cast<GLsizei>(image.GetWidth()), height = static_cast<GLsizei>(image.GetHeight());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (image.GetFormat() == Format::A8R8G8B8) {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(image.GetPitch() / 4));
        glTexImage2D(target, level, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, reader.Bytes());
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        leastAlpha = LeastAlpha(reinterpret_cast<const uint8_t*>(reader.Bytes()), image.GetPitch(), image.GetWidth(),
                                image.GetHeight());
    } else {
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0xFF000000u);
        DecodePixels(image.GetFormat(), reader.Bytes(), image.GetPitch(), image.GetWidth(), image.GetHeight(), pixels);
        glTexImage2D(target, level, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
        leastAlpha = LeastAlpha(reinterpret_cast<const uint8_t*>(pixels.data()), image.GetWidth() * 4, image.GetWidth(),
                                image.GetHeight());
    }
    uploaded = reader.Version();
}

template <class Memory>
GlTextureData& DataOf(Memory& texture, const std::shared_ptr<GlDeleteQueue>& deletes, size_t images) {
    auto* data = static_cast<GlTextureData*>(texture.GetBackendData());
    if (data == nullptr) {
        texture.SetBackendData(std::make_unique<GlTextureData>(deletes, images));
        data = static_cast<GlTextureData*>(texture.GetBackendData());
    }
    return *data;
}

GlBinding BindPlain(GlStateShadow& shadow, int unit, MemoryTexture& texture, GlTextureData& data,
                    const std::shared_ptr<GlHeldPictures>& held) {
    shadow.BindTexture(unit, GL_TEXTURE_2D, data.name);
    const uint32_t levels = texture.GetLevelCount();
    data.parameters.Set(shadow, unit, GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels - 1));
    // A render target's pixels live in OpenGL only: it gets its storage when it is first drawn into.
    if ((texture.GetUsage() & Usage::RenderTarget) != 0) return {GL_TEXTURE_2D, &data.parameters};
    bool uploaded = false;
    for (uint32_t level = 0; level < levels; ++level) {
        const PixelImage& image = *texture.GetLevel(level);
        if (!IsStale(image, data.uploaded[level])) continue;
        // Given up before it was ever drawn: made again (every level) for its first copy.
        if (!image.HasBytes()) texture.RestorePixels();
        shadow.ActiveUnit(unit);
        Upload(GL_TEXTURE_2D, static_cast<GLint>(level), image, data.uploaded[level], data.leastAlpha[level]);
        uploaded = true;
    }
    if (uploaded && texture.ReleasesPixelsOnceHeld()) {
        for (uint32_t level = 0; level < levels; ++level) texture.GetLevel(level)->ReleaseBytes();
        if (texture.HasRestorer() && data.heldPictures == nullptr) {
            data.heldPictures = held;
            held->Add(&data);
        }
    }
    data.lastRead = held->Frame();
    return {GL_TEXTURE_2D, &data.parameters, *std::min_element(data.leastAlpha.begin(), data.leastAlpha.end())};
}

GlBinding BindCube(GlStateShadow& shadow, int unit, MemoryCubeTexture& cube, GlTextureData& data) {
    shadow.BindTexture(unit, GL_TEXTURE_CUBE_MAP, data.name);
    const uint32_t levels = cube.GetLevelCount();
    data.parameters.Set(shadow, unit, GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels - 1));
    for (uint32_t face = 0; face < kCubeFaceCount; ++face) {
        for (uint32_t level = 0; level < levels; ++level) {
            const PixelImage& image = *cube.GetLevel(static_cast<CubeFace>(face), level);
            uint64_t& uploaded = data.uploaded[face * levels + level];
            if (!IsStale(image, uploaded)) continue;
            shadow.ActiveUnit(unit);
            Upload(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, static_cast<GLint>(level), image, uploaded,
                   data.leastAlpha[face * levels + level]);
        }
    }
    return {GL_TEXTURE_CUBE_MAP, &data.parameters,
            *std::min_element(data.leastAlpha.begin(), data.leastAlpha.end())};
}

}  // namespace

void GlTextureParameters::Set(GlStateShadow& shadow, int unit, GLenum target, GLenum name, GLint value) {
    const auto slot = static_cast<size_t>(std::find(std::begin(kParameterNames), std::end(kParameterNames), name) -
                                          std::begin(kParameterNames));
    if (slot < values_.size() && values_[slot] == value) return;
    if (slot < values_.size()) values_[slot] = value;
    shadow.ActiveUnit(unit);
    shadow.Gl().texParameteri(target, name, value);
}

void GlTextureCache::Track(MemoryTexture& texture) {
    GlTextureData& data = DataOf(texture, deletes_, texture.GetLevelCount());
    data.texture = &texture;
    data.newTextures = new_;
    new_->Add(&data);
}

GLuint GlTextureCache::NameOf(BaseTexture& texture) {
    if (auto* plain = dynamic_cast<MemoryTexture*>(&texture)) return DataOf(*plain, deletes_, plain->GetLevelCount()).name;
    if (auto* cube = dynamic_cast<MemoryCubeTexture*>(&texture)) {
        return DataOf(*cube, deletes_, cube->GetLevelCount() * kCubeFaceCount).name;
    }
    return 0;
}

void GlTextureCache::MarkRead(BaseTexture& texture) {
    if (auto* plain = dynamic_cast<MemoryTexture*>(&texture)) {
        if (auto* data = static_cast<GlTextureData*>(plain->GetBackendData())) data->lastRead = held_->Frame();
    }
}

bool GlTextureCache::ReleaseUnused() {
    new_->ReleaseUndrawn();
    return held_->ReleaseIdle();
}

void GlTextureCache::ForgetParameters(BaseTexture& texture) {
    if (auto* plain = dynamic_cast<MemoryTexture*>(&texture)) {
        if (auto* data = static_cast<GlTextureData*>(plain->GetBackendData())) data->parameters.Forget();
    }
}

GlBinding GlTextureCache::Bind(GlStateShadow& shadow, int unit, BaseTexture* texture) {
    if (auto* plain = dynamic_cast<MemoryTexture*>(texture)) {
        return BindPlain(shadow, unit, *plain, DataOf(*plain, deletes_, plain->GetLevelCount()), held_);
    }
    if (auto* cube = dynamic_cast<MemoryCubeTexture*>(texture)) {
        return BindCube(shadow, unit, *cube, DataOf(*cube, deletes_, cube->GetLevelCount() * kCubeFaceCount));
    }
    return {};
}

}  // namespace platform::gfx
