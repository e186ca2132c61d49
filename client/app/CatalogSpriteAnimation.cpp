#include "client/app/CatalogSpriteAnimation.h"

#include "client/render/D3D9RenderDevice.h"

namespace kestrovan {

CatalogSpriteAnimation::CatalogSpriteAnimation(quill::SharedPtr<quill::SpriteAnimation> animation, DeviceSource device)
    : animation_(std::move(animation)), device_(std::move(device)) {}

void CatalogSpriteAnimation::SetPlayMode(int32_t mode) {
    animation_->playMode = static_cast<uint16_t>(mode);
}

void CatalogSpriteAnimation::SetPosition(float x, float y) {
    animation_->baseOffset.x = x;
    animation_->baseOffset.y = y;
}

int32_t CatalogSpriteAnimation::Advance(float seconds) {
    const int result = animation_->Update(seconds, nullptr, true);
    return result == quill::SpriteAnimation::kStopped ? kFinished : 0;
}

void CatalogSpriteAnimation::Draw(uint32_t) {
    if (D3D9RenderDevice* device = device_())
        animation_->Draw(*device);
}

}  // namespace kestrovan
