// The practice room with the game data on a headless App, talking to the stand-in server through the
// connection's dispatch thread: the tips and the game types without a challenge, the level gate, a
// challenge of failed shots that ends with one ChallengeResult at its twentieth inning and the server's
// reward, the gold charge refused or asked for and paid, an item of limited time used through ItemUse, and
// a leave that gives no item of the inventory back to the pool; the referee's word on a challenge shot.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/scenes/common/WaitingPopup.h"
#include "client/scenes/practice/ChallengeSelectWindow.h"
#include "client/scenes/practice/SceneRoomPractice.h"
#include "client/rules/Referee.h"
#include "client/table/GameTable.h"
#include "client/table/TableInput.h"
#include "client/table/TableEquipment.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "tests/client/rules/RecordingTableSound.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/net/TableScreenMessages.h"
#include "tests/support/scenes/SceneTestApp.h"
#include "tests/support/scenes/ScreenThreads.h"

namespace kestrovan::test {
namespace {

class PracticeRoom : public SceneTestApp {
protected:
    PracticeRoom() : SceneTestApp(AppMode::Online, {u"launcher"}) {
        RegisterItemModels();
        std::filesystem::copy(KV_DATA_FOLDER, fixture.folder.Path() / "data", std::filesystem::copy_options::recursive);
        loaded = app.InitRenderer();
        {
            const quill::ScopedLock turn = MainThreadTurn();
            app.Scenes().SetPopups(CreateScenePopups(app));
            auto owned = CreateScene(SceneId::RoomPractice, app);
            practice = static_cast<SceneRoomPractice*>(owned.get());
            practice->Init();
            app.Scenes().AddScene(std::move(owned));
            app.Scenes().SwitchTo(SceneId::RoomPractice);
            practice->SetReady(true);
        }
        // No login script: the login's answer would rewrite the player's record while a test reads it.
        kvtest::InstallPracticeScript(server, script);
        server.GreetWithHello();
        GameConnection& connection = *app.Connection();
        connection.SetServerAddress(server.Host(), server.Port());
        connection.StartDispatchThread();
        connection.Connect();
        connected = server.WaitForMessage(quill::MessageId::LoginRequest).has_value();
    }
    ~PracticeRoom() override {
        app.Connection()->StopDispatchThread();
        const quill::ScopedLock turn = MainThreadTurn();
        if (practice->Table() != nullptr) practice->OnLeave(app.GetResourceManager(), nullptr);
    }

    // The room for the game type, loaded and entered, with a player of the level and gold.
    void Enter(quill::GameType type, uint16_t level = 12, int64_t gold = 1000) {
        ASSERT_TRUE(loaded);
        ASSERT_TRUE(connected);
        app.Connection()->GetRoomInfo().gameType = static_cast<uint8_t>(type);
        Player().level = level;
        Player().money = gold;
        const quill::ScopedLock turn = MainThreadTurn();
        ASSERT_EQ(practice->LoadResources(app.GetResourceManager(), app.GetDevice()), 0);
        practice->Activate();
    }
    quill::PlayerState& Player() { return app.Connection()->LocalPlayer(); }
    NoticeBox& Box() { return *app.Scenes().GetMessageBox(); }
    bool BoxSays(quill::WStringView line) {
        return Box().IsVisible() && Box().Line(0).GetText() == line;
    }
    void Click(int32_t control) {
        for (Widget* child : practice->GetChildren()) {
            if (child->GetId() == control) {
                Routed(*practice, child, 0, 0);
                return;
            }
        }
    }
    // The table's end of a shot, as the game thread hands it to the screen.
    void BallsStop() {
        app.PostEvent(quill::AppEventId::BallsStopped, 0, 0, 0);
        app.DrainPostedEvents();
    }

