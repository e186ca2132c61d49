#pragma once
// The title bar's buttons at the top right of a screen: leaving (to the lobby, the channel list or out of
// the program), Settings (F3), Help (F1), My Info (F4), the Messenger (F8) and the room setting. Each role
// has its one place, key, tooltip and pictogram (TitleTiles), so that a button looks and sits the same on
// every screen.
// The part opens Settings, My Info and the Messenger itself (OpenTitleWindow); leaving, help and the room
// setting are the screen's, given as its actions.
//
// A screen builds the part with itself, adds the buttons it shows in Init (or registers the buttons it
// draws in its own look) and hands every control event to OnControl first.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <functional>
#include <vector>

#include "client/scenes/common/TitleTiles.h"

namespace kestrovan {

class Button;
class SceneManager;
class Widget;

class TitleBarButtons {
public:
    enum class Role : uint8_t { ToLobby, Exit, Settings, Help, MyInfo, Messenger, RoomSetting };

    // What the screen does for the roles that are its own; a role without an action does nothing.
    struct Actions {
        std::function<void()> leave = {};  // ToLobby and Exit
        std::function<void()> help = {};
        std::function<void()> roomSetting = {};
    };

    TitleBarButtons(Widget& screen, SceneManager& scenes, Actions actions);

    // Adds the role's button with the screen's control id at the role's place, with its key, pictogram and
    // tooltip (tooltip, when given, names the button instead: the lobby's leave goes to the channel list).
    Button* Add(Role role, int32_t id, const char16_t* tooltip = nullptr);
    // Takes the control id of a button the screen drew in its own look as the role's.
    void Register(Role role, int32_t id);

    // Handles the control event of one of its buttons; false for any other control.
    bool OnControl(int32_t id);

private:
    struct Entry {
        Role role;
        int32_t id;
    };

    void Run(Role role);

    Widget& screen_;
    SceneManager& scenes_;
    Actions actions_;
    std::vector<Entry> entries_;
};

}  // namespace kestrovan
