#include "client/scenes/common/NoticeBox.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kButtonY = 200;

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

NoticeBox::NoticeBox(EventPoster poster)
    : PopupWindow(200, 200, kWidth, kHeight, Face{}, sound_id::kPopup, 0), poster_(std::move(poster)) {
    title_ = AddTitle(14, 7, 140, u"Notice");
    title_->SetAlignment(TextLabel::kAlignRight);
    for (size_t n = 0; n < kLineCount; ++n) {
        lines_[n] =
            AddLine(18, 52 + 24 * static_cast<int32_t>(n), 375, UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre);
    }
    buttons_ = {AddButton(kOk, 157, kButtonY, platform::Vk::Return, 255, u"OK"),
                AddButton(kOkLeft, 77, kButtonY, platform::Vk::Return, 85, u"OK"),
                AddButton(kCancel, 237, kButtonY, platform::Vk::Escape, 170, u"Cancel"),
                AddButton(kYes, 77, kButtonY, platform::Vk::Return, 340, u"Yes"),
                AddButton(kNo, 237, kButtonY, platform::Vk::Escape, 425, u"No")};
}

void NoticeBox::Reset() {
    for (TextLabel* line : lines_)
        line->SetText(u"");
    eventCode_ = quill::AppEventId::EventNone;
    eventValue_ = 0;
    layout_ = kLayoutOk;
}

void NoticeBox::SetTitle(quill::WStringView text) {
    title_->SetTextF(u"%s", text);
}

void NoticeBox::SetLine(quill::WStringView text, size_t n) {
    if (n < kLineCount)
        lines_[n]->SetTextF(u"%s", text);
}

void NoticeBox::SetEvent(int32_t code, uint32_t value) {
    eventCode_ = code;
    eventValue_ = value;
}

// Every button hides the box and posts the event, also the default 1024 that no handler acts on.
bool NoticeBox::OnEvent(Widget* source, int32_t, int32_t) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id < kOk || id > kNo)
        return false;
    SetVisible(false);
    if (poster_)
        poster_(static_cast<uint32_t>(eventCode_.load()), static_cast<uint32_t>(id), eventValue_, 0);
    return true;
}

void NoticeBox::OnShow() {
    Window::OnShow();
    const uint32_t layout = layout_;
    for (Button* button : buttons_)
        button->Show(LayoutShows(layout, button->GetId()));
}

Button* NoticeBox::GetButton(int32_t id) const {
    for (Button* button : buttons_) {
        if (button->GetId() == id)
            return button;
    }
    return nullptr;
}

}  // namespace kestrovan
