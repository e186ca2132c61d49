#include "client/scenes/common/CommunityDialog.h"

#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kOkTile = 85;
constexpr int32_t kCancelTile = 255;
constexpr int32_t kLineX = 18;
constexpr int32_t kLineWidth = 360;

}  // namespace

void ShowWindowOn(Window& window, Widget& screen) {
    window.Show(false);
    screen.AddChild(&window, false);
    CentreOnScreen(window);
    window.SetVisible(true);
}

CommunityDialog::CommunityDialog(quill::WStringView title, bool modal)
    : PopupWindow(200, 200, kWidth, kHeight, Face{}, sound_id::kPopup, 0) {
    SetModal(modal);
    AddTitle(14, 7, 300, title);
}

void CommunityDialog::ShowOn(Widget& screen) {
    ShowWindowOn(*this, screen);
}

TextLabel* CommunityDialog::AddTextLine(int32_t y) {
    TextLabel* line = AddLine(kLineX, y, kLineWidth, UiFontAt(UiFont::Bold12), TextLabel::kAlignCentre);
    line->SetColors(0xFFFFFFFF, 0);
    return line;
}

void CommunityDialog::AddAnswerButtons(quill::WStringView yes, quill::WStringView no) {
    yes_ = AddButton(kAnswerYes, 77, 200, platform::Vk::Return, kOkTile, yes);
    no_ = AddButton(kAnswerNo, 237, 200, platform::Vk::Escape, kCancelTile, no);
}

}  // namespace kestrovan
