#pragma once
// Whether the messenger is open, whether a chat line came while it was closed (the new-message icon then
// shows on every screen until it is opened again), and whether its alarm sound is on; and what a line from
// another player, an opening and a screen change do with them.
//
// Threads: see the table in client/app/Scene.h; each step reads and changes the atomic flags in one go.
#include <atomic>
#include <cstdint>

namespace kestrovan {

// The messenger's three views.
namespace MessengerView {
inline constexpr int32_t Friends = 1;
inline constexpr int32_t Clan = 2;
inline constexpr int32_t Chat = 3;
}  // namespace MessengerView

class MessengerAlarm {
public:
    // What a line from another player does.
    struct LineEffects {
        bool partnerUnread = false;  // its chat is marked unseen
        bool redrawLines = false;    // its lines are shown: redraw them
        bool redrawTabs = false;
        bool showChatTabMark = false;  // the mark on the chat view's tab button
        bool showIcon = false;         // the new-message icon on the screen
        bool playSound = false;        // the alarm sound
    };
    // What entering a screen does.
    struct SceneEntry {
        bool reopen = false;  // the window was open: show it again
        bool showIcon = false;
        bool playSound = false;
    };

    // A line from another player arrived for a chat that is (isCurrent) or is not the current one, while the
    // messenger shows view. While closed the messenger becomes unread.
    LineEffects OnLine(int32_t view, bool isCurrent);
    // The window opened: whether it was unread (then the chat view opens), which it is no longer.
    bool OnOpen();
    void OnClose() { open_ = false; }
    SceneEntry OnSceneEnter() const;

    bool IsOpen() const { return open_; }
    bool IsUnread() const { return unread_; }
    bool AlarmOn() const { return alarm_; }
    void ToggleAlarm() { alarm_ = !alarm_; }

private:
    std::atomic<bool> open_{false};
    std::atomic<bool> unread_{false};
    std::atomic<bool> alarm_{true};
};

}  // namespace kestrovan
