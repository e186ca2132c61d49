// Scroll bars (positions, step buttons, wheel, thumb drag, a full track) and combo boxes (open, scroll,
// choose, close, placement near the bottom of the screen).
#include <gtest/gtest.h>

#include <algorithm>

#include "UiTestSupport.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Window.h"

namespace kestrovan::test {
namespace {

namespace Msg = platform::Msg;

// A vertical bar of 10 positions at (500, 100), 16 x 216: step buttons 16 x 16 at both ends, a 16 x 20 thumb,
// which leaves a track of 164 pixels.
class ScrollBarTest : public UiTest {
protected:
    ScrollBarTest() {
        root.Create(0, 0, 1024, 768, -1, -1);
        auto owned = std::make_unique<ScrollBar>();
        bar = owned.get();
        bar->Create(500, 100, 16, 216, 30, ScrollBar::kVertical, 10, true);
        root.AddChild(std::move(owned), true);
        bar->SetImage(6, 0, 0, 16, 216, 1.0f, 1.0f);
        bar->AddDecButton(16, 0, 16, 16, -1);
        bar->AddIncButton(16, 64, 16, 16, -1);
        bar->AddThumb(32, 0, 16, 20, 0);
    }

    int32_t ThumbTop() const { return bar->GetThumb()->GetRect().top; }

    EventLog root;
    ScrollBar* bar = nullptr;
};

TEST_F(ScrollBarTest, PositionsAreClampedAndReportedPlusOne) {
    EXPECT_EQ(bar->GetTrackLength(), 216 - 16 - 16 - 20);
    EXPECT_EQ(ThumbTop(), 116);
    bar->SetPosition(-5, true);
    EXPECT_TRUE(root.events.empty()) << "already at 0: no change, no event";
    bar->SetPosition(13, true);
    EXPECT_EQ(bar->GetPosition(), 9);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{bar, 10, 0}}));
    EXPECT_EQ(ThumbTop(), 116 + 164);
    bar->SetPosition(4, false);
    EXPECT_EQ(ThumbTop(), 116 + 73) << "4/9 of the track, rounded";
    EXPECT_EQ(root.events.size(), 1u);

    bar->SetRange(3);
    EXPECT_EQ(bar->GetPosition(), 2);
    EXPECT_EQ(root.events.size(), 1u) << "a range change re-clamps silently";
    bar->SetRange(1);
    EXPECT_EQ(bar->GetPosition(), 0);
    EXPECT_EQ(ThumbTop(), 116) << "one position keeps the thumb at the start";
}

TEST_F(ScrollBarTest, StepButtonsMoveOneStepPerClick) {
    Mouse(root, Msg::MouseMove, 505, 305);
    Mouse(root, Msg::LButtonDown, 505, 305);
    for (int i = 0; i < 5; ++i) {
        Mouse(root, Msg::MouseMove, 505, 306);  // holding does not repeat
    }
    Mouse(root, Msg::LButtonUp, 505, 306);
    EXPECT_EQ(bar->GetPosition(), 1);
    Advance(1000);
    Click(root, 505, 105);
    EXPECT_EQ(bar->GetPosition(), 0);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{bar, 2, 0}, {bar, 1, 0}})) << "the raw button events stop";
}

TEST_F(ScrollBarTest, TheWheelStepsUntilAnEndAndTheListAreaSwallowsItThere) {
    bar->SetSecondRect(300, 100, 200, 216);
    EXPECT_FALSE(Wheel(root, 1, 505, 200)) << "over the bar, a backward step at 0 passes on";
    EXPECT_TRUE(Wheel(root, 1, 400, 200)) << "over the list it is swallowed";
    EXPECT_EQ(bar->GetPosition(), 0);
    EXPECT_TRUE(Wheel(root, -1, 505, 200));
    EXPECT_TRUE(Wheel(root, -1, 400, 200));
    EXPECT_EQ(bar->GetPosition(), 2);
    EXPECT_FALSE(Wheel(root, -1, 100, 200)) << "elsewhere the bar does not take it";
}

