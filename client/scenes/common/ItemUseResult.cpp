#include "client/scenes/common/ItemUseResult.h"

#include "client/scenes/common/TextFields.h"

namespace kestrovan {

namespace {

constexpr size_t kNameUnits = 63;

}  // namespace

std::optional<ItemUseResultMessage> ReadItemUseResult(quill::Packet& packet) {
    const uint16_t before = packet.ErrorCount();
    ItemUseResultMessage m;
    m.result = packet.ReadU8();
    if (m.result == 0) {
        m.key = packet.ReadU32();
        m.subKey = packet.ReadU32();
        m.value = packet.ReadU32();
        m.inUse = packet.ReadU8();
        m.extra = packet.ReadU8();
        if (m.key != 0) m.name = CutToLength(packet.ReadWString(), kNameUnits);
    }
    if (packet.ErrorCount() != before) return std::nullopt;
    return m;
}

}  // namespace kestrovan
