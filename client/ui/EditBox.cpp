#include "client/ui/EditBox.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "client/ui/EditBridge.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"
#include "platform/system/CodePage.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan {

namespace Msg = platform::Msg;

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// The caret and the selection sit one pixel above the box's top edge.
constexpr int32_t kCursorY = -1;

}  // namespace

EditBox::EditBox() { SetKind(WidgetKind::EditBox); }

EditBox::~EditBox() {
    if (WidgetToolkit::Current() == nullptr) {
        return;
    }
    // Released whether or not it is bound now: the bridge forgets it either way.
    if (EditBridge* bridge = Bridge()) {
        bridge->ReleaseFocusFrom(this);
    }
}

EditBridge* EditBox::Bridge() {
    WidgetToolkit* toolkit = WidgetToolkit::Current();
    return toolkit != nullptr ? toolkit->Services().GetEditBridge() : nullptr;
}

void EditBox::Create(int32_t x, int32_t y, int32_t w, int32_t h) {
    Widget::Create(x, y, w, h, -1, -1);
    auto label = std::make_unique<TextLabel>();
    label->Create(0, 0, w, h, -1, -1);
    label_ = label.get();
    AddChild(std::move(label), true);
    auto selection = std::make_unique<Image>();
    selection->Create(0, 0, 1, h, -1, -1);
    selection_ = selection.get();
    AddChild(std::move(selection), false);
    auto caret = std::make_unique<Image>();
    caret->Create(0, 0, 1, h, -1, -1);
    caret_ = caret.get();
    AddChild(std::move(caret), false);
}

void EditBox::SetSkin(int32_t textureId, int32_t srcX, int32_t srcY, int32_t caretW, int32_t lineH) {
    SetImage(textureId, 0, 0, -1, -1, 1.0f, 1.0f);
    caret_->SetSize(caretW - 1, lineH - 1);
    caret_->SetImage(textureId, srcX, srcY, caretW, lineH, 1.0f, 1.0f);
    caret_->Show(false);
    selection_->SetSize(0, lineH - 1);
    selection_->SetImage(textureId, srcX + caretW, srcY, 1, lineH, 1.0f, 1.0f);
    selection_->Show(false);
}

void EditBox::SetFont(const FontDesc* font, int32_t maxLength, uint32_t color) {
    label_->SetFont(WidgetToolkit::Get().Renderer(), font);
    label_->SetColors(color, 0);
    maxLength_ = maxLength;
}

void EditBox::SetTextColors(uint32_t color, uint32_t color2) { label_->SetColors(color, color2); }

void EditBox::SetMasked(bool masked) {
    masked_ = masked;
    label_->SetMasked(masked);
}

// --- Text ---------------------------------------------------------------------------------------------------

void EditBox::SetText(platform::WStringView text) {
    label_->SetText(text);
    if (EditBridge* bridge = Bridge(); bridge != nullptr && bridge->GetFocusWidget() == this) {
        bridge->SetText(text);
    }
    caretIndex_ = anchorIndex_ = static_cast<int32_t>(label_->GetText().size());
    changed_ = true;
}

platform::WString EditBox::GetText() const { return label_->GetText(); }

void EditBox::SetTextAndSelection(platform::WStringView text, int32_t caret, int32_t anchor) {
    label_->SetText(text);
    caretIndex_ = caret;
    anchorIndex_ = anchor;
    changed_ = true;
}

void EditBox::SubmitText(platform::WStringView text) {
    label_->SetText(text);
    NotifyParent(kSubmitEvent);
}

void EditBox::InsertText(platform::WStringView text) {
    if (EditBridge* bridge = Bridge(); bridge != nullptr && bridge->GetFocusWidget() == this) {
        bridge->ReplaceSelection(text);
    }
}

void EditBox::SetCaret(int32_t index) {
    EditBridge* bridge = Bridge();
    if (bridge == nullptr || bridge->GetFocusWidget() != this) {
        return;
    }
    bridge->SetSelection(index, index);
    caretIndex_ = anchorIndex_ = index;
    changed_ = true;
}

// The limit counts bytes of the code-page text (and, when set, characters); a cut never splits a character,
// and the text is measured without a fixed buffer, so it always ends where the characters end.
bool EditBox::ClampToMaxBytes(platform::WString& text) const {
    const auto limit = static_cast<size_t>(std::clamp(maxLength_, 0, kDefaultMaxBytes));
    const auto characterLimit = maxCharacters_ > 0 ? static_cast<size_t>(maxCharacters_) : text.size();
    if (text.size() <= characterLimit && platform::ToCodePage(text).size() <= limit) {
        return true;
    }
    size_t bytes = 0;
    size_t characters = 0;
    size_t kept = 0;
    while (kept < text.size()) {
        const size_t units = IsHighSurrogate(text[kept]) && kept + 1 < text.size() ? 2 : 1;
        const size_t charBytes = platform::ToCodePage(platform::WStringView(text).substr(kept, units)).size();
        if (bytes + charBytes > limit || characters == characterLimit) {
            break;
        }
        bytes += charBytes;
        ++characters;
        kept += units;
    }
    if (kept == text.size()) {
        return true;
    }
    text.resize(kept);
    return false;
}

