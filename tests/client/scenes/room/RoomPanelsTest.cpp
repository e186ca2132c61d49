// The room's panels on the headless App: the start and ready panel's seat, ready and start events; the
// player board's texts per game type, its player menu (what may be done to oneself, the clan invitation's
// rank, the kick's refusals, UserInfoRequest's bytes) and the countdown's sound; the result board, the ranking
// texts and the timed notices; the score board, track, clock and point rule.
#include <gtest/gtest.h>

#include <vector>

#include "QuillLib/core/AppEventId.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/room/FloatingGainText.h"
#include "client/scenes/room/GameClock.h"
#include "client/scenes/room/MoneyNotice.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/PointRulePanel.h"
#include "client/scenes/room/RankingPopup.h"
#include "client/scenes/room/ResultBoard.h"
#include "client/scenes/room/RoomMenu.h"
#include "client/scenes/room/ScoreBoard.h"
#include "client/scenes/room/ScoreTrack.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/scenes/room/TimedLabel.h"
#include "client/scenes/room/WithdrawQuestion.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/Panel.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Window.h"
#include "tests/support/scenes/RecordingSender.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

struct PostedByPanel {
    uint32_t id, wParam;
    friend bool operator==(const PostedByPanel&, const PostedByPanel&) = default;
};

class RoomPanels : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    RoomPanels() : SceneTestApp(AppMode::Online, {u"launcher"}) { root.Create(0, 0, 1024, 768, -1, -1); }

    AppEventPoster Recorder() {
        return [this](uint32_t id, uint32_t w, uint32_t, uint32_t) { posted.push_back({id, w}); };
    }
    GameConnection& Connection() { return *app.Connection(); }
    template <class T>
    T& Attach(std::unique_ptr<T> widget, bool visible = true) {
        return *static_cast<T*>(root.AddChild(std::move(widget), visible));
    }

    Panel root;
    RecordingSender sender;
    std::vector<PostedByPanel> posted;
    std::vector<quill::WString> notices;
    std::vector<quill::WString> errors;
};

