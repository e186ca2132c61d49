#pragma once
// The profile record of a UserProfile message, read field by field after the message's found flag: the
// nickname, icon, experience, level, money, two values kept as they come, the mark value, four text lines,
// then the statistics of game modes, each a mode index byte and its values, until the end mark 255.
//
// What comes from the server is bounded here: the nickname is cut to 63 units and the text lines to 61 (the
// fields hold one more for the terminator), never inside a character; the mode records stop at the end mark,
// at the end of the message and at the first index beyond the 17 game modes; a mode record cut short by the
// end of the message is not kept. A record whose fixed part does not fit the message is refused.
#include <array>
#include <cstdint>
#include <optional>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/common/TextFields.h"

namespace quill {
class PlayerState;
}

namespace kestrovan {

struct ProfileModeRecord {
    uint32_t value = 0;  // kept, not shown
    uint16_t rating = 0;
    std::array<uint32_t, 8> values{};  // first to eighth
};

struct ProfileRecord {
    static constexpr size_t kLineLength = 61;
    static constexpr size_t kModes = 17;
    static constexpr uint8_t kEndMark = 255;

    // Why the mode records ended.
    enum class End { Mark, MessageEnd, BadIndex };

    quill::WString nickname;
    uint8_t iconIndex = 0;
    uint32_t experience = 0;
    uint16_t level = 0;
    int64_t money = 0;
    uint16_t secondValue = 0;
    uint16_t thirdValue = 0;
    int16_t markValue = 0;
    std::array<quill::WString, 4> lines;
    std::array<std::optional<ProfileModeRecord>, kModes> modes;  // the modes the record lists
    End end = End::Mark;

    // Reads the record at the packet's cursor; false when the message ends inside the fixed part.
    static bool Read(quill::Packet& packet, ProfileRecord& record);
    // Writes what the record carries into the profile; modes it does not list keep their values.
    void ApplyTo(quill::PlayerState& profile) const;
};

}  // namespace kestrovan