    kvtest::GameServerFixture server;
    kvtest::PracticeScript script;
    bool loaded = false;
    bool connected = false;
    SceneRoomPractice* practice = nullptr;
};

TEST_F(PracticeRoom, AGameTypeWithoutChallengeSaysSoAndOffersNone) {
    Enter(10);
    const PracticeTextList lines = practice->Lines();
    ASSERT_EQ(lines.Count(), 5u);
    EXPECT_EQ(lines.At(0).text, u"You can move the ball freely in the practice room.");
    EXPECT_EQ(lines.At(3).text, u"Try other game type..");
    EXPECT_EQ(lines.At(4).text, u"N/A : 6balls, 8-ball, 9-ball, Snooker");
    EXPECT_EQ(practice->ShownLine(4)->GetText(), u"N/A : 6balls, 8-ball, 9-ball, Snooker");
    EXPECT_EQ(practice->Table()->Equipment().GameMode(), 10);
    EXPECT_EQ(Player().practiceValue, SceneRoomPractice::kLocalValue);

    Click(SceneRoomPractice::kChallenge);
    EXPECT_TRUE(BoxSays(u"Try other game type.."));
    EXPECT_FALSE(practice->Selection()->IsVisible());
}

TEST_F(PracticeRoom, TheLevelGateRefusesAndAChallengeOfFailuresEndsWithOneResultAndItsReward) {
    Enter(0, 9);
    Click(SceneRoomPractice::kChallenge);
    ASSERT_TRUE(practice->Selection()->IsVisible());
    EXPECT_EQ(practice->Selection()->LevelLine(3)->GetText(), u"Target score : 30   Rewards 3,000  (Req. lv. 10)");

    // The reward the server answers the result with waits for the end of this turn.
    {
        const quill::ScopedLock turn = MainThreadTurn();
        practice->ChooseLevel(3);
        EXPECT_TRUE(BoxSays(u"Check the game level for try."));
        app.DrainPostedEvents();
        EXPECT_FALSE(practice->Challenge().IsActive()) << "nothing starts below the level";

        Box().SetVisible(false);
        practice->ChooseLevel(2);
        EXPECT_FALSE(practice->Selection()->IsVisible());
        app.DrainPostedEvents();
        ASSERT_TRUE(practice->Challenge().IsActive());
        EXPECT_EQ(practice->Table()->State(), 7);
        EXPECT_TRUE(practice->Board()->IsVisible());
        EXPECT_FALSE(practice->ChallengeButton()->IsVisible());
        EXPECT_EQ(practice->BoardLine(0)->GetText(), u"Inning (1/20)");
        EXPECT_EQ(practice->BoardLine(3)->GetText(), u"Target Pts. 20");
        EXPECT_EQ(practice->BoardLine(4)->GetText(), u"Rewards 2,500");

        // A resting table counts nothing: every shot fails, the cue ball changes between the two whites.
        const uint32_t cueBall = practice->Table()->Physics().CueBall();
        BallsStop();
        EXPECT_EQ(practice->Challenge().Innings(), 2);
        EXPECT_NE(practice->Table()->Physics().CueBall(), cueBall);
        EXPECT_EQ(practice->Lines().Shown().back().text, u"Failed... OTL");
        EXPECT_EQ(practice->BoardLine(0)->GetText(), u"Inning (2/20)");
        for (int shot = 0; shot < 25; ++shot) BallsStop();
        EXPECT_EQ(practice->ChallengeResultsSent(), 1u);
        EXPECT_FALSE(practice->Challenge().IsActive());
        EXPECT_EQ(practice->Table()->State(), 5);
        EXPECT_EQ(practice->Table()->Physics().CueBall(), 0u);
    }

    const auto result = server.WaitForMessage(quill::MessageId::ChallengeResult);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->bytes, (std::vector<uint8_t>{8, 0, 0x7C, 4, 0, 2, 0, 0}));
    // The notice comes last in the reward's handling: what came before it is read after it.
    ASSERT_TRUE(Eventually([&] { return BoxSays(u"You earned 2,000 gold for rewards."); })) << "ChallengeReward";
    EXPECT_EQ(Player().money, script.goldAfterReward);
    EXPECT_FALSE(practice->Waiting()->IsVisible());
    EXPECT_EQ(server.CountReceived(quill::MessageId::ChallengeResult), 1u);
}

// A challenge shot of three-cushion that meets its target: the success line, and the referee's own word after
// the success sound 28, its praise drawn from the application's generator.
TEST_F(PracticeRoom, AChallengeShotHasTheRefereesWord) {
    const quill::ScopedLock turn = MainThreadTurn();  // nothing is waited for
    Enter(3);
    Click(SceneRoomPractice::kChallenge);
    practice->ChooseLevel(1);
    app.DrainPostedEvents();
    ASSERT_TRUE(practice->Challenge().IsActive());
    GameTable& table = *practice->Table();
    test::RecordingTableSound sound;
    table.SetSound(&sound);
    const uint32_t drawsBefore = app.GetRandom().DrawCount();

    // The shot as the physics reports it: the red, three cushions, the other white.
    Referee& referee = table.Physics().GetReferee();
    ShotFacts facts;
    facts.gameType = 3;
    facts.ballCount = 3;
    facts.rackShots = 5;
    referee.StartShot(facts);
    JudgementContext context{3, 4, 0, false};
    for (const auto& [kind, extra] : {std::pair{PhysicsEventKind::BallBall, 2}, {PhysicsEventKind::Cushion, 1},
                                      {PhysicsEventKind::Cushion, 4}, {PhysicsEventKind::Cushion, 2},
                                      {PhysicsEventKind::BallBall, 1}}) {
        PhysicsEvent event;
        event.kind = kind;
        event.extra = static_cast<uint16_t>(extra);
        referee.OnEvent(event, table.State(), context);
    }
    sound.sounds.clear();
    BallsStop();
    EXPECT_EQ(practice->Lines().Shown().back().text, u"Success !!");
    EXPECT_THAT(sound.SoundIds(), ::testing::Contains(28u));
    ASSERT_EQ(sound.voices.size(), 1u);
    EXPECT_THAT((std::array<uint32_t, 5>{58, 59, 66, 67, 68}), ::testing::Contains(sound.voices[0].id));
    EXPECT_EQ(app.GetRandom().DrawCount(), drawsBefore + 2) << "the room's praise held, then the challenge's";
    table.SetSound(nullptr);
}

TEST_F(PracticeRoom, TheGoldChargeIsRefusedWithoutMembershipAndPaidWithIt) {
    Enter(0, 12, 5000);
    {
        const quill::ScopedLock turn = MainThreadTurn();
        practice->AskGoldCharge();
        EXPECT_TRUE(BoxSays(u"Membership only."));
        Box().SetVisible(false);

        app.Connection()->SetTaggedText(1, u"2030-01-01", 0);
        Player().dailyChargeCount = 1;
        Player().money = 20001;
        practice->AskGoldCharge();
        EXPECT_TRUE(BoxSays(u"It is not available"));
        Box().SetVisible(false);

        // With every packet of the connection taken the request cannot go: no window waits for an answer that
        // cannot come, and the notice box says so.
        Player().money = 5000;
        std::vector<quill::Packet*> taken;
        while (quill::Packet* packet = app.Connection()->AllocPacket()) taken.push_back(packet);
        practice->AskGoldCharge();
        app.DrainPostedEvents();
        for (quill::Packet* packet : taken) app.Connection()->FreePacket(packet);
        EXPECT_FALSE(practice->Waiting()->IsVisible());
        EXPECT_TRUE(BoxSays(AwaitedRequest::kNotSent));
        Box().SetVisible(false);

        // The server holds its answer until the waiting window has been seen: an answer that came first would
        // close the window before the test looks.
        server.ReplyTo(quill::MessageId::GoldChargeRequest,
                       [](const kvtest::ServerMessage&, kvtest::GameServerFixture&) {});
        Player().money = 5000;
        practice->AskGoldCharge();
        app.DrainPostedEvents();
        EXPECT_TRUE(practice->Waiting()->IsVisible());
    }
    const auto request = server.WaitForMessage(quill::MessageId::GoldChargeRequest);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->bytes, (std::vector<uint8_t>{5, 0, 81, 0, 0}));
    ASSERT_TRUE(server.Send(kvtest::GoldChargedReply(script.chargeResult, script.goldAfterCharge, script.chargeAmount,
                                                      script.chargesLeft)));
    ASSERT_TRUE(Eventually([&] { return BoxSays(u"20,000 gold has charged."); })) << "GoldCharged";
    EXPECT_EQ(Player().money, script.goldAfterCharge);
    EXPECT_EQ(Player().dailyChargeCount, 0);
    EXPECT_FALSE(practice->Waiting()->IsVisible());

