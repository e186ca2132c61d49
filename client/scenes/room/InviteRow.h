#pragma once
// One row of the invitation window: the user's toggle (its click area the whole row), level icon, nickname
// and number, drawn faint while the user cannot be chosen.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include "client/scenes/room/InviteList.h"
#include "client/ui/Image.h"

namespace kestrovan {

class Button;
class TextLabel;

class InviteRow : public Image {
public:
    static constexpr float kFaint = 0.3f;

    // At (x, y) of the window with the toggle's control id.
    InviteRow(int32_t x, int32_t y, int32_t id);

    void SetUser(const InvitableUser& user);
    Button* Toggle() const { return toggle_; }
    Image* LevelIcon() const { return icon_; }
    TextLabel* Nickname() const { return nickname_; }
    TextLabel* Number() const { return number_; }

private:
    Button* toggle_ = nullptr;
    Image* icon_ = nullptr;
    TextLabel* nickname_ = nullptr;
    TextLabel* number_ = nullptr;
};

}  // namespace kestrovan
