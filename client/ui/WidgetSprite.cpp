#include "client/ui/WidgetSprite.h"

#include "client/ui/WidgetRenderer.h"
#include "client/ui/WidgetTexture.h"

namespace kestrovan {

void WidgetSprite::SetPosition(float x, float y) {
    x_ = x;
    y_ = y;
}

void WidgetSprite::SetScale(float scaleX, float scaleY) {
    scaleX_ = scaleX;
    scaleY_ = scaleY;
}

void WidgetSprite::Draw(WidgetRenderer& renderer, uint32_t updateArg) const {
    if (texture_) {
        renderer.DrawImage(*texture_, source_, x_, y_, scaleX_, scaleY_, opacity_, updateArg);
    }
}

}  // namespace kestrovan
