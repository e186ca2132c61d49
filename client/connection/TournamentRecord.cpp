#include "client/connection/TournamentRecord.h"

namespace kestrovan {

void TournamentRecord::Read(quill::Packet& packet) {
    packet.ReadU8(kind);
    for (uint8_t& value : head) {
        packet.ReadU8(value);
    }
    for (uint32_t& value : amounts) {
        packet.ReadU32(value);
    }
    packet.ReadU8(option).ReadU16(handicapFrom).ReadU16(handicapTo);
    for (uint8_t& value : schedule) {
        packet.ReadU8(value);
    }
    soon = kind == kKindSoon ? 1 : 0;
    running = kind == kKindRunning ? 1 : 0;
}

}  // namespace kestrovan
