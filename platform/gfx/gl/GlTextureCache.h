#pragma once
// The OpenGL copies of memory textures: a texture name per texture, kept in the texture's backend slot, and
// every level copied again when its pixels changed since the last copy. Names of textures destroyed on other
// threads wait in a queue until the device's thread deletes them.
//
// Threads: Bind and Flush on the device's thread; textures may be destroyed on any thread.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include <GL/gl.h>

#include "platform/gfx/BaseTexture.h"

namespace platform::gfx {

class GlDeleteQueue {
public:
    void Push(GLuint name);
    // Deletes the queued names (device's thread).
    void Flush();

private:
    std::mutex mutex_;
    std::vector<GLuint> names_;
};

class GlTextureCache {
public:
    GlTextureCache() : deletes_(std::make_shared<GlDeleteQueue>()) {}

    // Binds the texture to the active unit, copying stale levels first; returns its target (GL_TEXTURE_2D or
    // GL_TEXTURE_CUBE_MAP), 0 for no texture.
    GLenum Bind(BaseTexture* texture);
    // The name of a texture, made (empty) when it has none yet; 0 for textures this cache cannot hold.
    GLuint NameOf(BaseTexture& texture);
    void Flush() { deletes_->Flush(); }

private:
    std::shared_ptr<GlDeleteQueue> deletes_;
};

}  // namespace platform::gfx
