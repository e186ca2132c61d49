#pragma once
// The frame the messenger's small dialogs share: a 400 x 250 window on the common face with a title, text
// lines 360 wide at x 18 and two answer buttons (1 at (77, 200) with Enter, 2 at (237, 200) with Esc). A
// dialog that opens is hidden first, attached to the current screen, centred and shown.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/app/SoundIds.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class Button;
class TextLabel;

class CommunityDialog : public PopupWindow {
public:
    static constexpr int32_t kWidth = 400;
    static constexpr int32_t kHeight = 250;
    static constexpr int32_t kAnswerYes = 1;
    static constexpr int32_t kAnswerNo = 2;

    // Hidden, attached to the screen, centred and shown (its OnShow fills it).
    void ShowOn(Widget& screen);

    Button* YesButton() const { return yes_; }
    Button* NoButton() const { return no_; }

protected:
    CommunityDialog(quill::WStringView title, bool modal);

    TextLabel* AddTextLine(int32_t y);
    // The two answer buttons with their captions (the button tiles carry no words).
    void AddAnswerButtons(quill::WStringView yes, quill::WStringView no);

private:
    Button* yes_ = nullptr;
    Button* no_ = nullptr;
};

// Attaches the window to the screen (hidden first), centres it and shows it: how every community window opens.
void ShowWindowOn(Window& window, Widget& screen);

}  // namespace kestrovan
