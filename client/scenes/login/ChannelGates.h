#pragma once
// Who may see and enter which channel of the channel list: the age gate on the rows, the row the list
// pre-selects, and the refusals of an entry below grade 20. Pure.
#include <cstdint>
#include <span>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/common/UserLocation.h"

namespace kestrovan {

// One row of the channel list as the server sent it.
struct ChannelRow {
    uint8_t number = 0;  // 0-based
    uint16_t users = 0;
    uint16_t capacity = 0;
    uint16_t extra = 0;  // places beyond the capacity (memberships), shown with it
    int32_t kind = 0;
    bool enabled = false;  // not on the wire
    static void Layout(auto& io, auto& m) {
        io(m.number, m.users, m.capacity, m.extra);
        io.As(int16_t{}, m.kind);
    }
};

// The rows of a ChannelList message at the packet's cursor: u8 count, then per channel u8 number, u16 users,
// u16 capacity, u16 extra capacity, u16 kind. False when the message ends before the list does.
bool ReadChannelList(quill::Packet& packet, std::vector<ChannelRow>& rows);
// Players of 1 to 17 see only the teen and tournament channels enabled; others (age 0 included) all.
bool ChannelRowEnabled(uint16_t age, int32_t kind);
// The first enabled row with room left that suits the player: teens their channel, players of level 10
// and above any, beginners the pool beginner channel; -1 when none does.
int32_t PreselectChannelRow(std::span<const ChannelRow> rows, uint16_t age, uint16_t level);
// The notice lines that refuse entering a channel of that kind (empty: the entry goes ahead). Grade 20
// and above passes every gate.
std::vector<quill::WString> ChannelEntryRefusal(int16_t grade, uint16_t age, int32_t kind, uint8_t membership);

}  // namespace kestrovan
