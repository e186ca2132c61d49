#pragma once
// The editor of the four profile text lines other players see in the profile window: four boxes filled from
// the player's record on every showing, Up and Down move between them with the caret where it stood, OK
// sends ProfileTextUpdate (64) with the four lines (an empty line as one blank, which the server needs to
// keep a line) and stores them in the player's record as typed (an empty line empty); Cancel only hides.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class EditBox;
class PlayerHost;

class ProfileTextPopup : public PopupWindow {
public:
    static constexpr int32_t kWidth = 427;
    static constexpr int32_t kHeight = 192;
    static constexpr int32_t kLineCharacters = 56;
    static constexpr size_t kLines = 4;

    explicit ProfileTextPopup(PlayerHost& host);

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    EditBox* Box(size_t n) const { return boxes_[n]; }

private:
    // The box of the source; kLines for another widget.
    size_t IndexOf(const Widget* source) const;
    void MoveFocus(size_t from, size_t to);
    void Send();

    PlayerHost& host_;
    std::array<EditBox*, kLines> boxes_{};
};

}  // namespace kestrovan
