#pragma once
// Keeps the Windows keys and the accessibility shortcut keys from disturbing full-screen play. A desktop
// of this system offers a program neither a system-wide keyboard hook nor the accessibility settings, so
// installing, removing, saving and restoring do nothing here; the decisions are kept, as what the program
// would do with them.
#include <cstdint>

namespace kestrovan {

// Flag bits of one accessibility feature's settings.
namespace AccessibilityFlag {
inline constexpr uint32_t On = 0x1;
inline constexpr uint32_t HotKeyActive = 0x4;
inline constexpr uint32_t ConfirmHotKey = 0x8;
}  // namespace AccessibilityFlag

// The four features' flags as the system reported them at start-up.
struct AccessibilitySettings {
    uint32_t stickyKeys = 0;
    uint32_t toggleKeys = 0;
    uint32_t filterKeys = 0;
    uint32_t highContrast = 0;
};

class SystemKeyGuard {
public:
    // Whether the low-level keyboard hook swallows a key event: the left and right Windows keys, down or
    // up, while the game runs full screen with frames running (hook code 0 means an event to act on).
    static bool SwallowKey(int hookCode, uint32_t message, uint32_t vk, bool fullScreen, bool framesRunning);
    // The flags with which a feature's shortcut is switched off: a feature that is on keeps its own.
    static uint32_t ShortcutOff(uint32_t flags);
    static AccessibilitySettings ShortcutsOff(const AccessibilitySettings& saved);

    void InstallHook() {}
    void RemoveHook() {}
    // False switches the shortcut keys off, true puts the saved settings back.
    void SetAccessibilityShortcuts(bool restore);
    const AccessibilitySettings& Saved() const { return saved_; }
    const AccessibilitySettings& Applied() const { return applied_; }

private:
    AccessibilitySettings saved_;
    AccessibilitySettings applied_;
};

}  // namespace kestrovan
