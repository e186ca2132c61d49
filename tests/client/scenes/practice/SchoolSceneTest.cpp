// The school with the game data on a headless App, talking to the stand-in server: where a visit starts by
// the stored progress, the pages both ways over the missing ones, one QuestProgress per new page and QuestDone
// with the gift on page 12, the tasks' controls and a shot that meets a task, the lent chalk under a key of its
// own and the swapped value given back on leaving, the exits' ways on through the lobby with SchoolRequest,
// and the index's rows by progress.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/LentChalk.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/scenes/practice/SceneSchool.h"
#include "client/scenes/practice/SchoolGiftWindow.h"
#include "client/scenes/practice/SchoolIndexWindow.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "platform/system/ScopedFpuMode.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/scenes/SceneTestApp.h"
#include "tests/support/scenes/ScreenThreads.h"

namespace kestrovan::test {
namespace {

class School : public SceneTestApp {
protected:
    School() : SceneTestApp(AppMode::Online, {u"launcher"}) {
        RegisterItemModels();
        std::filesystem::copy(KV_DATA_FOLDER, fixture.folder.Path() / "data", std::filesystem::copy_options::recursive);
        loaded = app.InitRenderer();
        {
            const quill::ScopedLock turn = MainThreadTurn();
            app.Scenes().SetPopups(CreateScenePopups(app));
            auto owned = CreateScene(SceneId::School, app);
            school = static_cast<SceneSchool*>(owned.get());
            school->Init();
            app.Scenes().AddScene(std::move(owned));
            app.Scenes().SwitchTo(SceneId::School);
            school->SetReady(true);
        }
        // No login script: the login's answer would rewrite the player's record while a test reads it.
        server.GreetWithHello();
        GameConnection& connection = *app.Connection();
        connection.SetNickname(u"Carom");
        // The basic cue under key (0, 0), as the inventory keeps it.
        if (quill::InventoryItem* cue = connection.AllocItem()) {
            cue->typeCode = 3001;
            cue->kind = 1;
            connection.LocalPlayer().AddItem(0, 0, cue);
        }
        connection.SetServerAddress(server.Host(), server.Port());
        connection.StartDispatchThread();
        connection.Connect();
        connected = server.WaitForMessage(quill::MessageId::LoginRequest).has_value();
    }
    ~School() override {
        app.Connection()->StopDispatchThread();
        const quill::ScopedLock turn = MainThreadTurn();
        if (school->Table() != nullptr) school->OnLeave(app.GetResourceManager(), nullptr);
    }

