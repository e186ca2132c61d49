// The lobby's models without a screen: the room table's pages, orders, filters and quick join; the user
// table's order, pool and pages; the chat log and the flood limit; the message readers at their limits;
// and the lobby's decisions (context menu, join-with targets, tournament entry, layout, texts).
#include <gtest/gtest.h>

#include <functional>

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/common/ChatRateGuard.h"
#include "client/scenes/lobby/LobbyChatLog.h"
#include "client/scenes/common/messages/LobbyMessages.h"
#include "client/scenes/lobby/LobbyRoomTable.h"
#include "client/scenes/lobby/LobbyRules.h"
#include "client/scenes/lobby/TournamentTexts.h"
#include "client/scenes/lobby/LobbyUserTable.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

// A message as a receiver holds it, its payload written by fill.
quill::Packet Received(MessageId id, const std::function<void(quill::Packet&)>& fill) {
    quill::Packet message;
    message.Init(id);
    fill(message);
    message.Finish();
    quill::Packet received;
    received.LoadReceived(message.Bytes());
    return received;
}

RoomListEntryMessage Room(uint16_t number, uint8_t players, uint8_t maxPlayers, uint8_t state = 0,
                          uint8_t mode = 3) {
    RoomListEntryMessage room;
    room.room = number;
    room.players = players;
    room.maxPlayers = maxPlayers;
    room.state = state;
    room.gameMode = mode;
    return room;
}

class RoomTableTest : public ::testing::Test {
protected:
    void Add(const RoomListEntryMessage& room) { ASSERT_TRUE(table.Apply(room, 100000)); }
    LobbyRoomTable table;
};

TEST_F(RoomTableTest, PagesClampTheirPositionAndLeaveRowsEmpty) {
    Add(Room(3, 1, 4));
    Add(Room(7, 2, 4));
    Add(Room(9, 1, 2));
    LobbyRoomTable::Page page = table.MakePage(1, 6);
    EXPECT_EQ(page.count, 3);
    EXPECT_EQ(page.range, 1);
    EXPECT_EQ(page.rooms, (std::vector<int16_t>{3, 7, 9}));
    // Position 0 (after activation) counts as 1; a position past the end is pulled back.
    EXPECT_EQ(table.MakePage(0, 6).position, 1);
    for (uint16_t n = 20; n < 30; ++n) Add(Room(n, 1, 4));
    page = table.MakePage(50, 6);
    EXPECT_EQ(page.count, 13);
    EXPECT_EQ(page.position, 8);
    EXPECT_EQ(page.range, 8);
    EXPECT_EQ(page.rooms.size(), 6u);
    EXPECT_EQ(page.rooms.front(), 24);
}

TEST_F(RoomTableTest, WaitingFirstPutsFullRoomsLastAndFiltersHideModes) {
    Add(Room(1, 6, 6, 2));      // full and playing
    Add(Room(2, 2, 4, 2));      // playing with a free seat
    Add(Room(3, 1, 4));         // waiting
    Add(Room(4, 2, 2));         // full, waiting
    Add(Room(5, 1, 2, 0, 10));  // waiting 8-ball
    EXPECT_EQ(table.GetOrder(), LobbyRoomTable::Order::WaitingFirst);
    EXPECT_EQ(table.MakePage(1, 6).rooms, (std::vector<int16_t>{3, 5, 2, 1, 4}));
    table.SetOrder(LobbyRoomTable::Order::AllRooms);
    EXPECT_EQ(table.MakePage(1, 6).rooms, (std::vector<int16_t>{1, 2, 3, 4, 5}));
    table.SetFilter(3, false);
    EXPECT_EQ(table.MakePage(1, 6).rooms, (std::vector<int16_t>{5}));
    EXPECT_EQ(table.QuickJoin(), 5);
    table.SetFilter(10, false);
    EXPECT_EQ(table.MakePage(1, 6).count, 0);
}

TEST_F(RoomTableTest, RoomsOutsideTheTableAreIgnoredAndElapsedTimeRestarts) {
    EXPECT_FALSE(table.Apply(Room(121, 1, 2), 0));
    EXPECT_FALSE(table.Apply(Room(0xFFFF, 1, 2), 0));
    RoomUpdateMessage update;
    update.room = 200;
    EXPECT_FALSE(table.Apply(update));
    EXPECT_FALSE(table.SetRoomState(500, 2, 0));
    // Room 0 takes a record but is never listed.
    EXPECT_TRUE(table.Apply(Room(0, 1, 2), 0));
    EXPECT_EQ(table.MakePage(1, 6).count, 0);

    RoomListEntryMessage running = Room(12, 2, 4, 2);
    running.elapsedMs = 30000;
    Add(running);
    EXPECT_EQ(table.Room(12)->startTime, 70000u);
    ASSERT_TRUE(table.SetRoomState(12, 2, 90000));
    EXPECT_EQ(table.Room(12)->startTime, 90000u);
    ASSERT_TRUE(table.SetRoomState(12, 0, 95000));
    EXPECT_EQ(table.Room(12)->startTime, 90000u);
    table.ResetAll();
    EXPECT_EQ(table.MakePage(1, 6).count, 0);
}

