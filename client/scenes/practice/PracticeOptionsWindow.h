#pragma once
// The practice room's options window: the game type the room is set up for and how the room is played (the
// balls placed freely, the last shot repeated with 'U', the replay panel with 'R'). Button 21 of the room
// opens it and closes it again.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include "QuillLib/gamedata/GameTypes.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class PracticeOptionsWindow : public PopupWindow {
public:
    PracticeOptionsWindow();
    void SetGameType(quill::GameType type);
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    TextLabel* typeLine_ = nullptr;
};

}  // namespace kestrovan