TEST_F(RoomPanels, SeatsReadyAndStartPostTheirEventsAndAWatcherCannotBeReady) {
    StartReadyPanel& panel = Attach(std::make_unique<StartReadyPanel>(
        Connection(), Recorder(), [this](quill::WStringView text) { notices.emplace_back(text); }));
    panel.Place(1024, 768);
    EXPECT_EQ(panel.GetRect().left, 654);
    EXPECT_EQ(panel.GetRect().top, 688);
    EXPECT_EQ(panel.SeatButton(0)->GetRect().left - panel.GetRect().left, 192) << "seat 0 is the seventh";
    EXPECT_EQ(panel.SeatButton(1)->GetRect().left - panel.GetRect().left, 0);
    panel.SetSeat(3);
    panel.SetMasterFlag(true);
    panel.SetMaster(true);
    EXPECT_TRUE(panel.StartButton()->IsVisible());
    EXPECT_FALSE(panel.ReadyButton()->IsVisible());
    panel.SetMasterFlag(false);
    panel.SetMaster(true);
    EXPECT_TRUE(panel.ReadyButton()->IsVisible());
    EXPECT_TRUE(panel.Hint()->IsVisible());

    // Choosing seat 0 while seated: no money check, Ready disabled, the hint gone.
    panel.OnEvent(panel.SeatButton(0), 1, 0);
    EXPECT_EQ(posted, (std::vector<PostedByPanel>{{quill::AppEventId::SlotChosen, 0}}));
    EXPECT_TRUE(panel.SeatButton(0)->IsChecked());
    EXPECT_FALSE(panel.ReadyButton()->IsEnabled());
    EXPECT_FALSE(panel.Hint()->IsVisible());
    panel.OnEvent(panel.SeatButton(0), 1, 0);
    EXPECT_EQ(posted.size(), 1u) << "the seat already held posts nothing";

    // A watcher without enough money for a seat: the shortage, then the seat anyway.
    Connection().GetRoomInfo().gameType = 6;
    Connection().GetRoomInfo().stake = 1000;
    Connection().LocalPlayer().money = 1999;
    posted.clear();
    panel.OnEvent(panel.SeatButton(2), 1, 0);
    EXPECT_EQ(posted, (std::vector<PostedByPanel>{{quill::AppEventId::SlotSelected, 2000}, {quill::AppEventId::SlotChosen, 2}}));

    // Ready: every seat but the held one disabled; released, all seven back.
    posted.clear();
    panel.ReadyButton()->SetChecked(true);
    panel.OnEvent(panel.ReadyButton(), 1, 0);
    EXPECT_EQ(posted, (std::vector<PostedByPanel>{{quill::AppEventId::RoomToggleChanged, 1}}));
    for (int32_t seat = 0; seat < StartReadyPanel::kSeatCount; ++seat) {
        EXPECT_EQ(panel.SeatButton(seat)->IsEnabled(), seat == 2) << seat;
    }
    panel.ReadyButton()->SetChecked(false);
    panel.OnEvent(panel.ReadyButton(), 0, 0);
    for (int32_t seat = 0; seat < StartReadyPanel::kSeatCount; ++seat) EXPECT_TRUE(panel.SeatButton(seat)->IsEnabled());
    panel.OnEvent(panel.StartButton(), 0, 0);
    EXPECT_EQ(posted.back(), (PostedByPanel{quill::AppEventId::StartReadyPressed, 1}));

    // In a tournament channel while the race runs only the master plays: the watcher stays, the check still
    // runs.
    Connection().SetChannelKind(0, StartReadyPanel::kTournamentChannel);
    Connection().SetCurrentChannel(1);
    TournamentRecord race;
    race.running = 1;
    Connection().SetTournament(race);
    panel.SetSeat(0);
    posted.clear();
    panel.OnEvent(panel.SeatButton(4), 1, 0);
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back(), u"방장만 참여할 수 있는 대회입니다.");
    EXPECT_EQ(panel.Seat(), 0);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].id, quill::AppEventId::SlotSelected);

    panel.OnGameStart();
    EXPECT_FALSE(panel.IsVisible());
    EXPECT_TRUE(panel.GameRunning());
}

class PlayerBoardTest : public RoomPanels {
protected:
    PlayerBoardTest() {
        PlayerBoard::Services services;
        services.sender = &sender;
        services.poster = Recorder();
        services.notice = [this](quill::WStringView text) { notices.emplace_back(text); };
        services.error = [this](quill::WStringView text) { errors.emplace_back(text); };
        services.openUserDialog = [this](const quill::PlayerState& player, int32_t action) {
            dialogs.push_back({player.name, action});
        };
        services.showOwnProfile = [this](int32_t, const quill::PlayerState&) { ++profiles; };
        services.playSound = [this](uint32_t id) { sounds.push_back(id); };
        board = &Attach(std::make_unique<PlayerBoard>(Connection(), services));
        Connection().LocalPlayer().accountId = 500;
    }
    // Seats a player in a team of the model.
    quill::PlayerState& Seat(uint8_t seat, uint8_t team, const char16_t* name, int64_t accountId) {
        quill::PlayerState& player = model.players[seat];
        player.seat = static_cast<int8_t>(seat);
        player.team = static_cast<int8_t>(team);
        player.name = name;
        player.accountId = accountId;
        player.level = 3;
        model.teams[team].id = team;
        model.teams[team].AddMember(&player, 0, 1);
        return player;
    }
    void Click(size_t row) { board->OnEvent(board->Row(row), 0, 0); }
    void Menu(size_t entry) { board->OnEvent(board->MenuEntry(entry), 0, 0); }

    PlayerBoard* board = nullptr;
    quill::GameModel model;
    quill::RoomInfo room;
    std::vector<std::pair<quill::WString, int32_t>> dialogs;
    std::vector<uint32_t> sounds;
    int profiles = 0;
};

