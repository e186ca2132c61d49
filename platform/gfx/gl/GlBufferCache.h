#pragma once
// OpenGL buffer objects for the static vertex and index buffers: a buffer name per memory buffer, kept in
// its backend slot and filled again whenever a write lock changed the buffer since the last copy. Dynamic
// buffers, rewritten every frame, are drawn from memory instead (name 0).
//
// Threads: the device's thread; buffers may be destroyed on any thread (their names wait in the queue).
#include <memory>

#include <GL/gl.h>

#include "platform/gfx/MemoryBuffer.h"
#include "platform/gfx/gl/GlDeleteQueue.h"

namespace platform::gfx {

class GlBufferCache {
public:
    explicit GlBufferCache(std::shared_ptr<GlDeleteQueue> deletes) : deletes_(std::move(deletes)) {}

    // The buffer object holding the buffer's current bytes, bound to target (GL_ARRAY_BUFFER or
    // GL_ELEMENT_ARRAY_BUFFER) when it had to be filled; 0 for a dynamic buffer.
    GLuint NameOf(BufferBytes& buffer, GLenum target);

private:
    std::shared_ptr<GlDeleteQueue> deletes_;
};

}  // namespace platform::gfx
