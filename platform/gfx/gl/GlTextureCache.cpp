#include "platform/gfx/gl/GlTextureCache.h"

#include <GL/glext.h>

#include "platform/gfx/MemoryCubeTexture.h"
#include "platform/gfx/MemoryTexture.h"
#include "platform/gfx/PixelConversion.h"

namespace platform::gfx {
namespace {

class GlTextureData : public TextureBackendData {
public:
    GlTextureData(std::shared_ptr<GlDeleteQueue> deletes, size_t images)
        : deletes_(std::move(deletes)), uploaded(images, 0) {
        glGenTextures(1, &name);
    }
    ~GlTextureData() override { deletes_->Push(name); }

    GLuint name = 0;
    std::shared_ptr<GlDeleteQueue> deletes_;
    std::vector<uint64_t> uploaded;  // the version of each image last copied
};

// Copies one image when it changed: 32-bit pixels go as they are, other formats through 32-bit colour.
void Upload(GLenum target, GLint level, const PixelImage& image, uint64_t& uploaded) {
    PixelImage::Reader reader(image);
    if (reader.Version() == uploaded) return;
    const GLsizei width = static_cast<GLsizei>(image.GetWidth()), height = static_cast<GLsizei>(image.GetHeight());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (image.GetFormat() == Format::A8R8G8B8) {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(image.GetPitch() / 4));
        glTexImage2D(target, level, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, reader.Bytes());
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    } else {
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0xFF000000u);
        DecodePixels(image.GetFormat(), reader.Bytes(), image.GetPitch(), image.GetWidth(), image.GetHeight(), pixels);
        glTexImage2D(target, level, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
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

}  // namespace

void GlDeleteQueue::Push(GLuint name) {
    std::lock_guard lock(mutex_);
    names_.push_back(name);
}

void GlDeleteQueue::Flush() {
    std::vector<GLuint> names;
    {
        std::lock_guard lock(mutex_);
        names.swap(names_);
    }
    if (!names.empty()) glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
}

GLuint GlTextureCache::NameOf(BaseTexture& texture) {
    if (auto* plain = dynamic_cast<MemoryTexture*>(&texture)) return DataOf(*plain, deletes_, plain->GetLevelCount()).name;
    if (auto* cube = dynamic_cast<MemoryCubeTexture*>(&texture)) {
        return DataOf(*cube, deletes_, cube->GetLevelCount() * kCubeFaceCount).name;
    }
    return 0;
}

GLenum GlTextureCache::Bind(BaseTexture* texture) {
    if (auto* plain = dynamic_cast<MemoryTexture*>(texture)) {
        GlTextureData& data = DataOf(*plain, deletes_, plain->GetLevelCount());
        glBindTexture(GL_TEXTURE_2D, data.name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(plain->GetLevelCount() - 1));
        // A render target's pixels live in OpenGL only: it gets its storage when it is first drawn into.
        const bool renderTarget = (plain->GetUsage() & Usage::RenderTarget) != 0;
        for (uint32_t level = 0; level < plain->GetLevelCount() && !renderTarget; ++level) {
            Upload(GL_TEXTURE_2D, static_cast<GLint>(level), *plain->GetLevel(level), data.uploaded[level]);
        }
        return GL_TEXTURE_2D;
    }
    if (auto* cube = dynamic_cast<MemoryCubeTexture*>(texture)) {
        GlTextureData& data = DataOf(*cube, deletes_, cube->GetLevelCount() * kCubeFaceCount);
        glBindTexture(GL_TEXTURE_CUBE_MAP, data.name);
        glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(cube->GetLevelCount() - 1));
        for (uint32_t face = 0; face < kCubeFaceCount; ++face) {
            for (uint32_t level = 0; level < cube->GetLevelCount(); ++level) {
                Upload(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, static_cast<GLint>(level),
                       *cube->GetLevel(static_cast<CubeFace>(face), level), data.uploaded[face * cube->GetLevelCount() + level]);
            }
        }
        return GL_TEXTURE_CUBE_MAP;
    }
    return 0;
}

}  // namespace platform::gfx
