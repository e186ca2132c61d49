#include "client/scenes/room/RankingPopup.h"

#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kTopRanks = 100;

}  // namespace

RankingPopup::RankingPopup() {
    Create(0, 0, 316, 294, -1, -1);
    SetImage(kGameSecondTexture, 697, 34, 316, 294, 1.0f, 1.0f);
    SetSounds(sound_id::kPopup, 0);
    CreateImage(42, -20, 231, 42, kGameSecondTexture, 524, 328);
    line_ = CreateTextLabel(10, 70, 300, 20, &UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre, 0);
    line_->SetColors(0xFFFFFFFF, 0);
    Button* ok = CreateButton(115, 250, 85, 32, PopupWindow::kOk, platform::Vk::Return, 0, 85, 0);
    SetCentredCaption(*ok, u"OK");
    Show(false);
}

void RankingPopup::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    const int32_t rank = rank_;
    if (rank <= kTopRanks) {
        line_->SetTextF(u"Congratulations! You're ranked at %d.", rank);
    } else if (rank == kBelowRecord) {
        line_->SetText(u"Your rank is lower than the previous record.");
    } else {
        line_->SetText(u"Unfortunately you could not be ranked in the top 100.");
    }
}

bool RankingPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == nullptr || source->GetId() != PopupWindow::kOk) return Window::OnEvent(source, a, b);
    SetVisible(false);
    return true;
}

}  // namespace kestrovan