TEST_F(RoomTableTest, QuickJoinSearchesFromItsCursorAndPrefersWaitingRooms) {
    // Nothing open: nothing found, the cursor still moves on.
    EXPECT_EQ(table.QuickJoin(), 0);
    EXPECT_EQ(table.QuickJoinCursor(), 1);
    EXPECT_EQ(table.QuickJoin(), 0);
    EXPECT_EQ(table.QuickJoinCursor(), 2);
    Add(Room(2, 1, 4, 2));  // open but playing
    Add(Room(5, 1, 4));     // open and waiting
    RoomListEntryMessage locked = Room(4, 1, 4);
    locked.passwordFlag = 1;
    Add(locked);
    Add(Room(6, 4, 4));  // full
    EXPECT_EQ(table.QuickJoin(), 5);
    EXPECT_EQ(table.QuickJoinCursor(), 5);
    // From 6 on no waiting room; before it room 5 waits.
    EXPECT_EQ(table.QuickJoin(), 5);
    table.Room(5)->playerCount = 4;
    // Only the playing room 2 is open: found by the last run, which wraps to the start.
    EXPECT_EQ(table.QuickJoin(), 2);
    // Room 120 is passed over by the runs from the cursor, which stop at 119.
    table.Room(2)->playerCount = 0;
    Add(Room(120, 1, 2));
    EXPECT_EQ(table.QuickJoin(), 0);
}

LobbyUserMessage User(int64_t id, uint32_t sortValue, uint16_t rankCode = 0) {
    LobbyUserMessage user;
    user.userId = id;
    user.nickname = u"user";
    user.sortValue = sortValue;
    user.rankCode = rankCode;
    user.place = 3;
    return user;
}

std::vector<int64_t> Ids(const std::vector<const quill::PlayerState*>& users) {
    std::vector<int64_t> ids;
    for (const quill::PlayerState* user : users) ids.push_back(user->accountId);
    return ids;
}

TEST(LobbyUserTable, OrdersBySortValueKeepsArrivalOrderAndReturnsRecords) {
    LobbyUserTable table;
    ASSERT_TRUE(table.Add(User(1, 10), 4));
    ASSERT_TRUE(table.Add(User(2, 30), 4));
    ASSERT_TRUE(table.Add(User(3, 10), 4));
    ASSERT_TRUE(table.Add(User(4, 20), 4));
    std::vector<int64_t> order;
    for (const auto& [sortValue, record] : table.All()) order.push_back(record->accountId);
    EXPECT_EQ(order, (std::vector<int64_t>{2, 4, 1, 3}));
    EXPECT_EQ(table.Find(3)->channel, 4);
    EXPECT_EQ(table.Find(3)->position, 3);
    EXPECT_TRUE(table.Remove(1));
    EXPECT_FALSE(table.Remove(1));
    EXPECT_EQ(table.Find(1), nullptr);
    EXPECT_EQ(table.RecordsInUse(), 3);
    table.Clear();
    EXPECT_EQ(table.RecordsInUse(), 0);
    EXPECT_EQ(table.Count(), 0);
}

TEST(LobbyUserTable, AFullPoolDropsTheNewUserAndRecoversAfterClearing) {
    LobbyUserTable table;
    for (int64_t id = 1; id <= LobbyUserTable::kRecords; ++id) ASSERT_TRUE(table.Add(User(id, 1), 1));
    EXPECT_FALSE(table.Add(User(9999, 1), 1));
    EXPECT_EQ(table.Count(), 604);
    EXPECT_TRUE(table.Remove(17));
    EXPECT_TRUE(table.Add(User(9999, 1), 1));
    table.Clear();
    for (int64_t id = 1; id <= LobbyUserTable::kRecords; ++id) ASSERT_TRUE(table.Add(User(id, 1), 1));
}