    void Enter(uint32_t progress) {
        ASSERT_TRUE(loaded);
        ASSERT_TRUE(connected);
        app.Connection()->SetValueAndFlag(progress, 0);
        ASSERT_EQ(school->LoadResources(app.GetResourceManager(), app.GetDevice()), 0);
        school->Activate();
    }
    quill::PlayerState& Player() { return app.Connection()->LocalPlayer(); }
    void Press(Widget* button) { Routed(*school, button, 0, 0); }
    void Post(uint32_t id, uint32_t wParam = 0) {
        app.PostEvent(id, wParam, 0, 0);
        app.DrainPostedEvents();
    }
    // Waits until the server has seen count messages of the id; their pages (the u32 after the header).
    std::vector<uint32_t> PagesOf(quill::MessageId id, size_t count) {
        for (int waited = 0; waited < 5000 && server.CountReceived(id) < count; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::vector<uint32_t> pages;
        for (const auto& message : server.Received()) {
            if (message.id != id) continue;
            quill::Packet packet = message.Read();
            pages.push_back(packet.ReadU32());
        }
        return pages;
    }

    kvtest::GameServerFixture server;
    bool loaded = false;
    bool connected = false;
    SceneSchool* school = nullptr;
};

TEST_F(School, AVisitStartsByTheStoredProgressAndPageOneGreetsByNickname) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Enter(0);
    EXPECT_EQ(school->Step(), 1);
    EXPECT_EQ(school->Title()->GetText(), u"Welcome to Kestrovan Carom..");
    EXPECT_EQ(school->TextLine(1)->GetText(), u"My name is [Vuzud]. What a name, right? Don't ask me why though.");
    EXPECT_FALSE(school->PreviousButton()->IsVisible()) << "nothing before page 1";
    EXPECT_TRUE(school->ContinueButton()->IsVisible());
    EXPECT_TRUE(school->Index()->IsVisible());
    EXPECT_EQ(Player().practiceValue, SceneSchool::kLocalValue);
    EXPECT_EQ(app.Connection()->ConnectionValue(), 1u);
    EXPECT_EQ(PagesOf(quill::MessageId::QuestProgress, 1), std::vector<uint32_t>{1});
}

TEST_F(School, ProgressBetweenElevenAndNinetySevenResumesThereAndAboveStartsAtTheLastPage) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Enter(15);
    EXPECT_EQ(school->Step(), 20) << "15 has no page: the next one";
    school->OnLeave(app.GetResourceManager(), nullptr);
    Enter(120);
    EXPECT_EQ(school->Step(), 98);
    EXPECT_EQ(app.Connection()->ConnectionValue(), 98u);
    EXPECT_FALSE(school->ContinueButton()->IsVisible()) << "the last page";
    EXPECT_EQ(school->Title()->GetText(), u"Today's quest is over!");
}

TEST_F(School, PagesGoBothWaysAndOnlyNewPagesAreReported) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Enter(0);
    Press(school->ContinueButton());
    Press(school->ContinueButton());
    EXPECT_EQ(school->Step(), 3);
    Press(school->PreviousButton());
    EXPECT_EQ(school->Step(), 2);
    Press(school->ContinueButton());
    EXPECT_EQ(PagesOf(quill::MessageId::QuestProgress, 3), (std::vector<uint32_t>{1, 2, 3})) << "revisits send none";

    Post(quill::AppEventId::SchoolStep, 13);
    EXPECT_EQ(school->Step(), 20) << "page 13's successor";
    Press(school->PreviousButton());
    EXPECT_EQ(school->Step(), 12);
    EXPECT_TRUE(school->ExitButton(0)->IsVisible()) << "page 12 shows the exits";
    Post(quill::AppEventId::SchoolStep, 200);
    EXPECT_EQ(school->Step(), 98);
    Press(school->PreviousButton());
    EXPECT_EQ(school->Step(), 86);
    EXPECT_EQ(app.Connection()->ConnectionValue(), 98u);
    const std::vector<uint32_t> reported = PagesOf(quill::MessageId::QuestProgress, 4);
    EXPECT_EQ(reported, (std::vector<uint32_t>{1, 2, 3, 20})) << "page 98 is stored but not sent, 86 lies below it";
}

TEST_F(School, PageTwelveSendsQuestDoneEveryVisitAndGivesTheCueOnlyOnce) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Enter(0);
    Player().basicsRewardCount = 0;
    Post(quill::AppEventId::SchoolStep, 12);
    EXPECT_TRUE(school->Gift()->IsVisible());
    EXPECT_EQ(Player().basicsRewardCount, 1);
    EXPECT_EQ(school->TextLine(2)->GetText(), u"Make sure to use the cue I gifted to you.");
    // The gift stands below the board's lines, the last of them included, which it would cover centred, and
    // left of the index's tabs.
    const WidgetRect gift = school->Gift()->GetRect();
    for (size_t n = 0; n < 4; ++n)
        EXPECT_LT(school->TextLine(n)->GetRect().bottom, gift.top) << "line " << n;
    EXPECT_LT(gift.right, school->Index()->Tab(0)->GetRect().left);
    EXPECT_LE(gift.bottom, static_cast<int32_t>(app.GetScreenSize().height));
    school->Gift()->SetVisible(false);
    Post(quill::AppEventId::SchoolStep, 12);
    EXPECT_FALSE(school->Gift()->IsVisible()) << "the gift comes once";
    EXPECT_EQ(school->TextLine(1)->GetText(),
              u"When your shot power is falling short, purchase a cue item or raise your skills.");
    for (int waited = 0; waited < 5000 && server.CountReceived(quill::MessageId::QuestDone) < 2; waited += 5)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(server.CountReceived(quill::MessageId::QuestDone), 2u);
    EXPECT_GE(server.CountReceived(quill::MessageId::OptionsUpdate), 1u) << "the options of the first visit";
}

