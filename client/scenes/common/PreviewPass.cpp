#include "client/scenes/common/PreviewPass.h"

#include <algorithm>

#include "client/render/D3D9RenderDevice.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/GfxResult.h"

namespace kestrovan {

PreviewPass::PreviewPass(D3D9RenderDevice& device, int32_t left, int32_t top, int32_t right, int32_t bottom)
    : device_(device) {
    namespace gfx = platform::gfx;
    gfx::Device* gfxDevice = device.GetGfxDevice();
    if (gfxDevice == nullptr || !gfx::Succeeded(gfxDevice->GetViewport(saved_))) return;
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, static_cast<int32_t>(saved_.x + saved_.width));
    bottom = std::min(bottom, static_cast<int32_t>(saved_.y + saved_.height));
    if (right <= left || bottom <= top) return;
    device.SetViewport(static_cast<uint32_t>(left), static_cast<uint32_t>(top), static_cast<uint32_t>(right - left),
                       static_cast<uint32_t>(bottom - top));
    open_ = true;
}

PreviewPass::~PreviewPass() {
    if (!open_) return;
    device_.SetRenderTarget(nullptr);
    device_.SetViewport(saved_.x, saved_.y, saved_.width, saved_.height);
    device_.Begin2D();
    device_.DisableAllLights();
}

}  // namespace kestrovan
