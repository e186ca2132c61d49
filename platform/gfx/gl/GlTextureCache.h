#pragma once
// The OpenGL copies of memory textures: a texture name per texture, kept in the texture's backend slot, every
// level copied again when its pixels changed since the last copy, and the sampler parameters last sent for
// it. A texture made from an image file gives up its pixels in memory once OpenGL holds them, or at the end
// of the frame it was made in when nothing drew it (it restores them when first drawn); and OpenGL's copy
// goes too once no frame has read the texture for a while (a screen left, a window closed), to be made again
// from the file when a frame reads it again. Names of
// textures destroyed on other threads wait in a queue until the device's thread deletes them.
//
// Threads: Bind and Flush on the device's thread; textures may be destroyed on any thread.
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_set>

#include <GL/gl.h>

#include "platform/gfx/BaseTexture.h"
#include "platform/gfx/gl/GlDeleteQueue.h"
#include "platform/gfx/gl/GlStateShadow.h"

namespace platform::gfx {

// The parameters of one OpenGL texture object, sent only when they change.
class GlTextureParameters {
public:
    // name: GL_TEXTURE_MAG_FILTER, GL_TEXTURE_MIN_FILTER, GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T or
    // GL_TEXTURE_MAX_LEVEL; the texture is bound to the unit first when it is sent.
    void Set(GlStateShadow& shadow, int unit, GLenum target, GLenum name, GLint value);
    void Forget() { values_.fill(std::nullopt); }

private:
    std::array<std::optional<GLint>, 5> values_{};
};

class GlTextureData;
class MemoryTexture;

// Textures made on the device's thread since the last frame. Those made from image files that nothing has
// drawn yet give up their pixels at the end of the frame, to be restored (from their files) when they are
// first drawn: a picture loaded but not shown costs no memory.
class GlNewTextures {
public:
    void Add(GlTextureData* data);
    void Remove(GlTextureData* data);
    void ReleaseUndrawn();

private:
    std::mutex mutex_;
    std::unordered_set<GlTextureData*> made_;
};

// Textures from image files that OpenGL holds, with the frame that last read each: those no frame read for
// kIdleFrames frames give OpenGL's copy up.
class GlHeldPictures {
public:
    static constexpr uint64_t kIdleFrames = 120;

    void Add(GlTextureData* data);
    void Remove(GlTextureData* data);
    // The end of a frame: gives up the copies of pictures idle for long (their names replaced, the old ones
    // deleted with the queue's next flush); true when one went.
    bool ReleaseIdle();
    uint64_t Frame() const { return frame_; }

private:
    std::mutex mutex_;
    std::unordered_set<GlTextureData*> held_;
    uint64_t frame_ = 0;
};

// A texture bound to a unit: its target (0 for none), its parameters and the least alpha of its pixels (0
// where unknown, as for a render target).
struct GlBinding {
    GLenum target = 0;
    GlTextureParameters* parameters = nullptr;
    uint8_t leastAlpha = 0;
};

class GlTextureCache {
public:
    GlTextureCache()
        : deletes_(std::make_shared<GlDeleteQueue>()),
          new_(std::make_shared<GlNewTextures>()),
          held_(std::make_shared<GlHeldPictures>()) {}

    // Binds the texture to the unit, copying stale levels first.
    GlBinding Bind(GlStateShadow& shadow, int unit, BaseTexture* texture);
    // The name of a texture, made (empty) when it has none yet; 0 for textures this cache cannot hold.
    GLuint NameOf(BaseTexture& texture);
    // A texture just made on the device's thread (GL names can be made here).
    void Track(MemoryTexture& texture);
    // A frame reads the texture (drawn now or held back to be drawn at its end).
    void MarkRead(BaseTexture& texture);
    // The end of a frame: new pictures from files not drawn give up their pixels, and pictures no frame read
    // for long their OpenGL copies; true when such a copy went (its texture name changed: what OpenGL has bound
    // is no longer known).
    bool ReleaseUnused();
    // After its parameters were set behind the cache's back.
    void ForgetParameters(BaseTexture& texture);
    const std::shared_ptr<GlDeleteQueue>& Deletes() const { return deletes_; }
    void Flush() { deletes_->Flush(); }

private:
    std::shared_ptr<GlDeleteQueue> deletes_;
    std::shared_ptr<GlNewTextures> new_;
    std::shared_ptr<GlHeldPictures> held_;
};

}  // namespace platform::gfx
