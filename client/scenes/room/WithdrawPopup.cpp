#include "client/scenes/room/WithdrawPopup.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

// The one-cushion and three-cushion gambles.
bool IsGamble(int32_t gameType) {
    return gameType == 2 || gameType == 5;
}

}  // namespace

WithdrawPopup::WithdrawPopup(EventPoster poster)
    : PopupWindow(0, 0, 400, 250, Face{}, sound_id::kDialogOpen, sound_id::kDialogClose), poster_(poster) {
    AddTitle(40, 9, 200, u"Withdraw");
    for (size_t n = 0; n < kLineCount; ++n) {
        lines_[n] = AddLine(30, 60 + 25 * static_cast<int32_t>(n), 350, UiFontAt(UiFont::Regular12), 0);
    }
    lines_[0]->SetText(u"The game is running now.");
    AddButton(kYes, 80, 210, platform::Vk::Return, 340, u"Yes");
    AddButton(kNo, 235, 210, platform::Vk::Escape, 425, u"No");
}

void WithdrawPopup::SetMode(int32_t gameType, bool beforeLastTurn) {
    lines_[3]->SetText(u"");
    lines_[4]->SetText(u"");
    confirmValue_ = 0;
    if (!IsGamble(gameType)) {
        lines_[1]->SetText(u"Withdrawal penalty : lose the game, lose gold");
        lines_[2]->SetText(u"             Red nickname, Withdrawal record");
        lines_[3]->SetText(u"Accumulated withdrawal history may prohibit");
        lines_[4]->SetText(u"you from joining the game.");
    } else if (!beforeLastTurn) {
        lines_[1]->SetText(u"No penalty will be charged if you end the game now.");
        lines_[2]->SetText(u"Do you want to end the game?");
    } else {
        lines_[1]->SetText(u"The game should be ended after the last turn is over.");
        lines_[2]->SetText(u"If you end the game now, you will lose half of the amount gained.");
        lines_[3]->SetText(u"Do you want to end the game?");
        confirmValue_ = 1;
    }
}

bool WithdrawPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kYes || id == kNo) {
        if (poster_) {
            if (id == kYes) {
                poster_(quill::AppEventId::WithdrawDialogClose, 1, confirmValue_, 0);
            } else {
                poster_(quill::AppEventId::WithdrawDialogClose, 0, 0, 0);
            }
        }
        SetVisible(false);
        return true;
    }
    return PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
