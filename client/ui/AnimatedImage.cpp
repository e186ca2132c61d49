#include "client/ui/AnimatedImage.h"

#include "client/ui/SpriteAnimation.h"
#include "client/ui/WidgetResources.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"

namespace kestrovan {


AnimatedImage::AnimatedImage() : lastTick_(platform::TimeGetTime()) { SetKind(WidgetKind::AnimatedImage); }

AnimatedImage::~AnimatedImage() = default;

void AnimatedImage::SetAnimation(int32_t animationId, int32_t animationValue) {
    animationId_ = animationId;
    animationValue_ = animationValue;
}

void AnimatedImage::OnLoad(uint32_t arg, const quill::SharedPtr<WidgetTexture>& texture) {
    Widget::OnLoad(arg, texture);
    animation_ = WidgetToolkit::Get().Resources().GetSpriteAnimationById(animationId_, animationValue_);
    if (animation_) {
        const WidgetRect rect = GetRect();
        animation_->SetPosition(static_cast<float>(rect.left), static_cast<float>(rect.top));
        animation_->SetDrawMode(kDrawMode);
    }
    Show(false);
}

void AnimatedImage::OnMove() {
    if (animation_) {
        const WidgetRect rect = GetRect();
        animation_->SetPosition(static_cast<float>(rect.left), static_cast<float>(rect.top));
    }
}

void AnimatedImage::Play(int32_t mode) {
    if (animation_) {
        animation_->SetPlayMode(mode);
        animation_->Rewind();
    }
    lastTick_ = platform::TimeGetTime();
    playing_ = true;
    Show(true);
    if (animation_) {
        animation_->Restart();
    }
}

void AnimatedImage::Tick(uint32_t now) {
    // Each image keeps its own count: with one count for all, two images playing at once would each see
    // only every other call and one of them would never advance.
    tickParity_ = !tickParity_;
    if (tickParity_ || !playing_) {
        return;
    }
    bool finished = false;
    const auto elapsed = static_cast<int32_t>(now - lastTick_);
    if (animation_) {
        const float seconds = elapsed > 0 ? static_cast<float>(elapsed) / 1000.0f : 0.0f;
        finished = animation_->Advance(seconds) == SpriteAnimation::kFinished;
    }
    lastTick_ = now;
    if (finished) {
        playing_ = false;
        Show(false);
    }
}

void AnimatedImage::Update() {
    if (!IsVisible() || !playing_) {
        return;
    }
    if (animation_) {
        animation_->Draw(GetUpdateArg());
    }
}

}  // namespace kestrovan
