#include "platform/gfx/gl/GlDeleteQueue.h"

#include <GL/glext.h>

namespace platform::gfx {

void GlDeleteQueue::PushTexture(GLuint name) {
    std::lock_guard lock(mutex_);
    textures_.push_back(name);
}

void GlDeleteQueue::PushBuffer(GLuint name) {
    std::lock_guard lock(mutex_);
    buffers_.push_back(name);
}

void GlDeleteQueue::Flush() {
    std::vector<GLuint> textures, buffers;
    {
        std::lock_guard lock(mutex_);
        if (textures_.empty() && buffers_.empty()) return;
        textures.swap(textures_);
        buffers.swap(buffers_);
    }
    if (!textures.empty()) glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
    if (!buffers.empty()) glDeleteBuffers(static_cast<GLsizei>(buffers.size()), buffers.data());
}

}  // namespace platform::gfx
