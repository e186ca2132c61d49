// The game room's readers of server messages, alone: the layouts that depend on the table's game, lists bounded
// by the message and the room's places with the cursor kept aligned behind dropped blocks, cut messages
// refused; the chat's spam guard and the bad-language report's block.
#include <gtest/gtest.h>

#include "client/scenes/common/ChatRateGuard.h"
#include "client/scenes/room/RoomMessages.h"
#include "client/scenes/room/RoomReport.h"
#include "tests/support/net/RoomMessages.h"
#include "tests/support/net/ServerMessages.h"

namespace kestrovan::test {
namespace {

using kvtest::AsReceived;
using quill::MessageId;
using quill::Packet;

// The message cut after its first `keep` payload bytes.
Packet Cut(Packet message, size_t keep) {
    message.Finish();
    std::vector<uint8_t> bytes(message.Bytes().begin(), message.Bytes().begin() + 4 + keep);
    bytes[0] = static_cast<uint8_t>(bytes.size());
    bytes[1] = static_cast<uint8_t>(bytes.size() >> 8);
    Packet packet;
    packet.LoadReceived(bytes);
    return packet;
}

TEST(RoomMessages, GameStartReadsTheTeamFieldsOfTheTablesGameAndKeepsTheGameValueAligned) {
    kvtest::TestGameStart start = kvtest::TwoPlayerStart(3, 2, 5);
    start.teams[0].threeCushions = 3;
    start.teams[0].banks = 1;
    start.teams[1].members = {{5, 70}};
    start.gameValue = 777;
    Packet packet = AsReceived(kvtest::GameStartMessage(start));
    const auto read = ReadGameStart(packet, 3);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->teams.size(), 2u);
    EXPECT_EQ(read->firstShooter, 2);
    EXPECT_EQ(read->teams[0].threeCushions, 3);
    EXPECT_EQ(read->teams[0].banks, 1);
    EXPECT_EQ(read->teams[1].members[0].seat, 5);
    EXPECT_EQ(read->teams[1].members[0].points, 70);
    EXPECT_EQ(read->gameValue, 777u);

    // A pocket game has neither the cushion counts nor the six-ball byte: read as three-cushion, the blocks
    // written for 8-ball are too short.
    start.tableMode = 10;
    Packet pocket = AsReceived(kvtest::GameStartMessage(start));
    const auto eightBall = ReadGameStart(pocket, 10);
    ASSERT_TRUE(eightBall);
    EXPECT_EQ(eightBall->gameValue, 777u);
    Packet misread = AsReceived(kvtest::GameStartMessage(start));
    EXPECT_FALSE(ReadGameStart(misread, 3));

    // Six balls carry one more byte per team.
    start.tableMode = 6;
    Packet six = AsReceived(kvtest::GameStartMessage(start));
    const auto sixBalls = ReadGameStart(six, 6);
    ASSERT_TRUE(sixBalls);
    EXPECT_EQ(sixBalls->gameValue, 777u);
}

TEST(RoomMessages, GameStartDropsTeamsAndMembersBeyondTheRoomsPlacesButReadsOnPastThem) {
    kvtest::TestGameStart start;
    start.tableMode = 4;
    start.membersPerTeam = 10;
    for (uint8_t t = 1; t <= 9; ++t) {
        kvtest::TestStartTeam team;
        team.id = t;
        for (uint8_t m = 0; m < 10; ++m) team.members.push_back({m, m});
        start.teams.push_back(team);
    }
    start.gameValue = 4242;
    Packet packet = AsReceived(kvtest::GameStartMessage(start));
    const auto read = ReadGameStart(packet, 4);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->teamCount, 9);
    EXPECT_EQ(read->teams.size(), size_t{kRoomTeams});
    EXPECT_EQ(read->teams[0].members.size(), 8u);
    EXPECT_EQ(read->gameValue, 4242u) << "the dropped blocks were read past";

    // Counts that promise more than the message holds refuse the message.
    Packet cut = Cut(kvtest::GameStartMessage(start), 40);
    EXPECT_FALSE(ReadGameStart(cut, 4));
}

