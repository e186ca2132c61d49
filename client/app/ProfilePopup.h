#pragma once
// What the screens ask of the shared profile window from outside the community module: show the profile a
// UserProfile message carries, or the player's own, and choose the game mode whose statistics show first.
// The community module's ProfileWindow implements it.
//
// Threads: see the table in client/app/Scene.h; OnUserProfile leaves the showing to the main thread's next pass
// (ShowPending).
#include <cstdint>

#include "QuillLib/net/Packet.h"

namespace quill {
class PlayerState;
}

namespace kestrovan {

class Widget;

class ProfilePopup {
public:
    virtual ~ProfilePopup() = default;

    // The textures and fonts of the window and of all it shows (main thread, once the packs are there).
    virtual void LoadWindowGraphics(uint32_t arg) = 0;

    // UserProfile, the cursor on its found flag: with a profile, reads it; the window then shows on the
    // screen at the next ShowPending. False when nothing is to be shown (the flag 0, or a record that does
    // not fit its message).
    virtual bool OnUserProfile(Widget& screen, quill::Packet& packet) = 0;
    // The profile read since the last pass, in its window on the screen it came for (main thread).
    virtual void ShowPending() = 0;
    // "View Info" on the player himself: his own profile, without asking the server.
    virtual void ShowLocal(Widget& screen, const quill::PlayerState& player) = 0;
    virtual void SetSelectedMode(int32_t gameMode) = 0;
};

}  // namespace kestrovan
