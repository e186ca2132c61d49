#include "platform/gfx/gl/GlBufferCache.h"

#include <GL/glext.h>

namespace platform::gfx {
namespace {

class GlBufferData : public BufferBackendData {
public:
    explicit GlBufferData(std::shared_ptr<GlDeleteQueue> deletes) : deletes_(std::move(deletes)) {
        glGenBuffers(1, &name);
    }
    ~GlBufferData() override { deletes_->PushBuffer(name); }

    GLuint name = 0;
    uint64_t uploaded = 0;  // the version last copied

private:
    std::shared_ptr<GlDeleteQueue> deletes_;
};

}  // namespace

GLuint GlBufferCache::NameOf(BufferBytes& buffer, GLenum target) {
    if ((buffer.GetDesc().usage & Usage::Dynamic) != 0) return 0;
    auto* data = static_cast<GlBufferData*>(buffer.GetBackendData());
    if (data == nullptr) {
        buffer.SetBackendData(std::make_unique<GlBufferData>(deletes_));
        data = static_cast<GlBufferData*>(buffer.GetBackendData());
    }
    if (data->uploaded != buffer.Version()) {
        glBindBuffer(target, data->name);
        glBufferData(target, static_cast<GLsizeiptr>(buffer.GetDesc().size), buffer.Data(), GL_STATIC_DRAW);
        data->uploaded = buffer.Version();
    }
    return data->name;
}

}  // namespace platform::gfx
