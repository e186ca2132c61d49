// Feeds the room's readers with payloads the fuzzer chooses. The invitable users (InvitableUsersList) go on
// into the invitation list: choosing, inviting, the blocks and their expiry, scrolling. The same payload is
// then read as every other message the room reads, the table's game and whether a game runs taken from the
// choice mask. Nothing may crash or read out of bounds; no more records are read than the count announces or
// the message holds; an invitation is refused or names one to eight users; the game's messages keep no more
// teams, members and money entries than the room has places, and no seat outside them in the money list.
// Every described message filled from the payload must come back through its writer and reader unchanged.
//
// Input: [u8 clock step][u8 choice mask][payload].
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <variant>
#include <vector>

#include "client/scenes/room/InviteList.h"
#include "client/scenes/room/RoomMessages.h"
#include "tests/fuzz/FieldFiller.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzMessages.h"

namespace {

using kestrovan::InvitableUser;
using kestrovan::InviteList;

using kvfuzz::Check;

// Every room reader over the payload, each from the payload's start.
void ReadAsRoomMessages(std::span<const uint8_t> payload, uint8_t mask) {
    using kestrovan::kRoomTeams;
    using quill::MessageId;
    const auto tableMode = static_cast<quill::GameType>(mask % 17);
    const bool running = (mask & 0x80) != 0;
    auto packet = [&](MessageId id) { return kvfuzz::ReceivedMessage(id, payload); };
    auto teamsBounded = [](const auto& message) {
        Check(message.teams.size() <= kRoomTeams);
        for (const auto& team : message.teams) Check(team.members.size() <= 8);
    };

    quill::Packet start = packet(MessageId::GameStart);
    if (const auto m = kestrovan::ReadGameStart(start, tableMode)) teamsBounded(*m);
    quill::Packet turn = packet(MessageId::TurnResult);
    if (const auto m = kestrovan::ReadTurnResult(turn, running)) {
        for (const auto& entry : m->money) Check(kestrovan::IsRoomSeat(entry.seat));
        Check(running || m->money.empty());
    }
    quill::Packet score = packet(MessageId::ScoreUpdate);
    if (const auto m = kestrovan::ReadScoreUpdate(score, running, tableMode, mask % 7)) {
        Check(m->teams.size() <= kRoomTeams);
    }
    quill::Packet end = packet(MessageId::GameEnd);
    if (const auto m = kestrovan::ReadGameEnd(end)) teamsBounded(*m);
    quill::Packet settlement = packet(MessageId::GameSettlement);
    if (const auto m = kestrovan::ReadGameSettlement(settlement)) teamsBounded(*m);
    quill::Packet sync = packet(MessageId::GameStateSync);
    if (const auto m = kestrovan::ReadGameStateSync(sync)) teamsBounded(*m);
    quill::Packet groups = packet(MessageId::EightBallShot);
    if (const auto m = kestrovan::ReadBallGroups(groups, (mask & 1) != 0)) Check(m->groups.size() <= kRoomTeams);
    quill::Packet bans = packet(MessageId::ChatBanNotice);
    Check(kestrovan::ReadChatBanNotice(bans).size() <= payload.size() / 3);

    quill::Packet snapshot = packet(MessageId::RoomSnapshot);
    kestrovan::ReadRoomSnapshot(snapshot);
    quill::Packet entered = packet(MessageId::RoomMemberEntered);
    kestrovan::ReadMemberEntered(entered);
    quill::Packet chat = packet(MessageId::RoomChat);
    if (const auto m = kestrovan::ReadRoomChat(chat)) Check(m->text.size() <= kestrovan::kRoomChatUnits);
    quill::Packet cue = packet(MessageId::SeatCueUpdate);
    kestrovan::ReadSeatCue(cue);
    quill::Packet stats = packet(MessageId::ItemStats);
    if (const auto m = kestrovan::ReadItemStats(stats)) {
        Check(static_cast<uint64_t>(m->valueB) <= kestrovan::ItemStatsMessage::kItemStatLimit);
    }
    quill::Packet placement = packet(MessageId::TablePlacement);
    if (kestrovan::ReadTablePlacementHead(placement)) kestrovan::ReadItemPair(placement);
    quill::Packet options = packet(MessageId::RoomOptionsChanged);
    kestrovan::ReadRoomOptions(options);
    quill::Packet jackpot = packet(MessageId::Jackpot);
    kestrovan::ReadJackpot(jackpot);
    quill::Packet value = packet(MessageId::RoomValue1223);
    kestrovan::ReadRoomValue(value);
}

// Every room message with a description, filled from the payload, written, read back and written again.
void RoundTripRoomMessages(std::span<const uint8_t> payload, uint8_t mask) {
    using namespace kestrovan;
    using kvfuzz::FieldFiller;
    const auto tableMode = static_cast<quill::GameType>(mask % 17);
    const bool running = (mask & 0x80) != 0;
    kvfuzz::FuzzInput input(payload);
    FieldFiller::CheckRoundTrip<GameStartMessage>(input, tableMode);
    FieldFiller::CheckRoundTrip<TurnResultMessage>(input, running);
    FieldFiller::CheckRoundTrip<BallGroupsMessage>(input, (mask & 1) != 0);
    FieldFiller::CheckRoundTrip<ScoreUpdateMessage>(input, running, tableMode, static_cast<uint8_t>(mask % 7));
    FieldFiller::CheckRoundTrip<SeatValueMessage>(input, static_cast<SeatValueWidth>(mask % 3));
    FieldFiller::CheckRoundTrips<BreakRerackMessage, PointRuleBytes, GameEndMessage, GameSettlementMessage,
                                 LevelUpMessage, PlayerMoneyMessage, PlayerReconnectedMessage, SeatLocationMessage,
                                 RoomChatMessage, UnbanResultMessage, RoomBanResultMessage, JackpotMessage,
                                 PrizeNoticeMessage, RoomValueMessage, OpponentRequestMessage, PlayerJoinedMessage,
                                 MemberLeftMessage, MasterChangedMessage, MemberEnteredMessage, RoomSnapshotMessage,
                                 GameStateSyncMessage, RoomOptionsMessage, MoneyLimitMessage, ItemStatsMessage,
                                 SeatCueMessage, BallPlacementMessage, TablePlacementHead>(input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const uint32_t step = data[0] * 250u;
    const uint8_t mask = data[1];
    ReadAsRoomMessages({data + 2, size - 2}, mask);
    RoundTripRoomMessages({data + 2, size - 2}, mask);
    quill::Packet packet = kvfuzz::ReceivedMessage(quill::MessageId::InvitableUsersList, {data + 2, size - 2});
    const uint16_t announced = size >= 4 ? static_cast<uint16_t>(data[2] | data[3] << 8) : 0;
    std::vector<InvitableUser> users = InviteList::Read(packet);
    Check(users.size() <= announced);
    // Each record takes at least 20 bytes.
    Check(users.size() * 20 <= size);

    InviteList list;
    uint32_t now = 1000;
    list.Replace(users, now);
    for (size_t i = 0; i < list.Count(); ++i)
        list.Select(i, (mask >> (i % 8)) & 1);
    for (int round = 0; round < 4; ++round) {
        const auto choice = list.Invite(now);
        if (const auto* ids = std::get_if<std::vector<int64_t>>(&choice)) {
            Check(!ids->empty() && ids->size() <= InviteList::kMaxInvites);
            quill::Packet request;
            InviteList::WriteInvitation(request, *ids);
            Check(!request.Overflowed());
        }
        now += step;
        list.ExpireRecent(now);
        list.SetScrollOffset(static_cast<int32_t>(mask) - 3);
        Check(list.ScrollOffset() >= 1 && list.ScrollOffset() <= list.ScrollRange());
        for (size_t i = 0; i < list.Count(); ++i)
            list.Select(i, true);
    }
    return 0;
}
