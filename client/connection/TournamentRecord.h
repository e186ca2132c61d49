#pragma once
// The race tournament notice (RaceTournamentNotice) as the connection keeps it for the lobby and the rooms of
// the tournament channel: the notice's kind turned into two flags, and its fields kept as received.
#include <array>
#include <cstdint>

#include "QuillLib/net/Packet.h"

namespace kestrovan {

struct TournamentRecord {
    static constexpr uint8_t kKindSoon = 1;
    static constexpr uint8_t kKindRunning = 2;

    uint8_t soon = 0;     // the notice's kind was 1
    uint8_t running = 0;  // the notice's kind was 2
    uint8_t shown = 0;    // the lobby's own mark; a notice leaves it
    uint8_t kind = 0;
    std::array<uint8_t, 2> head{};
    std::array<uint32_t, 5> amounts{};
    uint8_t option = 0;
    uint16_t handicapFrom = 0;
    uint16_t handicapTo = 0;
    std::array<uint8_t, 8> schedule{};

    // The payload: u8 kind, two u8, five u32, u8, two u16, eight u8; the flags follow the kind.
    static void Layout(auto& io, auto& m) {
        io(m.kind, m.head, m.amounts, m.option, m.handicapFrom, m.handicapTo, m.schedule);
        io.Derive(m.soon, m.kind == kKindSoon ? 1 : 0);
        io.Derive(m.running, m.kind == kKindRunning ? 1 : 0);
    }

    // The gold a player pays to take part: the second amount, a signed 32-bit value (the first is the race's
    // game type).
    int32_t EntryFee() const { return static_cast<int32_t>(amounts[1]); }

    // Reads the payload over this record, as far as the message holds it; the lobby's mark stays.
    void Read(quill::Packet& packet);
};

}  // namespace kestrovan