TEST_F(PlayerBoardTest, RowsSayWhatTheGameTypeCountsAndTheBoardSitsAboveItsRows) {
    quill::PlayerState& me = Seat(1, 1, u"Me", 500);
    me.ratingByType[4] = 17;
    me.ratingByType[0] = 120;
    me.generalAverage = 123;
    me.money = 12345;
    Seat(2, 2, u"You", 600).level = 0;
    room.gameType = 4;
    board->Refresh(model, room);
    EXPECT_EQ(board->RowCount(), 2);
    EXPECT_EQ(board->RowName(0)->GetText(), u"Me");
    EXPECT_EQ(board->RowScore(0)->GetText(), u"GA:1.23");
    EXPECT_EQ(board->RowMoney(0)->GetText(), u"12,345");
    EXPECT_EQ(board->RowIcon(0)->GetSourceRect().left, 44);
    EXPECT_EQ(board->RowIcon(1)->GetSourceRect().left, 0) << "level 0 shows the first icon";
    board->Place(1024, 768);
    EXPECT_EQ(board->Row(0)->GetRect().top, 768 - 52 * 2 - 168);
    EXPECT_EQ(board->Row(0)->GetRect().left, 1024 - 200);
    EXPECT_EQ(board->MatchLabel()->GetText(), u"1:1 Match avail");

    room.gameType = 0;
    board->Refresh(model, room);
    EXPECT_EQ(board->RowScore(0)->GetText(), u"(  0/120)");
    room.gameType = 10;
    me.ratingByType[10] = 7;
    board->Refresh(model, room);
    EXPECT_EQ(board->RowScore(0)->GetText(), u"HD:7");
    EXPECT_EQ(board->RowGroup(0)->GetText(), u" ");
    room.gameType = 2;
    board->Refresh(model, room);
    EXPECT_EQ(board->RowScore(0)->GetText(), u"12,345");

    // In a game: money gained in the gambles, groups in 8-ball, points in snooker.
    board->OnGameStart();
    EXPECT_EQ(board->Row(0)->GetRect().top, 768 - 52 * 2 - 168 + 80) << "80 lower in a game";
    me.money = 12845;
    board->Refresh(model, room);
    EXPECT_EQ(board->RowScore(0)->GetText(), u"+500");
    me.money = 12000;
    board->Refresh(model, room);
    EXPECT_EQ(board->RowScore(0)->GetText(), u"-345");
    room.gameType = 10;
    model.teams[1].SetBallGroup(3);
    board->Refresh(model, room);
    EXPECT_EQ(board->RowGroup(0)->GetText(), u"STRIPE");
    EXPECT_EQ(board->RowGroup(1)->GetText(), u"?");
    room.gameType = 16;
    model.teams[1].score = 42;
    board->Refresh(model, room);
    EXPECT_EQ(board->RowScore(0)->GetText(), u" 42 pts");
    room.gameType = 3;
    model.teams[1].remaining = 150;
    model.teams[1].bankFinishes = 2;
    board->Refresh(model, room);
    EXPECT_EQ(board->RowScore(0)->GetText(), u"(2B/ 15)");
    board->SetTarget(15, 30);
    EXPECT_EQ(board->GoalLabel()->GetText(), u"15pts / 30inn");
    EXPECT_FALSE(board->MatchLabel()->IsVisible()) << "no match line in a game";

    board->SetCurrent(&model.players[2]);
    EXPECT_TRUE(board->CurrentArrow()->IsVisible());
    EXPECT_EQ(board->CurrentArrow()->GetRect().top - board->GetRect().top, 66 + 52);
}

