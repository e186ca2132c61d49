#pragma once
// Widgets drawn through the render device's 2D pass, for the tests and benchmarks that look at real pixels:
// images as textured quads (scaled, and turned about their pivot when asked), texts through their entries,
// fonts from the device's cache.
#include <cmath>
#include <cstring>

#include "QuillLib/math/VertexData.h"
#include "QuillLib/render/TextEntry.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/render/TextureStageCascade.h"
#include "client/ui/FontDesc.h"
#include "client/ui/WidgetRenderer.h"
#include "client/ui/WidgetTexture.h"
#include "platform/gfx/Texture.h"

namespace kvtest {

class DeviceWidgetRenderer : public kestrovan::WidgetRenderer {
public:
    static constexpr uint32_t kSpriteFormat = 0x1 | 0x4 | 0x100;  // position, colour, one texture set

    explicit DeviceWidgetRenderer(kestrovan::D3D9RenderDevice& device) : device_(device) {
        quad_.SetLayout(kSpriteFormat, 6);
    }

    void DrawImage(kestrovan::WidgetTexture& texture, const kestrovan::WidgetRect& source, float x, float y,
                   float scaleX, float scaleY, float opacity, uint32_t updateArg) override {
        DrawRotatedImage(texture, source, x, y, scaleX, scaleY, opacity, 0.0f, 0.0f, 0.0f, updateArg);
    }

    void DrawRotatedImage(kestrovan::WidgetTexture& texture, const kestrovan::WidgetRect& source, float x, float y,
                          float scaleX, float scaleY, float opacity, float pivotX, float pivotY, float radians,
                          uint32_t) override {
        auto* plain = dynamic_cast<platform::gfx::Texture*>(texture.GetDeviceTexture());
        platform::gfx::SurfaceDesc desc;
        if (plain == nullptr || !platform::gfx::Succeeded(plain->GetLevelDesc(0, desc)) || source.Width() <= 0 ||
            source.Height() <= 0) {
            return;
        }
        const float u0 = static_cast<float>(source.left) / desc.width;
        const float v0 = static_cast<float>(source.top) / desc.height;
        const float u1 = static_cast<float>(source.right + 1) / desc.width;
        const float v1 = static_cast<float>(source.bottom + 1) / desc.height;
        const float w = source.Width() * scaleX, h = source.Height() * scaleY;
        const float c = std::cos(radians), s = std::sin(radians);
        // Corners in the image's own pixels, turned about the pivot, then moved to (x, y).
        const auto place = [&](float px, float py, float* out) {
            const float dx = px - pivotX, dy = py - pivotY;
            out[0] = x + pivotX + dx * c - dy * s;
            out[1] = y + pivotY + dx * s + dy * c;
        };
        const float corners[6][4] = {{0, 0, u0, v0}, {w, 0, u1, v0}, {0, h, u0, v1},
                                     {w, 0, u1, v0}, {w, h, u1, v1}, {0, h, u0, v1}};
        const uint32_t color = (static_cast<uint32_t>(opacity * 255.0f + 0.5f) << 24) | 0xFFFFFF;
        float* vertex = quad_.Words().data();
        for (const auto& corner : corners) {
            place(corner[0], corner[1], vertex);
            vertex[2] = 0;
            std::memcpy(&vertex[3], &color, 4);
            vertex[4] = corner[2];
            vertex[5] = corner[3];
            vertex += quad_.Stride();
        }
        quad_.MarkChanged();
        drawn += device_.GetBufferPool().SelectDynamicVertexBuffer(kSpriteFormat, 0) &&
                         device_.SetVertexFormat(kSpriteFormat) &&
                         device_.ApplyTextureStages(kestrovan::LayerFlag::Base) && device_.SetTexture(plain, 0) &&
                         device_.SetWorld(nullptr) && device_.DrawTriangles(quad_) == 6
                     ? 1
                     : 0;
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
    quill::VertexData quad_;
};

}  // namespace kvtest
