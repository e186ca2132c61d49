#pragma once
// What the messenger, its dialogs and the profile window need of the program around them: the game
// connection (requests, the player's record, the friend and clan lists, the pending move), the current
// screen, the application's event queue, the shared message boxes, the money format and interface sounds.
// AppCommunityHost gives the App's; tests may wrap it.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

class GameConnection;
class NoticeBox;
class Scene;

class CommunityHost {
public:
    virtual ~CommunityHost() = default;

    virtual GameConnection& Connection() = 0;
    // The screen the windows attach to when they open; null while there is none.
    virtual Scene* CurrentScene() = 0;
    virtual void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) = 0;
    // The first shared box titled "Error" or "Notice", on the current screen, with its lines.
    virtual void ShowErrorBox(quill::WStringView line0, quill::WStringView line1 = {}) = 0;
    virtual void ShowNoticeBox(quill::WStringView line0) = 0;
    // The first shared box itself, for questions and titled results; null without popups.
    virtual NoticeBox* MessageBox() = 0;
    virtual quill::WString FormatMoney(int64_t value) = 0;
    // An interface sound at full volume.
    virtual void PlaySound(uint32_t id) = 0;
};

}  // namespace kestrovan
