#include "platform/window/AcceleratorTable.h"

#include <utility>

#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"

namespace platform {

AcceleratorTable::AcceleratorTable(std::vector<Accelerator> entries) : entries_(std::move(entries)) {}

std::optional<uint16_t> AcceleratorTable::Match(const Message& message, const KeyStateTable& keys) const {
    const bool keyDown = message.id == Msg::KeyDown || message.id == Msg::SysKeyDown;
    const bool character = message.id == Msg::Char || message.id == Msg::SysChar;
    if (!keyDown && !character) {
        return std::nullopt;
    }
    const auto code = static_cast<uint16_t>(message.wParam);
    const bool altDown = ReadKeyLParam(message.lParam).altDown;
    for (const Accelerator& entry : entries_) {
        const bool virtKey = (entry.flags & AccelFlag::VirtKey) != 0;
        if (keyDown && virtKey && MatchesKey(entry, code, keys)) {
            return entry.command;
        }
        if (character && !virtKey && MatchesCharacter(entry, code, altDown)) {
            return entry.command;
        }
    }
    return std::nullopt;
}

Message AcceleratorTable::CommandMessage(WindowId window, uint16_t command, uint32_t time) {
    return Message{window, Msg::Command, MakeWParam(command, 1), 0, time};
}

bool AcceleratorTable::MatchesKey(const Accelerator& entry, uint16_t key, const KeyStateTable& keys) {
    return entry.key == key && keys.IsDown(Vk::Shift) == ((entry.flags & AccelFlag::Shift) != 0) &&
           keys.IsDown(Vk::Control) == ((entry.flags & AccelFlag::Control) != 0) &&
           keys.IsDown(Vk::Menu) == ((entry.flags & AccelFlag::Alt) != 0);
}

bool AcceleratorTable::MatchesCharacter(const Accelerator& entry, uint16_t code, bool altDown) {
    return entry.key == code && altDown == ((entry.flags & AccelFlag::Alt) != 0);
}

}  // namespace platform
