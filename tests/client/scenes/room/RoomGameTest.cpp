// A game in the room on the headless App: the server's messages handed in as the dispatcher hands them, the
// room's answers caught by the stand-in server. The start's money by mode and membership, the turn kept or
// passed with scores and money, hostile seats and counts, the settlement that goes on or ends, the table state
// answered once, the aim relay's throttle, the chat's team lines, spam and report, items used and consumed.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "client/app/SkillPopup.h"
#include "client/app/WordFilter.h"
#include "client/connection/GameConnection.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/scenes/community/FriendRequestDialog.h"
#include "client/scenes/community/Messenger.h"
#include "client/scenes/room/GroupBoard.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/ResultBoard.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ScoreBoard.h"
#include "client/scenes/room/ScoreTrack.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/scenes/room/TimeLimitNotice.h"
#include "client/scenes/room/WithdrawQuestion.h"
#include "client/scenes/room/WithdrawPopup.h"
#include "client/scenes/room/OpponentRequestPopup.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/ui/Image.h"
#include "client/table/TableAim.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableHudValues.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Button.h"
#include "tests/support/net/CommunityMessages.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/RoomMessages.h"
#include "tests/support/net/ShopMessages.h"
#include "platform/system/Clock.h"
#include "platform/window/MessageIds.h"
#include "tests/support/scenes/SceneHarness.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;
namespace Event = quill::AppEventId;

constexpr uint8_t kLocal = 0;
constexpr uint8_t kRival = 1;

// The millisecond clock the screens read, moved on by Skip for the object's life: a test passes a guard's
// seconds without waiting them. Any thread may read the clock, even while the object ends.
class SkippedClock {
public:
    SkippedClock() {
        platform::SetTickSource([skipped = skipped_] {
            return static_cast<uint32_t>(platform::TickCount64()) + skipped->load();
        });
    }
    ~SkippedClock() { platform::SetTickSource({}); }
    void Skip(uint32_t ms) { *skipped_ += ms; }

private:
    std::shared_ptr<std::atomic<uint32_t>> skipped_ = std::make_shared<std::atomic<uint32_t>>(0);
};

class RoomGame : public SceneHarness<SceneRoomGame> {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    RoomGame() {
        app.SetScreenSize({1024, 768});
        app.Scenes().ResizeAll(1024, 768);
        Connection().LocalPlayer().name = u"Carom";
        Connection().LocalPlayer().money = 100000;
        Connection().LocalPlayer().experience = 5000;
    }
    ~RoomGame() override {
        if (server) Connection().StopDispatchThread();
    }
    GameConnection& Connection() { return *app.Connection(); }

    // The stand-in server that catches what the room sends.
    void Serve() {
        server = std::make_unique<kvtest::GameServerFixture>();
        server->GreetWithHello();
        Connection().SetServerAddress(server->Host(), server->Port());
        Connection().StartDispatchThread();
        Connection().Connect();
        ASSERT_TRUE(server->WaitForMessage(MessageId::LoginRequest).has_value());
        // The greeting answered, the test delivers the server's messages itself.
        Connection().StopDispatchThread();
    }
    // Enters a room of that game and stake; the local player its master at seat 0, the rival at seat 1, both
    // seated in teams 1 and 2.
    void Enter(uint8_t mode, uint32_t stake = 0) {
        quill::RoomInfo& room = Connection().GetRoomInfo();
        room.gameType = mode;
        room.stake = stake;
        if (scene->Table() == nullptr) {
            ASSERT_EQ(scene->LoadResources(nullptr, nullptr), 1);
        }
        Activate();
        kvtest::TestRoomSnapshot snapshot;
        snapshot.gameMode = mode;
        snapshot.stake = stake;
        Receive(kvtest::RoomSnapshotMessage(snapshot));
        Receive(kvtest::RoomMemberEnteredMessage(kvtest::TestRoomPlayer{}, 2, 2));
        Receive(kvtest::ShortMessage(MessageId::SeatChanged, {{kLocal, 1}, {1, 1}}));
        Receive(kvtest::ShortMessage(MessageId::SeatChanged, {{kRival, 1}, {2, 1}}));
    }
    void Start(uint8_t mode, uint8_t first = kLocal) {
        kvtest::TestGameStart start = kvtest::TwoPlayerStart(mode, first, first == kLocal ? kRival : kLocal);
        Receive(kvtest::GameStartMessage(start));
    }
    std::vector<quill::WString> Lines() const {
        std::vector<quill::WString> texts;
        const RoomChatLog log = scene->ChatLog();
        for (size_t i = 0; i < log.Count(); ++i) texts.push_back(log.At(i).text);
        return texts;
    }
    bool HasLine(quill::WStringView text) const {
        const auto lines = Lines();
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }
    uint32_t ColourOf(quill::WStringView text) const {
        const RoomChatLog log = scene->ChatLog();
        for (size_t i = 0; i < log.Count(); ++i) {
            if (log.At(i).text == text) return log.At(i).colour;
        }
        return 0;
    }
    const quill::PlayerState& Seat(size_t n) { return scene->Model().players[n]; }
    // The messages of that id the server has, once count of them arrived.
    std::vector<quill::Packet> Sent(MessageId id, size_t count) {
        std::vector<quill::Packet> found;
        Eventually([&] { return server->CountReceived(id) >= count; });
        for (const kvtest::ServerMessage& message : server->Received()) {
            if (message.id == id) found.push_back(message.Read());
        }
        return found;
    }

    std::unique_ptr<kvtest::GameServerFixture> server;
};

