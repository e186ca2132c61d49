#pragma once
// Where the press of each mouse button and each key went, the screen's widgets or the screen itself, so that
// its release goes there too. Without it a release taken by a widget that refused the press (a checked radio
// button, the player's own seat) never reaches the screen, and a key-up swallowed by a modal window that opened
// while the key was held (the help, a server notice) never reaches the table: either way the table stays in the
// mode the press began (a drag, Ctrl's stroke, Shift's zoom), and the mouse alone then drives it.
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
    enum class Release {
        AsRouted,  // not a release, no press seen, or the press went to another screen's widgets
        Widgets,   // to the widgets alone
        Screen,    // to the screen alone
        Nowhere,   // the press went to a screen left since, which let go of its input as it was left
    };

    // The message is a press (left or right button down, key down) and went to target on the scene. A key's
    // auto-repeat keeps where its first press went, whatever opened meanwhile.
    void Pressed(uint32_t msg, platform::WParam wParam, platform::LParam lParam, const Scene* scene, Target target);
    // For a release (button up, key up) on the scene: where its press went, which is then forgotten.
    Release TakeRelease(uint32_t msg, platform::WParam wParam, const Scene* scene);
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
    // The slot of the press or release: 0 left button, 1 right button, then one per virtual key.
    static std::optional<size_t> Slot(uint32_t msg, platform::WParam wParam, bool press);

    std::array<Press, kButtons + kKeys> presses_{};
};

}  // namespace kestrovan
