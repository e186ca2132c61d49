// The player's windows as the program makes them, against the stand-in game server and its player script,
// through the connection and its dispatch thread: a saved skill comes back as the server's values, a refused
// save says so, and the profile texts, the settings' options and chat-slot texts, the alarm and the ranking's
// request travel as the server expects.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/TitleWindows.h"
#include "client/scenes/common/AppPlayerHost.h"
#include "client/scenes/player/ProfileTextPopup.h"
#include "client/scenes/player/SkillSaveConfirmPopup.h"
#include "client/scenes/lobby/TournamentAlarmDialog.h"
#include "client/scenes/lobby/TournamentPopups.h"
#include "client/scenes/player/SettingsDialog.h"
#include "client/ui/EditBox.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/player/PlayerWindows.h"
#include "tests/support/net/GameServerScripts.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

class PlayerServerTest : public SceneTestApp {
protected:
    explicit PlayerServerTest(const kvtest::PlayerScript& script = {}) : SceneTestApp(AppMode::Online, {u"launcher"}) {
        {
            const quill::ScopedLock turn = MainThreadTurn();
            app.Scenes().SetPopups(CreateScenePopups(app));
            auto owned = std::make_unique<PlainScreen>(SceneId::Lobby);
            owned->SetRect(0, 0, 1024, 768);
            screen = owned.get();
            app.Scenes().AddScene(std::move(owned));
            app.Scenes().SwitchTo(SceneId::Lobby);
            screen->SetLoadWanted(false);
            screen->SetReady(true);
        }
        quill::PlayerState& player = app.Connection()->LocalPlayer();
        player.level = 12;
        player.skillPoints = script.skillPoints;
        for (size_t k = 0; k < 5; ++k) player.skills[k] = static_cast<int32_t>(script.skills[k]);
        kvtest::InstallPlayerScript(server, script);
        server.GreetWithHello();
        app.Connection()->SetServerAddress(server.Host(), server.Port());
        app.Connection()->StartDispatchThread();
        app.Connection()->Connect();
        for (int waited = 0; waited < 5000 && !app.Connection()->IsConnected(); waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~PlayerServerTest() override { app.Connection()->StopDispatchThread(); }

    MyInfoWindow& MyInfo() { return *static_cast<MyInfoWindow*>(app.Scenes().GetSkillPopup()); }
    NoticeBox& Box() { return *app.Scenes().GetMessageBox(); }
    void SaveFirstSkill() {
        const quill::ScopedLock turn = MainThreadTurn();
        OpenTitleWindow(app.Scenes(), *screen, TitleWindow::MyInfo);
        MyInfo().RaiseSkill(0);
        MyInfo().ConfirmSave();
        Button yes;
        yes.SetId(SkillSaveConfirmPopup::kYes);
        Routed(MyInfo().ConfirmPopup(), &yes, 1, 0);
    }

    kvtest::GameServerFixture server;
    PlainScreen* screen = nullptr;
};

TEST_F(PlayerServerTest, ASavedSkillComesBackWithTheServersValues) {
    ASSERT_TRUE(app.Connection()->IsConnected());
    SaveFirstSkill();
    const auto save = server.WaitForMessage(MessageId::SkillPointsSave);
    ASSERT_TRUE(save);
    EXPECT_EQ(save->bytes, (std::vector<uint8_t>{0x09, 0x00, 0x13, 0x00, 1, 0, 0, 0, 0}));
    ASSERT_TRUE(Eventually([&] { return Box().IsVisible(); }));
    EXPECT_EQ(Box().Line(0).GetText(), u"Skill level saved..");
    EXPECT_EQ(app.Connection()->LocalPlayer().skills[0], 1001);
    EXPECT_EQ(app.Connection()->LocalPlayer().skillPoints, 19);
    const quill::ScopedLock turn = MainThreadTurn();
    OpenTitleWindow(app.Scenes(), *screen, TitleWindow::MyInfo);
    EXPECT_EQ(MyInfo().SkillLevelLabel(0)->GetText(), u"1");
    EXPECT_EQ(MyInfo().PointsLabel()->GetText(), u"19");
}

class RefusingServerTest : public PlayerServerTest {
protected:
    static kvtest::PlayerScript Refusing() {
        kvtest::PlayerScript script;
        script.skillResult = 1;
        return script;
    }
    RefusingServerTest() : PlayerServerTest(Refusing()) {}
};

TEST_F(RefusingServerTest, ARefusedSaveSaysSoAndKeepsTheValues) {
    SaveFirstSkill();
    ASSERT_TRUE(Eventually([&] { return Box().IsVisible(); }));
    EXPECT_EQ(Box().Line(0).GetText(), u"DB error.. point not match..");
    EXPECT_EQ(app.Connection()->LocalPlayer().skills[0], 1);
}

TEST_F(PlayerServerTest, TextsOptionsTheAlarmAndTheRankingTravelToAndFromTheServer) {
    const quill::ScopedLock turn = MainThreadTurn();  // only what goes out is read: the answers wait
    OpenTitleWindow(app.Scenes(), *screen, TitleWindow::MyInfo);
    Button probe;
    probe.SetId(MyInfoWindow::kProfileText);
    Routed(MyInfo(), &probe, 1, 0);
    MyInfo().TextPopup().Box(0)->SetText(u"hello");
    probe.SetId(ProfileTextPopup::kOk);
    Routed(MyInfo().TextPopup(), &probe, 1, 0);
    const auto texts = server.WaitForMessage(MessageId::ProfileTextUpdate);
    ASSERT_TRUE(texts);
    quill::Packet packet = texts->Read();
    EXPECT_EQ(packet.ReadWString(), u"hello");
    EXPECT_EQ(packet.ReadWString(), u" ");

    // The settings dialog's Apply: the voice a step down and a chat-slot text changed.
    auto& settings = *static_cast<SettingsDialog*>(app.Scenes().GetSettingsDialog());
    OpenTitleWindow(app.Scenes(), *screen, TitleWindow::Settings);
    ScrollBar* voice = settings.Slider(SettingsDialog::kVoiceVolume);
    voice->SetPosition(89, false);
    Routed(settings, voice, 90, 0);
    settings.ChatSlot(0)->SetText(u"good game");
    probe.SetId(SettingsDialog::kApply);
    Routed(settings, &probe, 1, 0);
    const auto options = server.WaitForMessage(MessageId::OptionsUpdate);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->Read().ReadU32() & 0xFF, 10u) << "100 less the voice's 90";
    const auto slots = server.WaitForMessage(MessageId::SettingsText);
    ASSERT_TRUE(slots);
    EXPECT_EQ(slots->Read().ReadWString(), u"good game");

    TournamentPopups popups(std::make_unique<AppPlayerHost>(app), *screen);
    popups.ShowAlarm();
    probe.SetId(TournamentAlarmDialog::kClear);
    Routed(popups.Alarm(), &probe, 1, 0);
    ASSERT_TRUE(server.WaitForMessage(MessageId::TournamentAlarm));

    popups.ShowRanking();
    const auto ranking = server.WaitForMessage(MessageId::RankingRequest);
    ASSERT_TRUE(ranking);
    EXPECT_EQ(ranking->Read().ReadU16(), 1);
}

}  // namespace
}  // namespace kestrovan::test
