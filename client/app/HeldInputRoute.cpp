#include "client/app/HeldInputRoute.h"

#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan {

namespace Msg = platform::Msg;

std::optional<size_t> HeldInputRoute::Slot(uint32_t msg, platform::WParam wParam, Kind kind) {
    const bool press = kind == Kind::Press;
    if (msg == (press ? Msg::LButtonDown : Msg::LButtonUp)) return 0;
    if (msg == (press ? Msg::RButtonDown : Msg::RButtonUp)) return 1;
    const bool key = press ? (msg == Msg::KeyDown || msg == Msg::SysKeyDown) : (msg == Msg::KeyUp || msg == Msg::SysKeyUp);
    if (key && wParam < kKeys) return kButtons + static_cast<size_t>(wParam);
    return std::nullopt;
}

bool HeldInputRoute::IsCharacter(uint32_t msg) { return msg == Msg::Char || msg == Msg::SysChar; }

HeldInputRoute::Route HeldInputRoute::RouteOfPress(const Press& press, const Scene* scene) {
    if (!press.held) return Route::AsRouted;
    if (press.screenLeft) return Route::Nowhere;
    if (press.scene != scene) return Route::AsRouted;
    return press.target == Target::Screen ? Route::Screen : Route::Widgets;
}

HeldInputRoute::Route HeldInputRoute::RouteOf(uint32_t msg, platform::WParam wParam, platform::LParam lParam,
                                              const Scene* scene) {
    if (const std::optional<size_t> slot = Slot(msg, wParam, Kind::Release)) {
        const Press press = presses_[*slot];
        presses_[*slot] = Press{};
        return RouteOfPress(press, scene);
    }
    const bool repeated = platform::ReadKeyLParam(lParam).wasDown;
    if (const std::optional<size_t> slot = Slot(msg, wParam, Kind::Press)) {
        if (*slot < kButtons) return Route::AsRouted;
        lastKey_ = slot;
        return repeated ? RouteOfPress(presses_[*slot], scene) : Route::AsRouted;
    }
    if (IsCharacter(msg) && repeated && lastKey_) return RouteOfPress(presses_[*lastKey_], scene);
    return Route::AsRouted;
}

void HeldInputRoute::Pressed(uint32_t msg, platform::WParam wParam, const Scene* scene, Target target) {
    if (const std::optional<size_t> slot = Slot(msg, wParam, Kind::Press)) presses_[*slot] = Press{scene, target, true, false};
}

void HeldInputRoute::ScreenLeft(const Scene* scene) {
    for (Press& press : presses_) {
        if (press.held && press.scene == scene && press.target == Target::Screen) press.screenLeft = true;
    }
}

}  // namespace kestrovan
