#pragma once
// The server messages the messenger reads, each read whole into its record with its texts cut to their
// fields (nicknames and clan names 63 units, chat texts 79), so that what a hostile server sends never
// outgrows a line, a label or a request that echoes it back. The readers take the packet at its first
// payload byte; a message that ends early reads as zeros and empty texts. Each record's Layout is its one
// description on the wire (QuillLib/net/FieldReader.h), which the readers, the tests' builders and the fuzz
// targets follow.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/community/ChatPartner.h"

namespace kestrovan {

inline constexpr size_t kNameFieldLength = 63;

// MessengerChat and MessengerChatEcho: u8 kind, u32 member id, string text.
struct ChatLineMessage {
    uint8_t kind = 0;
    uint32_t memberId = 0;
    quill::WString text;
    static void Layout(auto& io, auto& m) {
        io(m.kind, m.memberId);
        io.Text(m.text, ChatLine::kLength);
    }
    static ChatLineMessage Read(quill::Packet& packet);
};

// FriendRequestReceived: u64 user id, u32 member id, string nickname.
struct FriendRequestMessage {
    int64_t userId = 0;
    uint32_t memberId = 0;
    quill::WString nickname;
    static void Layout(auto& io, auto& m) {
        io(m.userId, m.memberId);
        io.Text(m.nickname, kNameFieldLength);
    }
    static FriendRequestMessage Read(quill::Packet& packet);
};

// FriendRequestResult (u8 result, a nickname only for result 2) and FriendRequestAnswer (u8, nickname).
struct FriendResultMessage {
    static constexpr uint8_t kRefused = 2;
    uint8_t result = 0;
    quill::WString nickname;
    // answer: FriendRequestAnswer, whose nickname always follows.
    static void Layout(auto& io, auto& m, bool answer) {
        io(m.result);
        if (answer || m.result == kRefused) io.Text(m.nickname, kNameFieldLength);
    }
    static FriendResultMessage ReadRequestResult(quill::Packet& packet);
    static FriendResultMessage ReadAnswer(quill::Packet& packet);
};

// ClanMemberStatus: u32 clan id, u8 capacity, u32 value, u64 money.
struct ClanStatusMessage {
    uint32_t clanId = 0;
    uint8_t capacity = 0;
    uint32_t value = 0;
    int64_t money = 0;
    static void Layout(auto& io, auto& m) { io(m.clanId, m.capacity, m.value, m.money); }
    static ClanStatusMessage Read(quill::Packet& packet);
};

// ClanInvitation: string inviter, u32 clan id, string clan name, u8 member count.
struct ClanInvitation {
    quill::WString inviter;
    uint32_t clanId = 0;
    quill::WString clanName;
    uint8_t memberCount = 0;
    static void Layout(auto& io, auto& m) {
        io.Text(m.inviter, kNameFieldLength);
        io(m.clanId);
        io.Text(m.clanName, kNameFieldLength);
        io(m.memberCount);
    }
    static ClanInvitation Read(quill::Packet& packet);
};

// FindPlayerResult: u8 result; when found, u64 user id, string nickname, u8 channel, u16 place.
struct FoundPlayerRecord {
    bool found = false;
    int64_t userId = 0;
    quill::WString nickname;
    uint8_t channel = 0;
    uint16_t place = 0;
    static void Layout(auto& io, auto& m) {
        io(m.found);
        if (!m.found) return;
        io(m.userId);
        io.Text(m.nickname, kNameFieldLength);
        io(m.channel, m.place);
    }
    static FoundPlayerRecord Read(quill::Packet& packet);
};

// ClanCreateResult: u8 result; on 0, u32 clan id, string clan name, u8, u8, u32 cost.
struct ClanCreatedMessage {
    uint8_t result = 0;
    uint32_t clanId = 0;
    quill::WString clanName;
    uint32_t cost = 0;
    static void Layout(auto& io, auto& m) {
        io(m.result);
        if (m.result != 0) return;
        io(m.clanId);
        io.Text(m.clanName, kNameFieldLength);
        io.Skip(uint8_t{});
        io.Skip(uint8_t{});
        io(m.cost);
    }
    static ClanCreatedMessage Read(quill::Packet& packet);
};

}  // namespace kestrovan
