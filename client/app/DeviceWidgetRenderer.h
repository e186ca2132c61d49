#pragma once
// The widgets' 2D drawing on the render device: images as scaled sprites (turned about their pivot when
// asked) tinted with their opacity, texts
// through their entries, and the device's text surfaces as the labels' font cache. The device is asked for
// at every call, so the renderer exists before the device does and outlives its resets; without a device
// nothing is drawn and no font is had.
//
// Threads: DrawImage and DrawText on the main thread inside the frame's 2D pass; GetTextSurface from any
// thread (the device's text surfaces are locked).
#include <functional>

#include "client/ui/WidgetRenderer.h"

namespace kestrovan {

class D3D9RenderDevice;

class DeviceWidgetRenderer : public WidgetRenderer {
public:
    using DeviceSource = std::function<D3D9RenderDevice*()>;

    explicit DeviceWidgetRenderer(DeviceSource device) : device_(std::move(device)) {}

    void DrawImage(WidgetTexture& texture, const WidgetRect& source, float x, float y, float scaleX, float scaleY,
                   float opacity, uint32_t updateArg) override;
    void DrawRotatedImage(WidgetTexture& texture, const WidgetRect& source, float x, float y, float scaleX,
                          float scaleY, float opacity, float pivotX, float pivotY, float radians,
                          uint32_t updateArg) override;
    void DrawText(quill::TextEntry& text, float x, float y) override;
    quill::TextSurface* GetTextSurface(const FontDesc& font) override;

private:
    DeviceSource device_;
};

}  // namespace kestrovan
