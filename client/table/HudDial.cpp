#include "client/table/HudDial.h"

#include "client/ui/WidgetRenderer.h"
#include "client/ui/WidgetSprite.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {


void HudDial::OnLoad(uint32_t arg, const quill::SharedPtr<WidgetTexture>& texture) {
    Image::OnLoad(arg, texture);
    WidgetToolkit::CheckTreeAccess("HudDial::OnLoad");
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
    WidgetToolkit::CheckTreeAccess("HudDial::Update");
    if (texture_) {
        WidgetToolkit::Get().Renderer().DrawRotatedImage(*texture_, sprite.GetSourceRect(), sprite.GetX(), sprite.GetY(),
                                                        sprite.GetScaleX(), sprite.GetScaleY(), sprite.GetOpacity(),
                                                        pivotX_, pivotY_, rotation_, GetUpdateArg());
    }
}

void HudDial::SetPivot(float x, float y) {
    WidgetToolkit::CheckTreeAccess("HudDial::SetPivot");
    pivotX_ = x;
    pivotY_ = y;
}

void HudDial::SetRotation(float radians) {
    WidgetToolkit::CheckTreeAccess("HudDial::SetRotation");
    rotation_ = radians;
}

float HudDial::Rotation() const {
    return rotation_;
}

}  // namespace kestrovan
