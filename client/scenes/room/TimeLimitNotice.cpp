#include "client/scenes/room/TimeLimitNotice.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

TimeLimitNotice::TimeLimitNotice(EventPoster poster)
    : PopupWindow(200, 200, 400, 250, Face{}, sound_id::kPopup, 0), poster_(std::move(poster)) {
    AddTitle(14, 7, 200, u"Notice");
    for (size_t n = 0; n < lines_.size(); ++n) {
        lines_[n] = AddLine(18, 52 + 24 * static_cast<int32_t>(n), 375, UiFontAt(UiFont::Regular12), 0);
    }
    lines_[0]->SetText(u"The game will be ended as it has exceeded the time limit of an hour.");
    AddButton(kOk, 157, 200, platform::Vk::Return, 85, u"OK");
}

void TimeLimitNotice::OnShow() {
    PopupWindow::OnShow();
    CentreOnScreen(*this);
}

bool TimeLimitNotice::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == nullptr || source->GetId() != kOk) return PopupWindow::OnEvent(source, a, b);
    if (poster_) poster_(quill::AppEventId::TimeLimitNoticeClosed, 0, 0, 0);
    SetVisible(false);
    return true;
}

}  // namespace kestrovan