TEST_F(RoomGame, TheStartTakesTheFeeOrTheStakeByTheRoomsGameAndTheMembership) {
    struct Case {
        uint8_t mode;
        uint8_t membership;
        int64_t localAfter;
        int64_t rivalAfter;
        const char16_t* line;
    };
    const Case cases[] = {
        {2, 0, 98000, 48000, u"2,000 has been removed for game fee"},
        {5, 1, 100000, 48000, u"멤버십 : 게임비 2,000원 면제되었습니다."},
        {6, 0, 99000, 49000, u"1,000원을 배팅하였습니다."},
        {3, 0, 100000, 50000, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Connection().LocalPlayer().money = 100000;
        Connection().SetTaggedText(c.membership, u"2030-01-01", 0);
        Enter(c.mode, 1000);
        Start(c.mode);
        EXPECT_TRUE(scene->IsGameRunning());
        EXPECT_TRUE(HasLine(u"The game has started."));
        EXPECT_EQ(ColourOf(u"The game has started."), kGreen);
        EXPECT_EQ(Connection().LocalPlayer().money, c.localAfter);
        EXPECT_EQ(Seat(kRival).money, c.rivalAfter) << "every member pays, the waived player's shown money too";
        if (c.line != nullptr) {
            EXPECT_TRUE(HasLine(c.line));
        }
        EXPECT_TRUE(scene->Table()->Turn().AimFollowsCamera()) << "the local player breaks";
        EXPECT_TRUE(scene->Table()->Turn().IsControlEnabled());
        EXPECT_EQ(scene->ShooterSeat(), kLocal);
    }
}

TEST_F(RoomGame, ThePocketBreakerHasTheBallInHandAndTheRivalsBreakLeavesTheTableAlone) {
    Enter(10);
    Start(10);
    EXPECT_EQ(scene->Table()->Picking().PlacementArea(), 1);
    Enter(10);
    Start(10, kRival);
    EXPECT_FALSE(scene->Table()->Turn().AimFollowsCamera());
    EXPECT_FALSE(scene->Table()->Turn().IsControlEnabled());
    EXPECT_FALSE(scene->IsLocalTurn());
}

TEST_F(RoomGame, TheStartOpensTheBoardsOfTheGameAndTheBets) {
    Serve();
    Enter(3);
    kvtest::TestGameStart start = kvtest::TwoPlayerStart(3, kLocal, kRival);
    start.rule = {2, 7, 3, 2, 0};  // cells lit up to 7, "x3" there, the step's marker at 2
    start.teams[0].state = 4;      // the breaker's team is due a three-cushion shot
    Receive(kvtest::GameStartMessage(start));

    ScoreTrack& track = *scene->Track();
    ASSERT_TRUE(track.IsVisible()) << "a rule in force shows the point-rule board";
    EXPECT_EQ(track.GoalLabel()->GetText(), u"x3");
    EXPECT_TRUE(track.Lit(3)->IsVisible() && track.Lit(6)->IsVisible()) << "three-cushion counts in threes";
    EXPECT_FALSE(track.Lit(7)->IsVisible());
    EXPECT_TRUE(track.Marker(0)->IsVisible());
    EXPECT_EQ(track.GetRect().left, 1024 / 2 - 336) << "the first cell left of the middle";
    EXPECT_EQ(scene->Table()->Physics().GetTargetCode(), 4) << "the referee judges what the team is due";

    ShotBetPanel& bets = *scene->ShotBet();
    ASSERT_TRUE(bets.IsVisible());
    EXPECT_EQ(bets.GetRect().left, 1024 - 220) << "at the right edge, above the player board";
    EXPECT_EQ(bets.GetRect().top, 286);
    EXPECT_TRUE(bets.BetOpen());
    bool offered = false;
    for (size_t n = 0; n < bets.LineCount(); ++n) offered = offered || bets.LineAt(n).text == u"Carom님 샷에 베팅하세요.";
    EXPECT_TRUE(offered) << "the breaker's shot is on offer";
    Routed(bets, bets.BetButton(ShotBetPanel::kMakesIt), 0, 0);
    auto bet = Sent(MessageId::ShotBet, 1);
    ASSERT_EQ(bet.size(), 1u);
    EXPECT_EQ(bet[0].ReadU8(), 1) << "makes it";

    // A kept turn moves the board's cursor to the server's mark, a passed one starts it over; the team whose
    // turn it is now brings its due shot to the referee.
    const auto cursorCell = [&] {
        return (track.Cursor()->GetRect().left - track.GetRect().left) / ScoreTrack::kCellSize;
    };
    kvtest::TestTurnResult kept;
    kept.result = 2;
    kept.nextShooter = kLocal;
    kept.marker = 4;
    Receive(kvtest::TurnResultMessage(kept));
    EXPECT_EQ(cursorCell(), 4);
    kvtest::TestTurnResult passed;
    passed.nextShooter = kRival;
    passed.marker = 5;
    passed.nextTeamState = 1004;
    Receive(kvtest::TurnResultMessage(passed));
    EXPECT_EQ(cursorCell(), 0);
    EXPECT_EQ(scene->Table()->Physics().GetTargetCode(), 1004) << "a bank shot due";

    quill::Packet jackpot;
    jackpot.Init(MessageId::Jackpot).WriteWString(u"Rival").WriteU8(1).WriteU32(5000);
    Receive(std::move(jackpot));
    EXPECT_TRUE(track.JackpotMark()->IsVisible());
    Receive(kvtest::ShortMessage(MessageId::PointRuleUpdate, {{2, 1}, {9, 1}, {4, 1}, {3, 1}, {0, 1}}));
    EXPECT_EQ(track.GoalLabel()->GetText(), u"x4");
    EXPECT_TRUE(track.Lit(9)->IsVisible());
    EXPECT_FALSE(track.JackpotMark()->IsVisible()) << "a new rule, a new board";
    Receive(kvtest::ShortMessage(MessageId::PointRuleUpdate, {{0, 1}, {0, 1}, {1, 1}, {0, 1}, {0, 1}}));
    EXPECT_FALSE(track.IsVisible()) << "no rule in force";

    // Entering a running game fills the board as the start does.
    kvtest::TestRoomSnapshot running;
    running.roomState = 2;
    running.ruleKind = 2;
    Receive(kvtest::RoomSnapshotMessage(running));
    EXPECT_TRUE(track.IsVisible());
    EXPECT_EQ(track.GoalLabel()->GetText(), u"x2");
}

// A seat other than the first, given by the room's state on entry, takes the local player's whole record: his
// clan and his average too, not what an earlier occupant of that seat left there.
TEST_F(RoomGame, TheLocalPlayerMovedToHisSeatKeepsHisClanAndAverage) {
    quill::PlayerState& local = Connection().LocalPlayer();
    local.clanId = 7;
    local.generalAverage = 345;
    scene->Model().players[2].clanId = 99;
    ASSERT_EQ(scene->LoadResources(nullptr, nullptr), 1);
    Activate();
    kvtest::TestRoomSnapshot snapshot;
    snapshot.localSeat = 2;
    Receive(kvtest::RoomSnapshotMessage(snapshot));
    const quill::PlayerState& seated = scene->Model().players[2];
    EXPECT_EQ(seated.name, u"Carom");
    EXPECT_EQ(seated.clanId, 7);
    EXPECT_EQ(seated.generalAverage, 345);
}

TEST_F(RoomGame, TheDeterminedGroupsAreBoardedPlayerByPlayer) {
    Enter(10);
    Start(10);
    GroupBoard& board = *scene->Groups();
    EXPECT_FALSE(board.IsVisible());
    Receive(kvtest::ShortMessage(MessageId::GroupDetermined, {{2, 1}, {3, 1}, {2, 1}}));
    ASSERT_TRUE(board.IsVisible());
    ASSERT_EQ(board.RowCount(), 2u);
    EXPECT_EQ(board.Mark(0)->GetText(), u"STRIPE");
    EXPECT_EQ(board.Name(0)->GetText(), u"Carom");
    EXPECT_EQ(board.Mark(1)->GetText(), u"SOLID");
    EXPECT_EQ(board.Name(1)->GetText(), u"Rival");
    EXPECT_EQ(board.Height(), 8 + 2 * GroupBoard::kRowHeight) << "the face covers the rows";
    Receive(kvtest::ShortMessage(MessageId::GroupDetermined, {{2, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(board.RowCount(), 2u) << "filled anew";
    EXPECT_EQ(board.Mark(0)->GetText(), u"SOLID");
    Enter(10);
    EXPECT_FALSE(board.IsVisible()) << "gone with the visit";
}

TEST_F(RoomGame, TheResultsOfAGameWithMoneyTellTheFeeKeptBack) {
    for (const auto& [open, shown] : {std::pair{1, true}, std::pair{0, false}}) {
        Connection().GetRoomInfo().open = static_cast<uint8_t>(open);
        Enter(3);
        Start(3);
        Receive(kvtest::GameEndMessage(u"Rival", 2, 3, {{1, 1, {{0, 10}}}, {2, 2, {{1, 0}}}}, 1));
        const TextLabel& fee = *scene->Results()->FeeLine();
        EXPECT_EQ(fee.IsVisible(), shown) << open;
        if (shown) {
            EXPECT_EQ(fee.GetText(), u"9% of earn money is payed for game fee.");
        }
    }
}

TEST_F(RoomGame, ALeaveRequestWaitsForItsAnswerAndAStaleGambleWithdrawalIsAskedAgain) {
    Serve();
    Enter(5, 1000);
    Button& toLobby = *scene->TopButton(SceneRoomGame::kToLobby);
    Routed(*scene, &toLobby, 0, 0);
    EXPECT_EQ(Sent(MessageId::LeaveRoomRequest, 1).size(), 1u);
    EXPECT_FALSE(toLobby.IsEnabled()) << "one request at a time";
    Receive(kvtest::EmptyMessage(MessageId::ExitNotAllowed));
    EXPECT_TRUE(toLobby.IsEnabled());
    scene->OnMessage(Event::RoomEvent1040, 0, 0);
    EXPECT_FALSE(toLobby.IsEnabled());
    scene->OnMessage(Event::WithdrawDialogClose, 0, 0);
    EXPECT_TRUE(toLobby.IsEnabled()) << "the withdrawal declined";
    // A leave or a withdrawal that cannot be sent (every packet taken) leaves the button for another try.
    std::vector<quill::Packet*> taken;
    while (quill::Packet* packet = Connection().AllocPacket()) taken.push_back(packet);
    Routed(*scene, &toLobby, 0, 0);
    EXPECT_TRUE(toLobby.IsEnabled());
    EXPECT_EQ(Box().Line(0).GetText(), AwaitedRequest::kNotSent);
    scene->OnMessage(Event::RoomEvent1040, 0, 0);
    scene->OnMessage(Event::WithdrawDialogClose, 1, 0);
    EXPECT_TRUE(toLobby.IsEnabled());
    for (quill::Packet* packet : taken) Connection().FreePacket(packet);

    // The breaker in a gamble game would lose half the gain; once the turn has moved on that no longer holds,
    // and Yes to the old wording asks again instead of withdrawing.
    Start(5);
    scene->OnMessage(Event::WithdrawConfirm, 1, 0);
    WithdrawPopup& question = *scene->WithdrawConfirmWindow();
    ASSERT_EQ(question.ConfirmValue(), 1u);
    question.SetVisible(false);
    kvtest::TestTurnResult passed;
    passed.nextShooter = kRival;
    Receive(kvtest::TurnResultMessage(passed));
    scene->OnMessage(Event::WithdrawDialogClose, 1, 1);
    EXPECT_TRUE(question.IsVisible());
    EXPECT_EQ(question.ConfirmValue(), 0u);
    scene->OnMessage(Event::WithdrawDialogClose, 1, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(Sent(MessageId::RoomRequest1189, 1).size(), 1u) << "only the answer to the wording that holds";

    Receive(kvtest::ShortMessage(MessageId::RoomError, {{0, 1}}));
    EXPECT_TRUE(toLobby.IsEnabled());
    EXPECT_TRUE(scene->IsChangePending());
}

TEST_F(RoomGame, TheTournamentsFeeIsToldOnEntryAndADropNamesTheNewMaster) {
    Connection().SetChannelKind(0, SceneRoomGame::kTournamentChannel);
    Connection().SetCurrentChannel(1);
    // The race's fee, not the school's progress the login gave.
    TournamentRecord race;
    race.running = 1;
    race.amounts[1] = 3000;
    Connection().SetTournament(race);
    Connection().SetValueAndFlag(98, 1);
    Enter(3);
    EXPECT_TRUE(Box().IsVisible());
    EXPECT_EQ(Box().Line(0).GetText(), u"If you participate in the tournament, a fee of 3,000 will be charged.");

    Receive(kvtest::ShortMessage(MessageId::PlayerSlotUpdate, {{kRival, 1}, {0, 1}}));
    ASSERT_EQ(Seat(kRival).ready, 0);
    Receive(kvtest::ShortMessage(MessageId::PlayerDropped, {{kLocal, 1}, {kRival, 1}}));
    EXPECT_TRUE(HasLine(u"Carom is dropped. Wainting for reconnect."));
    EXPECT_EQ(scene->MasterSeat(), kRival);
    EXPECT_EQ(Seat(kRival).ready, 1) << "the new master is seated";
}

TEST_F(RoomGame, TheChatBoxsKeysAndClicksReachTheJoinQuestionAndTheMessenger) {
    Enter(3);
    Routed(*scene, scene->ChatBox(), 112, 0);
    EXPECT_TRUE(scene->Help()->IsVisible());
    EXPECT_EQ(Box().Line(0).GetText(), u"Do you want to participate in the game?") << "F1 runs the join check";

    auto& messenger = static_cast<Messenger&>(*app.Scenes().GetMessenger());
    messenger.Toggle(*scene);
    messenger.SetView(MessengerView::Chat);
    Routed(*scene, scene->ChatBox(), 9, 0);
    EXPECT_TRUE(messenger.ChatEntry()->IsFocused()) << "Tab goes on to the messenger";
    scene->OnMessage(platform::Msg::LButtonDown, 0, 0);
    EXPECT_FALSE(messenger.ChatEntry()->IsFocused()) << "a click takes the keys from it";
}

TEST_F(RoomGame, TurnResultsKeepOrPassTheTurnWithSignedPointsAndTheMoneyList) {
    Enter(6, 1000);
    Start(6);
    // Result 2 keeps the turn: no "your turn" for it; the money list replaces the seats' money.
    kvtest::TestTurnResult kept;
    kept.result = 2;
    kept.nextShooter = kLocal;
    kept.points = 4;
    kept.innings = 2;
    kept.money = {{kLocal, 5000}, {kRival, 7000}};
    Receive(kvtest::TurnResultMessage(kept));
    EXPECT_TRUE(scene->IsLocalTurn());
    EXPECT_EQ(Connection().LocalPlayer().money, 5000);
    EXPECT_EQ(Seat(kRival).money, 7000);
    EXPECT_EQ(Seat(kLocal).gameCounters[quill::PlayerState::kPointsCounter], 4);
    EXPECT_EQ(scene->Model().currentTeam, 0) << "the turn stayed with the first team";

    // A foul that resets the points: the six-ball line, the table's foul count.
    kvtest::TestTurnResult foul;
    foul.pointChange = -3;
    foul.nextShooter = kRival;
    Receive(kvtest::TurnResultMessage(foul));
    EXPECT_TRUE(HasLine(u"Foul. The points will be reset."));
    EXPECT_EQ(scene->Table()->HudValues().ForScreens().foulCount, 1);
    EXPECT_EQ(scene->Table()->GetClampedCounter(), -3) << "the rule's counter is reset with the points";
    EXPECT_FALSE(scene->IsLocalTurn());
    EXPECT_FALSE(scene->Table()->Turn().AimFollowsCamera());
    EXPECT_EQ(scene->Model().currentTeam, 1) << "the rival's team shoots";
    EXPECT_EQ(Connection().LocalPlayer().money, 5000) << "no money list, no change";

    // A money list that runs to the payload's end without its mark.
    kvtest::TestTurnResult unended;
    unended.nextShooter = kLocal;
    unended.money = {{kRival, 6500}};
    unended.endMark = false;
    Receive(kvtest::TurnResultMessage(unended));
    EXPECT_EQ(Seat(kRival).money, 6500);
    EXPECT_TRUE(scene->IsLocalTurn());
    EXPECT_TRUE(scene->Table()->Turn().IsControlEnabled());
}

TEST_F(RoomGame, ATurnResultBetweenGamesReadsOnlyItsHeadAndOtherGamesHaveNoResetLine) {
    Enter(3);
    Start(3);
    kvtest::TestTurnResult foul;
    foul.pointChange = -1;
    Receive(kvtest::TurnResultMessage(foul));
    EXPECT_FALSE(HasLine(u"Foul. The points will be reset.")) << "only six balls say it";

    scene->ReturnToWaiting();
    kvtest::TestTurnResult waiting;
    waiting.running = false;
    waiting.nextShooter = kLocal;
    waiting.cueBall = 1;
    waiting.seed = 5;
    Receive(kvtest::TurnResultMessage(waiting));
    EXPECT_EQ(app.GetRandom().SeedValue(), 5u);
    EXPECT_TRUE(scene->Table()->Turn().AimFollowsCamera());
    EXPECT_TRUE(scene->Table()->Turn().IsControlEnabled());
}

TEST_F(RoomGame, HostileSeatsCountsAndUnknownIdsChangeNothing) {
    Enter(3);
    Start(3);
    const size_t lines = scene->ChatLog().Count();
    const int64_t rivalMoney = Seat(kRival).money;
    Receive(kvtest::ShortMessage(MessageId::SeatChanged, {{9, 1}, {1, 1}}));
    Receive(kvtest::ShortMessage(MessageId::PlayerSlotUpdate, {{200, 1}, {1, 1}}));
    Receive(kvtest::ShortMessage(MessageId::PlayerAllIn, {{8, 1}}));
    Receive(kvtest::ShortMessage(MessageId::LevelUp, {{255, 1}, {30, 2}, {0, 4}}));
    Receive(kvtest::ShortMessage(MessageId::PocketCallRelay, {{7, 1}}));
    Receive(kvtest::ShortMessage(MessageId::BallPlacementRelay, {{40, 1}, {0, 4}, {0, 4}, {0, 4}}));
    Receive(kvtest::ShortMessage(static_cast<MessageId>(9999), {{1, 1}}));
    quill::Packet money;
    money.Init(MessageId::PlayerMoney);
    money.WriteU8(12).WriteI64(1);
    Receive(money);
    // Counts past the room's places and past the message.
    quill::Packet groups;
    groups.Init(MessageId::GroupDetermined);
    groups.WriteU8(250).WriteU8(2).WriteU8(3);
    Receive(groups);
    kvtest::TestGameStart wide = kvtest::TwoPlayerStart(3, 9, 77);
    Receive(kvtest::GameStartMessage(wide));
    EXPECT_EQ(scene->ShooterSeat(), kLocal) << "a start whose shooter has no seat changes no turn";
    EXPECT_EQ(Seat(kRival).money, rivalMoney);
    EXPECT_EQ(scene->Table()->Aim().TargetBall(), -1);
    EXPECT_EQ(scene->Model().teams[1].memberCount, 1);
    EXPECT_EQ(scene->Model().teams[2].memberCount, 1);
    EXPECT_EQ(scene->ChatLog().Count(), lines + 1) << "only the second start's line";

    // A chat line from a seat the room has not: white, and kept for the report.
    Receive(kvtest::RoomChatMessage(0, 12, u"Ghost", u"boo"));
    EXPECT_EQ(ColourOf(u"Ghost : boo"), kWhite);
    Receive(kvtest::RoomChatMessage(1, kRival, u"Rival", u"go"));
    EXPECT_EQ(ColourOf(u"(Team)Rival : go"), SceneRoomGame::kSeatChatColours[kRival]);
    EXPECT_EQ(scene->ReceivedLines().size(), 2u);
}

TEST_F(RoomGame, ASettlementWithTwoUnfinishedTeamsGoesOnAndOtherwiseTheRoomWaits) {
    Enter(3);
    // A third player at seat 2 in team 3.
    kvtest::TestRoomPlayer third;
    third.seat = 2;
    third.nickname = u"Third";
    Receive(kvtest::RoomMemberEnteredMessage(third, 3, 4));
    Receive(kvtest::ShortMessage(MessageId::SeatChanged, {{2, 1}, {3, 1}}));
    kvtest::TestGameStart start = kvtest::TwoPlayerStart(3, kLocal, kRival);
    start.teams.push_back(kvtest::TestStartTeam{3, 0, 0, 0, 0, 0, {{2, 0}}});
    Receive(kvtest::GameStartMessage(start));
    ASSERT_EQ(scene->Model().teamsInPlay, 3);

    Receive(kvtest::GameSettlementMessage({{1, 0, {}}, {2, 2, {41000}}, {3, 0, {}}}, 1));
    EXPECT_TRUE(scene->IsGameRunning()) << "two teams play on";
    EXPECT_EQ(Seat(kRival).money, 41000);
    EXPECT_EQ(Seat(kRival).team, 0) << "the finished team retired";
    EXPECT_TRUE(scene->Results()->IsVisible());

    Receive(kvtest::GameSettlementMessage({{1, 1, {120000}}, {3, 2, {3000}}}, 1));
    EXPECT_FALSE(scene->IsGameRunning());
    EXPECT_EQ(Connection().LocalPlayer().money, 120000);
    EXPECT_EQ(scene->Table()->State(), 4);
    EXPECT_TRUE(scene->Table()->Turn().AimFollowsCamera()) << "the master holds the table between games";
}

TEST_F(RoomGame, GameEndWritesWhyAndGivesTheTableToTheMaster) {
    Enter(3);
    Start(3, kRival);
    Receive(kvtest::GameEndMessage(u"Rival", 2, 12, {{1, 1, {{kLocal, 30}}}, {2, 2, {{kRival, 7}}}}, 1));
    EXPECT_FALSE(scene->IsGameRunning());
    EXPECT_TRUE(HasLine(u"Rival has withdrawn, so the game has ended. (WP 12)"));
    EXPECT_EQ(ColourOf(u"Rival has withdrawn, so the game has ended. (WP 12)"), kRed);
    EXPECT_TRUE(scene->Results()->IsVisible());
    EXPECT_EQ(scene->Table()->State(), 4);
    EXPECT_TRUE(scene->Table()->Turn().AimFollowsCamera());
    EXPECT_TRUE(scene->Table()->Turn().IsControlEnabled());
    EXPECT_EQ(scene->ShooterSeat(), kLocal);
}

// The next visit to a room, whose other player sat there before (RoomMemberInfo): he joins the team the
// server names although his record of the last visit named that team too, and the result board shows the new
// game's rows only.
TEST_F(RoomGame, AVisitAfterAnotherSeatsItsPlayersAndShowsItsOwnResults) {
    Enter(10);
    Start(10);
    Receive(kvtest::GameEndMessage(u"Rival", 2, 3, {{1, 1, {{kLocal, 10}}}, {2, 2, {{kRival, 4}}}}, 1));
    scene->OnLeave(nullptr, nullptr);

    ASSERT_EQ(scene->LoadResources(nullptr, nullptr), 1);
    Activate();
    EXPECT_EQ(Seat(kRival).team, -1) << "nothing kept of the last visit";
    EXPECT_TRUE(Seat(kRival).name.empty());
    kvtest::TestRoomSnapshot snapshot;
    snapshot.gameMode = 10;
    Receive(kvtest::RoomSnapshotMessage(snapshot));
    Receive(kvtest::RoomMemberInfoMessage(kvtest::TestRoomPlayer{}));
    Receive(kvtest::ShortMessage(MessageId::SeatChanged, {{kLocal, 1}, {1, 1}}));
    Receive(kvtest::ShortMessage(MessageId::SeatChanged, {{kRival, 1}, {2, 1}}));
    EXPECT_TRUE(scene->Model().teams[2].HasMember(&Seat(kRival)));
    EXPECT_EQ(scene->Board()->RowCount(), 2);

    Start(10);
    Receive(kvtest::ShortMessage(MessageId::GroupDetermined, {{2, 1}, {4, 1}, {2, 1}}));
    EXPECT_EQ(scene->Groups()->RowCount(), 2u);
    // The rival's row of this game only: the local row is not in the answer.
    Receive(kvtest::GameEndMessage(u"Rival", 2, 3, {{1, 2, {}}, {2, 1, {{kRival, 7}}}}, 1));
    const ResultBoard& results = *scene->Results();
    EXPECT_EQ(results.Row(0).name->GetText(), u"");
    EXPECT_FALSE(results.Row(0).points->IsVisible());
    EXPECT_EQ(results.Row(1).name->GetText(), u"Rival");
    EXPECT_EQ(results.Row(1).result->GetText(), u"WIN");
    EXPECT_EQ(results.Row(1).points->GetText(), u"+7");
}

// A turn's countdown on the player board: its warning blinks through the turn's last ten seconds and goes with
// the shot; the next turn counts down from its whole limit again.
TEST_F(RoomGame, TheCountdownWarnsInATurnsLastTenSecondsUntilTheShot) {
    Enter(3);
    Start(3);
    PlayerBoard& board = *scene->Board();
    Image& warning = *board.WarningMark();
    const uint32_t turnStart = platform::TimeGetTime();
    const auto run = [&](uint32_t intoTurnMs) {
        for (int n = 0; n < 10; ++n) scene->Update(turnStart + intoTurnMs, 0, {});
        for (int n = 0; n < 4; ++n) board.Tick(3000);  // the first 200 ms of a blink's 1500
    };
    run(20000);
    EXPECT_FALSE(warning.IsVisible()) << "20 seconds left";
    run(31000);
    EXPECT_EQ(board.Remaining(), 9);
    EXPECT_TRUE(warning.IsVisible());
    EXPECT_FLOAT_EQ(warning.GetAlpha(), 1.0f);

    Receive(kvtest::EmptyMessage(MessageId::Shot));
    run(32000);
    EXPECT_FALSE(warning.IsVisible()) << "the shot took the warning";
    kvtest::TestTurnResult passed;
    passed.nextShooter = kRival;
    Receive(kvtest::TurnResultMessage(passed));
    for (int n = 0; n < 4; ++n) board.Tick(3000);
    EXPECT_EQ(board.Remaining(), 40);
    EXPECT_FALSE(warning.IsVisible());
}

// The opponent places the cue ball while the player looks from above: the top view stays, and leaving it finds
// the cue ball.
TEST_F(RoomGame, ACueBallPlacedWhileInTheTopViewIsFoundOnLeavingIt) {
    Enter(10);
    Start(10, kRival);
    GameTable& table = *scene->Table();
    table.Cameras().GetCamera().SetMode(CameraController::kTopViewMode);
    table.Cameras().SetRefocusOnTopViewExit(false);
    const uint32_t cueBall = table.Physics().CueBall();
    Receive(kvtest::ShortMessage(MessageId::BallPlacementRelay,
                                 {{cueBall, 1}, {std::bit_cast<uint32_t>(10.0f), 4}, {0, 4}, {0, 4}}));
    EXPECT_TRUE(table.Cameras().RefocusOnTopViewExit());
}

// The room master's table and balls change: told once, loaded by the next drawn frame, and a later change is
// told again.
TEST_F(RoomGame, EachChangeOfTheMastersItemsIsToldOnceAndLoadedByTheNextFrame) {
    TheItemModelCatalogue().AddStockModels(quill::TheCuePartCatalogue());  // the table sizes, as the program has them
    Enter(3);
    const quill::WString notice = u"The table and the ball will be belonged to the current room master's items.";
    const auto told = [&] {
        const auto lines = Lines();
        return std::count(lines.begin(), lines.end(), notice);
    };
    kvtest::TestTurnResult turn;
    turn.running = false;
    turn.nextShooter = kLocal;
    turn.tableItem = 1028;  // a table of the default's size, which the balls fit
    Receive(kvtest::TurnResultMessage(turn));
    Receive(kvtest::TurnResultMessage(turn));
    EXPECT_EQ(told(), 1);
    ASSERT_TRUE(scene->IsReloadPending());
    scene->Render(nullptr, true);
    EXPECT_FALSE(scene->IsReloadPending());
    EXPECT_EQ(Connection().GetRoomInfo().tableItem, 1028);

    turn.tableItem = 1027;
    Receive(kvtest::TurnResultMessage(turn));
    EXPECT_EQ(told(), 2);
}

TEST_F(RoomGame, TheTableStateGoesOutOnceAndBeforeAnEarlyTurnResultIsApplied) {
    Serve();
    Enter(3);
    Start(3);
    // Nothing runs: answered at once, table id before ball-set id.
    Receive(kvtest::EmptyMessage(MessageId::TableStateRequest));
    auto states = Sent(MessageId::TableState, 1);
    ASSERT_EQ(states.size(), 1u);
    const auto bytes = states[0].ReceivedMessage();
    ASSERT_GE(bytes.size(), 8u);
    const size_t n = bytes.size();
    EXPECT_EQ(bytes[n - 4] | bytes[n - 3] << 8, 1027);
    EXPECT_EQ(bytes[n - 2] | bytes[n - 1] << 8, 2004);

    // A shot in flight: the request waits for the turn's result, which answers it once.
    scene->SetShotInFlight(true);
    Receive(kvtest::EmptyMessage(MessageId::TableStateRequest));
    EXPECT_TRUE(scene->IsTableStatePending());
    kvtest::TestTurnResult turn;
    turn.nextShooter = kRival;
    Receive(kvtest::TurnResultMessage(turn));
    EXPECT_FALSE(scene->IsTableStatePending());
    EXPECT_FALSE(scene->IsShotInFlight()) << "the result ends the shot";
    Receive(kvtest::TurnResultMessage(turn));
    EXPECT_EQ(Sent(MessageId::TableState, 2).size(), 2u);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(server->CountReceived(MessageId::TableState), 2u) << "never twice for one request";
}

TEST_F(RoomGame, TheAimGoesOutOnlyWhenItChangedAndAtMostOncePerSecond) {
    Serve();
    Enter(3);
    GameTable& table = *scene->Table();
    ASSERT_TRUE(table.Turn().IsControlEnabled()) << "the master holds the table";
    uint32_t now = 5000;
    auto frame = [&] {
        now += 10;
        scene->Update(now, int64_t{now} * 10, {});
    };
    // The next check of the throttle (its stamp moves); the time it ran.
    auto nextCheck = [&] {
        const uint32_t stamp = table.Aim().Pose().Stamp();
        for (int n = 0; n < 300 && table.Aim().Pose().Stamp() == stamp; ++n) frame();
        return table.Aim().Pose().Stamp();
    };
    nextCheck();
    nextCheck();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const size_t settled = server->CountReceived(MessageId::AimState);
    for (int n = 0; n < 3; ++n) nextCheck();
    EXPECT_EQ(server->CountReceived(MessageId::AimState), settled) << "an unchanged aim is not sent";

    table.Aim().Pose().aimYaw += 40.0f;
    const uint32_t first = nextCheck();
    table.Aim().Pose().aimYaw += 10.0f;
    const uint32_t second = nextCheck();
    EXPECT_GE(second - first, 1001u) << "at most once per 1001 ms";
    EXPECT_EQ(Sent(MessageId::AimState, settled + 2).size(), settled + 2);
    for (int n = 0; n < 2; ++n) nextCheck();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(server->CountReceived(MessageId::AimState), settled + 2);
}

TEST_F(RoomGame, ChatLinesGoOutAsTeamOrRoomLinesAndSpamIsRefused) {
    SkippedClock clock;
    Serve();
    Enter(3);
    EXPECT_TRUE(scene->SendChat(u"@ab", true));
    auto chats = Sent(MessageId::RoomChatSend, 1);
    ASSERT_EQ(chats.size(), 1u);
    EXPECT_EQ(chats[0].ReadU8(), 1) << "team chat";
    EXPECT_EQ(chats[0].ReadWString(), u"ab");
    clock.Skip(3100);  // the spam guard's 3 s
    EXPECT_TRUE(scene->SendChat(u"@a", true)) << "too short to send, but no spam";
    EXPECT_TRUE(scene->SendChat(u"hello", true));
    EXPECT_FALSE(scene->SendChat(u"again", true));
    EXPECT_TRUE(HasLine(u"No Spamming!"));
    EXPECT_EQ(ColourOf(u"No Spamming!"), kYellow);
    chats = Sent(MessageId::RoomChatSend, 2);
    ASSERT_EQ(chats.size(), 2u);
    EXPECT_EQ(chats[1].ReadU8(), 0);
    EXPECT_EQ(chats[1].ReadWString(), u"hello");

    // The report takes the received lines while they stay below 500 bytes.
    for (int n = 0; n < 21; ++n) Receive(kvtest::RoomChatMessage(0, kRival, u"Rival", quill::WString(60, u'x')));
    EXPECT_EQ(scene->ReceivedLines().size(), SceneRoomGame::kReceivedLines);
    // A report that cannot be sent (every packet taken) keeps the lines and says it was not sent.
    std::vector<quill::Packet*> taken;
    while (quill::Packet* packet = Connection().AllocPacket()) taken.push_back(packet);
    scene->OnMessage(Event::ReportSubmit, 0, 0);
    for (quill::Packet* packet : taken) Connection().FreePacket(packet);
    EXPECT_EQ(Box().Line(0).GetText(), AwaitedRequest::kNotSent);
    EXPECT_EQ(scene->ReceivedLines().size(), SceneRoomGame::kReceivedLines);
    scene->OnMessage(Event::ReportSubmit, 0, 0);
    EXPECT_EQ(Box().Line(0).GetText(), u"Your report has been sent.");
    auto reports = Sent(MessageId::ReportUser, 1);
    ASSERT_EQ(reports.size(), 1u);
    reports[0].ReadU32();
    reports[0].ReadWString();
    const uint16_t block = reports[0].ReadU16();
    EXPECT_LT(block, 500);
    EXPECT_EQ(block, 7 * 69) << "seven lines of 68 bytes and their ends";
    EXPECT_EQ(scene->ReceivedLines().size(), 13u);

    // With the word filter on, a received line shows its filtered words masked; the report keeps what was said.
    AddCensorWord(u"바보");
    Receive(kvtest::RoomChatMessage(0, kRival, u"Rival", u"너 바보야"));
    EXPECT_TRUE(HasLine(u"Rival : 너 ??야"));
    EXPECT_EQ(scene->ReceivedLines().back(), u"Rival : 너 바보야");
    app.GetSettingsMutable().chatFilter = 0;
    Receive(kvtest::RoomChatMessage(1, kRival, u"Rival", u"바보"));
    EXPECT_TRUE(HasLine(u"(Team)Rival : 바보")) << "the filter off";
    FilteredWords().pop_back();
}


// An owned item of the local player, from the connection's pool.
quill::InventoryItem* Own(GameConnection& connection, uint32_t key, uint32_t type, uint32_t kind, int16_t count) {
    quill::InventoryItem* item = connection.AllocItem();
    item->typeCode = type;
    item->kind = kind;
    item->state = 3;
    item->remaining = count;
    item->name = u"Boost";
    connection.LocalPlayer().AddItem(key, 0, item);
    return item;
}

TEST_F(RoomGame, ConsumedItemsGoOutTogetherAfterTheShotAndASpentOneLeavesEveryHolder) {
    Serve();
    Enter(3);
    Start(3);
    Own(Connection(), 501, 4510, 6, 4);
    quill::InventoryItem* spent = Own(Connection(), 502, 4511, 6, 0);
    Connection().SetActiveItem(1, 501, 0, 1);
    Connection().SetActiveItem(2, 502, 0, 1);
    scene->OnMessage(Event::ShotFired, 0, 0);
    ASSERT_TRUE(server->WaitForMessage(MessageId::Shot).has_value());
    auto consumed = Sent(MessageId::ItemConsumed, 2);
    ASSERT_EQ(consumed.size(), 2u) << "one packet, a sub-message per item";
    EXPECT_EQ(consumed[0].ReadU32(), 4510u);
    EXPECT_EQ(consumed[0].ReadI64(), 501);
    EXPECT_EQ(consumed[0].ReadU16(), 4);
    EXPECT_EQ(consumed[1].ReadU32(), 4511u);
    EXPECT_EQ(consumed[1].ReadI64(), 502);
    EXPECT_EQ(consumed[1].ReadU16(), 0) << "written before the item went";
    const auto lines = Lines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const quill::WString& line) { return line.ends_with(u" item has all been consumed."); }),
              1);
    EXPECT_EQ(Connection().LocalPlayer().FindItem(502, 0), nullptr);
    EXPECT_FALSE(Connection().IsItemActive(2)) << "no slot keeps the spent item";
    EXPECT_TRUE(Connection().IsItemActive(1));
    (void)spent;

    // Outside a game nothing is reported.
    Receive(kvtest::GameEndMessage(u"Rival", 1, 0, {{1, 1, {{kLocal, 0}}}, {2, 2, {{kRival, 0}}}}, 1));
    scene->Items().ReportConsumption();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(server->CountReceived(MessageId::ItemConsumed), 2u);
}

TEST_F(RoomGame, TheCuesDurabilityWarnsOncePerThresholdUntilTheCueChanges) {
    quill::InventoryItem* cue = Own(Connection(), 700, 3100, 1, 0);
    cue->customFlag = 1;
    cue->durabilityTotal = 1000;
    cue->durabilityCurrent = 50;
    Connection().LocalPlayer().equipped[3] = {700, 0, 3100};
    Enter(3);
    const quill::WString warning = u"큐의 내구도가 5% 밖에 남지 않았습니다.";
    auto count = [&](quill::WStringView text) {
        const auto lines = Lines();
        return std::count(lines.begin(), lines.end(), text);
    };
    EXPECT_EQ(count(warning), 1);
    EXPECT_EQ(ColourOf(warning), kRed);
    scene->Items().CheckCueDurability();
    EXPECT_EQ(count(warning), 1) << "once";
    cue->durabilityCurrent = 0;
    scene->Items().CheckCueDurability();
    scene->Items().CheckCueDurability();
    EXPECT_EQ(count(u"큐의 내구도가 0이 되어 성능이 적용되지 않습니다."), 1);
    // A stock cue has no durability: the next visit's chat has no warning.
    cue->customFlag = 0;
    scene->Activate();
    EXPECT_EQ(count(u"큐의 내구도가 0이 되어 성능이 적용되지 않습니다."), 0);
    EXPECT_EQ(count(warning), 0);
}

TEST_F(RoomGame, TheTableSwitchesFollowTheItemsOwnedInUseAndTheMastership) {
    Enter(3);
    Own(Connection(), 801, 4145, 4, 1);
    quill::InventoryItem* side = Own(Connection(), 802, 4146, 4, 1);
    scene->OnMessage(Event::GiftRefresh, 0, 0);
    GameTable& table = *scene->Table();
    EXPECT_TRUE(table.HudValues().ForScreens().masterOption);
    EXPECT_EQ(table.Aim().SideOption(), 1);
    // A timed item not yet started counts for nothing; the option item only for the master.
    side->state = 1;
    side->inUse = 0;
    scene->SetMasterSeat(kRival);
    scene->OnMessage(Event::GiftRefresh, 0, 0);
    EXPECT_FALSE(table.HudValues().ForScreens().masterOption);
    EXPECT_EQ(table.Aim().SideOption(), 0);

    // The gold cue: both switches once the server says it is in use, not before.
    quill::InventoryItem* gold = Own(Connection(), 803, 4150, 4, 1);
    gold->inUse = 0;
    Receive(kvtest::ItemUseResultMessage(0, 999, 4150));
    EXPECT_FALSE(table.HudValues().ForScreens().goldCue) << "an unknown key leaves the switches";
    Receive(kvtest::ItemUseResultMessage(0, 803, 4150));
    EXPECT_TRUE(table.HudValues().ForScreens().goldCue);
    EXPECT_TRUE(table.HudValues().ForScreens().goldCueInUse);
}

TEST_F(RoomGame, TheWaysOutOfAGameAskFirstAndSendTheirRequestsOnlyOnTheLocalTurn) {
    Serve();
    Enter(3);
    // Outside a game neither question opens.
    scene->OnMessage(Event::WithdrawConfirm, 1, 0);
    scene->OnMessage(Event::WithdrawChoice, 1, 0);
    EXPECT_FALSE(scene->WithdrawConfirmWindow()->IsVisible());
    EXPECT_FALSE(scene->OpponentRequestWindow()->IsVisible());

    Start(3, kRival);
    scene->OnMessage(Event::WithdrawConfirm, 1, 0);
    EXPECT_TRUE(scene->WithdrawConfirmWindow()->IsVisible());
    EXPECT_EQ(scene->WithdrawConfirmWindow()->ConfirmValue(), 0u) << "not a gamble game";
    scene->OnMessage(Event::WithdrawChoice, 2, 0);
    EXPECT_FALSE(scene->OpponentRequestWindow()->IsVisible()) << "the rival's turn";
    scene->OnMessage(Event::RoomEvent1091, 2, 0);

    kvtest::TestTurnResult passed;
    passed.nextShooter = kLocal;
    Receive(kvtest::TurnResultMessage(passed));
    ASSERT_TRUE(scene->IsLocalTurn());
    scene->OnMessage(Event::WithdrawChoice, 7, 0);
    EXPECT_FALSE(scene->OpponentRequestWindow()->IsVisible()) << "no such request";
    scene->SetShotInFlight(true);
    scene->OnMessage(Event::WithdrawChoice, 2, 0);
    EXPECT_FALSE(scene->OpponentRequestWindow()->IsVisible()) << "the balls still run";
    scene->SetShotInFlight(false);
    scene->OnMessage(Event::WithdrawChoice, 2, 0);
    ASSERT_TRUE(scene->OpponentRequestWindow()->IsVisible());
    EXPECT_EQ(scene->OpponentRequestWindow()->Kind(), 2);
    scene->OnMessage(Event::RoomEvent1091, 2, 0);
    EXPECT_FALSE(scene->OpponentRequestWindow()->IsVisible());
    auto requests = Sent(MessageId::RoomRequest1184, 1);
    ASSERT_EQ(requests.size(), 1u) << "the request on the rival's turn did not go";
    EXPECT_EQ(requests[0].ReadU8(), 2);

    // No leaves the game running; Yes asks the server.
    scene->OnMessage(Event::WithdrawDialogClose, 0, 0);
    scene->OnMessage(Event::WithdrawDialogClose, 1, 1);
    EXPECT_EQ(Sent(MessageId::RoomRequest1189, 1).size(), 1u);
}

TEST_F(RoomGame, TheTurnsQuestionNamesTheSeatTheServerNamesAndNoOther) {
    Enter(3);
    Receive(kvtest::ShortMessage(MessageId::RoomPrompt1191, {{9, 1}, {7, 1}}));
    EXPECT_FALSE(scene->TurnsExceededQuestion()->IsVisible()) << "no such seat";
    Receive(kvtest::ShortMessage(MessageId::RoomPrompt1191, {{kRival, 1}, {7, 1}}));
    ASSERT_TRUE(scene->TurnsExceededQuestion()->IsVisible());
    EXPECT_EQ(scene->TurnsExceededQuestion()->Line()->GetText(),
              quill::Format(u"%s has exceeded a total of %d turns.", Seat(kRival).name, 7));
}

// The skill window as the room sees it: which mode it was given and whether it opened.
class SkillWindowProbe : public SkillPopup {
public:
    void LoadWindowGraphics(uint32_t) override {}
    void Open(Widget&) override { opened = true; }
    void SetSelectedMode(int32_t gameMode) override { mode = gameMode; }
    void OnSkillSaveResult(quill::Packet&) override {}
    bool opened = false;
    int32_t mode = -1;
};

TEST_F(RoomGame, TheSkillWindowOpensOnTheRoomsGameMode) {
    auto probe = std::make_unique<SkillWindowProbe>();
    SkillWindowProbe& skill = *probe;
    auto* popups = dynamic_cast<ScenePopups*>(app.Scenes().Popups());
    ASSERT_NE(popups, nullptr);
    popups->SetPlayerWindows(nullptr, std::move(probe));
    Enter(4);
    scene->OnMessage(Event::RoomPopupOpen, 0, 0);
    EXPECT_TRUE(skill.opened);
    EXPECT_EQ(skill.mode, 4);
}

TEST_F(RoomGame, CountedItemsChangeOnlyWhenCounted) {
    quill::InventoryItem item;
    item.state = 3;
    item.remaining = 5;
    item.ConsumeCount(1);
    EXPECT_EQ(item.remaining, 4);
    item.RestoreCount(2);
    EXPECT_EQ(item.remaining, 6);
    item.state = 1;
    item.ConsumeCount(1);
    EXPECT_EQ(item.remaining, 6) << "a timed item keeps its count";
}

TEST_F(RoomGame, TheRoomsRequestsCarryTheirFields) {
    Serve();
    Enter(3);
    // Slots and readiness, the pocket called, the leave request.
    scene->OnMessage(Event::SlotChosen, 3, 0);
    scene->OnMessage(Event::SlotChosen, 9, 0);
    scene->OnMessage(Event::PocketCalled, 4, 0);
    scene->OnMessage(Event::PocketCalled, 7, 0);
    scene->OnMessage(Event::RoomEvent1040, 0, 0);
    auto slots = Sent(MessageId::RoomSlotRequest, 1);
    ASSERT_EQ(slots.size(), 1u) << "no slot 9";
    EXPECT_EQ(slots[0].ReadU8(), 3);
    auto pockets = Sent(MessageId::PocketCall, 1);
    ASSERT_EQ(pockets.size(), 1u) << "pockets 1 to 6 only";
    EXPECT_EQ(pockets[0].ReadU8(), 4);
    EXPECT_EQ(Sent(MessageId::LeaveRoomRequest, 1).size(), 1u);
}


TEST_F(RoomGame, TheRoomSettingsGoOutAsGameOptionChange) {
    Serve();
    Connection().GetRoomInfo().title = u"Evening";
    Enter(3);
    Routed(*scene, scene->TopButton(SceneRoomGame::kRoomSetting), 0, 0);
    scene->OnMessage(Event::GameOptionApply, 0, 0);
    auto options = Sent(MessageId::GameOptionChange, 1);
    ASSERT_EQ(options.size(), 1u);
    quill::Packet& p = options[0];
    EXPECT_EQ(p.ReadWString(), u"Evening");
    p.ReadU16();
    p.ReadU16();
    p.ReadU8();
    p.ReadWString();
    for (int n = 0; n < 4; ++n) p.ReadU8();
    EXPECT_EQ(p.ReadU8(), 0) << "no password";
    p.ReadU16();
    p.ReadU16();
    EXPECT_EQ(p.ErrorCount(), 0);
    EXPECT_EQ(p.Cursor(), p.LengthReadBack()) << "nothing more";
}

TEST_F(RoomGame, EachRequestToTheOpponentGoesOncePerGame) {
    Serve();
    Enter(3);
    Start(3, kLocal);
    auto choose = [this](int32_t choice) {
        scene->OpponentRequestWindow()->SetVisible(false);
        scene->OnMessage(Event::WithdrawChoice, static_cast<uint64_t>(choice), 0);
        return scene->OpponentRequestWindow()->IsVisible();
    };
    ASSERT_TRUE(choose(1));
    scene->OnMessage(Event::RoomEvent1091, 1, 0);
    EXPECT_FALSE(choose(1)) << "a withdrawal was asked for in this game";
    ASSERT_TRUE(choose(2)) << "the invalid game is a request of its own";
    scene->OnMessage(Event::RoomEvent1091, 2, 0);
    EXPECT_FALSE(choose(2));
    auto requests = Sent(MessageId::RoomRequest1184, 2);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].ReadU8(), 1);
    EXPECT_EQ(requests[1].ReadU8(), 2);

    Start(3, kLocal);
    EXPECT_TRUE(choose(1)) << "a new game allows each request again";
    EXPECT_TRUE(choose(2));
}

TEST_F(RoomGame, AFriendRequestShowsInTheNewMessageWindowAndItsClickOpensTheRequest) {
    Button& window = *scene->NewMessageWindow();
    window.SetVisible(true);
    Enter(3);
    EXPECT_FALSE(window.IsVisible()) << "an earlier visit's message goes on entering";

    Receive(kvtest::FriendRequestReceivedMessage(7011, 11, u"Courier"));
    auto& messenger = static_cast<Messenger&>(*app.Scenes().GetMessenger());
    EXPECT_FALSE(messenger.FriendRequest().IsVisible()) << "the room only announces it";
    scene->OnMessage(Event::ChatNotify, 0, 0);
    ASSERT_TRUE(window.IsVisible());
    EXPECT_EQ(window.GetCaption()->GetText(), u"Friends request from Courier");

    Routed(*scene, &window, 0, 0);
    EXPECT_FALSE(window.IsVisible());
    ASSERT_TRUE(messenger.FriendRequest().IsVisible());
    EXPECT_EQ(messenger.FriendRequest().Line(0)->GetText(), u"Courier has requested to add you as a friend.");
}

TEST_F(RoomGame, TheCameraInTheTopViewIsMarkedToRefocusOnTheCueBall) {
    Enter(3);
    GameTable& table = *scene->Table();
    table.Cameras().SetTopView(true);
    table.Cameras().SetRefocusOnTopViewExit(false);
    Start(3, kLocal);
    EXPECT_TRUE(table.Cameras().RefocusOnTopViewExit()) << "the start marks it: the move does nothing in the top view";
}

TEST_F(RoomGame, AnHourIntoAStakeGameTheContinueWindowShowsAndSixBallPlayersOutMayRejoin) {
    struct Case {
        uint8_t mode;
        uint32_t elapsedMs;
        bool shown;
    };
    for (const Case& c : {Case{5, 3600000, true}, Case{2, 3599000, false}, Case{3, 3600000, false}}) {
        SCOPED_TRACE(c.mode);
        TimeLimitNotice& window = *scene->ContinueWindow();
        window.SetVisible(false);
        Enter(c.mode, 1000);
        kvtest::TestRoomPlayer watcher;
        watcher.seat = 5;
        watcher.nickname = u"Watcher";
        Receive(kvtest::RoomMemberEnteredMessage(watcher, 3, 4));
        kvtest::TestGameStart start = kvtest::TwoPlayerStart(c.mode, kLocal, kRival);
        start.elapsedMs = c.elapsedMs;
        Receive(kvtest::GameStartMessage(start));
        EXPECT_FALSE(window.IsVisible());
        kvtest::TestTurnResult kept;
        kept.result = 2;
        kept.nextShooter = kLocal;
        Receive(kvtest::TurnResultMessage(kept));
        EXPECT_FALSE(window.IsVisible()) << "a kept turn does not come round";
        kvtest::TestTurnResult passed;
        passed.nextShooter = kRival;
        Receive(kvtest::TurnResultMessage(passed));
        EXPECT_FALSE(window.IsVisible()) << "the second place is up";
        passed.nextShooter = kLocal;
        Receive(kvtest::TurnResultMessage(passed));
        EXPECT_EQ(window.IsVisible(), c.shown);
        // A watcher who leaves has the window weighed again.
        window.SetVisible(false);
        Receive(kvtest::ShortMessage(MessageId::RoomMemberLeft, {{2, 1}, {5, 1}, {0, 1}, {0, 1}}));
        EXPECT_EQ(window.IsVisible(), c.shown);
    }

    // Six balls: a settlement that goes on without the local player offers the way back in.
    kvtest::TestRoomPlayer third;
    third.seat = 2;
    third.nickname = u"Third";
    Enter(6, 1000);
    Receive(kvtest::RoomMemberEnteredMessage(third, 3, 4));
    Receive(kvtest::ShortMessage(MessageId::SeatChanged, {{2, 1}, {3, 1}}));
    kvtest::TestGameStart start = kvtest::TwoPlayerStart(6, kRival, kLocal);
    start.teams.push_back(kvtest::TestStartTeam{3, 0, 0, 0, 0, 0, {{2, 0}}});
    Receive(kvtest::GameStartMessage(start));
    EXPECT_FALSE(scene->JoinButton()->IsVisible());
    Receive(kvtest::GameSettlementMessage({{1, 0, {}}, {2, 2, {98000}}, {3, 0, {}}}, 1));
    ASSERT_TRUE(scene->IsGameRunning());
    EXPECT_TRUE(scene->JoinButton()->IsVisible()) << "the rejoin window";
}

TEST_F(RoomGame, OnATournamentChannelTheScoreBoardFollowsTheGame) {
    Serve();
    Connection().SetChannelKind(0, SceneRoomGame::kTournamentChannel);
    Connection().SetCurrentChannel(1);
    Enter(3);
    kvtest::TestRoomSnapshot untimed;
    untimed.turnTime = 0;  // no time-out takes the control first
    Receive(kvtest::RoomSnapshotMessage(untimed));
    ScoreBoard& board = *scene->Score();
    ASSERT_TRUE(board.IsVisible());
    EXPECT_EQ(board.Points()->GetText(), u"");
    EXPECT_EQ(board.ShownMinutes(), 15u);
    EXPECT_FALSE(board.EndButton()->IsVisible());

    Start(3, kLocal);
    EXPECT_TRUE(board.EndButton()->IsVisible());
    EXPECT_EQ(board.Innings()->GetText(), u"1");
    EXPECT_EQ(board.Points()->GetText(), u"0 pts");
    const uint32_t started = platform::TimeGetTime();
    auto tenFrames = [this](uint32_t now) {
        for (int n = 0; n < 10; ++n) scene->Update(now, int64_t{now} * 10, {});
    };
    tenFrames(started + 61500);
    EXPECT_EQ(board.ShownMinutes(), 13u);
    EXPECT_EQ(board.ShownSeconds(), 58u);
    ASSERT_TRUE(scene->Table()->Turn().IsControlEnabled());
    tenFrames(started + 900600);
    EXPECT_EQ(board.ShownMinutes(), 0u);
    EXPECT_EQ(board.ShownSeconds(), 0u);
    EXPECT_FALSE(scene->Table()->Turn().IsControlEnabled()) << "fifteen minutes end the shooter's control";
    const auto ends = Sent(MessageId::RoomRequest1236, 1);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(quill::Packet(ends[0]).ReadU8(), 1);

    kvtest::TestTurnResult turn;
    turn.nextShooter = kRival;
    turn.innings = 3;
    turn.points = 7;
    Receive(kvtest::TurnResultMessage(turn));
    EXPECT_EQ(board.Innings()->GetText(), u"3");
    EXPECT_EQ(board.Points()->GetText(), u"7 pts");
    EXPECT_EQ(board.Average()->GetText(), u"2.3");

    // Entering a running game fills the board as the start does.
    board.Reset();
    kvtest::TestRoomSnapshot running;
    running.roomState = 2;
    Receive(kvtest::RoomSnapshotMessage(running));
    EXPECT_TRUE(board.EndButton()->IsVisible());
    EXPECT_EQ(board.Innings()->GetText(), u"1");
}

}  // namespace
}  // namespace kestrovan::test