TEST_F(PlayerBoardTest, TheMenuOfferslessOnOneselfAndSendsWhatItAsks) {
    Seat(1, 1, u"Me", 500);
    Seat(2, 1, u"Yu%s", 0x0102030405060708);
    room.gameType = 0;
    board->Refresh(model, room);

    Click(0);
    EXPECT_TRUE(board->Menu()->IsVisible());
    EXPECT_TRUE(board->MenuEntry(0)->IsEnabled());
    for (size_t k = 1; k <= 4; ++k) EXPECT_FALSE(board->MenuEntry(k)->IsEnabled()) << k;
    EXPECT_TRUE(board->MenuEntry(5)->IsEnabled());
    Menu(0);
    EXPECT_EQ(profiles, 1) << "one's own profile";
    EXPECT_TRUE(sender.sent.empty());
    Menu(5);
    EXPECT_EQ(posted.back().id, quill::AppEventId::RoomMenuReport);

    // Clan invitation needs a clan rank of 9.
    Connection().LocalPlayer().clanId = 9;
    Connection().LocalPlayer().clanRank = 8;
    Click(1);
    EXPECT_TRUE(board->MenuEntry(1)->IsEnabled());
    EXPECT_FALSE(board->MenuEntry(4)->IsEnabled());
    Connection().LocalPlayer().clanRank = 9;
    Click(1);
    EXPECT_TRUE(board->MenuEntry(4)->IsEnabled());

    Menu(0);
    const auto requests = sender.Of(quill::MessageId::UserInfoRequest);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], (std::vector<uint8_t>{25, 0, 17, 0, 255, 8, 7, 6, 5, 4, 3, 2, 1, 8, 0, u'Y', 0, u'u', 0,
                                                 u'%', 0, u's', 0, 0, 0}));
    Menu(1);
    Menu(3);
    Menu(4);
    EXPECT_EQ(dialogs, (std::vector<std::pair<quill::WString, int32_t>>{
                           {u"Yu%s", PlayerBoard::kAskFriend}, {u"Yu%s", PlayerBoard::kCutChat}, {u"Yu%s", PlayerBoard::kInviteClan}}));

    // Kicking: not a playing seat in a game, only the master, only with a membership.
    board->OnGameStart();
    Menu(2);
    EXPECT_EQ(notices.back(), u"Users participating in the game cannot be kicked out.");
    board->OnGameEnd();
    Menu(2);
    EXPECT_EQ(errors.back(), u"This feature is only allowed for room masters.");
    board->SetMaster(true);
    Menu(2);
    EXPECT_EQ(notices.back(), u"This feature allowed to Plus pack.");
    Connection().SetTaggedText(3, u"2030", 0);
    Menu(2);
    EXPECT_EQ(dialogs.back().second, PlayerBoard::kKick);
    Menu(5);
    EXPECT_EQ(posted.back().id, quill::AppEventId::PlayerMenuAction);

    // Only eight rows: an id past them is no row.
    Widget ninth;
    ninth.SetId(PlayerBoard::kFirstRowId + 8);
    EXPECT_FALSE(board->OnEvent(&ninth, 0, 0));
}

TEST_F(PlayerBoardTest, TheCountdownSoundsFromNineToOneOnlyWhenItChanges) {
    board->SetTurnTime(12);
    for (int32_t elapsed = 0; elapsed <= 14; ++elapsed) board->UpdateCountdown(elapsed);
    board->UpdateCountdown(14);
    EXPECT_EQ(sounds, std::vector<uint32_t>(9, PlayerBoard::kCountdownSound));
    EXPECT_EQ(board->Remaining(), 0);
}