TEST(RoomMessages, TurnResultReadsItsGameBlockAndMoneyListOnlyWhileAGameRuns) {
    kvtest::TestTurnResult turn;
    turn.ballSetItem = 2006;
    turn.tableItem = 1030;
    turn.pointChange = -3;
    turn.money = {{1, 1500}, {9, 77}, {0, -20}};
    Packet waiting = AsReceived(kvtest::TurnResultMessage(turn));
    const auto header = ReadTurnResult(waiting, false);
    ASSERT_TRUE(header);
    EXPECT_FALSE(header->hasGame);
    EXPECT_EQ(header->ballSetItem, 2006) << "the ball set comes first";
    EXPECT_EQ(header->tableItem, 1030);
    EXPECT_TRUE(header->money.empty());

    Packet running = AsReceived(kvtest::TurnResultMessage(turn));
    const auto game = ReadTurnResult(running, true);
    ASSERT_TRUE(game);
    EXPECT_EQ(game->pointChange, -3) << "the point change is signed";
    ASSERT_EQ(game->money.size(), 2u) << "seat 9 is no seat of the room";
    EXPECT_EQ(game->money[0].seat, 1);
    EXPECT_EQ(game->money[0].money, 1500);
    EXPECT_EQ(game->money[1].money, -20);

    // Without its end mark the list runs to the payload's end; a cut entry is not kept.
    turn.endMark = false;
    Packet unended = AsReceived(kvtest::TurnResultMessage(turn));
    EXPECT_EQ(ReadTurnResult(unended, true)->money.size(), 2u);
    Packet cutEntry = Cut(kvtest::TurnResultMessage(turn), 43 + 9 + 4);
    const auto cut = ReadTurnResult(cutEntry, true);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->money.size(), 1u);
    Packet header20 = Cut(kvtest::TurnResultMessage(turn), 20);
    EXPECT_FALSE(ReadTurnResult(header20, true));
}

TEST(RoomMessages, TheEndsResultsReadMembersOnlyForSettledTeams) {
    Packet end = AsReceived(kvtest::GameEndMessage(u"Rival", 2, 15, {{1, 1, {{0, 30}}}, {2, 7, {{1, 5}}}}, 1));
    const auto read = ReadGameEnd(end);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->nickname, u"Rival");
    EXPECT_EQ(read->withdrawalPoints, 15);
    EXPECT_EQ(read->lastResult, 7);
    EXPECT_EQ(read->teams[0].members[0].points, 30u);

    Packet settlement = AsReceived(kvtest::GameSettlementMessage({{1, 1, {900}}, {2, 0, {}}, {3, 7, {}}}, 1));
    const auto settled = ReadGameSettlement(settlement);
    ASSERT_TRUE(settled);
    ASSERT_EQ(settled->teams.size(), 3u);
    EXPECT_TRUE(settled->teams[0].members[0].settled);
    EXPECT_EQ(settled->teams[0].members[0].money, 900);
    EXPECT_FALSE(settled->teams[1].members[0].settled);
    EXPECT_FALSE(settled->teams[2].members[0].settled);
}

