#include "client/scenes/common/WaitingPopup.h"

#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

WaitingPopup::WaitingPopup() : WaitingPopup(u"Waiting for a response.", u"Wait a moment..", kOk, 85) {}

WaitingPopup::WaitingPopup(quill::WStringView line0, quill::WStringView line1, int32_t buttonId, int32_t tileX)
    : PopupWindow(0, 0, 400, 250, Face{}, sound_id::kPopup, 0) {
    AddTitle(14, 7, 140, u"Notice");
    AddLine(18, 60, 360, UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre)->SetText(line0);
    AddLine(18, 84, 360, UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre)->SetText(line1);
    AddButton(buttonId, 220, 200, platform::Vk::Escape, tileX, buttonId == kOk ? u"OK" : u"Cancel");
}

void WaitingPopup::OnShow() {
    CentreOnScreen(*this);
}

bool WaitingPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    return ClosesOn(source, kOk) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