TEST_F(RoomPanels, ResultRowsRankTextsAndPassingNotices) {
    ResultBoard& results = Attach(std::make_unique<ResultBoard>(), false);
    results.SetGrid(2, 2);
    EXPECT_TRUE(results.Row(3).name->GetParent()->IsVisible());
    EXPECT_FALSE(results.Row(4).name->GetParent()->IsVisible());
    results.SetRow(1, 1, u"Kim", 1, 3, 1500, 0);
    const ResultBoard::RowWidgets& row = results.Row(3);
    EXPECT_EQ(row.result->GetText(), u"WIN");
    EXPECT_EQ(row.points->GetText(), u"+3");
    EXPECT_EQ(row.money->GetText(), u"+1,500");
    EXPECT_EQ(row.rank->GetSourceRect().left, 960);
    results.SetRow(0, 0, u"Lee", 8, 0, -20, 255);
    EXPECT_EQ(results.Row(0).result->GetText(), u"Playing");
    EXPECT_FALSE(results.Row(0).points->IsVisible());
    EXPECT_EQ(results.Row(0).rank->GetSourceRect().left, 160);
    results.SetRow(0, 0, u"Lee", 2, 0, -20, 255);
    EXPECT_EQ(results.Row(0).points->GetText(), u"0");
    EXPECT_EQ(results.Row(0).money->GetText(), u"-20");
    results.SetRow(3, 3, u"Beyond", 1, 1, 1, 1);  // row 9: ignored
    results.SetFee(0);
    EXPECT_FALSE(results.FeeLine()->IsVisible());
    results.SetFee(10);
    EXPECT_EQ(results.FeeLine()->GetText(), u"10% of earn money is payed for game fee.");

    RankingPopup& ranking = Attach(std::make_unique<RankingPopup>(), false);
    for (const auto& [rank, text] : std::vector<std::pair<int32_t, const char16_t*>>{
             {100, u"Congratulations! You're ranked at 100."},
             {101, u"Unfortunately you could not be ranked in the top 100."},
             {9998, u"Your rank is lower than the previous record."},
             {9999, u"Unfortunately you could not be ranked in the top 100."}}) {
        ranking.SetRank(rank);
        ranking.SetVisible(true);
        EXPECT_EQ(ranking.Line()->GetText(), text) << rank;
        ranking.SetVisible(false);
    }

    FloatingGainText& gain = Attach(std::make_unique<FloatingGainText>(true, true), false);
    gain.ShowAt(0, u"G", 100, 200, 0xFFFFFFFF);
    EXPECT_EQ(gain.GetText(), u"0 G") << "no plus sign for 0";
    gain.ShowAt(1200, u"G", 100, 200, 0xFFFFFFFF);
    EXPECT_EQ(gain.GetText(), u"+1,200 G");
    int ticks = 0;
    while (gain.IsVisible() && ticks < 200) {
        gain.Tick(0);
        ++ticks;
    }
    EXPECT_EQ(ticks, 84) << "opacity falls by 0.012 a tick";

    TimedLabel& label = Attach(std::make_unique<TimedLabel>(), false);
    label.SetVisible(true);
    label.Tick(5000);
    label.Tick(6999);
    EXPECT_TRUE(label.IsVisible());
    label.Tick(7000);
    EXPECT_FALSE(label.IsVisible());

    MoneyNotice& money = Attach(std::make_unique<MoneyNotice>(), false);
    money.ShowAmount(25000, u"Jackpot");
    EXPECT_EQ(money.Amount()->GetText(), u"25,000");
    money.Tick(100);
    money.Tick(5099);
    EXPECT_TRUE(money.IsVisible());
    money.Tick(5100);
    EXPECT_FALSE(money.IsVisible());

    RoomMenu& menu = Attach(std::make_unique<RoomMenu>(Recorder()), false);
    menu.SetVisible(true);
    menu.OnEvent(menu.EntryButton(RoomMenu::kHelp), 0, 0);
    menu.OnEvent(menu.EntryButton(RoomMenu::kWithdraw), 0, 0);
    menu.OnEvent(menu.EntryButton(RoomMenu::kClose), 0, 0);
    EXPECT_EQ(posted, (std::vector<PostedByPanel>{{quill::AppEventId::HelpMenuChosen, 0},
                                           {quill::AppEventId::WithdrawMenuChosen, 0}}));
    EXPECT_FALSE(menu.IsVisible());

    WithdrawQuestion& question = Attach(std::make_unique<WithdrawQuestion>(sender), false);
    quill::PlayerState opponent;
    opponent.name = u"Park";
    opponent.seat = 3;
    opponent.accountId = 0x11;
    question.SetTarget(opponent, 5);
    question.SetVisible(true);
    EXPECT_EQ(question.Line()->GetText(), u"Park has exceeded a total of 5 turns.");
    for (Widget* child : question.GetChildren()) {
        if (child->GetId() == WithdrawQuestion::kOk) question.OnEvent(child, 0, 0);
    }
    EXPECT_EQ(sender.Of(quill::MessageId::WithdrawRequest),
              (std::vector<std::vector<uint8_t>>{{14, 0, 0xA8, 4, 1, 3, 0x11, 0, 0, 0, 0, 0, 0, 0}}));
}

