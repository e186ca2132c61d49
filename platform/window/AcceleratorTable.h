#pragma once
// An accelerator table: keys that become commands. Windows' TranslateAccelerator rules: a virtual-key
// entry matches a key-down or system-key-down of that key with exactly its Shift, Ctrl and Alt states; a
// character entry matches a character or system character of that code, with Alt held exactly when the
// entry asks for it. A match becomes Msg::Command with the command id in the low word of wParam and 1 in
// the high word (it came from an accelerator), lParam 0.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window/KeyStateTable.h"
#include "platform/window/Message.h"

namespace platform {

namespace AccelFlag {
inline constexpr uint8_t VirtKey = 0x01;
inline constexpr uint8_t NoInvert = 0x02;
inline constexpr uint8_t Shift = 0x04;
inline constexpr uint8_t Control = 0x08;
inline constexpr uint8_t Alt = 0x10;
}  // namespace AccelFlag

struct Accelerator {
    uint8_t flags = 0;
    uint16_t key = 0;  // a virtual key with AccelFlag::VirtKey, else a character code
    uint16_t command = 0;
};

class AcceleratorTable {
public:
    AcceleratorTable() = default;
    explicit AcceleratorTable(std::vector<Accelerator> entries);

    // The command the message stands for, given the key states at the time it is handled; nothing when
    // no entry matches. The first matching entry wins.
    std::optional<uint16_t> Match(const Message& message, const KeyStateTable& keys) const;

    // Msg::Command for the command, addressed to window.
    static Message CommandMessage(WindowId window, uint16_t command, uint32_t time);

    const std::vector<Accelerator>& Entries() const { return entries_; }

private:
    static bool MatchesKey(const Accelerator& entry, uint16_t key, const KeyStateTable& keys);
    static bool MatchesCharacter(const Accelerator& entry, uint16_t code, bool altDown);

    std::vector<Accelerator> entries_;
};

}  // namespace platform
