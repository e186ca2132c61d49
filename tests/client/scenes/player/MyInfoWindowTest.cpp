// The My Info window on a headless online App: F4 opens it over every screen with the player's header,
// skills and statistics; raises with their refusals, reset and the confirmed save with its bytes; the
// server's answer to the save through the connection; the profile text editor; and the way to the
// tournament popups.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/gamedata/LevelTables.h"
#include "client/scenes/common/TitleWindows.h"
#include "client/scenes/common/ProfileStatistics.h"
#include "client/scenes/player/ProfileTextPopup.h"
#include "client/scenes/player/SkillSaveConfirmPopup.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/player/PlayerWindows.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

class MyInfoWindowTest : public PlayerWindows {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    MyInfoWindowTest() {
        quill::BuildExperienceTable();
        quill::PlayerState& player = Player();
        player.name = u"Carom";
        player.level = 3;
        player.experience = static_cast<uint32_t>(quill::GetExperienceForLevel(3));
        player.money = 1234567;
        player.skillPoints = 2;
        player.skills = {14000, 100000, 0, 0, 0};
        player.profileLines = {u"one", u"two", u"three", u"four"};
    }
    void Open() { OpenTitleWindow(app.Scenes(), Screen(), TitleWindow::MyInfo); }
    void Raise(size_t k) { myInfo->OnEvent(myInfo->RaiseButton(k), 1, 0); }
    quill::WString Line0() { return Box().Line(0).GetText(); }
    std::vector<std::vector<uint8_t>> Sent(MessageId id) { return myInfoRequests->sender.Of(id); }
    static quill::Packet SaveResult(uint8_t result, uint16_t points, std::array<uint32_t, 5> skills) {
        quill::Packet p;
        p.Init(MessageId::SkillSaveResult).WriteU8(result);
        if (result == 0) {
            p.WriteU16(points);
            for (uint32_t value : skills) p.WriteU32(value);
        }
        return p;
    }
};

TEST_F(MyInfoWindowTest, F4OpensItOverEveryScreenWithThePlayersHeaderSkillsAndStatistics) {
    for (int32_t id : {SceneId::Lobby, SceneId::RoomGame}) {
        SCOPED_TRACE(id);
        Enter(id);
        Open();
        ASSERT_TRUE(myInfo->IsVisible());
        EXPECT_EQ(myInfo->GetParent(), &Screen());
        EXPECT_EQ(myInfo->GetRect().left, (app.GetScreenSize().width - MyInfoWindow::kWidth) / 2);
        EXPECT_EQ(myInfo->SelectedMode(), id == SceneId::RoomGame ? kRoomGameMode : 10) << "the room's own mode";
        myInfo->SetVisible(false);
    }
    Enter(SceneId::Lobby);
    myInfo->SetSelectedMode(10);
    Open();
    myInfo->SetVisible(false);
    EXPECT_EQ(myInfo->NicknameLabel()->GetText(), u"Carom");
    EXPECT_EQ(myInfo->LevelLabel()->GetText(), u"(3)");
    EXPECT_EQ(myInfo->LevelBadge()->GetSourceRect().left, 44);
    EXPECT_EQ(myInfo->MoneyLabel()->GetText(), u"1,234,567");
    EXPECT_EQ(myInfo->PointsLabel()->GetText(), u"2");
    EXPECT_EQ(myInfo->SkillLevelLabel(0)->GetText(), u"14");
    EXPECT_EQ(myInfo->SkillLevelLabel(1)->GetText(), u"100");
    EXPECT_EQ(myInfo->EffectLabel(0)->GetText(), u"82.80");
    EXPECT_EQ(myInfo->EffectLabel(1)->GetText(), u"100.00");
    EXPECT_FALSE(myInfo->ExperienceBar()->IsVisible()) << "at the level's start";
    EXPECT_FALSE(myInfo->SaveButton()->IsVisible());
    EXPECT_EQ(myInfo->SelectedMode(), 10);
    EXPECT_TRUE(myInfo->Statistics().Tab(10)->IsChecked());
    EXPECT_EQ(myInfo->Statistics().Value(10, ProfileStatistics::kValues - 1)->GetRect().left, myInfo->GetRect().left + 424);

    Player().experience += static_cast<uint32_t>(quill::GetExperienceForLevel(4) - quill::GetExperienceForLevel(3));
    Open();
    EXPECT_EQ(myInfo->ExperienceBar()->GetRect().right - myInfo->ExperienceBar()->GetRect().left, 130);
    myInfo->SetVisible(false);

    // The game room chooses its own mode before it opens the window; the extra button needs a mark above 90.
    myInfo->SetSelectedMode(3);
    Player().markValue = 90;
    Player().level = 0;
    Open();
    EXPECT_TRUE(myInfo->Statistics().Tab(3)->IsChecked());
    EXPECT_FALSE(myInfo->TournamentButton()->IsVisible());
    EXPECT_FALSE(myInfo->LevelBadge()->IsVisible()) << "level 0 has no badge";
    myInfo->SetVisible(false);
    Player().markValue = 91;
    Open();
    EXPECT_TRUE(myInfo->TournamentButton()->IsVisible());
    myInfo->OnEvent(myInfo->TournamentButton(), 1, 0);
    EXPECT_FALSE(myInfo->IsVisible());
    EXPECT_EQ(myInfoRequests->Posted(), (std::vector<PostedEvent>{{quill::AppEventId::TournamentInfoOpen, 0, 0, 0}}));
}