TEST_F(School, TasksOpenTheirControlsAndAShotMeetsTheShotTask) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Enter(0);
    Post(quill::AppEventId::SchoolStep, 4);
    EXPECT_EQ(school->TaskCount(), 3);
    EXPECT_TRUE(school->TryLabel()->IsVisible());
    EXPECT_FALSE(school->TaskLine(0)->IsVisible()) << "tasks wait for Try";
    Press(school->ContinueButton());
    EXPECT_TRUE(school->TasksStarted());
    EXPECT_EQ(school->Table()->Input().KeyMask(), 7);
    EXPECT_TRUE(school->TaskLine(2)->IsVisible());
    EXPECT_FALSE(school->ContinueButton()->IsVisible());

    Post(quill::AppEventId::SchoolStep, 41);
    Press(school->ContinueButton());
    EXPECT_EQ(school->Table()->Input().KeyMask(), 511);
    EXPECT_EQ(school->Table()->HudValues().PowerDisplayMode(), 0);
    Post(quill::AppEventId::ShotFired, 4);
    Post(quill::AppEventId::BallsStopped);
    school->Update(0, 100, {});
    EXPECT_EQ(school->TaskIndex(), 0) << "4% misses 5% to 15%";
    EXPECT_EQ(school->ShotsTaken(), 1);
    Post(quill::AppEventId::ShotFired, 15);
    school->Update(0, 200, {});
    EXPECT_EQ(school->TaskIndex(), 1) << "15% meets it with the shot before still counted";
    EXPECT_EQ(school->ShotsTaken(), 0);
    Post(quill::AppEventId::ShotFired, 70);
    Post(quill::AppEventId::BallsStopped);
    school->Update(0, 300, {});
    EXPECT_EQ(school->TaskIndex(), 2);
    EXPECT_TRUE(school->ContinueButton()->IsVisible()) << "all met";
    EXPECT_EQ(school->TaskLine(2)->GetText(), SceneSchool::kClosingLine);
    EXPECT_EQ(school->TaskCount(), 3);
}

TEST_F(School, ShotsOfExactlyABoundsPercentMeetTheirTasksInTheGameThreadsRounding) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Enter(0);
    platform::ScopedFpuMode programThreads;  // toward zero, as the threads that take the shot and judge it
    int64_t clock = 0;
    const auto shoot = [&](uint32_t percent) {
        Post(quill::AppEventId::ShotFired, percent);
        Post(quill::AppEventId::BallsStopped);
        school->Update(0, clock += 100, {});
        return school->TaskIndex();
    };
    Post(quill::AppEventId::SchoolStep, 41);
    Press(school->ContinueButton());
    EXPECT_EQ(shoot(5), 1) << "5% is within 5% to 15%";
    EXPECT_EQ(shoot(60), 2) << "60% is within 60% to 80%";
    Post(quill::AppEventId::SchoolStep, 42);
    Press(school->ContinueButton());
    EXPECT_EQ(shoot(15), 1) << "15% is within 15% to 25%";
}

TEST_F(School, AfterAShotTheCameraComesToRestRightOnTheCueBall) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Enter(12);
    GameTable& table = *school->Table();
    const CameraRef camera = table.Cameras().GetCurrentCameraRef();
    ASSERT_NE(*camera, nullptr);
    LockedMoveTargetTo(camera, {37.3f, -11.7f, 0.0f});
    Post(quill::AppEventId::BallsStopped);
    for (int64_t frame = 1; frame <= 400; ++frame) school->Update(static_cast<uint32_t>(frame * 5), frame * 50, {});
    ASSERT_FALSE(table.Cameras().GetCamera().IsMoving());
    quill::ScopedLock hold((*camera)->GetLock());
    const quill::Vec3 target = (*camera)->Target();
    const quill::Vec3 cueBall = table.Physics().CachedPosition(table.Physics().CueBall());
    EXPECT_EQ(target.x, cueBall.x);
    EXPECT_EQ(target.y, cueBall.y);
    EXPECT_EQ(target.z, cueBall.z);
}

