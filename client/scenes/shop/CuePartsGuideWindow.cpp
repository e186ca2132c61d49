#include "client/scenes/shop/CuePartsGuideWindow.h"

#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/shop/WorkshopWindow.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

CuePartsGuideWindow::CuePartsGuideWindow()
    : PopupWindow(0, 0, 565, 464, Face{}, sound_id::kWindowOpen, sound_id::kPopup) {
    SetModal(true);
    StretchBoxFace(*this);
    AddTitle(14, 7, 300, u"파츠 가이드");
    // The picture: the parts of a cue from tip to butt, each with what its choice limits.
    const char16_t* lines[] = {u"큐팁 : 스핀, 미스큐 옵션의 업그레이드 최대치", u"상대 : 스쿼트 옵션의 업그레이드 최대치",
                               u"조인트 : 밸런스 옵션의 업그레이드 최대치", u"하대 : 파워 옵션의 업그레이드 최대치",
                               u"범퍼 : 총 내구도"};
    for (int32_t n = 0; n < 5; ++n)
        AddLine(40, 80 + 40 * n, 485, UiFontAt(UiFont::Bold14), TextLabel::kAlignCentre)->SetText(lines[n]);
    AddButton(kClose, 245, 435, platform::Vk::Escape, 170, u"Close", kCommonTexture, 0, 67, 24);
}

bool CuePartsGuideWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    return ClosesOn(source, kClose) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
