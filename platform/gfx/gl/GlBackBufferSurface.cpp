#include "platform/gfx/gl/GlBackBufferSurface.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace platform::gfx {

GlBackBufferSurface::GlBackBufferSurface(uint32_t width, uint32_t height) : width_(width), height_(height) {}

SurfaceDesc GlBackBufferSurface::GetDesc() const {
    SurfaceDesc desc;
    desc.format = Format::X8R8G8B8;
    desc.usage = Usage::RenderTarget;
    desc.width = width_;
    desc.height = height_;
    return desc;
}

Result GlBackBufferSurface::LockRect(LockedRect& out, const Rect* rect, uint32_t) {
    if (locked_ || width_ == 0 || height_ == 0) return Result::InvalidCall;
    const Rect area = rect != nullptr ? *rect : Rect{0, 0, static_cast<int32_t>(width_), static_cast<int32_t>(height_)};
    if (area.left < 0 || area.top < 0 || area.right > static_cast<int32_t>(width_) ||
        area.bottom > static_cast<int32_t>(height_) || area.left >= area.right || area.top >= area.bottom) {
        return Result::InvalidCall;
    }
    std::vector<uint32_t> flipped(static_cast<size_t>(width_) * height_);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    GLint framebuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_), GL_BGRA, GL_UNSIGNED_BYTE,
                 flipped.data());
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(framebuffer));
    // OpenGL reads rows from the bottom; the surface's rows start at the top.
    pixels_.resize(flipped.size());
    for (uint32_t row = 0; row < height_; ++row) {
        const uint32_t* from = flipped.data() + static_cast<size_t>(height_ - 1 - row) * width_;
        std::copy(from, from + width_, pixels_.data() + static_cast<size_t>(row) * width_);
    }
    locked_ = true;
    out.pitch = static_cast<int32_t>(width_ * 4);
    out.bits = pixels_.data() + static_cast<size_t>(area.top) * width_ + static_cast<size_t>(area.left);
    return Result::Ok;
}

Result GlBackBufferSurface::UnlockRect() {
    if (!locked_) return Result::InvalidCall;
    locked_ = false;
    return Result::Ok;
}

}  // namespace platform::gfx
