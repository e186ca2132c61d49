#include "client/scenes/room/WithdrawQuestion.h"

#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/RequestSender.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

WithdrawQuestion::WithdrawQuestion(RequestSender& sender)
    : PopupWindow(200, 200, 400, 250, Face{}, sound_id::kPopup, 0), sender_(sender) {
    AddTitle(14, 7, 200, u"Question");
    line_ = AddLine(18, 60, 370, UiFontAt(UiFont::Regular12), 0);
    AddLine(18, 84, 370, UiFontAt(UiFont::Regular12), 0)->SetText(u"You can choose to lose opponent by withdrawal");
    AddLine(18, 108, 370, UiFontAt(UiFont::Regular12), 0)->SetText(u"Do you want to quit this game?");
    AddButton(kOk, 77, 200, platform::Vk::Return, 340, u"OK");
    AddButton(kCancel, 237, 200, platform::Vk::Escape, 425, u"Cancel");
}

void WithdrawQuestion::SetTarget(const quill::PlayerState& opponent, uint8_t turns) {
    WidgetToolkit::CheckTreeAccess("WithdrawQuestion::SetTarget");
    nickname_ = opponent.name;
    userId_ = opponent.accountId;
    seat_ = static_cast<uint8_t>(opponent.seat);
    turns_ = turns;
}

void WithdrawQuestion::OnShow() {
    PopupWindow::OnShow();
    line_->SetTextF(u"%s has exceeded a total of %d turns.", nickname_, static_cast<int32_t>(turns_));
}

bool WithdrawQuestion::OnEvent(Widget* source, int32_t a, int32_t b) {
    return Answers(source, kOk, kCancel, [this] { RequestWithdraw(); }) || PopupWindow::OnEvent(source, a, b);
}

void WithdrawQuestion::RequestWithdraw() {
    const uint8_t seat = seat_;
    const int64_t userId = userId_;
    sender_.Send([seat, userId](quill::Packet& packet) {
        packet.Init(quill::MessageId::WithdrawRequest).WriteU8(1).WriteU8(seat).WriteI64(userId);
    });
    SetVisible(false);
}

}  // namespace kestrovan
