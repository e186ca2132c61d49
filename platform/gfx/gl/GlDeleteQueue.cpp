#include "platform/gfx/gl/GlDeleteQueue.h"

#include <GL/glext.h>

namespace platform::gfx {

void GlDeleteQueue::PushTexture(GLuint name) {
    std::lock_guard lock(mutex_);
    textures_.push_back(name);
    if (watchedTextures_.count(name) != 0) watchedWent_ = true;
}

void GlDeleteQueue::PushBuffer(GLuint name) {
    std::lock_guard lock(mutex_);
    buffers_.push_back(name);
    if (watchedBuffers_.count(name) != 0) watchedWent_ = true;
}

void GlDeleteQueue::WatchTexture(GLuint name) {
    std::lock_guard lock(mutex_);
    watchedTextures_.insert(name);
}

void GlDeleteQueue::WatchBuffer(GLuint name) {
    std::lock_guard lock(mutex_);
    watchedBuffers_.insert(name);
}

bool GlDeleteQueue::EndWatch() {
    std::lock_guard lock(mutex_);
    const bool went = watchedWent_;
    watchedWent_ = false;
    watchedTextures_.clear();
    watchedBuffers_.clear();
    return went;
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
