#include "client/app/MouseButtonRoute.h"

#include "platform/window/MessageIds.h"

namespace kestrovan {

namespace Msg = platform::Msg;

std::optional<int> MouseButtonRoute::Button(uint32_t msg, bool press) {
    if (msg == (press ? Msg::LButtonDown : Msg::LButtonUp)) return 0;
    if (msg == (press ? Msg::RButtonDown : Msg::RButtonUp)) return 1;
    return std::nullopt;
}

void MouseButtonRoute::Pressed(uint32_t msg, const Scene* scene, Target target) {
    if (const std::optional<int> button = Button(msg, true)) presses_[*button] = Press{scene, target};
}

std::optional<MouseButtonRoute::Target> MouseButtonRoute::TakeRelease(uint32_t msg, const Scene* scene) {
    const std::optional<int> button = Button(msg, false);
    if (!button) return std::nullopt;
    const Press press = presses_[*button];
    presses_[*button] = Press{};
    if (press.scene == nullptr || press.scene != scene) return std::nullopt;
    return press.target;
}

}  // namespace kestrovan
