#include "client/table/HudDial.h"

#include "QuillLib/core/ScopedLock.h"
#include "client/ui/WidgetRenderer.h"
#include "client/ui/WidgetSprite.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

using quill::ScopedLock;

void HudDial::OnLoad(uint32_t arg, const quill::SharedPtr<WidgetTexture>& texture) {
    Image::OnLoad(arg, texture);
    ScopedLock lock(GetWidgetLock());
    texture_ = texture;
}

void HudDial::Update() {
    if (!IsVisible()) {
        return;
    }
    WidgetSprite sprite;
    if (!GetSpriteState(sprite)) {
        return;
    }
    ScopedLock lock(GetWidgetLock());
    if (texture_) {
        WidgetToolkit::Get().Renderer().DrawRotatedImage(*texture_, sprite.GetSourceRect(), sprite.GetX(), sprite.GetY(),
                                                        sprite.GetScaleX(), sprite.GetScaleY(), sprite.GetOpacity(),
                                                        pivotX_, pivotY_, rotation_, GetUpdateArg());
    }
}

void HudDial::SetPivot(float x, float y) {
    ScopedLock lock(GetWidgetLock());
    pivotX_ = x;
    pivotY_ = y;
}

void HudDial::SetRotation(float radians) {
    ScopedLock lock(GetWidgetLock());
    rotation_ = radians;
}

float HudDial::Rotation() const {
    ScopedLock lock(GetWidgetLock());
    return rotation_;
}

}  // namespace kestrovan
