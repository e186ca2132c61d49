#include "client/ui/TextLabel.h"

#include <array>
#include <cmath>

#include "QuillLib/render/TextEntry.h"
#include "QuillLib/render/TextSurface.h"
#include "client/ui/FontDesc.h"
#include "client/ui/WidgetRenderer.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/gfx/TextFormat.h"

namespace kestrovan {

namespace TextFormat = platform::gfx::TextFormat;

TextLabel::TextLabel() : TextLabel(0) {}

TextLabel::TextLabel(uint8_t layoutOption) : layoutOption_(layoutOption) { SetKind(WidgetKind::TextLabel); }

TextLabel::~TextLabel() = default;

void TextLabel::SetTextList(const char16_t* format, std::span<const quill::FormatArg> args) {
    CheckTreeAccess("SetText");
    std::array<char16_t, kTextCapacity> buffer{};
    quill::FormatListTo(buffer.data(), buffer.size(), format, args);
    text_ = platform::WString(buffer.data());
    UpdateText();
    dirty_ = true;
}

platform::WString TextLabel::GetText() const {
    return text_;
}

platform::WString TextLabel::GetDisplayText() const {
    return masked_ ? platform::WString(text_.size(), u'*') : text_;
}

void TextLabel::UpdateText() {
    if (entry_) {
        entry_->SetText(GetDisplayText());
    }
}

void TextLabel::SetFont(WidgetRenderer& fontCache, const FontDesc* font) {
    fontDesc_ = font;
    surface_ = font != nullptr ? fontCache.GetTextSurface(*font) : nullptr;
    Layout();
}

void TextLabel::SetMasked(bool masked) {
    masked_ = masked;
    Layout();
}

uint32_t TextLabel::OpacityAlpha() const {
    return static_cast<uint32_t>(std::lround(GetAlpha() * 255.0f)) & 0xFF;
}

uint32_t TextLabel::GetTextColor() const { return (color_ & 0x00FFFFFF) | (OpacityAlpha() << 24); }

uint32_t TextLabel::GetSecondColor() const { return (color2_ & 0x00FFFFFF) | (OpacityAlpha() << 24); }

quill::TextStyle TextLabel::BuildTextStyle() const {
    uint32_t horizontal = TextFormat::Left;
    if (alignment_ == kAlignCentre) {
        horizontal = TextFormat::Center;
    } else if (alignment_ == kAlignRight) {
        horizontal = TextFormat::Right;
    }
    quill::TextStyle style;
    style.color = GetTextColor();
    style.effect = layoutOption_;
    style.format = styleFlags_ | horizontal;
    style.secondColor = GetSecondColor();
    return style;
}

void TextLabel::Layout() {
    entry_.reset();
    if (surface_ != nullptr) {
        entry_ = std::make_unique<quill::TextEntry>(*surface_);
        entry_->SetStyle(BuildTextStyle());
    }
    UpdateText();
}

void TextLabel::OnResize(int32_t, int32_t) { Layout(); }

void TextLabel::OnLoad(uint32_t arg, const quill::SharedPtr<WidgetTexture>& texture) {
    if (texture) {
        Widget::OnLoad(arg, texture);
    }
    if (surface_ == nullptr && fontDesc_ != nullptr) {
        surface_ = WidgetToolkit::Get().Renderer().GetTextSurface(*fontDesc_);
    }
    Layout();
}

void TextLabel::Update() {
    if (!HasSprite() || !UiUpdateEnabled()) {
        return;
    }
    dirty_ = false;
    if (!entry_ || text_.empty()) {
        return;
    }
    const quill::TextStyle style = BuildTextStyle();
    entry_->SetStyle(style);
    const WidgetRect rect = GetRect();
    const platform::gfx::Rect area{rect.left + styleValue1_, rect.top + styleValue2_, rect.right + 1 + styleValue1_,
                                   rect.bottom + 1 + styleValue2_};
    const platform::gfx::Point at =
        platform::gfx::PlaceTextLine(area, entry_->GetWidth(), entry_->GetHeight(), style.format);
    WidgetToolkit::Get().Renderer().DrawText(*entry_, static_cast<float>(at.x), static_cast<float>(at.y));
}

void TextLabel::SetColors(uint32_t color, uint32_t color2) {
    color_ = color;
    color2_ = color2;
}

void TextLabel::SetAlignment(uint32_t flags) {
    alignment_ = flags;
}

void TextLabel::AddStyle(uint32_t flags, int32_t value1, int32_t value2) {
    styleFlags_ |= flags;
    styleValue1_ = value1;
    styleValue2_ = value2;
}

int32_t TextLabel::MeasureText() {
    measuredWidth_ = surface_ != nullptr ? surface_->MeasureText(text_).cx : 0;
    return measuredWidth_;
}

int32_t TextLabel::MeasurePrefix(size_t count) const {
    if (surface_ == nullptr) {
        return 0;
    }
    const platform::WString shown = GetDisplayText();
    return surface_->MeasureText(platform::WStringView(shown).substr(0, count)).cx;
}

std::function<int(platform::WStringView)> TextLabel::GetMeasure() const {
    quill::TextSurface* surface = surface_;
    if (surface == nullptr) {
        return {};
    }
    const bool masked = masked_;
    return [surface, masked](platform::WStringView text) {
        return masked ? surface->MeasureText(platform::WString(text.size(), u'*')).cx : surface->MeasureText(text).cx;
    };
}

}  // namespace kestrovan
