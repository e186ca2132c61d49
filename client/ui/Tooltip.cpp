#include "client/ui/Tooltip.h"

#include <memory>

#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"

namespace kestrovan {

namespace {

constexpr int32_t kCaptionWidth = 200;
constexpr int32_t kCaptionHeight = 18;
constexpr uint8_t kCaptionEffect = 1;
constexpr int32_t kCaptionMarginX = 3;
constexpr int32_t kCaptionMarginY = 2;
constexpr uint32_t kCaptionColor = 0xFFFFFFFF;
constexpr uint32_t kCaptionSecondColor = 0xFF000000;
constexpr float kFadeStartAlpha = 0.1f;
// The columns of the face's right end that draw its frame there.
constexpr int32_t kEdgeWidth = 2;

}  // namespace

// Hidden until routing shows it over a widget with tooltip text.
Tooltip::Tooltip() : startTime_(platform::TimeGetTime()) {
    SetKind(WidgetKind::Tooltip);
    Show(false);
}

Tooltip& Tooltip::Get() { return WidgetToolkit::Get().GetTooltip(); }

void Tooltip::Create(int32_t x, int32_t y, int32_t w, int32_t h) {
    Widget::Create(x, y, w, h, -1, -1);
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    auto caption = std::make_unique<TextLabel>(kCaptionEffect);
    caption->Create(0, 0, kCaptionWidth, kCaptionHeight, -1, -1);
    caption->SetFont(toolkit.Renderer(), &toolkit.Services().GetDefaultFont());
    caption->AddStyle(0, kCaptionMarginX, kCaptionMarginY);
    caption->SetColors(kCaptionColor, kCaptionSecondColor);
    caption_ = caption.get();
    AddChild(std::move(caption), true);
}

void Tooltip::SetFace(int32_t texture, int32_t srcX, int32_t srcY, int32_t faceWidth) {
    SetImage(texture, srcX, srcY, -1, -1, 1.0f, 1.0f);
    if (edge_ == nullptr) {
        edge_ = CreateImage(Width() - kEdgeWidth, 0, kEdgeWidth, Height(), texture, srcX + faceWidth - kEdgeWidth, srcY);
        edge_->SetAcceptsMouse(false);
    }
}

void Tooltip::SetText(platform::WStringView text) {
    if (caption_ != nullptr) {
        caption_->SetText(text);
    }
    fit_ = true;
}

void Tooltip::FitToText() {
    if (caption_ != nullptr) {
        const int32_t textWidth = caption_->MeasureText();
        SetSize(textWidth + 2 * caption_->GetStyleValue1() - 1, Height() - 1);
        caption_->SetSize(textWidth - 1, caption_->Height() - 1);
    }
    if (edge_ != nullptr) {
        edge_->SetPosition(Width() - kEdgeWidth, 0);
    }
    fit_ = false;
}

void Tooltip::FadeIn() {
    fading_ = true;
    alpha_ = kFadeStartAlpha;
    startTime_ = platform::TimeGetTime();
    SetAlpha(alpha_);
}

void Tooltip::Tick(uint32_t now) {
    if (!WidgetToolkit::Get().TakeTooltipTick() || !IsVisible()) {
        return;
    }
    const uint32_t elapsed = now - startTime_;
    if (fading_) {
        alpha_ = static_cast<float>(elapsed) / static_cast<float>(kFadeMs);
        if (alpha_ >= 1.0f) {
            alpha_ = 1.0f;
            fading_ = false;
        }
        SetAlpha(alpha_);
    } else if (elapsed > kShowMs) {
        SetVisible(false);
    }
}

}  // namespace kestrovan