TEST(RoomMessages, SmallNoticesAndItemAnswers) {
    // A first flag of 0 names nobody; the names stop at the first 0.
    Packet none = AsReceived(kvtest::ShortMessage(MessageId::ChatBanNotice, {{0, 1}}));
    EXPECT_TRUE(ReadChatBanNotice(none).empty());
    Packet two;
    two.Init(MessageId::ChatBanNotice);
    two.WriteU8(1).WriteWString(u"A").WriteU8(1).WriteWString(u"B").WriteU8(0).WriteU8(1).WriteWString(u"C");
    Packet twoNames = AsReceived(two);
    EXPECT_EQ(ReadChatBanNotice(twoNames), (std::vector<quill::WString>{u"A", u"B"}));

    Packet stats;
    stats.Init(MessageId::ItemStats);
    stats.WriteU32(5).WriteU32(6).WriteI64(12).WriteI64(5000000);
    Packet statsRead = AsReceived(stats);
    const auto read = ReadItemStats(statsRead);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->key, 5u) << "the key is the low half";
    EXPECT_EQ(read->valueB, 1000000) << "clamped";

    Packet stock = AsReceived(kvtest::ShortMessage(MessageId::SeatCueUpdate, {{3, 1}, {3001, 4}, {0, 1}}));
    const auto cue = ReadSeatCue(stock);
    ASSERT_TRUE(cue);
    EXPECT_EQ(cue->parts[0], 0xFFFF);
    Packet custom;
    custom.Init(MessageId::SeatCueUpdate);
    custom.WriteU8(3).WriteU32(3100).WriteU8(1).WriteU16(1).WriteU16(2).WriteU16(3).WriteU16(4).WriteU16(5);
    Packet customRead = AsReceived(custom);
    EXPECT_EQ(ReadSeatCue(customRead)->parts[4], 5);

    ItemBuyResult bought;
    EXPECT_EQ(ItemBuyResultLines(bought)[0], u"Successfully purchased.");
    bought.mode = 2;
    bought.bonus = 5000;
    EXPECT_EQ(ItemBuyResultLines(bought), (std::vector<quill::WString>{u"The item was given to friend.",
                                                                      u"Gold 5,000 is charged for bonus."}));
    bought.result = 7;
    EXPECT_EQ(ItemBuyResultLines(bought)[0], u"Item pool is full.");
    bought.result = 9;
    EXPECT_EQ(ItemBuyResultLines(bought)[0], u"Please reconnect to check the result.");

    EXPECT_EQ(RoomTableItem(0, 16), 1035);
    EXPECT_EQ(RoomBallSetItem(0, 5), 2004);
    EXPECT_EQ(RoomTableItem(1001, 16), 1001);
}

TEST(RoomChatGuard, ThirdLineWithinThreeSecondsIsSpamAndOldTimesAreForgotten) {
    ChatRateGuard guard(ChatRateGuard::Edge::Included);
    EXPECT_FALSE(guard.IsTooFast(1000));
    guard.Record(1000);
    EXPECT_FALSE(guard.IsTooFast(1500)) << "the newest alone is never compared";
    guard.Record(1500);
    EXPECT_TRUE(guard.IsTooFast(3900));
    EXPECT_FALSE(guard.IsTooFast(4100)) << "the second newest is 3.1 s old";

    // Fourth and fifth newest count within 5 s, older ones within 10 s; the list keeps ten.
    ChatRateGuard slow(ChatRateGuard::Edge::Included);
    for (uint32_t t = 0; t < 12; ++t) slow.Record(t * 4000);
    EXPECT_EQ(slow.Count(), ChatRateGuard::kKept);
    EXPECT_FALSE(slow.IsTooFast(44000 + 3500)) << "4 s apart passes";
    EXPECT_LE(slow.Count(), 3u) << "times older than 10 s were forgotten";

    // The timer wraps: a line just after the wrap is judged against the ones before it.
    ChatRateGuard wrap(ChatRateGuard::Edge::Included);
    wrap.Record(0xFFFFF800);
    wrap.Record(0xFFFFFC00);
    EXPECT_TRUE(wrap.IsTooFast(0x00000100));
}

TEST(RoomReportBlock, LinesAreCutAtCharactersAndTheBlockStaysBelowFiveHundredBytes) {
    std::deque<quill::WString> lines;
    for (int n = 0; n < 21; ++n) lines.push_back(quill::WString(90, u'a'));
    const std::string block = RoomReport::TakeLines(lines);
    EXPECT_LT(block.size(), RoomReport::kBlockBytes);
    EXPECT_EQ(block.size(), 6u * 81u) << "six lines of 80 bytes and their ends";
    EXPECT_EQ(lines.size(), 15u) << "the lines used leave the list";

    // A Hangul syllable takes two bytes and is never split.
    const std::string korean = RoomReport::CutEncoded(quill::WString(41, u'가'), 81);
    EXPECT_EQ(korean.size(), 80u);

    Packet packet;
    RoomReport::Write(packet, 77, u"Rival", "hi\n");
    packet.Finish();
    Packet read = AsReceived(packet);
    EXPECT_EQ(read.ReadU32(), 77u);
    EXPECT_EQ(read.ReadWString(), u"Rival");
    EXPECT_EQ(read.ReadU16(), 3);
    EXPECT_EQ(read.ReadU8(), 'h');
}

}  // namespace
}  // namespace kestrovan::test
