#pragma once
// The server messages the messenger reads, each read whole into its record with its texts cut to their
// fields (nicknames and clan names 63 units, chat texts 79), so that what a hostile server sends never
// outgrows a line, a label or a request that echoes it back. The readers take the packet at its first
// payload byte; a message that ends early reads as zeros and empty texts.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

inline constexpr size_t kNameFieldLength = 63;

// MessengerChat and MessengerChatEcho: u8 kind, u32 member id, string text.
struct ChatLineMessage {
    uint8_t kind = 0;
    uint32_t memberId = 0;
    quill::WString text;
    static ChatLineMessage Read(quill::Packet& packet);
};

// FriendRequestReceived: u64 user id, u32 member id, string nickname.
struct FriendRequestMessage {
    int64_t userId = 0;
    uint32_t memberId = 0;
    quill::WString nickname;
    static FriendRequestMessage Read(quill::Packet& packet);
};

// FriendRequestResult (u8 result, a nickname only for result 2) and FriendRequestAnswer (u8, nickname).
struct FriendResultMessage {
    uint8_t result = 0;
    quill::WString nickname;
    static FriendResultMessage ReadRequestResult(quill::Packet& packet);
    static FriendResultMessage ReadAnswer(quill::Packet& packet);
};

// ClanMemberStatus: u32 clan id, u8 capacity, u32 value, u64 money.
struct ClanStatusMessage {
    uint32_t clanId = 0;
    uint8_t capacity = 0;
    uint32_t value = 0;
    int64_t money = 0;
    static ClanStatusMessage Read(quill::Packet& packet);
};

// ClanInvitation: string inviter, u32 clan id, string clan name, u8 member count.
struct ClanInvitation {
    quill::WString inviter;
    uint32_t clanId = 0;
    quill::WString clanName;
    uint8_t memberCount = 0;
    static ClanInvitation Read(quill::Packet& packet);
};

// FindPlayerResult: u8 result; when found, u64 user id, string nickname, u8 channel, u16 place.
struct FoundPlayerRecord {
    bool found = false;
    int64_t userId = 0;
    quill::WString nickname;
    uint8_t channel = 0;
    uint16_t place = 0;
    static FoundPlayerRecord Read(quill::Packet& packet);
};

// ClanCreateResult: u8 result; on 0, u32 clan id, string clan name, u8, u8, u32 cost.
struct ClanCreatedMessage {
    uint8_t result = 0;
    uint32_t clanId = 0;
    quill::WString clanName;
    uint32_t cost = 0;
    static ClanCreatedMessage Read(quill::Packet& packet);
};

}  // namespace kestrovan