TEST_F(School, ContinueAnswersBesideItsFaceToo) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Enter(0);
    const int32_t step = school->Step();
    const WidgetRect face = school->ContinueButton()->GetRect();
    const int32_t x = face.right + 30;  // in the hit rectangle, right of the 24-pixel face
    const int32_t y = face.top + 10;
    app.Scenes().HandleWindowMessage(platform::Msg::LButtonDown, 0, platform::MakePointLParam(x, y));
    app.Scenes().HandleWindowMessage(platform::Msg::LButtonUp, 0, platform::MakePointLParam(x, y));
    EXPECT_EQ(school->Step(), step + 1);
}

TEST_F(School, AChalkIsLentUnderAKeyOfItsOwnAndGivenBackWithTheValueOnLeaving) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Player().practiceValue = 7;
    ASSERT_EQ(Player().GetCurrentCue(), nullptr) << "no chalk of his own";
    const uint8_t owned = Player().ItemCount();
    Enter(20);
    const quill::InventoryItem* chalk = school->Lent().Item();
    ASSERT_NE(chalk, nullptr);
    EXPECT_EQ(chalk->typeCode, LentChalk::kType);
    EXPECT_EQ(chalk->remaining, 100);
    EXPECT_EQ(chalk->secondCount, 100);
    EXPECT_NE(chalk->key, 0u) << "not the basic cue's key";
    const quill::InventoryItem* basic = Player().FindItem(0, 0);
    ASSERT_NE(basic, nullptr);
    EXPECT_NE(basic->typeCode, LentChalk::kType) << "the basic cue is found under its key";
    EXPECT_EQ(Player().GetCurrentCue(), chalk);

    school->OnLeave(app.GetResourceManager(), nullptr);
    EXPECT_EQ(Player().ItemCount(), owned);
    EXPECT_EQ(Player().practiceValue, 7u);
    EXPECT_EQ(school->Table(), nullptr);
}

TEST_F(School, ExitsReportProgressAndGoOnThroughTheLobby) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Enter(20);
    Press(school->ExitButton(0));
    EXPECT_TRUE(school->IsChangePending());
    EXPECT_EQ(school->NextSceneId(), SceneId::Lobby);
    const JoinWithTarget target = app.Connection()->JoinTarget();
    EXPECT_EQ(target.pending, 1);
    EXPECT_EQ(target.channel, 0);
    EXPECT_EQ(target.place, JoinWithTarget::kPracticeRoom);
    EXPECT_EQ(app.Connection()->GetRoomInfo().gameType, 10);
    EXPECT_EQ(PagesOf(quill::MessageId::SchoolRequest, 1), std::vector<uint32_t>{20});

    school->CancelPendingChange();
    Press(school->ExitButton(1));
    EXPECT_EQ(app.Connection()->JoinTarget().place, JoinWithTarget::kShop);
    EXPECT_EQ(PagesOf(quill::MessageId::SchoolRequest, 2).size(), 2u);
}