TEST(LobbyUserTable, PagesListHighRanksFirstAndSkipAcrossBothRuns) {
    LobbyUserTable table;
    for (int64_t id = 1; id <= 20; ++id) table.Add(User(id, 100 - static_cast<uint32_t>(id), id % 5 == 0 ? 95 : 10), 1);
    std::vector<const quill::PlayerState*> source;
    for (const auto& [sortValue, record] : table.All()) source.push_back(record);
    UserPage page = MakeUserPage(source, 1, 12);
    EXPECT_EQ(page.range, 9);
    EXPECT_EQ(Ids(page.users), (std::vector<int64_t>{5, 10, 15, 20, 1, 2, 3, 4, 6, 7, 8, 9}));
    page = MakeUserPage(source, 3, 12);
    EXPECT_EQ(Ids(page.users).front(), 15);
    page = MakeUserPage(source, 40, 12);
    EXPECT_EQ(page.position, 9);
    EXPECT_EQ(page.users.size(), 12u);
    EXPECT_EQ(MakeUserPage({}, 5, 12).position, 1);
}

TEST(LobbyChatLog, KeepsTwoHundredLinesCutsLongOnesAndFollows) {
    LobbyChatLog log;
    EXPECT_EQ(log.Range(), 1);
    for (int n = 0; n < 201; ++n) log.Append(0xFFFFFFFF, quill::Format(u"line %d", n));
    EXPECT_EQ(log.Size(), 200u);
    EXPECT_EQ(log.Lines().front().text, u"line 1");
    EXPECT_EQ(log.Range(), 195);
    EXPECT_EQ(log.Position(), 195);
    EXPECT_EQ(log.Visible().back().text, u"line 200");
    log.SetPosition(10);
    EXPECT_EQ(log.Visible().front().text, u"line 10");
    log.SetPosition(0);
    EXPECT_EQ(log.Position(), 1);
    log.Append(0xFFFF0000, std::u16string(300, u'x'));
    EXPECT_EQ(log.Lines().back().text.size(), LobbyChatLine::kTextUnits);
    EXPECT_EQ(log.Position(), log.Range());
    // A surrogate pair across the limit is dropped whole.
    std::u16string pair(80, u'a');
    pair += u"\U0001F3B1";
    log.Append(0, pair);
    EXPECT_EQ(log.Lines().back().text.size(), 80u);
}

TEST(ChatFloodGuard, ThirdLineInThreeSecondsAndSeventhInTenAreFloods) {
    ChatRateGuard guard(ChatRateGuard::Edge::Excluded);
    uint32_t now = 0xFFFFF000u;  // across the clock's wrap
    EXPECT_FALSE(guard.IsTooFast(now));
    guard.Record(now);
    now += 1000;
    EXPECT_FALSE(guard.IsTooFast(now));
    guard.Record(now);
    now += 1000;
    EXPECT_TRUE(guard.IsTooFast(now)) << "the third line within 3 s";
    now += 2000;  // 3 s after the second
    EXPECT_FALSE(guard.IsTooFast(now));
    guard.Record(now);

    ChatRateGuard slow(ChatRateGuard::Edge::Excluded);
    uint32_t t = 0;
    for (int n = 0; n < 6; ++n, t += 1600) {
        ASSERT_FALSE(slow.IsTooFast(t)) << n;
        slow.Record(t);
    }
    EXPECT_TRUE(slow.IsTooFast(t)) << "the seventh within 10 s";
    EXPECT_FALSE(slow.IsTooFast(t + 20000));
    EXPECT_EQ(slow.Count(), 0u) << "old times are forgotten";
}

TEST(LobbyReaders, RoomAndUserMessagesReadWholeOrNotAtAll) {
    quill::Packet entry = Received(MessageId::RoomListEntry, [](quill::Packet& p) {
        p.WriteU16(7).WriteU8(2).WriteU32(5000).WriteU8(3).WriteU8(0xFF).WriteU8(2).WriteU8(4);
        p.WriteWString(std::u16string(100, u't'));
        p.WriteU8(1).WriteU16(1).WriteU16(1501).WriteU16(2200).WriteU8(0xFF).WriteU8(1).WriteU8(16);
        p.WriteU32(3000).WriteU16(10).WriteU16(30);
    });
    const auto room = ReadRoomListEntry(entry);
    ASSERT_TRUE(room.has_value());
    EXPECT_EQ(room->room, 7);
    EXPECT_EQ(room->status, -1);
    EXPECT_EQ(room->title.size(), kLobbyNameUnits);
    EXPECT_EQ(room->settingB, -1);
    EXPECT_EQ(room->maxHandicap, 30);

    quill::Packet cut = Received(MessageId::RoomListEntry, [](quill::Packet& p) { p.WriteU16(7).WriteU8(2); });
    EXPECT_FALSE(ReadRoomListEntry(cut).has_value());

    // Without a clan no clan name is sent: the place follows the clan id directly.
    quill::Packet user = Received(MessageId::LobbyUserAdded, [](quill::Packet& p) {
        p.WriteI64(0x1234567890LL).WriteWString(u"Cue").WriteU32(0).WriteU16(0xFFFE).WriteU32(9).WriteU16(5);
        p.WriteU16(91).WriteU8(4);
    });
    const auto added = ReadLobbyUser(user);
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(added->place, -2);
    EXPECT_EQ(added->rankCode, 91);
    EXPECT_EQ(added->further, 4);

    quill::Packet clan = Received(MessageId::UserLocationNotice,
                                  [](quill::Packet& p) { p.WriteI64(5).WriteU32(3).WriteWString(u"Rails"); });
    EXPECT_EQ(ReadUserClan(clan)->clanName, u"Rails");
    quill::Packet badString = Received(MessageId::LobbyChat, [](quill::Packet& p) { p.WriteU16(5000); });
    EXPECT_FALSE(ReadLobbyChat(badString).has_value());
}

