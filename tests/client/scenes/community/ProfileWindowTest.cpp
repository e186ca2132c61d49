// The profile window on a headless App: a UserProfile shown on the current screen with its header and the
// statistics behind the mode tabs, on every screen, the player's own profile, and what a profile the window
// cannot show does.
#include <gtest/gtest.h>

#include "client/scenes/common/ProfileStatistics.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/community/CommunityScreen.h"

namespace kestrovan::test {
namespace {

class ProfileWindowTest : public CommunityScreen {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    bool Show(const TestProfile& profile, bool found = true) {
        quill::Packet packet = AsReceived(UserProfileMessage(profile, found));
        const bool shown = app.Scenes().ShowUserProfile(nullptr, packet);
        MainLoopPass();
        return shown;
    }
    const ProfileStatistics& Statistics() { return profile->Statistics(); }
    quill::WString Value(int32_t mode, size_t n) { return Statistics().Value(mode, n)->GetText(); }
    void ClickTab(int32_t mode) { profile->OnEvent(Statistics().Tab(mode), 1, 0); }
    static TestProfileMode Mode(uint8_t index, uint16_t rating, uint32_t first, uint32_t second, uint32_t fifth) {
        TestProfileMode mode;
        mode.index = index;
        mode.rating = rating;
        mode.values = {first, second, 3, 4, fifth, 6, 7, 8};
        return mode;
    }
};

TEST_F(ProfileWindowTest, OnEveryScreenAProfileComesOverItAndTheClansCreationReachesTheMessenger) {
    TestProfile visitor;
    for (int32_t id : {SceneId::Login, SceneId::Lobby, SceneId::RoomGame}) {
        SCOPED_TRACE(id);
        Enter(id);
        Receive(UserProfileMessage(visitor));
        ASSERT_TRUE(profile->IsVisible());
        EXPECT_EQ(profile->GetParent(), &Screen());
        profile->Show(false);
        quill::Packet refused;
        refused.Init(quill::MessageId::ClanCreateResult).WriteU8(3);
        Receive(std::move(refused));
        EXPECT_TRUE(Box().IsVisible());
        EXPECT_EQ(Box().GetParent(), &Screen());
        EXPECT_EQ(Box().Line(0).GetText(), u"There is already a clan using the same name.");
        Box().Show(false);
        quill::ScopedLock hold(Screen().lock);
        EXPECT_TRUE(Screen().packets.empty()) << "the screen handles neither";
    }
}

TEST_F(ProfileWindowTest, AFoundProfileShowsItsHeaderTextsAndTheChosenModesStatistics) {
    TestProfile visitor;
    visitor.level = 3;
    visitor.icon = 4;
    visitor.mark = 91;
    visitor.modes = {Mode(10, 1500, 3, 1, 1234), Mode(3, 0, 0, 0, 0)};
    ASSERT_TRUE(Show(visitor));
    ASSERT_TRUE(profile->IsVisible());
    EXPECT_EQ(profile->GetParent(), &Screen());
    EXPECT_EQ(profile->GetRect().left, (app.GetScreenSize().width - ProfileWindow::kWidth) / 2);
    EXPECT_EQ(profile->NicknameLabel()->GetText(), u"Visitor");
    EXPECT_EQ(profile->LevelLabel()->GetText(), u"(3)");
    EXPECT_EQ(profile->MoneyLabel()->GetText(), u"1,234,567");
    EXPECT_EQ(profile->LevelBadge()->GetSourceRect().left, 44);
    EXPECT_EQ(profile->Icon()->GetSourceRect().left, 60);
    EXPECT_TRUE(profile->MarkIcon()->IsVisible());
    EXPECT_EQ(profile->TextLine(2)->GetText(), u"three");
    EXPECT_EQ(profile->SecondValue(), 7);

    // 8-ball is chosen first: its values, the share of the first count and the fifth in hundredths.
    EXPECT_EQ(profile->SelectedMode(), 10);
    EXPECT_TRUE(Statistics().Tab(10)->IsChecked());
    EXPECT_TRUE(Statistics().Value(10, 0)->IsVisible());
    EXPECT_FALSE(Statistics().Value(3, 0)->IsVisible());
    EXPECT_EQ(Value(10, 0), u"3");
    EXPECT_EQ(Value(10, 8), u"75.0%");
    EXPECT_EQ(Value(10, 4), u"12.34");
    EXPECT_EQ(Value(10, 7), u"8");
    EXPECT_TRUE(Statistics().Rating(10)->IsVisible());
    EXPECT_EQ(Statistics().RatingLabel(10)->GetText(), u"1500");

    // A mode without games shares 0.0%; a rating of 0 hides the rating.
    ClickTab(3);
    EXPECT_EQ(profile->SelectedMode(), 3);
    EXPECT_FALSE(Statistics().Tab(10)->IsChecked());
    EXPECT_TRUE(Statistics().Tab(3)->IsChecked());
    EXPECT_EQ(Value(3, 8), u"0.0%");
    EXPECT_FALSE(Statistics().Rating(3)->IsVisible());
    EXPECT_FALSE(Statistics().Value(10, 0)->IsVisible());

    // Esc's button hides the window; the chosen mode stays for the next profile.
    Button close;
    close.SetId(ProfileWindow::kClose);
    profile->OnEvent(&close, 0, 0);
    EXPECT_FALSE(profile->IsVisible());
    visitor.modes.clear();
    visitor.mark = 90;
    ASSERT_TRUE(Show(visitor));
    EXPECT_EQ(profile->SelectedMode(), 3);
    EXPECT_FALSE(profile->MarkIcon()->IsVisible()) << "a mark of 90 is not above 90";
    EXPECT_EQ(Value(10, 0), u"3") << "a mode the record does not list keeps what it showed";
}

TEST_F(ProfileWindowTest, TheTabsStandInTwoRowsOfTheModesWithRules) {
    for (int32_t mode = 0; mode < 17; ++mode) {
        const bool tab = mode == 0 || (mode >= 2 && mode <= 6) || mode == 10 || mode == 12 || mode == 13 || mode == 16;
        EXPECT_EQ(Statistics().Tab(mode) != nullptr, tab) << mode;
    }
    const int32_t left = profile->GetRect().left;
    const int32_t top = profile->GetRect().top;
    const auto place = [&](int32_t mode) {
        const WidgetRect rect = Statistics().Tab(mode)->GetRect();
        return std::pair<int32_t, int32_t>{rect.left - left, rect.top - top};
    };
    EXPECT_EQ(place(10), (std::pair<int32_t, int32_t>{35, 277}));
    EXPECT_EQ(place(16), (std::pair<int32_t, int32_t>{35 + 94 * 3, 277}));
    EXPECT_EQ(place(6), (std::pair<int32_t, int32_t>{35 + 94 * 4, 277}));
    EXPECT_EQ(place(0), (std::pair<int32_t, int32_t>{35, 300}));
    EXPECT_EQ(place(5), (std::pair<int32_t, int32_t>{35 + 94 * 4, 300}));
    EXPECT_EQ(Statistics().Tab(12)->GetSourceRect().top, 12 * 60 - 20);
    EXPECT_EQ(Statistics().Tab(3)->GetSourceRect().top, 2 * 60 + 580);
    EXPECT_EQ(ProfileStatistics::ModeOfControl(117), -1) << "no mode 17";
}

TEST_F(ProfileWindowTest, NothingShowsForAnUnfoundOrBrokenProfileAndLevelZeroHasNoBadge) {
    EXPECT_FALSE(Show(TestProfile{}, false));
    EXPECT_FALSE(profile->IsVisible());
    quill::Packet cut;
    cut.Init(quill::MessageId::UserProfile).WriteU8(1).WriteWString(u"Cut").WriteU8(1);
    quill::Packet cutPacket = AsReceived(std::move(cut));
    EXPECT_FALSE(app.Scenes().ShowUserProfile(nullptr, cutPacket));
    EXPECT_FALSE(profile->IsVisible());

    TestProfile beginner;
    beginner.level = 0;
    beginner.icon = 0;
    ASSERT_TRUE(Show(beginner));
    EXPECT_FALSE(profile->LevelBadge()->IsVisible());
    EXPECT_FALSE(profile->Icon()->IsVisible());
    beginner.level = 1;
    beginner.icon = 1;
    ASSERT_TRUE(Show(beginner));
    EXPECT_EQ(profile->LevelBadge()->GetSourceRect().left, 0);
    EXPECT_EQ(profile->Icon()->GetSourceRect().left, 0);
    EXPECT_TRUE(profile->Icon()->IsVisible());
}

TEST_F(ProfileWindowTest, ThePlayersOwnProfileIsShownWithoutAskingTheServer) {
    quill::PlayerState& player = connection().LocalPlayer();
    player.level = 7;
    player.money = 42;
    player.profileLines[0] = u"my line";
    player.playCountsA[12] = 9;
    profile->SetSelectedMode(12);
    profile->ShowLocal(Screen(), player);
    EXPECT_TRUE(profile->IsVisible());
    EXPECT_EQ(profile->NicknameLabel()->GetText(), u"Carom");
    EXPECT_EQ(profile->LevelLabel()->GetText(), u"(7)");
    EXPECT_EQ(profile->TextLine(0)->GetText(), u"my line");
    EXPECT_EQ(Value(12, 0), u"9");
    EXPECT_EQ(SentCount(quill::MessageId::UserInfoRequest), 0u);
    profile->SetSelectedMode(40);
    EXPECT_EQ(profile->SelectedMode(), 12) << "only a game mode can be chosen";
}

}  // namespace
}  // namespace kestrovan::test