TEST_F(MyInfoWindowTest, RaisesAreRefusedInTheirOrderAndResetGivesThePointsBack) {
    Open();
    Raise(1);
    EXPECT_EQ(Line0(), u"This skill can no longer be raised.");
    EXPECT_EQ(Box().Line(1).GetText(), u"You have mastered this skill.");
    Raise(0);
    EXPECT_EQ(myInfo->SkillLevelLabel(0)->GetText(), u"15");
    EXPECT_EQ(myInfo->PointsLabel()->GetText(), u"1");
    EXPECT_TRUE(myInfo->SaveButton()->IsVisible());
    EXPECT_TRUE(myInfo->ResetButton()->IsVisible());
    Raise(0);
    EXPECT_EQ(Line0(), u"The skill can no longer be raised at this level.");
    Raise(2);
    EXPECT_EQ(myInfo->PointsLabel()->GetText(), u"0");
    Raise(3);
    EXPECT_EQ(Line0(), u"There is no available skill points.");
    EXPECT_EQ(Box().Line(1).GetText(), u"Skill points will be given by 10 as you level up.");
    myInfo->OnEvent(myInfo->ResetButton(), 1, 0);
    EXPECT_EQ(myInfo->PointsLabel()->GetText(), u"2");
    EXPECT_EQ(myInfo->SkillLevelLabel(0)->GetText(), u"14");
    EXPECT_FALSE(myInfo->SaveButton()->IsVisible());
    EXPECT_FALSE(myInfo->ResetButton()->IsVisible());
    EXPECT_TRUE(Sent(MessageId::SkillPointsSave).empty());
}

TEST_F(MyInfoWindowTest, TheSaveIsAskedFirstAndSendsTheFiveRaises) {
    Open();
    Raise(0);
    Raise(2);
    myInfo->OnEvent(myInfo->SaveButton(), 1, 0);
    SkillSaveConfirmPopup& confirm = myInfo->ConfirmPopup();
    ASSERT_TRUE(confirm.IsVisible());
    EXPECT_EQ(confirm.GetParent(), &Screen());
    Press(confirm, SkillSaveConfirmPopup::kNo);
    EXPECT_FALSE(confirm.IsVisible());
    EXPECT_TRUE(myInfo->IsVisible());
    EXPECT_EQ(myInfo->Pending().Count(), 2) << "No keeps the raises";
    EXPECT_TRUE(Sent(MessageId::SkillPointsSave).empty());

    myInfo->OnEvent(myInfo->SaveButton(), 1, 0);
    Press(confirm, SkillSaveConfirmPopup::kYes);
    EXPECT_FALSE(confirm.IsVisible());
    EXPECT_FALSE(myInfo->IsVisible());
    EXPECT_EQ(Sent(MessageId::SkillPointsSave),
              (std::vector<std::vector<uint8_t>>{{0x09, 0x00, 0x13, 0x00, 1, 0, 1, 0, 0}}));
}