// --- Focus --------------------------------------------------------------------------------------------------

EditBridge* EditBox::Bind() {
    EditBridge* bridge = Bridge();
    if (bridge == nullptr) {
        return nullptr;
    }
    if (bridge->GetFocusWidget() != this) {
        bridge->SetFocusWidget(this);
        caretIndex_ = anchorIndex_ = static_cast<int32_t>(label_->GetText().size());
        changed_ = true;
    }
    bridge->SetFont(label_->GetMeasure());
    return bridge;
}

void EditBox::ReleaseBridge() {
    if (EditBridge* bridge = Bridge()) {
        bridge->ReleaseFocusFrom(this);
    }
}

void EditBox::SetFocus(bool focus) {
    if (!focus) {
        HideCursor();
        ReleaseBridge();
        return;
    }
    if (!IsVisible() || !IsEnabled() || Bridge() == nullptr) {
        return;
    }
    focused_ = true;
    Bind();
    ShowCursor();
}

void EditBox::ShowCursor() {
    focused_ = true;
    changed_ = true;
    blinkStart_ = platform::TimeGetTime();
}

void EditBox::HideCursor() {
    focused_ = false;
    caret_->Show(false);
    selection_->Show(false);
}

void EditBox::OnHide() { ReleaseBridge(); }

void EditBox::OnEnable(bool enabled) {
    if (!enabled) {
        ReleaseBridge();
    }
}

void EditBox::ReleaseFocus() { ReleaseBridge(); }

// --- Mouse --------------------------------------------------------------------------------------------------

bool EditBox::OnMouse(uint32_t msg, WParam, LParam lParam) {
    const WidgetRect rect = GetRect();
    const int32_t screenX = platform::PointX(lParam);
    const int32_t x = screenX - rect.left;
    if (rect.Contains(screenX, platform::PointY(lParam))) {
        if (msg == Msg::LButtonDown) {
            focused_ = true;
            Bind();
            pressX_ = x;
            SelectBetween(pressX_, pressX_);
            ShowCursor();
            SetState(WidgetState::Pressed);
        } else if (msg == Msg::MouseMove && GetState() == WidgetState::Pressed) {
            ExtendSelection(x);
        } else if (msg == Msg::LButtonUp) {
            SetState(WidgetState::Normal);
        }
        return true;
    }
    if (msg == Msg::MouseMove && GetState() == WidgetState::Pressed) {
        ExtendSelection(x);
        return true;
    }
    if (msg == Msg::LButtonUp) {
        SetState(WidgetState::Normal);
    }
    return GetState() == WidgetState::Pressed;
}

void EditBox::ExtendSelection(int32_t x) {
    currentX_ = std::clamp(x, 0, Width());
    SelectBetween(pressX_, currentX_);
}

void EditBox::SelectBetween(int32_t pressX, int32_t currentX) {
    EditBridge* bridge = Bridge();
    if (bridge == nullptr || bridge->GetFocusWidget() != this) {
        return;
    }
    const int32_t anchor = bridge->CharFromPos(pressX);
    const int32_t caret = bridge->CharFromPos(currentX);
    bridge->SetSelection(anchor, caret);
    anchorIndex_ = anchor;
    caretIndex_ = caret;
    changed_ = true;
}

// --- Drawing ------------------------------------------------------------------------------------------------

void EditBox::UpdateTree() {
    if (!IsVisible() || !UiUpdateEnabled()) {
        return;
    }
    if (changed_) {
        changed_ = false;
        PlaceCursor(label_->MeasurePrefix(static_cast<size_t>(std::max(caretIndex_, 0))),
                    label_->MeasurePrefix(static_cast<size_t>(std::max(anchorIndex_, 0))));
    }
    if (focused_) {
        selection_->Update();
        if ((platform::TimeGetTime() - blinkStart_) % kBlinkPeriodMs < kBlinkOnMs) {
            caret_->Update();
        }
    }
    label_->UpdateTree();
}

void EditBox::PlaceCursor(int32_t caretX, int32_t anchorX) {
    if (caretX != anchorX) {
        selection_->SetPosition(std::min(caretX, anchorX), kCursorY);
        selection_->SetScale(static_cast<float>(std::abs(caretX - anchorX)), 1.0f);
        selection_->Show(true);
        caret_->Show(false);
    } else {
        selection_->Show(false);
        caret_->SetPosition(anchorX, kCursorY);
        caret_->Show(true);
    }
    blinkStart_ = platform::TimeGetTime();
}

}  // namespace kestrovan
