#include "client/scenes/practice/PracticeOptionsWindow.h"

#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr const char16_t* kHowToLines[] = {u"You can move the ball freely in the practice room.",
                                           u"Press 'U' to repeat the previous shot.",
                                           u"Press 'R' to watch the last shot again."};

}  // namespace

PracticeOptionsWindow::PracticeOptionsWindow() : PopupWindow(0, 0, 400, 250, Face{}, sound_id::kPopup, 0) {
    AddTitle(14, 7, 240, u"Options");
    typeLine_ = AddLine(18, 54, 364, UiFontAt(UiFont::Bold14), TextLabel::kAlignCentre);
    int32_t y = 96;
    for (const char16_t* line : kHowToLines) {
        AddLine(18, y, 364, UiFontAt(UiFont::Regular12), TextLabel::kAlignCentre)->SetText(line);
        y += 24;
    }
    AddButton(kClose, 158, 200, platform::Vk::Escape, 85, u"Close");
}

void PracticeOptionsWindow::SetGameType(quill::GameType type) {
    typeLine_->SetTextF(u"%s", GameTypeLongName(type));
}

bool PracticeOptionsWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    return ClosesOn(source, kClose) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
