#pragma once
// Where the press of each mouse button and each key went, the screen's widgets or the screen itself, so that
// its release goes there too, and a key's auto-repeats with the characters they type. Without it a release
// taken by a widget that refused the press (a checked radio button, the player's own seat) never reaches the
// screen, and a key-up swallowed by a modal window that opened while the key was held (the help, a server
// notice) never reaches the table: either way the table stays in the mode the press began (a drag, Ctrl's
// stroke, Shift's zoom), and the mouse alone then drives it. And the repeats of a key held while its first
// press opened a window (Escape, the room's menu) would press that window's hot-key button, whose release then
// never comes: the button would stay pressed and swallow the next key.
//
// Main thread only (window messages), under the widget-tree lock the scene manager holds for them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/window/Message.h"

namespace kestrovan {

class Scene;

class HeldInputRoute {
public:
    enum class Target { Widgets, Screen };
    enum class Route {
        AsRouted,  // nothing fixes the way: a press, or a release or repeat whose press the route did not see
        Widgets,   // to the widgets alone
        Screen,    // to the screen alone
        Nowhere,   // the press went to a screen left since, which let go of its input as it was left
    };

    // Where the message must go because of an earlier press on the scene: a release (button up, key up) where its
    // press went, which is then forgotten; a key's auto-repeat (the key-down's "was down" bit) and the characters
    // it types where the key's first press went, which stays held. AsRouted for every other message.
    Route RouteOf(uint32_t msg, platform::WParam wParam, platform::LParam lParam, const Scene* scene);
    // The message is a press (left or right button down, key down) and went to target on the scene.
    void Pressed(uint32_t msg, platform::WParam wParam, const Scene* scene, Target target);
    // The scene stops being current: the releases of the presses its screen took are for no one now.
    void ScreenLeft(const Scene* scene);

private:
    static constexpr size_t kButtons = 2;
    static constexpr size_t kKeys = 256;

    struct Press {
        const Scene* scene = nullptr;
        Target target = Target::Widgets;
        bool held = false;
        bool screenLeft = false;
    };
    enum class Kind { Press, Release };
    // The slot of a press or release: 0 left button, 1 right button, then one per virtual key.
    static std::optional<size_t> Slot(uint32_t msg, platform::WParam wParam, Kind kind);
    static bool IsCharacter(uint32_t msg);
    // Where the held press of the slot fixes the way on the scene.
    static Route RouteOfPress(const Press& press, const Scene* scene);

    std::array<Press, kButtons + kKeys> presses_{};
    std::optional<size_t> lastKey_;  // the slot of the last key-down: the characters after it are its own
};

}  // namespace kestrovan
