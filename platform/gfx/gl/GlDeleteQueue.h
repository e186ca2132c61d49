#pragma once
// OpenGL texture and buffer names whose owners were destroyed, possibly on another thread: they wait here
// until the device's thread deletes them.
//
// Threads: Push on any thread; Flush on the device's thread.
#include <mutex>
#include <vector>

#include <GL/gl.h>

namespace platform::gfx {

class GlDeleteQueue {
public:
    void PushTexture(GLuint name);
    void PushBuffer(GLuint name);
    void Flush();

private:
    std::mutex mutex_;
    std::vector<GLuint> textures_;
    std::vector<GLuint> buffers_;
};

}  // namespace platform::gfx