    const quill::ScopedLock turn = MainThreadTurn();
    Box().SetVisible(false);
    practice->AskGoldCharge();
    EXPECT_TRUE(BoxSays(u"No more change. (once a day)"));
}

TEST_F(PracticeRoom, AnItemOfLimitedTimeIsUsedThroughTheServerAndLeavingFreesNoInventoryItem) {
    quill::InventoryItem* item = app.Connection()->AllocItem();
    ASSERT_NE(item, nullptr);
    item->typeCode = 4510;
    item->kind = 6;
    item->state = 1;
    item->inUse = 0;
    item->remaining = 3;
    item->name = u"Aim boost";
    Player().AddItem(41, 0, item);
    const uint8_t owned = Player().ItemCount();
    Enter(0);
    ASSERT_GE(practice->ItemBar()->ListedCount(), 1u);
    Routed(*practice->ItemBar(), practice->ItemBar()->Cell(0), 0, 0);
    app.DrainPostedEvents();
    ASSERT_TRUE(Box().IsVisible()) << "a timed item asks first";
    EXPECT_EQ(Box().Line(3).GetText(), u"Do you want to use the item?");
    app.PostEvent(quill::AppEventId::ItemUseConfirm, NoticeBox::kYes, 0, 0);
    app.DrainPostedEvents();
    const auto use = server.WaitForMessage(quill::MessageId::ItemUse);
    ASSERT_TRUE(use.has_value());
    EXPECT_EQ(use->bytes, (std::vector<uint8_t>{17, 0, 95, 0, 0x9E, 0x11, 0, 0, 6, 41, 0, 0, 0, 0, 0, 0, 0}));
    // The waiting window goes last in the answer's handling.
    ASSERT_TRUE(Eventually([&] { return !practice->Waiting()->IsVisible(); })) << "ItemUseResult";
    EXPECT_EQ(item->inUse, 1u);
    EXPECT_EQ(item->name, u"Used item");

    const quill::ScopedLock turn = MainThreadTurn();
    practice->OnLeave(app.GetResourceManager(), nullptr);
    EXPECT_EQ(Player().ItemCount(), owned) << "the inventory keeps its items";
    EXPECT_EQ(Player().FindItem(41, 0), item);
    EXPECT_EQ(Player().practiceValue, 0u) << "the value swapped for the visit is back";
    EXPECT_EQ(practice->Lines().Count(), 0u);
    EXPECT_EQ(practice->Table(), nullptr);
}

