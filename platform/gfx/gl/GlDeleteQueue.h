#pragma once
// OpenGL texture and buffer names whose owners were destroyed, possibly on another thread: they wait here
// until the device's thread deletes them. The device watches the names its held-back draws read: the going of
// one of them is remembered until the watch ends.
//
// Threads: Push on any thread; Flush on the device's thread.
#include <mutex>
#include <unordered_set>
#include <vector>

#include <GL/gl.h>

namespace platform::gfx {

class GlDeleteQueue {
public:
    void PushTexture(GLuint name);
    void PushBuffer(GLuint name);
    void Flush();
    void WatchTexture(GLuint name);
    void WatchBuffer(GLuint name);
    // Whether a watched name went since the watch began; the watch ends.
    bool EndWatch();

private:
    std::unordered_set<GLuint> watchedTextures_;
    std::unordered_set<GLuint> watchedBuffers_;
    bool watchedWent_ = false;
    std::mutex mutex_;
    std::vector<GLuint> textures_;
    std::vector<GLuint> buffers_;
};

}  // namespace platform::gfx