TEST_F(MyInfoWindowTest, TheServersAnswerReachesTheWindowThroughTheConnectionOnEveryScreen) {
    Open();
    Receive(SaveResult(0, 1, {15000, 100000, 250000, 0, 7}));
    EXPECT_FALSE(myInfo->IsVisible());
    EXPECT_EQ(Line0(), u"Skill level saved..");
    EXPECT_EQ(Player().skillPoints, 1);
    EXPECT_EQ(Player().skills, (std::array<int32_t, 5>{15000, 100000, 100000, 0, 7})) << "capped at 100000";

    Enter(SceneId::RoomGame);
    Open();
    Receive(SaveResult(1, 0, {}));
    EXPECT_FALSE(myInfo->IsVisible());
    EXPECT_EQ(Line0(), u"DB error.. point not match..");
    EXPECT_EQ(Box().GetParent(), &Screen());
    Receive(SaveResult(9, 0, {}));
    EXPECT_EQ(Line0(), u"DB error...");
    EXPECT_EQ(Box().Line(1).GetText(), u"contact the customer service center..");

    Box().SetVisible(false);
    quill::Packet cut;
    cut.Init(MessageId::SkillSaveResult).WriteU8(0).WriteU16(3);
    Receive(std::move(cut));
    EXPECT_FALSE(Box().IsVisible()) << "an answer cut short is dropped";
    EXPECT_EQ(Player().skillPoints, 1);
}

TEST_F(MyInfoWindowTest, TheProfileTextsAreEditedSentWithBlanksAndStoredAsTyped) {
    Open();
    Press(*myInfo, MyInfoWindow::kProfileText);
    ProfileTextPopup& texts = myInfo->TextPopup();
    ASSERT_TRUE(texts.IsVisible());
    EXPECT_FALSE(myInfo->IsVisible());
    EXPECT_EQ(texts.GetParent(), &Screen());
    EXPECT_EQ(texts.Box(2)->GetText(), u"three");
    EXPECT_TRUE(texts.Box(0)->IsFocused());
    texts.OnEvent(texts.Box(0), 40, 0);
    EXPECT_TRUE(texts.Box(1)->IsFocused());
    texts.OnEvent(texts.Box(1), 38, 0);
    texts.OnEvent(texts.Box(0), 38, 0);
    EXPECT_TRUE(texts.Box(0)->IsFocused()) << "Up stops at the first box";

    texts.Box(1)->SetText(u"");
    texts.Box(3)->SetText(u"new");
    Press(texts, ProfileTextPopup::kOk);
    EXPECT_FALSE(texts.IsVisible());
    EXPECT_EQ(Player().profileLines, (std::array<quill::WString, 4>{u"one", u"", u"three", u"new"}));
    const auto sent = Sent(MessageId::ProfileTextUpdate);
    ASSERT_EQ(sent.size(), 1u);
    quill::Packet packet;
    ASSERT_TRUE(packet.LoadReceived(sent[0]));
    EXPECT_EQ(packet.ReadWString(), u"one");
    EXPECT_EQ(packet.ReadWString(), u" ") << "an empty line goes as one blank";

    Open();
    Press(*myInfo, MyInfoWindow::kProfileText);
    texts.Box(0)->SetText(u"dropped");
    Press(texts, ProfileTextPopup::kCancel);
    EXPECT_EQ(Player().profileLines[0], u"one");
    EXPECT_EQ(Sent(MessageId::ProfileTextUpdate).size(), 1u);
}

}  // namespace
}  // namespace kestrovan::test
