// Feeds the lobby's readers of server messages with payloads the fuzzer chooses and applies what they read
// to the lobby's models: the room table (any room number), the user table (up to its full pool) and the
// chat log. Nothing may crash or read or write out of bounds; texts fit their fields, pages stay within
// their lists and the pool never hands out more records than it has. Every lobby message filled from a payload
// comes back through its writer and reader unchanged.
//
// Input: a sequence of [u8 selector][u8 length][payload of that length]; the selector picks the message.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "client/scenes/lobby/LobbyChatLog.h"
#include "client/scenes/common/messages/LobbyMessages.h"
#include "client/scenes/lobby/LobbyRoomTable.h"
#include "client/scenes/lobby/LobbyRules.h"
#include "client/scenes/lobby/LobbyUserTable.h"
#include "tests/fuzz/FieldFiller.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzMessages.h"

namespace {

using kvfuzz::Check;
using kvfuzz::ReceivedMessage;

using namespace kestrovan;

struct Lobby {
    LobbyRoomTable rooms;
    LobbyUserTable users;
    LobbyChatLog chat;
};

void CheckPages(Lobby& lobby) {
    const LobbyRoomTable::Page page = lobby.rooms.MakePage(1000, 6);
    Check(page.rooms.size() <= 6 && page.position >= 1 && page.position <= page.range);
    for (int16_t room : page.rooms) Check(room >= 1 && room <= LobbyRoomTable::kLastRoom);
    std::vector<const quill::PlayerState*> source;
    for (const auto& [sortValue, record] : lobby.users.All()) source.push_back(record);
    const UserPage users = MakeUserPage(source, 1000, LobbyUserTable::kRows);
    Check(users.users.size() <= LobbyUserTable::kRows);
    Check(lobby.users.Count() <= static_cast<int32_t>(LobbyUserTable::kRecords));
    Check(lobby.chat.Size() <= LobbyChatLog::kMaxLines);
}

// Every lobby message filled from the payload, written, read back and written again.
void RoundTripLobbyMessages(std::span<const uint8_t> payload) {
    using kvfuzz::FieldFiller;
    kvfuzz::FuzzInput input(payload);
    FieldFiller::CheckRoundTrips<RoomListEntryMessage, RoomUpdateMessage, RoomStateMessage, RoomCountMessage,
                                 LobbyUserMessage, LobbyUserMovedMessage, UserClanMessage, LobbyChatMessage,
                                 ChatBannedMessage, CreateRoomResultMessage, JoinRoomResultMessage>(input);
}

void Feed(Lobby& lobby, uint8_t selector, std::span<const uint8_t> payload) {
    switch (selector % 10) {
        case 0:
            if (auto m = ReceivedMessage(quill::MessageId::RoomListEntry, payload); auto room = ReadRoomListEntry(m)) {
                Check(room->title.size() <= kLobbyNameUnits);
                lobby.rooms.Apply(*room, 12345);
            }
            break;
        case 1:
            if (auto m = ReceivedMessage(quill::MessageId::RoomUpdate, payload); auto room = ReadRoomUpdate(m))
                lobby.rooms.Apply(*room);
            break;
        case 2:
            if (auto m = ReceivedMessage(quill::MessageId::RoomStateChanged, payload); auto room = ReadRoomState(m))
                lobby.rooms.Apply(*room);
            if (auto m = ReceivedMessage(quill::MessageId::RoomCountChanged, payload); auto room = ReadRoomCount(m))
                lobby.rooms.SetRoomState(room->room, room->state, 5);
            break;
        case 3:
            // Each user message is added several times, so that long inputs run the pool dry.
            if (auto m = ReceivedMessage(quill::MessageId::LobbyUserAdded, payload); auto user = ReadLobbyUser(m)) {
                Check(user->nickname.size() <= kLobbyNameUnits && user->clanName.size() <= kLobbyNameUnits);
                for (int n = 0; n < 8; ++n) lobby.users.Add(*user, 1);
            }
            break;
        case 4:
            if (auto m = ReceivedMessage(quill::MessageId::LobbyUserLeft, payload); auto id = ReadLobbyUserLeft(m))
                lobby.users.Remove(*id);
            if (auto m = ReceivedMessage(quill::MessageId::LobbyUserMoved, payload); auto moved = ReadLobbyUserMoved(m))
                if (quill::PlayerState* user = lobby.users.Find(moved->userId)) user->position = moved->place;
            break;
        case 5:
            if (auto m = ReceivedMessage(quill::MessageId::LobbyChat, payload); auto line = ReadLobbyChat(m))
                lobby.chat.Append(0xFFFFFFFF, line->nickname + u" : " + line->text);
            if (auto m = ReceivedMessage(quill::MessageId::ChatBanned, payload); auto ban = ReadChatBanned(m))
                for (const quill::WString& text : ChatBanLines(ban->kind, ban->nickname)) lobby.chat.Append(0, text);
            break;
        case 6:
            if (auto m = ReceivedMessage(quill::MessageId::JoinRoomResult, payload); auto result = ReadJoinRoomResult(m))
                JoinRoomRefusal(result->result);
            if (auto m = ReceivedMessage(quill::MessageId::CreateRoomResult, payload); auto result = ReadCreateRoomResult(m))
                lobby.chat.Append(0, CreateRoomRefusal(result->code, result->nickname, result->room));
            break;
        case 7:
            if (auto m = ReceivedMessage(quill::MessageId::UserLocationNotice, payload); auto clan = ReadUserClan(m))
                if (quill::PlayerState* user = lobby.users.Find(clan->userId)) user->clanName = clan->clanName;
            break;
        case 8:
            RoundTripLobbyMessages(payload);
            lobby.rooms.QuickJoin();
            lobby.rooms.SetFilter(static_cast<quill::GameType>(payload.empty() ? 0 : payload[0]), false);
            break;
        default:
            lobby.users.Clear();
            lobby.rooms.ResetAll();
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // The models are made once (the user pool is large) and emptied for each input.
    static Lobby& lobby = *new Lobby;
    lobby.users.Clear();
    lobby.rooms = LobbyRoomTable{};
    lobby.chat = LobbyChatLog{};
    std::span<const uint8_t> input(bytes, size);
    while (input.size() >= 2) {
        const uint8_t selector = input[0];
        const size_t length = std::min<size_t>(input[1], input.size() - 2);
        Feed(lobby, selector, input.subspan(2, length));
        input = input.subspan(2 + length);
        CheckPages(lobby);
    }
    return 0;
}