TEST(LobbyReaders, AnswersReadTheirOptionalFields) {
    quill::Packet refused = Received(MessageId::JoinRoomResult, [](quill::Packet& p) { p.WriteU32(13); });
    EXPECT_EQ(ReadJoinRoomResult(refused)->result, 13u);
    quill::Packet joined = Received(MessageId::JoinRoomResult, [](quill::Packet& p) {
        p.WriteU32(0).WriteU8(0).WriteU8(10).WriteU16(1).WriteU32(2).WriteU32(3).WriteU8(0xFF).WriteU8(40);
        p.WriteU8(8).WriteU8(1).WriteU32(500).WriteU16(1501).WriteU16(2200).WriteU16(0).WriteU16(50);
    });
    const auto room = ReadJoinRoomResult(joined);
    ASSERT_TRUE(room.has_value());
    EXPECT_EQ(room->gameMode, 10);
    EXPECT_EQ(room->counter2, 2u);
    EXPECT_EQ(room->timeLimit, 40);
    EXPECT_EQ(room->maxHandicap, 50);
    quill::Packet waiting = Received(MessageId::CreateRoomResult,
                                     [](quill::Packet& p) { p.WriteU8(21).WriteWString(u"Ace").WriteU16(12); });
    const auto result = ReadCreateRoomResult(waiting);
    EXPECT_EQ(CreateRoomRefusal(result->code, result->nickname, result->room), u"Ace is waiting for you at room 12.");
    quill::Packet blocked = Received(MessageId::ChatBanned, [](quill::Packet& p) { p.WriteU8(1); });
    EXPECT_EQ(ChatBanLines(ReadChatBanned(blocked)->kind, u"").size(), 2u);
}

TEST(LobbyRules, ContextMenuOffersOnlyViewInfoOnOneselfAndClanInviteToOfficers) {
    quill::PlayerState player;
    ContextMenuEntries self = MakeContextMenu(0, true, player, true);
    EXPECT_FALSE(self.joinWith || self.askFriend || self.inviteClan);
    ContextMenuEntries other = MakeContextMenu(0, false, player, true);
    EXPECT_TRUE(other.joinWith && other.askFriend);
    EXPECT_FALSE(other.inviteClan);
    player.clanId = 4;
    player.clanRank = 9;
    EXPECT_TRUE(MakeContextMenu(0, false, player, false).inviteClan);
    ContextMenuEntries friends = MakeContextMenu(1, false, player, false);
    EXPECT_FALSE(friends.inviteClan) << "the friends tab keeps the last visibility";
    EXPECT_EQ(quill::WString(friends.friendCaption), u"Del Friend");
}

JoinWithTarget Target(uint8_t channel, int16_t place, uint8_t hasPassword = 0) {
    JoinWithTarget target;
    target.pending = 1;
    target.channel = channel;
    target.place = place;
    target.hasPassword = hasPassword;
    return target;
}

