#include "client/app/SystemKeyGuard.h"

#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

bool SystemKeyGuard::SwallowKey(int hookCode, uint32_t message, uint32_t vk, bool fullScreen, bool framesRunning) {
    const bool keyEvent = message == platform::Msg::KeyDown || message == platform::Msg::KeyUp;
    const bool windowsKey = vk == platform::Vk::LWin || vk == platform::Vk::RWin;
    return hookCode == 0 && keyEvent && windowsKey && fullScreen && framesRunning;
}

uint32_t SystemKeyGuard::ShortcutOff(uint32_t flags) {
    if ((flags & AccessibilityFlag::On) != 0) {
        return flags;
    }
    return flags & ~(AccessibilityFlag::HotKeyActive | AccessibilityFlag::ConfirmHotKey);
}

AccessibilitySettings SystemKeyGuard::ShortcutsOff(const AccessibilitySettings& saved) {
    return AccessibilitySettings{ShortcutOff(saved.stickyKeys), ShortcutOff(saved.toggleKeys),
                                 ShortcutOff(saved.filterKeys), ShortcutOff(saved.highContrast)};
}

void SystemKeyGuard::SetAccessibilityShortcuts(bool restore) {
    applied_ = restore ? saved_ : ShortcutsOff(saved_);
}

}  // namespace kestrovan