TEST_F(ScrollBarTest, DraggingTheThumbMovesThePosition) {
    Mouse(root, Msg::MouseMove, 505, 200);
    Mouse(root, Msg::LButtonDown, 505, 200);  // the thumb jumps under the mouse
    EXPECT_EQ(ThumbTop(), 190);
    EXPECT_EQ(bar->GetPosition(), 4) << "74/164 x 9 rounded";
    Mouse(root, Msg::MouseMove, 900, 900);  // held outside the bar
    EXPECT_EQ(ThumbTop(), 116 + 164);
    EXPECT_EQ(bar->GetPosition(), 9);
    Mouse(root, Msg::LButtonUp, 900, 900);
    Mouse(root, Msg::MouseMove, 505, 120);
    EXPECT_EQ(bar->GetPosition(), 9) << "no drag after the release";
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{bar, 5, 0}, {bar, 10, 0}}));
}

// A thumb as long as the track leaves no room to move: dragging keeps position 0 rather than divide by 0.
TEST_F(ScrollBarTest, AFullTrackKeepsPositionZero) {
    ScrollBar* full = new ScrollBar;
    full->Create(600, 100, 16, 100, 31, ScrollBar::kVertical, 5, false);
    root.AddChild(std::unique_ptr<Widget>(full), true);
    full->AddThumb(0, 0, 16, 100, 0);
    EXPECT_EQ(full->GetTrackLength(), 0);
    Mouse(root, Msg::MouseMove, 605, 150);
    Mouse(root, Msg::LButtonDown, 605, 150);
    Mouse(root, Msg::MouseMove, 605, 190);
    EXPECT_EQ(full->GetPosition(), 0);
    EXPECT_TRUE(root.events.empty());
    full->SetPosition(3, true);
    EXPECT_EQ(full->GetThumb()->GetRect().top, 100);

    ScrollBar* horizontal = new ScrollBar;
    horizontal->Create(100, 600, 50, 10, 32, 0, 5, false);
    root.AddChild(std::unique_ptr<Widget>(horizontal), true);
    horizontal->AddThumb(0, 0, 60, 10, 0);  // longer than the bar: a negative track
    Mouse(root, Msg::LButtonUp, 605, 190);
    Mouse(root, Msg::MouseMove, 120, 605);
    Mouse(root, Msg::LButtonDown, 120, 605);
    EXPECT_EQ(horizontal->GetPosition(), 0);
}

// A combo box of three rows in a dialog.
class ComboTest : public UiTest {
protected:
    ComboTest() {
        root.Create(0, 0, 1024, 768, -1, -1);
        combo = root.CreateComboBox(100, 100, 120, 21, 40, -1, 8, 0, 0);
        combo->GetFace()->AddLabel(&font, TextLabel::kAlignCentre, 0xFFFFFF, 0, 0);
        combo->SetRowCount(3);
        combo->AddItem(u"Carom");
        combo->AddItem(u"Pocket");
        combo->SetAutoCaption(true);
        root.LoadGraphics(0);
    }

    FontDesc font{u"Sans", 12, 700, false};
    EventLog root;
    ComboBox* combo = nullptr;
};

TEST_F(ComboTest, OpensScrollsAndChooses) {
    Click(root, 150, 110);
    Window* list = combo->GetDropDown();
    ASSERT_TRUE(list->IsVisible());
    EXPECT_EQ(toolkit.GetExclusiveWidget(), list);
    EXPECT_EQ(toolkit.GetActiveWidget(), list);
    EXPECT_EQ(list->GetRect().top, 120) << "below the face, sharing its edge";
    EXPECT_TRUE(combo->GetRow(0)->IsVisible());
    EXPECT_TRUE(combo->GetRow(1)->IsVisible());
    EXPECT_FALSE(combo->GetRow(2)->IsVisible()) << "unfilled rows stay hidden";
    EXPECT_TRUE(root.events.empty()) << "the face's own click goes no further";

    Mouse(root, Msg::MouseMove, 150, 125);
    EXPECT_EQ(combo->GetRow(0)->GetState(), WidgetState::Hover);
    Mouse(root, Msg::MouseMove, 150, 145);  // down to the second row
    EXPECT_EQ(combo->GetRow(0)->GetState(), WidgetState::Normal);
    EXPECT_EQ(combo->GetRow(1)->GetState(), WidgetState::Hover);
    Mouse(root, Msg::LButtonDown, 150, 145);
    Mouse(root, Msg::LButtonUp, 150, 145);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{combo, 1, 0}}));
    EXPECT_EQ(combo->GetSelected(), 1);
    EXPECT_EQ(combo->GetFace()->GetCaption()->GetText(), u"Pocket");
    EXPECT_FALSE(list->IsVisible());
    EXPECT_EQ(toolkit.GetExclusiveWidget(), nullptr);
}