TEST(LobbyRules, JoinWithMatrix) {
    constexpr int32_t kHere = 3;
    EXPECT_EQ(PlanJoinWith(JoinWithTarget{}, kHere, false), JoinStep::Nothing);
    EXPECT_EQ(PlanJoinWith(Target(3, 12), kHere, false), JoinStep::JoinRoom);
    EXPECT_EQ(PlanJoinWith(Target(3, 12, 1), kHere, false), JoinStep::JoinRoomWithPassword);
    EXPECT_EQ(PlanJoinWith(Target(3, 0), kHere, false), JoinStep::Nothing);
    EXPECT_EQ(PlanJoinWith(Target(5, 12), kHere, false), JoinStep::LeaveChannel);
    EXPECT_EQ(PlanJoinWith(Target(5, 12), kHere, true), JoinStep::Nothing);
    // The practice room and the shop never go through the channel list, even for channel 0.
    EXPECT_EQ(PlanJoinWith(Target(0, -2), kHere, false), JoinStep::EnterPractice);
    EXPECT_EQ(PlanJoinWith(Target(5, -3), kHere, false), JoinStep::EnterShop);
    EXPECT_EQ(PlanJoinWith(Target(0, 12), kHere, false), JoinStep::ClearTarget);

    EXPECT_EQ(PlanLobbyEntered(JoinWithTarget{}, kHere, false).step, JoinStep::TutorialGate);
    EXPECT_EQ(PlanLobbyEntered(Target(3, -2), kHere, true).step, JoinStep::ClearTarget);
    EXPECT_TRUE(PlanLobbyEntered(Target(3, -2), kHere, false).clearsTarget);
    EXPECT_EQ(PlanLobbyEntered(Target(3, -3), kHere, true).step, JoinStep::ClearTarget);
    EXPECT_EQ(PlanLobbyEntered(Target(3, -3), kHere, false).step, JoinStep::EnterShop);
    EXPECT_EQ(PlanLobbyEntered(Target(5, 0), kHere, false).step, JoinStep::LeaveChannel);
    EXPECT_FALSE(PlanLobbyEntered(Target(5, 0), kHere, false).clearsTarget);
    EXPECT_EQ(PlanLobbyEntered(Target(3, 0), kHere, false).step, JoinStep::ClearTarget);
    EXPECT_EQ(PlanLobbyEntered(Target(3, 7), kHere, false).step, JoinStep::JoinRoom);
    EXPECT_EQ(PlanLobbyEntered(Target(3, -5), kHere, false).step, JoinStep::Nothing);
}

TEST(LobbyRules, TournamentEntryTestsInOrder) {
    quill::PlayerState player;
    player.level = 20;
    player.ratingByType[3] = 25;
    player.cueMoney = 900;
    TournamentView entry;
    EXPECT_EQ(TournamentEntryRefusal(entry, player), u"It is not the tournament running time.");
    entry.running = true;
    entry.gameType = 3;
    entry.handicapFrom = 10;
    entry.handicapTo = 20;
    EXPECT_EQ(TournamentEntryRefusal(entry, player),
              u"You cannot enter because you don't qualify for handicap requirements.");
    entry.handicapTo = 30;
    entry.levelFrom = 1;
    entry.levelTo = 15;
    EXPECT_EQ(TournamentEntryRefusal(entry, player), u"You cannot enter because you don't qualify for level requirements.");
    entry.levelTo = 30;
    entry.fee = 1000;
    EXPECT_EQ(TournamentEntryRefusal(entry, player), u"You are falling short of gold to join.");
    entry.fee = 900;
    EXPECT_EQ(TournamentEntryRefusal(entry, player), u"");
    // A game mode the tables do not have fails on the handicap, never read past them.
    entry.gameType = 40;
    EXPECT_EQ(TournamentEntryRefusal(entry, player),
              u"You cannot enter because you don't qualify for handicap requirements.");
}

TEST(LobbyRules, LayoutTextsAndPaths) {
    EXPECT_EQ(LobbyLayoutFor(700).roomRows, 4);
    EXPECT_EQ(LobbyLayoutFor(700).buttonsY, 310);
    EXPECT_EQ(LobbyLayoutFor(700).orderY, 366);
    EXPECT_EQ(LobbyLayoutFor(740).roomRows, 5);
    EXPECT_EQ(LobbyLayoutFor(768).roomRows, 6);
    EXPECT_TRUE(LobbyLayoutFor(1024).cornerShown);
    EXPECT_EQ(BestShotCaption(0, u"A"), u"1st of Yesterday Best by A");
    EXPECT_EQ(BestShotCaption(2, u"B"), u"3rd of Yesterday Best by B");
    EXPECT_EQ(BestShotCaption(10, u"C"), u"11th of Yesterday Best by C");
    EXPECT_EQ(JoinRoomRefusal(13), u"The room is fuul.");
    EXPECT_EQ(JoinRoomRefusal(99), u"");
    EXPECT_EQ(RaceNoticeLine(1, 21, 5), u"** Race tournament starts at 21:5.");
}

}  // namespace
}  // namespace kestrovan::test
