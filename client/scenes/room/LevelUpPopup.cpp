#include "client/scenes/room/LevelUpPopup.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

LevelUpPopup::LevelUpPopup(quill::PlayerState& player, AppEventPoster poster)
    : player_(player), poster_(std::move(poster)) {
    Create(0, 0, 316, 294, -1, -1);
    SetImage(kGameSecondTexture, 697, 34, 316, 294, 1.0f, 1.0f);
    SetSounds(sound_id::kPopup, 0);
    CreateImage(29, -20, 258, 42, kGameSecondTexture, 755, 328);
    for (size_t n = 0; n < lines_.size(); ++n) {
        static constexpr int32_t kY[] = {40, 70, 90};
        lines_[n] = CreateTextLabel(10, kY[n], 280, 20, &UiFontAt(UiFont::Bold12), 0, 0);
        lines_[n]->SetColors(0xFFFFFFFF, 0);
    }
    skill_ = CreateButton(295, 90, 16, 16, kSkillButton, -1, 13, 186, 745);
    Button* ok = CreateButton(115, 255, 85, 32, PopupWindow::kOk, platform::Vk::Return, 0, 85, 0);
    SetCentredCaption(*ok, u"OK");
    Show(false);
}

void LevelUpPopup::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    lines_[0]->SetTextF(u"Your level has raised to %d.", static_cast<int32_t>(player_.level));
    lines_[1]->SetTextF(u"Gold limit has raised to %d", player_.GetLevelMoneyLimit());
    lines_[2]->SetText(u"You have earned 10 skill points.");
    skill_->Show(player_.skillPoints != 0);
}

bool LevelUpPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kSkillButton && source == skill_) {
        if (poster_) poster_(quill::AppEventId::RoomPopupOpen, 0, 0, 0);
        return true;
    }
    if (id == PopupWindow::kOk) {
        SetVisible(false);
        return true;
    }
    return Window::OnEvent(source, a, b);
}

}  // namespace kestrovan
