// The help window: the first page's variant by where it was opened, the rules page by game type, the
// "Game rules" tab that refers to the homepage, and the frame rate's words and colours.
#include <gtest/gtest.h>

#include "client/scenes/common/HelpWindow.h"
#include "client/ui/Button.h"
#include "client/ui/Panel.h"
#include "client/ui/TextLabel.h"
#include "tests/client/ui/UiTestSupport.h"

namespace kestrovan::test {
namespace {

class HelpWindowTest : public UiTest {
protected:
    HelpWindowTest() {
        root.SetRect(0, 0, 1024, 768);
        root.AddChild(help.get(), false);
    }
    HelpWindow::Services Services() {
        HelpWindow::Services services;
        services.frameRate = [this] { return rate; };
        services.referToHomepage = [this] { ++homepageReferrals; };
        return services;
    }
    void Click(Widget* button) { help->OnEvent(button, 0, 0); }

    int32_t rate = 60;
    int homepageReferrals = 0;
    Panel root;
    std::unique_ptr<HelpWindow> help = std::make_unique<HelpWindow>(Services());
};

TEST_F(HelpWindowTest, TheFirstPageShowsTheControlsOfWhereItWasOpened) {
    help->OpenPage(HelpWindow::kRoomContext, 3);
    help->Open();
    EXPECT_EQ(help->CurrentPage(), 0);
    EXPECT_TRUE(help->RoomControlsPanel()->IsVisible());
    EXPECT_FALSE(help->PagePanel(0)->IsVisible());
    EXPECT_TRUE(help->Tab(0)->IsChecked());
    EXPECT_EQ(help->RulesTitle()->GetText(), u"[3cushion]");

    Click(help->Tab(2));
    EXPECT_TRUE(help->PagePanel(2)->IsVisible());
    EXPECT_FALSE(help->RoomControlsPanel()->IsVisible());
    help->SetVisible(false);
    // Opened from the lobby: the lobby's lines on the first page, the rules of the type chosen last.
    help->OpenPage(1, 10);
    help->Open();
    EXPECT_TRUE(help->PagePanel(0)->IsVisible());
    EXPECT_FALSE(help->RoomControlsPanel()->IsVisible());
    EXPECT_EQ(help->RulesGameType(), 3);
}

TEST_F(HelpWindowTest, TheRulesTabReferstoTheHomepageAndShowsNoPage) {
    help->OpenPage(1, 0);
    help->Open();
    Click(help->Tab(1));
    EXPECT_EQ(homepageReferrals, 1);
    EXPECT_FALSE(help->Tab(1)->IsChecked());
    EXPECT_FALSE(help->PagePanel(1)->IsVisible());
    EXPECT_EQ(help->CurrentPage(), 0);
}

TEST_F(HelpWindowTest, EachGameTypeFillsItsRulesAndATypeWithoutAPageOnlyItsTitle) {
    Click(help->TypeButton(10));
    EXPECT_TRUE(help->TypeButton(10)->IsChecked());
    EXPECT_FALSE(help->TypeButton(0)->IsChecked());
    EXPECT_EQ(help->RulesTitle()->GetText(), u"[8-ball]");
    const RulesPage eightBall = RulesPageOf(10, HelpLanguage::Korean);
    EXPECT_EQ(help->RuleLine(0)->GetText(), eightBall.summary[0]);
    EXPECT_EQ(help->RuleLine(RulesPage::kSummaryLines)->GetText(), eightBall.details[0]);
    EXPECT_EQ(help->RuleLine(HelpWindow::kRuleLines - 1)->GetText(), u" ");

    Button cardBall;
    cardBall.SetId(HelpWindow::kFirstTypeButton + 11);
    help->OnEvent(&cardBall, 0, 0);
    EXPECT_EQ(help->RulesTitle()->GetText(), u"[card ball]");
    EXPECT_EQ(help->RuleLine(0)->GetText(), u" ");
    EXPECT_EQ(help->TypeButton(11), nullptr);

    // The pages hold as many lines as the rules of each type have.
    const std::map<int32_t, size_t> lines{{0, 13}, {2, 13},  {3, 13},  {4, 12}, {5, 15},
                                          {6, 15}, {10, 15}, {12, 12}, {13, 8}};
    for (const auto& [type, count] : lines) {
        EXPECT_EQ(RulesPageOf(type, HelpLanguage::Korean).LineCount(), count) << type;
        EXPECT_EQ(RulesPageOf(type, HelpLanguage::English).LineCount(), count) << type;
    }
    EXPECT_EQ(RulesPageOf(1, HelpLanguage::English).LineCount(), 0u);
}

TEST_F(HelpWindowTest, TheFrameRateSaysHowItIsOnceASecond) {
    const std::vector<std::pair<int32_t, std::u16string>> cases{
        {28, u"28 fps (slow,bad)"}, {29, u"29 fps (slow)"}, {57, u"57 fps (slow)"}, {58, u"58 fps (normal)"}};
    uint32_t time = 5000;
    for (const auto& [value, text] : cases) {
        rate = value;
        help->Tick(time);
        EXPECT_EQ(help->FrameRateLabel()->GetText(), text);
        time += 1000;
    }
    EXPECT_EQ(help->FrameRateLabel()->GetTextColor() & 0xFFFFFF, 0x00FF00u);
    rate = 10;
    help->Tick(time - 1);
    EXPECT_EQ(help->FrameRateLabel()->GetText(), u"58 fps (normal)") << "not twice in a second";
    help->Tick(time);
    EXPECT_EQ(help->FrameRateLabel()->GetTextColor() & 0xFFFFFF, 0xFF0000u);
}

}  // namespace
}  // namespace kestrovan::test
