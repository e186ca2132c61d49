#include "client/scenes/NoticeBox.h"

#include "client/app/UiFonts.h"
#include "client/scenes/DialogPlacement.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "platform/gfx/TextFormat.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kCommonTexture = 0;
constexpr int32_t kBackgroundY = 136;
constexpr int32_t kButtonWidth = 85;
constexpr int32_t kButtonHeight = 32;
constexpr int32_t kButtonY = 200;
constexpr uint32_t kCaptionColour = 0xFFFFFFFF;

// The buttons each layout shows.
bool LayoutShows(uint32_t layout, int32_t id) {
    switch (layout) {
        case NoticeBox::kLayoutOk:
            return id == NoticeBox::kOk;
        case NoticeBox::kLayoutOkCancel:
            return id == NoticeBox::kOkLeft || id == NoticeBox::kCancel;
        case NoticeBox::kLayoutCancel:
            return id == NoticeBox::kCancel;
        case NoticeBox::kLayoutYesNo:
            return id == NoticeBox::kYes || id == NoticeBox::kNo;
        default:
            return false;
    }
}

}  // namespace

NoticeBox::NoticeBox(EventPoster poster) : poster_(std::move(poster)) {
    Create(200, 200, kWidth, kHeight, -1, -1);
    SetImage(kCommonTexture, 0, kBackgroundY, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(kOpenSound, 0);
    title_ = CreateTextLabel(14, 7, 140, 20, &UiFontAt(UiFont::Bold14), TextLabel::kAlignRight, 1);
    title_->SetText(u"Notice");
    for (size_t n = 0; n < kLineCount; ++n) {
        lines_[n] = CreateTextLabel(18, 52 + 24 * static_cast<int32_t>(n), 375, 20, &UiFontAt(UiFont::Regular12),
                                    TextLabel::kAlignCentre, 0);
    }
    // The tiles carry no words in our packs: the buttons say what they do in their captions.
    buttons_ = {AddButton(kOk, 157, platform::Vk::Return, 255, u"OK"),
                AddButton(kOkLeft, 77, platform::Vk::Return, 85, u"OK"),
                AddButton(kCancel, 237, platform::Vk::Escape, 170, u"Cancel"),
                AddButton(kYes, 77, platform::Vk::Return, 340, u"Yes"),
                AddButton(kNo, 237, platform::Vk::Escape, 425, u"No")};
    Show(false);
}

Button* NoticeBox::AddButton(int32_t id, int32_t x, int32_t key, int32_t tileX, const char16_t* caption) {
    Button* button = CreateButton(x, kButtonY, kButtonWidth, kButtonHeight, id, key, kCommonTexture, tileX, 0);
    button->AddLabel(&UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, kCaptionColour, 0, 0);
    button->GetCaption()->AddStyle(platform::gfx::TextFormat::VCenter, 0, 0);
    button->SetCaption(caption);
    return button;
}

void NoticeBox::Reset() {
    for (TextLabel* line : lines_) line->SetText(u"");
    eventCode_ = kEventNone;
    eventValue_ = 0;
    layout_ = kLayoutOk;
}

void NoticeBox::SetTitle(quill::WStringView text) { title_->SetTextF(u"%s", text); }

void NoticeBox::SetLine(quill::WStringView text, size_t n) {
    if (n < kLineCount) lines_[n]->SetTextF(u"%s", text);
}

void NoticeBox::SetEvent(int32_t code, uint32_t value) {
    eventCode_ = code;
    eventValue_ = value;
}

void NoticeBox::Open() {
    CentreOnScreen(*this);
    SetVisible(true);
}

// Every button hides the box and posts the event, also the default 1024 that no handler acts on.
bool NoticeBox::OnEvent(Widget* source, int32_t, int32_t) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id < kOk || id > kNo) return false;
    SetVisible(false);
    if (poster_) poster_(static_cast<uint32_t>(eventCode_.load()), static_cast<uint32_t>(id), eventValue_, 0);
    return true;
}

void NoticeBox::OnShow() {
    Window::OnShow();
    const uint32_t layout = layout_;
    for (Button* button : buttons_) button->Show(LayoutShows(layout, button->GetId()));
}

Button* NoticeBox::GetButton(int32_t id) const {
    for (Button* button : buttons_) {
        if (button->GetId() == id) return button;
    }
    return nullptr;
}

}  // namespace kestrovan
