#include "client/scenes/lobby/TournamentInfoPopup.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/BoxFace.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/PlayerHost.h"
#include "client/scenes/lobby/TournamentTexts.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kFirstButtonY = 94;
constexpr int32_t kButtonSpacing = 54;
// The three choice buttons (the popup's own kButtonWidth and kButtonHeight are its Close button's size).
constexpr int32_t kChoiceWidth = 162;
constexpr int32_t kChoiceHeight = 44;

}  // namespace

TournamentInfoPopup::TournamentInfoPopup(PlayerHost& host)
    : PopupWindow(0, 0, kWidth, kHeight, Face{}, sound_id::kPopup, 0), host_(host) {
    StretchBoxFace(*this);
    AddTitle(14, 7, 200, u"Tournament Info");
    const quill::WStringView captions[] = {u"Race", u"Tour", u"Championship"};
    for (int32_t group = 0; group < 3; ++group) {
        const int32_t y = kFirstButtonY + kButtonSpacing * group;
        AddButton(kRace + group, 20, y, -1, 0, captions[group], kCommonTexture, 0, kChoiceWidth, kChoiceHeight);
        for (int32_t line = 0; line < 2; ++line) {
            TextLabel* label = AddLine(200, y + 2 + 20 * line, 180, UiFontAt(UiFont::Bold12), 0);
            label->SetColors(kWhite, 0);
            lines_[static_cast<size_t>(group * 2 + line)] = label;
        }
    }
    AddButton(kClose, 157, 247, platform::Vk::Escape, 255, u"Close");
}

void TournamentInfoPopup::OnShow() {
    for (size_t group = 0; group < 3; ++group) Line(group, 1)->SetText(u"");
    const TournamentView view = TournamentView::From(host_.Tournament());
    if (view.shown) {
        if (view.running)
            Line(0, 0)->SetText(u"Kestrovan Race is in progress.");
        else if (view.soon)
            Line(0, 0)->SetText(ClockText(u"Start", view.startHour, view.startMinute));
        else
            Line(0, 0)->SetText(u"No tournament is running");
    }
    Line(1, 0)->SetText(u"No tournament info");
    Line(2, 0)->SetText(u"No tournament is running");
    PopupWindow::OnShow();
    CentreOnScreen(*this);
}

bool TournamentInfoPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    switch (source != nullptr ? source->GetId() : -1) {
        case kClose:
            SetVisible(false);
            return true;
        case kRace:
            SetVisible(false);
            host_.PostEvent(quill::AppEventId::TournamentPopupClose, 1, 0, 0);
            return true;
        case kTour:
        case kChampionship:
            host_.ShowNoticeBox(u"No tournament info");
            return true;
        default:
            return PopupWindow::OnEvent(source, a, b);
    }
}

}  // namespace kestrovan
