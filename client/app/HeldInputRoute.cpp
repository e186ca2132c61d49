#include "client/app/HeldInputRoute.h"

#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan {

namespace Msg = platform::Msg;

std::optional<size_t> HeldInputRoute::Slot(uint32_t msg, platform::WParam wParam, bool press) {
    if (msg == (press ? Msg::LButtonDown : Msg::LButtonUp)) return 0;
    if (msg == (press ? Msg::RButtonDown : Msg::RButtonUp)) return 1;
    const bool key = press ? (msg == Msg::KeyDown || msg == Msg::SysKeyDown) : (msg == Msg::KeyUp || msg == Msg::SysKeyUp);
    if (key && wParam < kKeys) return kButtons + static_cast<size_t>(wParam);
    return std::nullopt;
}

void HeldInputRoute::Pressed(uint32_t msg, platform::WParam wParam, platform::LParam lParam, const Scene* scene,
                             Target target) {
    const std::optional<size_t> slot = Slot(msg, wParam, true);
    if (!slot) return;
    Press& press = presses_[*slot];
    const bool repeat = *slot >= kButtons && platform::ReadKeyLParam(lParam).wasDown;
    if (repeat && press.held && press.scene == scene) return;
    press = Press{scene, target, true, false};
}

HeldInputRoute::Release HeldInputRoute::TakeRelease(uint32_t msg, platform::WParam wParam, const Scene* scene) {
    const std::optional<size_t> slot = Slot(msg, wParam, false);
    if (!slot) return Release::AsRouted;
    const Press press = presses_[*slot];
    presses_[*slot] = Press{};
    if (!press.held) return Release::AsRouted;
    if (press.screenLeft) return Release::Nowhere;
    if (press.scene != scene) return Release::AsRouted;
    return press.target == Target::Screen ? Release::Screen : Release::Widgets;
}

void HeldInputRoute::ScreenLeft(const Scene* scene) {
    for (Press& press : presses_) {
        if (press.held && press.scene == scene && press.target == Target::Screen) press.screenLeft = true;
    }
}

}  // namespace kestrovan
