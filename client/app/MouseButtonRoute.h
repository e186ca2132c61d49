#pragma once
// Where the press of each mouse button went, the screen's widgets or the screen itself, so that its release
// goes there too. Without it a release taken by a widget that refused the press (a checked radio button, the
// player's own seat) never reaches the screen, and the table stays in the drag the press began.
//
// Main thread only (window messages), under the widget-tree lock the scene manager holds for them.
#include <cstdint>
#include <optional>

namespace kestrovan {

class Scene;

class MouseButtonRoute {
public:
    enum class Target { Widgets, Screen };

    // The message is a press of the left or right button and went to target on the scene.
    void Pressed(uint32_t msg, const Scene* scene, Target target);
    // For a release of the left or right button on the scene: where that button's press went, which is then
    // forgotten; nothing for another message, a release with no press seen, or a press on another scene.
    std::optional<Target> TakeRelease(uint32_t msg, const Scene* scene);

private:
    struct Press {
        const Scene* scene = nullptr;
        Target target = Target::Widgets;
    };
    // The button's slot (0 left, 1 right) for its press or release message; nothing for other messages.
    static std::optional<int> Button(uint32_t msg, bool press);

    Press presses_[2];
};

}  // namespace kestrovan
