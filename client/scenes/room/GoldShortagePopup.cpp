#include "client/scenes/room/GoldShortagePopup.h"

#include "QuillLib/core/Format.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

GoldShortagePopup::GoldShortagePopup(GameConnection& connection, EventPoster poster)
    : PopupWindow(0, 0, kWidth, kHeight, Face{}, sound_id::kPopup, 0),
      connection_(connection),
      poster_(std::move(poster)) {
    AddTitle(14, 7, 140, u"Notice");
    const FontDesc& font = UiFontAt(UiFont::Bold12);
    TextLabel* shortage = AddLine(20, 60, 300, font, 0);
    shortage->SetColors(kYellow, 0);
    shortage->SetText(u"You have not enough gold.");
    required_ = AddLine(20, 90, 300, font, 0);
    required_->SetColors(kYellow, 0);
    AddLine(20, 130, 300, font, 0)->SetText(u"Do you want to go free charge gold?");
    AddLine(20, 150, 300, font, 0)->SetText(u"(max free charge : 4,000.)");
    AddButton(kYes, 77, 200, platform::Vk::Return, 340, u"Yes");
    AddButton(kNo, 237, 200, platform::Vk::Escape, 425, u"No");
}

void GoldShortagePopup::SetShortage(int32_t required, uint8_t target) {
    requiredMoney_ = required;
    target_ = target;
}

void GoldShortagePopup::OnShow() {
    CentreOnScreen(*this);
    required_->SetText(
        quill::Format(u"This match requires %s gold.", FormatMoney(static_cast<int64_t>(requiredMoney_))));
    PopupWindow::OnShow();
}

bool GoldShortagePopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    return Answers(source, kYes, kNo, [this] { JoinPractice(); }) || PopupWindow::OnEvent(source, a, b);
}

void GoldShortagePopup::JoinPractice() {
    SetVisible(false);
    JoinWithTarget& target = connection_.JoinTarget();
    target.Clear();
    target.pending = 1;
    target.channel = 0;
    target.place = JoinWithTarget::kPracticeRoom;
    target.hasPassword = 0;
    target.targetKind = kPracticeTargetKind;
    target.targetValue = static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(target_.load())));
    if (poster_) poster_(quill::AppEventId::JoinWith, 0, 0, 0);
}

}  // namespace kestrovan
