#include "client/app/DeviceWidgetRenderer.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/render/TextEntry.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/ui/FontDesc.h"
#include "client/ui/WidgetTexture.h"

namespace kestrovan {

void DeviceWidgetRenderer::DrawImage(WidgetTexture& texture, const WidgetRect& source, float x, float y, float scaleX,
                                     float scaleY, float opacity, uint32_t updateArg) {
    DrawRotatedImage(texture, source, x, y, scaleX, scaleY, opacity, 0.0f, 0.0f, 0.0f, updateArg);
}

void DeviceWidgetRenderer::DrawRotatedImage(WidgetTexture& texture, const WidgetRect& source, float x, float y,
                                            float scaleX, float scaleY, float opacity, float pivotX, float pivotY,
                                            float radians, uint32_t) {
    D3D9RenderDevice* device = device_();
    platform::gfx::BaseTexture* deviceTexture = texture.GetDeviceTexture();
    if (device == nullptr || deviceTexture == nullptr)
        return;
    // Widget rectangles include their right and bottom edges; the device's exclude them.
    const platform::gfx::Rect rect{source.left, source.top, source.right + 1, source.bottom + 1};
    const auto alpha = static_cast<uint32_t>(std::lround(std::clamp(opacity, 0.0f, 1.0f) * 255.0f));
    device->DrawSpriteTurned(*deviceTexture, rect, x, y, scaleX, scaleY, {pivotX, pivotY, radians},
                             (alpha << 24) | 0x00FFFFFFu);
}

void DeviceWidgetRenderer::DrawText(quill::TextEntry& text, float x, float y) {
    if (device_() != nullptr)
        text.Draw(x, y);
}

quill::TextSurface* DeviceWidgetRenderer::GetTextSurface(const FontDesc& font) {
    D3D9RenderDevice* device = device_();
    return device != nullptr ? device->GetTextSurface(font.face, font.height, font.weight, font.italic, 0) : nullptr;
}

}  // namespace kestrovan