// The index's rows lie inside the index window, right of its tabs and short of its scroll bar: a chapter's
// button covers its row, a section's is indented by 20 pixels and 191 wide, each with its caption's text area
// inside its face (the button's rectangle is also where a click finds it).
TEST_F(School, TheIndexRowsSitInTheWindowWithTheirSectionsIndented) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Enter(20);
    SchoolIndexWindow& index = *school->Index();
    index.Refresh();
    const WidgetRect window = index.GetRect();
    EXPECT_EQ(window.right, static_cast<int32_t>(app.GetScreenSize().width) - 10 - 1);
    EXPECT_EQ(index.Tab(0)->GetRect().left, window.left - 81);
    size_t sections = 0;
    for (size_t k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        const SchoolIndexRow& row = *index.Row(k);
        ASSERT_NE(row.Entry(), nullptr);
        const WidgetRect place = row.GetRect(), button = row.RowButton()->GetRect();
        EXPECT_EQ(place.left, window.left + 14);
        EXPECT_EQ(place.top, window.top + 47 + 26 * static_cast<int32_t>(k));
        const bool section = row.Entry()->sub != 0;
        sections += section ? 1 : 0;
        EXPECT_EQ(button.left, place.left + (section ? 20 : 0));
        EXPECT_EQ(button.top, place.top + (section ? 1 : 0));
        EXPECT_EQ(button.Width(), section ? 191 : 214);
        EXPECT_EQ(button.Height(), 26);
        EXPECT_LT(place.right, index.Scroll()->GetRect().left);
        const WidgetRect caption = row.RowButton()->GetCaption()->GetRect();
        EXPECT_EQ(caption.left, button.left);
        EXPECT_EQ(caption.right, button.right - 12) << "its text area, 6 pixels in, ends 6 pixels inside";
        EXPECT_EQ(caption.top, button.top);
    }
    EXPECT_EQ(sections, 2u) << "Manual mode and Auto mode";
}

TEST_F(School, TheIndexGreysThePagesNotReachedAndOpensAReachedOne) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Enter(20);
    SchoolIndexWindow& index = *school->Index();
    index.Refresh();
    ASSERT_NE(index.Row(0)->Entry(), nullptr);
    EXPECT_EQ(index.Row(0)->Entry()->title, u"Control");
    EXPECT_TRUE(index.Row(1)->IsEnabled()) << "Game guide (20)";
    EXPECT_EQ(index.Row(1)->GetAlpha(), 0.7f);
    EXPECT_FALSE(index.Row(2)->IsEnabled()) << "About skills (30)";
    EXPECT_EQ(index.Row(2)->GetAlpha(), 0.2f);
    // The titles stay opaque: a chapter reached in yellow, one not reached in a grey still read on the face.
    EXPECT_EQ(index.Row(1)->RowButton()->GetCaption()->GetTextColor(), 0xFFFFFF00u);
    EXPECT_EQ(index.Row(2)->RowButton()->GetCaption()->GetTextColor(), SchoolIndexRow::kUnreachedColour);
    EXPECT_EQ(index.ScrollPosition(0), 1) << "scroll positions count from 1";
    EXPECT_FALSE(index.Tab(1)->IsEnabled());
    ASSERT_NE(index.Selected(), nullptr);
    EXPECT_EQ(index.Selected()->page, 20);

    Routed(index, index.Row(0)->RowButton(), 0, 0);
    app.DrainPostedEvents();
    EXPECT_EQ(school->Step(), 1);

    Routed(index, index.Row(0)->RowButton(), 0, 0);
    Press(school->OpenIndexButton());
    Routed(index, index.GetChildren()[1], 0, 0);  // "Hide index"
    EXPECT_FALSE(index.IsVisible());
    app.DrainPostedEvents();
    EXPECT_TRUE(school->OpenIndexButton()->IsVisible());
}

}  // namespace
}  // namespace kestrovan::test

namespace kestrovan::test {
namespace {

// Under the program's threads: the game thread reads the mouse and updates the table while this thread, the
// main one, feeds the mouse, starts and ends strokes with Ctrl and runs the update that follows a load; under
// ThreadSanitizer any race shows.
TEST_F(School, TheGameThreadReadsTheMouseWhileTheMainThreadStartsStrokes) {
    {
        // The shot page's tasks, where the Ctrl key strokes.
        const quill::ScopedLock turn = MainThreadTurn();
        Enter(0);
        Post(quill::AppEventId::SchoolStep, 41);
        Press(school->ContinueButton());
    }
    ScreenThreads threads(app);
    EXPECT_TRUE(threads.PassUntil([&] { return school->Table()->Input().Flags().strokeKeyHeld; })) << "a stroke began";
    threads.MainPassesWithLoadUpdates(64);
}

}  // namespace
}  // namespace kestrovan::test
