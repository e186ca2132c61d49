#include "client/scenes/common/messages/LobbyMessages.h"

#include "client/scenes/common/PacketReadCheck.h"
#include "client/scenes/common/TextFields.h"

namespace kestrovan {

namespace {

constexpr uint8_t kBanNamesPlayer = 0;
constexpr uint8_t kBlockedByPlayer = 2;
constexpr uint8_t kWaitingForYou = 21;

quill::WString ReadName(quill::Packet& packet) {
    return CutToLength(packet.ReadWString(), kLobbyNameUnits);
}

int8_t ReadI8(quill::Packet& packet) {
    return static_cast<int8_t>(packet.ReadU8());
}

int16_t ReadI16(quill::Packet& packet) {
    return static_cast<int16_t>(packet.ReadU16());
}

}  // namespace

std::optional<RoomListEntryMessage> ReadRoomListEntry(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    RoomListEntryMessage m;
    m.room = packet.ReadU16();
    m.state = packet.ReadU8();
    m.elapsedMs = packet.ReadU32();
    m.gameMode = packet.ReadU8();
    m.status = ReadI8(packet);
    m.players = packet.ReadU8();
    m.maxPlayers = packet.ReadU8();
    m.title = ReadName(packet);
    m.passwordFlag = packet.ReadU8();
    m.settingA = packet.ReadU16();
    m.tableItem = packet.ReadU16();
    m.ballItem = packet.ReadU16();
    m.settingB = ReadI8(packet);
    m.stakeIndex = packet.ReadU8();
    m.optionFlags = packet.ReadU8();
    m.stake = packet.ReadU32();
    m.minHandicap = packet.ReadU16();
    m.maxHandicap = packet.ReadU16();
    return check.Result(std::move(m));
}

std::optional<RoomUpdateMessage> ReadRoomUpdate(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    RoomUpdateMessage m;
    m.room = packet.ReadU16();
    m.status = ReadI8(packet);
    m.maxPlayers = packet.ReadU8();
    m.title = ReadName(packet);
    m.passwordFlag = packet.ReadU8();
    m.settingB = ReadI8(packet);
    m.stakeIndex = packet.ReadU8();
    m.stake = packet.ReadU32();
    m.minHandicap = packet.ReadU16();
    m.maxHandicap = packet.ReadU16();
    return check.Result(std::move(m));
}

std::optional<RoomStateMessage> ReadRoomState(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    RoomStateMessage m;
    m.room = packet.ReadU16();
    m.status = ReadI8(packet);
    m.players = packet.ReadU8();
    m.state = packet.ReadU8();
    m.tableItem = packet.ReadU16();
    m.ballItem = packet.ReadU16();
    return check.Result(std::move(m));
}

std::optional<RoomCountMessage> ReadRoomCount(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    RoomCountMessage m;
    m.room = packet.ReadU16();
    m.state = packet.ReadU8();
    return check.Result(std::move(m));
}

std::optional<LobbyUserMessage> ReadLobbyUser(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    LobbyUserMessage m;
    m.userId = packet.ReadI64();
    m.nickname = ReadName(packet);
    m.clanId = packet.ReadU32();
    if (m.clanId != 0) m.clanName = ReadName(packet);
    m.place = ReadI16(packet);
    m.sortValue = packet.ReadU32();
    m.level = packet.ReadU16();
    m.rankCode = packet.ReadU16();
    m.further = packet.ReadU8();
    return check.Result(std::move(m));
}

std::optional<LobbyUserMovedMessage> ReadLobbyUserMoved(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    LobbyUserMovedMessage m;
    m.userId = packet.ReadI64();
    m.place = ReadI16(packet);
    return check.Result(std::move(m));
}

std::optional<int64_t> ReadLobbyUserLeft(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    return check.Result(packet.ReadI64());
}

std::optional<UserClanMessage> ReadUserClan(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    UserClanMessage m;
    m.userId = packet.ReadI64();
    m.clanId = packet.ReadU32();
    if (m.clanId != 0) m.clanName = ReadName(packet);
    return check.Result(std::move(m));
}

std::optional<LobbyChatMessage> ReadLobbyChat(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    LobbyChatMessage m;
    m.nickname = ReadName(packet);
    m.text = packet.ReadWString();
    return check.Result(std::move(m));
}

std::optional<ChatBannedMessage> ReadChatBanned(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    ChatBannedMessage m;
    m.kind = packet.ReadU8();
    if (m.kind == kBanNamesPlayer || m.kind == kBlockedByPlayer) m.nickname = ReadName(packet);
    return check.Result(std::move(m));
}

std::optional<CreateRoomResultMessage> ReadCreateRoomResult(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    CreateRoomResultMessage m;
    m.code = packet.ReadU8();
    if (m.code == kWaitingForYou) {
        m.nickname = ReadName(packet);
        m.room = packet.ReadU16();
    }
    return check.Result(std::move(m));
}

std::optional<JoinRoomResultMessage> ReadJoinRoomResult(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    JoinRoomResultMessage m;
    m.result = packet.ReadU32();
    if (m.result == 0) {
        packet.ReadU8();  // not used
        m.gameMode = packet.ReadU8();
        m.settingA = packet.ReadU16();
        m.counter2 = packet.ReadU32();
        m.counter1 = packet.ReadU32();
        m.settingB = ReadI8(packet);
        m.timeLimit = packet.ReadU8();
        m.optionFlags = packet.ReadU8();
        m.stakeIndex = packet.ReadU8();
        m.stake = packet.ReadU32();
        m.tableItem = packet.ReadU16();
        m.ballItem = packet.ReadU16();
        m.minHandicap = packet.ReadU16();
        m.maxHandicap = packet.ReadU16();
    }
    return check.Result(std::move(m));
}

std::optional<quill::WString> ReadNoticeText(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    return check.Result(packet.ReadWString());
}

std::optional<uint8_t> ReadNoticeByte(quill::Packet& packet) {
    const PacketReadCheck check(packet);
    return check.Result(packet.ReadU8());
}

}  // namespace kestrovan
