#pragma once
// The bad-language report of the room (ReportUser, 65): the reported player, his nickname and the chat lines
// the local player received, each in the system code page (CP949) cut to 80 bytes at a character's edge and
// ended by a line feed, added while the block stays below 500 bytes. The lines used leave the list; the
// others stay for a later report.
//
// Payload: u32 player id, string nickname (empty when none), u16 N, N bytes of lines.
#include <cstdint>
#include <deque>
#include <string>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

class RoomReport {
public:
    static constexpr size_t kLineBytes = 80;
    static constexpr size_t kBlockBytes = 500;

    // The block of lines taken from the front of lines (which loses them).
    static std::string TakeLines(std::deque<quill::WString>& lines);
    static void Write(quill::Packet& packet, uint32_t playerId, quill::WStringView nickname, const std::string& block);

    // text in the code page, cut to at most limit bytes without splitting a two-byte character.
    static std::string CutEncoded(quill::WStringView text, size_t limit);
};

}  // namespace kestrovan
