#pragma once
// The messages the connection reads itself (into its friend and clan lists and the player's record), each
// described once by its Layout (QuillLib/net/FieldReader.h), which the readers and the fuzz target follow. A
// member's line is read straight into the player's record the lists keep.
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

// A member's line in the friend and clan lists, FriendAdded and ClanMemberJoined: u32 id, i64 account id, the
// nickname, u8 channel, u16 place and u32 value; in the lists and ClanMemberJoined the u8 flag follows.
inline void MemberLineLayout(auto& io, auto& record, bool withFlag) {
    io(record.userId, record.accountId, record.name, record.channel);
    io.As(uint16_t{}, record.position);
    io(record.memberValue);
    if (withFlag) io(record.memberFlag);
}

// The head of FriendRemoved, MemberLoggedIn and MemberLoggedOut: which list, the member and its nickname.
struct MemberNoticeMessage {
    uint8_t listKind = 0;
    uint32_t id = 0;
    quill::WString nickname;
    static void Layout(auto& io, auto& m) { io(m.listKind, m.id, m.nickname); }
};

// MemberLoggedIn: the head, then where the member is.
struct MemberLoggedInMessage {
    MemberNoticeMessage head;
    int64_t accountId = 0;
    uint8_t channel = 0;
    int16_t place = 0;
    uint32_t memberValue = 0;
    static void Layout(auto& io, auto& m) { io(m.head, m.accountId, m.channel, m.place, m.memberValue); }
};

// MemberLocation: a member moved to a channel's place.
struct MemberLocationMessage {
    uint32_t id = 0;
    uint8_t channel = 0;
    int16_t place = 0;
    static void Layout(auto& io, auto& m) { io(m.id, m.channel, m.place); }
};

// ClanMemberLeft: the member and its nickname.
struct ClanMemberLeftMessage {
    uint32_t id = 0;
    quill::WString nickname;
    static void Layout(auto& io, auto& m) { io(m.id, m.nickname); }
};

// PlayerRecordUpdate: one game type's counters and records of the player.
struct PlayerRecordMessage {
    uint8_t index = 0;
    std::array<uint32_t, 9> counters{};
    uint16_t rating = 0;
    uint32_t value = 0;
    std::array<int64_t, 3> amounts{};
    std::array<uint16_t, 3> records{};
    static void Layout(auto& io, auto& m) { io(m.index, m.counters, m.rating, m.value, m.amounts, m.records); }
};

// InviteResult: why an invitation failed, and whom it went to.
struct InviteResultMessage {
    uint8_t result = 0;
    quill::WString nickname;
    static void Layout(auto& io, auto& m) { io(m.result, m.nickname); }
};

}  // namespace kestrovan
