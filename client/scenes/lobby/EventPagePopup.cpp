#include "client/scenes/lobby/EventPagePopup.h"

#include "client/app/SiteConfig.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kFaceTop = 654;

}  // namespace

EventPagePopup::EventPagePopup(const SiteConfig& site, std::function<uint8_t()> portalCode, PageOpener open,
                               EventPoster poster, Quitter quit)
    : PopupWindow(0, 0, kWidth, kHeight, Face{kCommonTexture, 0, kFaceTop}, sound_id::kPopup, 0),
      site_(site),
      portalCode_(std::move(portalCode)),
      open_(std::move(open)),
      poster_(std::move(poster)),
      quit_(std::move(quit)) {
    // The face is painted one row short, below the room number's digits, whose last row is the row above it:
    // its 287 rows are drawn over the popup's 288.
    SetImage(kCommonTexture, 0, kFaceTop, kWidth, kHeight - 1, 1.0f, static_cast<float>(kHeight) / (kHeight - 1));
    CreateImage(42, -20, 231, 42, kGameSecondTexture, 443, 550)->SetAcceptsMouse(false);
    CreateImage(40, 20, 75, 60, kGameSecondTexture, 561, 490)->SetAcceptsMouse(false);
    line_ = AddLine(20, 120, 300, UiFontAt(UiFont::Bold12), 0);
    line_->SetColors(kYellow, 0);
    // The note, 311 pixels long in the interface's font, centred across the popup's width inside its edges.
    TextLabel* note = AddLine(2, 150, kWidth - 4, UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre);
    note->SetColors(kWhite, 0);
    note->SetText(u"(Event coupons are received randomly at the end of the game.)");
    AddButton(kEventPage, 40, 250, platform::Vk::Return, 913, u"Event page", kCommonTexture, 850, 111, 24);
    AddButton(kClose, 200, 250, platform::Vk::Escape, 846, u"Close", kCommonTexture, 850, 67, 24);
}

void EventPagePopup::SetLine(quill::WStringView text) {
    line_->SetText(text);
}

void EventPagePopup::OnShow() {
    CentreOnScreen(*this);
    PopupWindow::OnShow();
}

void EventPagePopup::OpenEventPage() {
    const uint8_t portal = portalCode_ ? portalCode_() : 0;
    if (open_) open_(site_.SiteOfPortal(portal) + kPagePath);
}

bool EventPagePopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kClose) {
        SetVisible(false);
        if (poster_) poster_(quill::AppEventId::EventPageOpen, static_cast<uint32_t>(mode_.load()), 0, 0);
        return true;
    }
    if (id == kEventPage) {
        OpenEventPage();
        SetVisible(false);
        if (mode_ == kQuitMode) {
            if (quit_) quit_();
        } else if (poster_) {
            poster_(quill::AppEventId::EventPageOpen, static_cast<uint32_t>(mode_.load()), 0, 0);
        }
        return true;
    }
    return PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
