#include "client/scenes/room/RoomMessages.h"

#include "QuillLib/core/Format.h"
#include "client/scenes/common/PacketReadCheck.h"
#include "client/table/SharedUtilities.h"

namespace kestrovan {

namespace {

constexpr size_t kMaxBanNames = 32;

}  // namespace

std::optional<GameStartMessage> ReadGameStart(quill::Packet& packet, quill::GameType tableMode) {
    return quill::ReadMessage<GameStartMessage>(packet, tableMode);
}

std::optional<TurnResultMessage> ReadTurnResult(quill::Packet& packet, bool gameRunning) {
    std::optional<TurnResultMessage> m = quill::ReadMessage<TurnResultMessage>(packet, gameRunning);
    if (!m || !gameRunning) return m;
    // The money list runs to its end mark or to the payload's end, whichever comes first; an entry cut short
    // ends it without refusing the message.
    const PacketReadCheck whole(packet);
    while (HasPayloadByte(packet)) {
        const uint8_t seat = packet.ReadU8();
        if (seat == kMoneyListEnd) break;
        const int64_t money = packet.ReadI64();
        if (!whole.Holds()) break;
        if (IsRoomSeat(seat)) m->money.push_back({seat, money});
    }
    return m;
}

std::optional<BreakRerackMessage> ReadBreakRerack(quill::Packet& packet) {
    return quill::ReadMessage<BreakRerackMessage>(packet);
}

std::optional<BallGroupsMessage> ReadBallGroups(quill::Packet& packet, bool withFlag) {
    return quill::ReadMessage<BallGroupsMessage>(packet, withFlag);
}

std::optional<PointRuleBytes> ReadPointRule(quill::Packet& packet) {
    return quill::ReadMessage<PointRuleBytes>(packet);
}

std::optional<ScoreUpdateMessage> ReadScoreUpdate(quill::Packet& packet, bool gameRunning, quill::GameType tableMode,
                                                  uint8_t roomMode) {
    return quill::ReadMessage<ScoreUpdateMessage>(packet, gameRunning, tableMode, roomMode);
}

std::optional<GameEndMessage> ReadGameEnd(quill::Packet& packet) {
    return quill::ReadMessage<GameEndMessage>(packet);
}

std::optional<GameSettlementMessage> ReadGameSettlement(quill::Packet& packet) {
    return quill::ReadMessage<GameSettlementMessage>(packet);
}

std::optional<SeatValueMessage> ReadSeatValue(quill::Packet& packet, SeatValueWidth width) {
    return quill::ReadMessage<SeatValueMessage>(packet, width);
}

std::optional<LevelUpMessage> ReadLevelUp(quill::Packet& packet) {
    return quill::ReadMessage<LevelUpMessage>(packet);
}

std::optional<PlayerMoneyMessage> ReadPlayerMoney(quill::Packet& packet) {
    return quill::ReadMessage<PlayerMoneyMessage>(packet);
}

std::optional<PlayerReconnectedMessage> ReadPlayerReconnected(quill::Packet& packet) {
    return quill::ReadMessage<PlayerReconnectedMessage>(packet);
}

std::optional<SeatLocationMessage> ReadSeatLocation(quill::Packet& packet) {
    return quill::ReadMessage<SeatLocationMessage>(packet);
}

std::optional<RoomChatMessage> ReadRoomChat(quill::Packet& packet) {
    return quill::ReadMessage<RoomChatMessage>(packet);
}

std::optional<UnbanResultMessage> ReadUnbanResult(quill::Packet& packet) {
    return quill::ReadMessage<UnbanResultMessage>(packet);
}

std::vector<quill::WString> ReadChatBanNotice(quill::Packet& packet) {
    std::vector<quill::WString> names;
    const PacketReadCheck whole(packet);
    while (names.size() < kMaxBanNames && HasPayloadByte(packet)) {
        if (packet.ReadU8() == 0) break;
        quill::WString name;
        packet.ReadWString(name, kRoomTextUnits);
        if (!whole.Holds()) break;
        names.push_back(std::move(name));
    }
    return names;
}

std::optional<RoomBanResultMessage> ReadRoomBanResult(quill::Packet& packet) {
    return quill::ReadMessage<RoomBanResultMessage>(packet);
}

std::optional<quill::WString> ReadRoomText(quill::Packet& packet) {
    const PacketReadCheck whole(packet);
    quill::WString text;
    packet.ReadWString(text, kRoomChatUnits);
    return whole.Result(std::move(text));
}

std::optional<JackpotMessage> ReadJackpot(quill::Packet& packet) {
    return quill::ReadMessage<JackpotMessage>(packet);
}

std::optional<PrizeNoticeMessage> ReadPrizeNotice(quill::Packet& packet) {
    return quill::ReadMessage<PrizeNoticeMessage>(packet);
}

std::optional<RoomValueMessage> ReadRoomValue(quill::Packet& packet) {
    return quill::ReadMessage<RoomValueMessage>(packet);
}

std::optional<std::array<uint16_t, 3>> ReadThreeWords(quill::Packet& packet) {
    return quill::ReadMessage<std::array<uint16_t, 3>>(packet);
}

std::optional<OpponentRequestMessage> ReadOpponentRequest(quill::Packet& packet) {
    return quill::ReadMessage<OpponentRequestMessage>(packet);
}

std::optional<std::array<uint8_t, 2>> ReadTwoBytes(quill::Packet& packet) {
    return quill::ReadMessage<std::array<uint8_t, 2>>(packet);
}

std::optional<PlayerJoinedMessage> ReadPlayerJoined(quill::Packet& packet) {
    return quill::ReadMessage<PlayerJoinedMessage>(packet);
}

std::optional<MemberLeftMessage> ReadMemberLeft(quill::Packet& packet) {
    return quill::ReadMessage<MemberLeftMessage>(packet);
}

std::optional<MasterChangedMessage> ReadMasterChanged(quill::Packet& packet) {
    return quill::ReadMessage<MasterChangedMessage>(packet);
}

std::optional<RoomPlayerRecord> ReadRoomPlayer(quill::Packet& packet) {
    return quill::ReadMessage<RoomPlayerRecord>(packet);
}

std::optional<MemberEnteredMessage> ReadMemberEntered(quill::Packet& packet) {
    return quill::ReadMessage<MemberEnteredMessage>(packet);
}

std::optional<RoomSnapshotMessage> ReadRoomSnapshot(quill::Packet& packet) {
    return quill::ReadMessage<RoomSnapshotMessage>(packet);
}

std::optional<GameStateSyncMessage> ReadGameStateSync(quill::Packet& packet) {
    return quill::ReadMessage<GameStateSyncMessage>(packet);
}

std::optional<RoomOptionsMessage> ReadRoomOptions(quill::Packet& packet) {
    return quill::ReadMessage<RoomOptionsMessage>(packet);
}

std::optional<MoneyLimitMessage> ReadMoneyLimit(quill::Packet& packet) {
    return quill::ReadMessage<MoneyLimitMessage>(packet);
}

std::vector<quill::WString> ItemBuyResultLines(const ItemBuyResult& answer) {
    constexpr uint8_t kGivenByMe = 2;
    constexpr uint8_t kGivenByClan = 3;
    switch (answer.result) {
        case 0: {
            std::vector<quill::WString> lines{answer.mode == kGivenByMe || answer.mode == kGivenByClan
                                                  ? u"The item was given to friend."
                                                  : u"Successfully purchased."};
            if (answer.bonus != 0) {
                lines.push_back(quill::Format(u"Gold %s is charged for bonus.", FormatMoney(answer.bonus)));
            }
            return lines;
        }
        case 1: return {u"Error has occurred in the purchase process.", u"Please reconnect to check the result."};
        case 2: return {u"Not enough money."};
        case 3: return {u"Check nickname."};
        case 4: return {u"The relevant user does not exist."};
        case 5: return {u"Item is not on sale."};
        case 6: return {u"DB error."};
        case 7: return {u"Item pool is full.", u"Try later please."};
        default: return {u"Please reconnect to check the result."};
    }
}

std::optional<ItemStatsMessage> ReadItemStats(quill::Packet& packet) {
    std::optional<ItemStatsMessage> m = quill::ReadMessage<ItemStatsMessage>(packet);
    if (m && static_cast<uint64_t>(m->valueB) > ItemStatsMessage::kItemStatLimit) {
        m->valueB = static_cast<int64_t>(ItemStatsMessage::kItemStatLimit);
    }
    return m;
}

std::optional<SeatCueMessage> ReadSeatCue(quill::Packet& packet) {
    return quill::ReadMessage<SeatCueMessage>(packet);
}

std::optional<BallPlacementMessage> ReadBallPlacement(quill::Packet& packet) {
    return quill::ReadMessage<BallPlacementMessage>(packet);
}

std::optional<std::array<float, 5>> ReadRemoteAim(quill::Packet& packet) {
    return quill::ReadMessage<std::array<float, 5>>(packet);
}

std::optional<TablePlacementHead> ReadTablePlacementHead(quill::Packet& packet) {
    return quill::ReadMessage<TablePlacementHead>(packet);
}

std::optional<std::array<uint16_t, 2>> ReadItemPair(quill::Packet& packet) {
    return quill::ReadMessage<std::array<uint16_t, 2>>(packet);
}

uint16_t RoomTableItem(uint16_t tableItem, quill::GameType mode) {
    return tableItem != 0 ? tableItem : quill::DefaultTableItemId(mode);
}

uint16_t RoomBallSetItem(uint16_t ballSetItem, quill::GameType mode) {
    return ballSetItem != 0 ? ballSetItem : quill::DefaultBallItemId(mode);
}

}  // namespace kestrovan
