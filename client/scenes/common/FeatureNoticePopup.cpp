#include "client/scenes/common/FeatureNoticePopup.h"

#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

FeatureNoticePopup::FeatureNoticePopup() : PopupWindow(200, 200, 400, 250, Face{}, sound_id::kPopup, 0) {
    AddTitle(14, 7, 140, u"Notice");
    const quill::WStringView texts[5] = {u"Upgrading this function..", u"This function is not usable.", u"", u"", u""};
    for (int32_t n = 0; n < 5; ++n) {
        AddLine(18, 60 + 24 * n, 360, UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre)->SetText(texts[n]);
    }
    AddButton(kOk, 157, 200, platform::Vk::Return, 85, u"OK");
}

bool FeatureNoticePopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    return ClosesOn(source, kOk) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