// While the list is open every message goes to it; a click elsewhere closes it without a choice.
TEST_F(ComboTest, AClickOutsideTheOpenListClosesItWithoutChoosing) {
    Button* elsewhere = root.CreateButton(600, 600, 50, 50, 1, -1, 3, 0, 0);
    Click(root, 150, 110);
    EXPECT_TRUE(Mouse(root, Msg::MouseMove, 610, 610));
    EXPECT_EQ(elsewhere->GetState(), WidgetState::Normal);
    EXPECT_TRUE(Mouse(root, Msg::LButtonDown, 610, 610));
    Mouse(root, Msg::LButtonUp, 610, 610);
    EXPECT_FALSE(combo->GetDropDown()->IsVisible());
    EXPECT_TRUE(root.events.empty());
    EXPECT_EQ(combo->GetSelected(), -1);
    Advance(1000);
    Click(root, 610, 610);
    EXPECT_EQ(root.events, (std::vector<EventLog::Event>{{elsewhere, 0, 0}}));
}

TEST_F(ComboTest, TheOpenListIsDrawnLastAndNotWithItsParent) {
    Image* cover = root.CreateImage(0, 0, 10, 10, 9, 0, 0);
    root.LoadGraphics(0);
    Click(root, 150, 110);
    device.ClearDraws();
    root.UpdateTree();
    const std::vector<std::string>& draws = device.Draws();
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.front(), "image 8 0,21,119,41 at 100,100 scale 1,1 alpha 1") << "the face, hovered";
    const auto coverAt = std::find(draws.begin(), draws.end(), "image 9 0,0,9,9 at 0,0 scale 1,1 alpha 1");
    const auto listAt = std::find(draws.begin(), draws.end(), "image 8 0,0,119,20 at 100,120 scale 1,1 alpha 1");
    ASSERT_NE(coverAt, draws.end());
    ASSERT_NE(listAt, draws.end());
    EXPECT_LT(coverAt, listAt) << "the list comes after widgets added later than the combo box";
    EXPECT_EQ(std::count(draws.begin(), draws.end(), "text 'Pocket' at 139,140"), 1);
    EXPECT_EQ(cover->GetKind(), WidgetKind::Image);
}

TEST_F(ComboTest, ItemsFillRowsAndSelectionFollowsTheFilledRows) {
    combo->AddItem(u"Six balls");
    combo->AddItem(u"Snooker");  // no fourth row
    EXPECT_EQ(combo->GetFilledRows(), 3);
    EXPECT_EQ(combo->GetItemText(2), u"Six balls");
    combo->Select(2);
    EXPECT_EQ(combo->GetFace()->GetCaption()->GetText(), u"Six balls");
    combo->Select(5);
    EXPECT_EQ(combo->GetSelected(), 2) << "an index beyond the filled rows is ignored";
    combo->Select(-1);
    EXPECT_EQ(combo->GetFace()->GetCaption()->GetText(), u"");
    combo->ClearItems();
    EXPECT_EQ(combo->GetFilledRows(), 0);
    EXPECT_EQ(combo->GetItemText(0), u"");
    EXPECT_EQ(combo->GetRowCount(), 3) << "the rows stay";
    combo->SetTooltip(u"Game");
    EXPECT_EQ(combo->GetFace()->GetTooltipText(), u"Game");
}

TEST_F(ComboTest, NearTheBottomOfTheScreenTheListOpensHigher) {
    ComboBox* low = root.CreateComboBox(300, 740, 120, 21, 41, -1, 8, 0, 0);
    low->SetRowCount(2);
    low->AddItem(u"a");
    low->AddItem(u"b");
    Click(root, 350, 750);
    const int32_t length = 20 * 3;
    EXPECT_EQ(low->GetDropDown()->GetRect().top, 740 + (768 - 760 - length));
}

}  // namespace
}  // namespace kestrovan::test