TEST_F(RoomPanels, TheScoreBoardTrackClockAndPointRule) {
    ScoreBoard& board = Attach(std::make_unique<ScoreBoard>(sender));
    board.SetCountdown(900001);
    EXPECT_EQ(board.ShownMinutes(), 0u);
    EXPECT_EQ(board.ShownSeconds(), 0u);
    board.SetCountdown(61500);
    EXPECT_EQ(board.ShownMinutes(), 13u);
    EXPECT_EQ(board.ShownSeconds(), 58u);
    EXPECT_FALSE(board.Colon()->IsVisible());
    board.SetStats(0, 5);
    EXPECT_EQ(board.Average()->GetText(), u"0.0");
    board.SetStats(4, 10);
    EXPECT_EQ(board.Average()->GetText(), u"2.5");
    EXPECT_EQ(board.Points()->GetText(), u"10 pts");
    board.OnGameStart();
    board.OnEvent(board.EndButton(), 0, 0);
    EXPECT_EQ(sender.sent.back(), (std::vector<uint8_t>{5, 0, 0xD4, 4, 0}));

    std::vector<uint32_t> sounds;
    ScoreTrack& track = Attach(std::make_unique<ScoreTrack>([&sounds](uint32_t id) { sounds.push_back(id); }));
    track.Set(3, 2, 7, 2, 0, 4, 0);
    for (size_t cell = 0; cell < ScoreTrack::kCells; ++cell) {
        EXPECT_EQ(track.Lit(cell)->IsVisible(), cell == 3 || cell == 6) << cell;
    }
    EXPECT_EQ(track.GoalLabel()->GetText(), u"x2");
    EXPECT_EQ(track.GoalLabel()->GetRect().left - track.GetRect().left, 32 * 7 + 2);
    EXPECT_FALSE(track.Marker(0)->IsVisible());
    EXPECT_TRUE(track.Marker(1)->IsVisible());
    EXPECT_EQ(track.Marker(1)->GetRect().left - track.GetRect().left, 32 * 4 - 3);
    // A goal of 0 leaves each marker to its own cell.
    track.Set(3, 2, 0, 1, 2, 0, 0);
    EXPECT_TRUE(track.Marker(0)->IsVisible());
    EXPECT_FALSE(track.Lit(3)->IsVisible());
    track.HideMarker();
    EXPECT_EQ(sounds, std::vector<uint32_t>{ScoreTrack::kMarkerSound});

    GameClock& clock = Attach(std::make_unique<GameClock>());
    clock.Set(3600000);
    EXPECT_EQ(clock.Hours(), 1u);
    EXPECT_EQ(clock.Minutes(), 0u);
    clock.Set(3600000 + 59 * 60000 + 700);
    EXPECT_EQ(clock.Minutes(), 59u);
    EXPECT_FALSE(clock.Colon()->IsVisible());

    PointRulePanel& rule = Attach(std::make_unique<PointRulePanel>());
    rule.SetRule(3, 1);
    EXPECT_EQ(rule.RuleLabel()->GetText(), u"2pts each 3hit");
    rule.SetRule(13, 0);
    EXPECT_EQ(rule.RuleLabel()->GetText(), u"1pts each 5step");
    rule.SetRule(4, 0);
    EXPECT_EQ(rule.PointsPerStep(), 0);
}

}  // namespace
}  // namespace kestrovan::test
