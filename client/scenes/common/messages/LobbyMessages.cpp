#include "client/scenes/common/messages/LobbyMessages.h"

namespace kestrovan {

std::optional<RoomListEntryMessage> ReadRoomListEntry(quill::Packet& packet) {
    return quill::ReadMessage<RoomListEntryMessage>(packet);
}

std::optional<RoomUpdateMessage> ReadRoomUpdate(quill::Packet& packet) {
    return quill::ReadMessage<RoomUpdateMessage>(packet);
}

std::optional<RoomStateMessage> ReadRoomState(quill::Packet& packet) {
    return quill::ReadMessage<RoomStateMessage>(packet);
}

std::optional<RoomCountMessage> ReadRoomCount(quill::Packet& packet) {
    return quill::ReadMessage<RoomCountMessage>(packet);
}

std::optional<LobbyUserMessage> ReadLobbyUser(quill::Packet& packet) {
    return quill::ReadMessage<LobbyUserMessage>(packet);
}

std::optional<LobbyUserMovedMessage> ReadLobbyUserMoved(quill::Packet& packet) {
    return quill::ReadMessage<LobbyUserMovedMessage>(packet);
}

std::optional<int64_t> ReadLobbyUserLeft(quill::Packet& packet) {
    return quill::ReadMessage<int64_t>(packet);
}

std::optional<UserClanMessage> ReadUserClan(quill::Packet& packet) {
    return quill::ReadMessage<UserClanMessage>(packet);
}

std::optional<LobbyChatMessage> ReadLobbyChat(quill::Packet& packet) {
    return quill::ReadMessage<LobbyChatMessage>(packet);
}

std::optional<ChatBannedMessage> ReadChatBanned(quill::Packet& packet) {
    return quill::ReadMessage<ChatBannedMessage>(packet);
}

std::optional<CreateRoomResultMessage> ReadCreateRoomResult(quill::Packet& packet) {
    return quill::ReadMessage<CreateRoomResultMessage>(packet);
}

std::optional<JoinRoomResultMessage> ReadJoinRoomResult(quill::Packet& packet) {
    return quill::ReadMessage<JoinRoomResultMessage>(packet);
}

std::optional<quill::WString> ReadNoticeText(quill::Packet& packet) {
    return quill::ReadMessage<quill::WString>(packet);
}

std::optional<uint8_t> ReadNoticeByte(quill::Packet& packet) {
    return quill::ReadMessage<uint8_t>(packet);
}

}  // namespace kestrovan
