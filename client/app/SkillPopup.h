#pragma once
// What the program asks of the shared My Info window from outside the screens' player module: the screens
// open it (F4 and their My Info buttons), the game room first chooses the game mode whose statistics show,
// and the connection hands it the server's answer to a skill save. The player module's MyInfoWindow
// implements it.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "QuillLib/net/Packet.h"

namespace kestrovan {

class Widget;

class SkillPopup {
public:
    virtual ~SkillPopup() = default;

    // The textures and fonts of the window and its two popups (main thread, once the packs are there).
    virtual void LoadWindowGraphics(uint32_t arg) = 0;
    // Attached to the screen, filled from the player's record, centred and shown.
    virtual void Open(Widget& screen) = 0;
    virtual void SetSelectedMode(int32_t gameMode) = 0;
    // SkillSaveResult, the packet's cursor on its result byte.
    virtual void OnSkillSaveResult(quill::Packet& packet) = 0;
};

}  // namespace kestrovan
