#pragma once
// The popup of a level gained: the new level, the new gold limit and the ten skill points earned, with a
// button to the skill window (RoomPopupOpen) while the player has points to spend.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "QuillLib/gamedata/PlayerState.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/PopupWindow.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class TextLabel;

class LevelUpPopup : public Window {
public:
    static constexpr int32_t kSkillButton = 10;

    // player: the local player, whose level, limit and skill points it shows.
    LevelUpPopup(quill::PlayerState& player, AppEventPoster poster);

    TextLabel* Line(size_t n) const { return lines_[n]; }

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    quill::PlayerState& player_;
    AppEventPoster poster_;
    std::array<TextLabel*, 3> lines_{};
    Button* skill_ = nullptr;
};

}  // namespace kestrovan
