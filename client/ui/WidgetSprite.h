#pragma once
// The sprite that draws a widget's image: a texture, the part of it shown, a screen position, a scale and
// an opacity. Every widget made by Widget::Create owns one; it draws only once a texture is attached.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <utility>

#include "QuillLib/core/SharedPtr.h"
#include "client/ui/WidgetRect.h"

namespace kestrovan {

class WidgetRenderer;
class WidgetTexture;

class WidgetSprite {
public:
    void SetPosition(float x, float y);
    void SetSourceRect(const WidgetRect& source) { source_ = source; }
    void SetScale(float scaleX, float scaleY);
    void SetOpacity(float opacity) { opacity_ = opacity; }
    void SetTexture(quill::SharedPtr<WidgetTexture> texture) { texture_ = std::move(texture); }

    float GetX() const { return x_; }
    float GetY() const { return y_; }
    const WidgetRect& GetSourceRect() const { return source_; }
    float GetScaleX() const { return scaleX_; }
    float GetScaleY() const { return scaleY_; }
    float GetOpacity() const { return opacity_; }

    // Draws the sprite when it has a texture.
    void Draw(WidgetRenderer& renderer, uint32_t updateArg) const;

private:
    quill::SharedPtr<WidgetTexture> texture_;
    WidgetRect source_;
    float x_ = 0.0f;
    float y_ = 0.0f;
    float scaleX_ = 1.0f;
    float scaleY_ = 1.0f;
    float opacity_ = 1.0f;
};

}  // namespace kestrovan
