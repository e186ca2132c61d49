#include "platform/gfx/gl/GlPartialPresenter.h"

#include <GL/glx.h>

#include <cstring>

namespace platform::gfx {

GlPartialPresenter::GlPartialPresenter() {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr || glXGetCurrentDrawable() == 0) return;
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (extensions == nullptr || std::strstr(extensions, "GLX_MESA_copy_sub_buffer") == nullptr) return;
    copy_ = reinterpret_cast<CopySubBuffer>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
}

bool GlPartialPresenter::Show(int32_t x, int32_t y, int32_t width, int32_t height) const {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (copy_ == nullptr || display == nullptr || drawable == 0) return false;
    copy_(display, drawable, x, y, width, height);
    return true;
}

}  // namespace platform::gfx