TEST_F(PracticeRoom, ToLobbySendsLeaveToLobbyAndAsksForTheLobby) {
    Enter(3);
    Click(SceneRoomPractice::kToLobby);
    EXPECT_TRUE(practice->IsChangePending());
    EXPECT_EQ(practice->NextSceneId(), SceneId::Lobby);
    const auto leave = server.WaitForMessage(quill::MessageId::LeaveToLobby);
    ASSERT_TRUE(leave.has_value());
    EXPECT_EQ(leave->bytes, (std::vector<uint8_t>{5, 0, 0x73, 4, 0}));
}

}  // namespace
}  // namespace kestrovan::test

namespace kestrovan::test {
namespace {

// Under the program's threads: the game thread reads the mouse and updates the table while this thread, the
// main one, feeds the mouse, starts and ends strokes with Ctrl and runs the update that follows a load; under
// ThreadSanitizer any race shows.
TEST_F(PracticeRoom, TheGameThreadReadsTheMouseWhileTheMainThreadStartsStrokes) {
    Enter(0);
    ScreenThreads threads(app);
    EXPECT_TRUE(threads.PassUntil([&] { return practice->Table()->Input().Flags().strokeKeyHeld; })) << "a stroke began";
    threads.MainPassesWithLoadUpdates(64);
}

}  // namespace
}  // namespace kestrovan::test
