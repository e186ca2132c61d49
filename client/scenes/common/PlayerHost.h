#pragma once
// What the player's own windows (settings, My Info, the tournament popups) need of the program around them:
// the logged-in player's record, the requests to the game server, the application's event queue, the shared
// notice box, the application's settings with their file and the options message, the display's modes,
// brightness and frame rate, and the connection's tournament record. AppPlayerHost gives the App's; tests
// may wrap it.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "client/connection/TournamentRecord.h"

namespace quill {
class PlayerState;
}

namespace kestrovan {

class RequestSender;
class Settings;
class Widget;
struct DisplayModeGroup;

class PlayerHost {
public:
    virtual ~PlayerHost() = default;

    // The logged-in player's record, which the connection keeps.
    virtual quill::PlayerState& Player() = 0;
    virtual RequestSender& Requests() = 0;
    virtual void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) = 0;
    // The first shared box titled "Notice", on the current screen, with its lines.
    virtual void ShowNoticeBox(quill::WStringView line0, quill::WStringView line1 = {},
                               quill::WStringView line2 = {}) = 0;
    // The screen the windows attach their popups to; null while there is none.
    virtual Widget* CurrentScreen() = 0;
    virtual TournamentRecord Tournament() = 0;

    // --- The settings dialog ---
    virtual Settings& AppSettings() = 0;
    // Settings::Save of the application's settings into "config.ini"; false when the file was not written.
    virtual bool SaveSettings() = 0;
    // OptionsUpdate (68) from the application's settings.
    virtual void SendOptionsToServer() = 0;
    // The current screen takes the new trace and chat-font options.
    virtual void ApplyGameOptions(const Settings& settings) = 0;
    // The device's gamma at once, in full screen only (a window keeps the desktop's).
    virtual void SetBrightness(float brightness) = 0;
    // The frames drawn in the last second.
    virtual int32_t MeasuredFrameRate() = 0;
    // The usable full-screen modes, ascending by width and then height.
    virtual std::vector<DisplayModeGroup> DisplayModes() = 0;
};

}  // namespace kestrovan
