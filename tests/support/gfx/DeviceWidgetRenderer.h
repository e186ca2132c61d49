#pragma once
// Widgets drawn through the render device's 2D pass, for the tests and benchmarks that look at real pixels:
// images as the device's sprites (scaled, and turned about their pivot when asked), texts through their
// entries, fonts from the device's cache; it counts what it drew.
#include "QuillLib/render/TextEntry.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/ui/FontDesc.h"
#include "client/ui/WidgetRenderer.h"
#include "client/ui/WidgetTexture.h"

namespace kvtest {

class DeviceWidgetRenderer : public kestrovan::WidgetRenderer {
public:
    explicit DeviceWidgetRenderer(kestrovan::D3D9RenderDevice& device) : device_(device) {}

    void DrawImage(kestrovan::WidgetTexture& texture, const kestrovan::WidgetRect& source, float x, float y,
                   float scaleX, float scaleY, float opacity, uint32_t updateArg) override {
        DrawRotatedImage(texture, source, x, y, scaleX, scaleY, opacity, 0.0f, 0.0f, 0.0f, updateArg);
    }

    void DrawRotatedImage(kestrovan::WidgetTexture& texture, const kestrovan::WidgetRect& source, float x, float y,
                          float scaleX, float scaleY, float opacity, float pivotX, float pivotY, float radians,
                          uint32_t) override {
        platform::gfx::BaseTexture* plain = texture.GetDeviceTexture();
        if (plain == nullptr || source.Width() <= 0 || source.Height() <= 0) {
            return;
        }
        const platform::gfx::Rect rect{source.left, source.top, source.right + 1, source.bottom + 1};
        const uint32_t color = (static_cast<uint32_t>(opacity * 255.0f + 0.5f) << 24) | 0xFFFFFF;
        drawn += device_.DrawSpriteTurned(*plain, rect, x, y, scaleX, scaleY, {pivotX, pivotY, radians}, color) ? 1 : 0;
    }

    void DrawText(quill::TextEntry& text, float x, float y) override { texts += text.Draw(x, y) ? 1 : 0; }

    quill::TextSurface* GetTextSurface(const kestrovan::FontDesc& font) override {
        return device_.GetTextSurface(font.face, font.height, font.weight, font.italic, 0);
    }

    // Images and texts drawn so far.
    int drawn = 0;
    int texts = 0;

private:
    kestrovan::D3D9RenderDevice& device_;
};

}  // namespace kvtest
