// Where each message goes: the connection's own handlers, the messenger and popups, or the scene's
// packet slot; and the records, balances and notices the small handlers keep and show.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <tuple>

#include "QuillLib/core/ScopedLock.h"
#include "tests/client/connection/ConnectionFakes.h"

namespace kestrovan::test {
namespace {

using Dispatcher = ConnectionTest;

Packet Message(MessageId id, uint8_t firstByte) {
    Packet packet;
    packet.Init(id).WriteU8(firstByte);
    return packet;
}

TEST_F(Dispatcher, MessagesTheConnectionDoesNotHandleReachTheSceneOnTheirPayload) {
    for (MessageId id : {MessageId::ConnectFailed, MessageId::LoginResult, MessageId::ClanCreateResult,
                         MessageId::RoomChat, static_cast<MessageId>(60000)}) {
        Dispatch(Message(id, 42));
    }
    Dispatch(Message(MessageId::Ignored89, 1));
    const std::vector<SceneMessage> messages = scene_.Messages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[4].id, static_cast<MessageId>(60000)) << "ids outside the catalogue pass unchanged";
    for (const SceneMessage& message : messages) {
        EXPECT_EQ(message.payload, std::vector<uint8_t>{42});
    }
    EXPECT_TRUE(host_.Calls().empty());
}

TEST_F(Dispatcher, MessengerAndSkillMessagesGoToTheirHandlers) {
    int marker = 0;
    for (MessageId id : {MessageId::MessengerChat, MessageId::MessengerChatEcho, MessageId::SkillSaveResult,
                         MessageId::FriendRequestResult, MessageId::FindPlayerResult}) {
        Dispatch(Message(id, static_cast<uint8_t>(++marker)));
    }
    EXPECT_EQ(host_.Calls(), (std::vector<std::string>{"chat 1", "chat echo 2", "skill 3", "messenger 27 4",
                                                       "messenger 71 5"}));
    EXPECT_TRUE(scene_.Messages().empty());
}

TEST_F(Dispatcher, ALostConnectionReachesTheLoginSceneOrShowsTheQuittingErrorBox) {
    const uint8_t lost[] = {4, 0, 0, 0};
    Packet message;
    message.LoadReceived(lost);
    connection_.Dispatch(&message);
    ASSERT_EQ(host_.Notices().size(), 1u);
    const ConnectionNotice notice = host_.Notices()[0];
    EXPECT_EQ(notice.title, u"Error");
    EXPECT_EQ(notice.lines[0], u"Disconeected from Server.");
    EXPECT_EQ(notice.event, static_cast<uint32_t>(ConnectionEvent::AppQuit));
    EXPECT_TRUE(scene_.Messages().empty());

    FakeScene login(ConnectionScene::kLoginSceneId);
    host_.scene = &login;
    connection_.Dispatch(&message);
    EXPECT_EQ(login.Ids(), std::vector<MessageId>{MessageId::ConnectionLost});
    EXPECT_EQ(host_.Notices().size(), 1u);
}

TEST_F(Dispatcher, PlayerRecordUpdatesFillTheirGameTypeAndIgnoreAnIndexPastTheTables) {
    auto update = [](uint8_t index) {
        Packet packet;
        packet.Init(MessageId::PlayerRecordUpdate).WriteU8(index);
        for (uint32_t value = 1; value <= 9; ++value) {
            packet.WriteU32(value);
        }
        packet.WriteU16(300).WriteU32(10).WriteI64(11).WriteI64(12).WriteI64(-13);
        return packet.WriteU16(14).WriteU16(15).WriteU16(16);
    };
    Dispatch(update(16));
    const quill::PlayerState& player = connection_.LocalPlayer();
    EXPECT_EQ(player.typeCounters[16], 1u);
    EXPECT_EQ(player.playCountsA[16], 2u);
    EXPECT_EQ(player.playCountsB[16], 3u);
    EXPECT_EQ(player.typeStatistics[16], (std::array<uint32_t, 6>{4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(player.ratingByType[16], 300);
    EXPECT_EQ(player.typeValues[16], 10u);
    EXPECT_EQ(player.typeAmounts[16], (std::array<int64_t, 3>{11, 12, -13}));
    EXPECT_EQ(player.typeRecordC[16], 16);

    const auto tables = [&player] {
        return std::tuple(player.typeCounters, player.playCountsA, player.playCountsB, player.typeStatistics,
                          player.ratingByType, player.typeValues, player.typeAmounts, player.typeRecordA,
                          player.typeRecordB, player.typeRecordC, player.status, player.userId);
    };
    const auto before = tables();
    for (uint8_t index : {17, 18, 255}) {
        Dispatch(update(index));  // read whole, stored nowhere
    }
    EXPECT_TRUE(tables() == before);
    EXPECT_TRUE(scene_.Messages().empty());
}

TEST_F(Dispatcher, BalancesInvitationsAndTournamentNoticesAreKept) {
    Packet cueMoney;
    cueMoney.Init(MessageId::CueMoneyUpdate).WriteU32(1).WriteI64(5000000000LL);
    Dispatch(cueMoney);
    EXPECT_EQ(connection_.LocalPlayer().cueMoney, 5000000000LL);
    Packet gold;
    gold.Init(MessageId::GoldUpdate).WriteI64(77).WriteU32(8).WriteU32(9);
    Dispatch(gold);
    EXPECT_EQ(connection_.LocalPlayer().cueMoney, 77);
    EXPECT_EQ(connection_.LocalPlayer().goldValues, (std::array<uint32_t, 2>{8, 9}));
    EXPECT_EQ(host_.Events(), (std::vector<PostedEvent>{{ConnectionEvent::MoneyRefresh, 0}}));

    Packet invitation;
    invitation.Init(MessageId::InvitationReceived).WriteU8(1).WriteU8(3).WriteU16(17).WriteWString(u"Host");
    invitation.WriteU8(1).WriteWString(u"pw").WriteU8(12).WriteU16(150).WriteU8(4);
    Dispatch(invitation);
    ASSERT_EQ(host_.Invitations().size(), 1u);
    const Invitation shown = host_.Invitations()[0];
    EXPECT_EQ(shown.inviter, u"Host");
    EXPECT_EQ(shown.password, u"pw");
    EXPECT_EQ(shown.room, 17);
    EXPECT_EQ(shown.gameType, 12);
    EXPECT_EQ(shown.handicap, 150);
    EXPECT_EQ(shown.players, 4);

    Packet tournament;
    tournament.Init(MessageId::RaceTournamentNotice).WriteU8(2).WriteU8(3).WriteU8(4);
    for (uint32_t prize : {100u, 50u, 25u, 5u, 2u}) {
        tournament.WriteU32(prize);
    }
    tournament.WriteU8(1).WriteU16(30).WriteU16(300);
    for (uint8_t byte = 0; byte < 8; ++byte) {
        tournament.WriteU8(byte);
    }
    Dispatch(tournament);
    const TournamentRecord record = connection_.Tournament();
    EXPECT_EQ(record.soon, 0);
    EXPECT_EQ(record.running, 1);
    EXPECT_EQ(record.amounts[2], 25u);
    EXPECT_EQ(record.handicapTo, 300);
    EXPECT_EQ(record.schedule[7], 7);
    ASSERT_EQ(scene_.Messages().size(), 1u) << "the notice also reaches the scene";
    EXPECT_EQ(scene_.Messages()[0].payload.size(), 3 + 20 + 1 + 4 + 8u);
}

// The screens read the player's money, ratings and clan under the profile lock (the widget-tree lock); the
// dispatcher writes them under it too (ThreadSanitizer reports a write made without it), so a reader meets whole
// values only.
TEST_F(Dispatcher, ThePlayersMoneyRatingsAndClanAreWrittenUnderTheLockTheirReadersHold) {
    const WString names[] = {u"Rails", u"The Rails and Cushions of the Long Table"};
    Packet money;
    money.Init(MessageId::CueMoneyUpdate).WriteU32(0).WriteI64(1000);
    Packet gold;
    gold.Init(MessageId::GoldUpdate).WriteI64(2000).WriteU32(1).WriteU32(2);
    Packet record;
    record.Init(MessageId::PlayerRecordUpdate).WriteU8(3);
    for (int field = 0; field < 9; ++field) record.WriteU32(50);
    record.WriteU16(120).WriteU32(0).WriteI64(0).WriteI64(0).WriteI64(0).WriteU16(0).WriteU16(0).WriteU16(0);
    Packet gift;
    gift.Init(MessageId::GiftReceived).WriteU8(1).WriteI64(41).WriteU32(4901).WriteU8(1).WriteU8(0).WriteU16(7);
    gift.WriteU16(2).WriteU32(500).WriteWString(u"Santa").WriteWString(u"enjoy");
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        while (!done) {
            quill::ScopedLock hold(host_.profileLock);
            const quill::PlayerState& player = connection_.LocalPlayer();
            const bool named = player.clanName.empty() || player.clanName == names[0] || player.clanName == names[1];
            if (!named || player.cueMoney < 0 || player.cueMoney > 3000 || player.ratingByType[3] % 120 != 0) ++torn;
        }
    });
    for (int round = 0; round < 50; ++round) {
        for (const Packet& message : {ClanInfo(44, names[round % 2], {}), money, record, gold, gift}) Dispatch(message);
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(connection_.LocalPlayer().cueMoney, 2500);
}

TEST_F(Dispatcher, InviteResultsAreShownAsNotices) {
    for (uint8_t result : {1, 2, 0}) {
        Packet packet;
        packet.Init(MessageId::InviteResult).WriteU8(result).WriteWString(u"Kim");
        Dispatch(packet);
    }
    std::vector<WString> lines;
    for (const ConnectionNotice& notice : host_.Notices()) {
        lines.push_back(notice.lines[0]);
    }
    EXPECT_EQ(lines, (std::vector<WString>{u"Kim cannot be invited because he or she is in the game.",
                                           u"Kim has refused to be invited.", u"Failed to Invite"}));
}

TEST_F(Dispatcher, SessionStateKeepsItsBounds) {
    EXPECT_EQ(connection_.GetChannelType(-1), 0) << "no channel entered yet";
    connection_.SetChannelKind(0, 8);
    connection_.SetChannelKind(255, 5);
    connection_.SetCurrentChannel(1);
    EXPECT_EQ(connection_.GetChannelType(-1), 8);
    EXPECT_EQ(connection_.GetChannelType(255), 5);
    for (int32_t outside : {256, -2, 100000}) {
        EXPECT_EQ(connection_.GetChannelType(outside), 0);
    }

    connection_.SetTaggedText(2, u"2030-01-01", 9);
    connection_.SetTaggedText(0, u"ignored", 3);
    EXPECT_EQ(connection_.MembershipText(), u"2030-01-01");
    EXPECT_EQ(connection_.MembershipValue(), 3);

    connection_.SetActiveItem(1, 5, 6, 1);
    connection_.SetActiveItem(3, 0, 0, 1);
    connection_.SetActiveItem(8, 0, 0, 1);  // no such slot
    EXPECT_EQ(connection_.GetGuideLineBonus(), 15);
    EXPECT_EQ(connection_.GetSlot3Bonus(), 100);
    EXPECT_EQ(connection_.GetActiveItemKey(1), (int64_t{6} << 32) | 5);
    EXPECT_FALSE(connection_.IsSlot2Active());
    connection_.ClearActiveItems();
    EXPECT_EQ(connection_.GetGuideLineBonus(), 0);

    WString copy;
    EXPECT_TRUE(connection_.CopyAndCensor(u"so bad", copy));
    EXPECT_EQ(copy, u"so ???");
    EXPECT_FALSE(connection_.CopyAndCensor(u"", copy));
}

}  // namespace
}  // namespace kestrovan::test
