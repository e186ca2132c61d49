// The school's lesson index on the widget fakes: showing it places it by the right and bottom edges of the
// screen as it is at that moment; the tab and row captions are drawn 6 pixels down (tabs) or 7 (rows) and end
// 6 pixels inside their buttons' right edges, the rows short of the scroll bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "client/scenes/practice/SchoolIndexWindow.h"
#include "client/ui/Button.h"
#include "client/ui/Panel.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "tests/client/ui/UiTestSupport.h"

namespace kestrovan::test {
namespace {

class SchoolIndexWindowTest : public UiTest {
protected:
    SchoolIndexWindowTest() {
        root.SetRect(0, 0, 1024, 768);
        SchoolIndexWindow::Services reachedAll;
        reachedAll.progress = [] { return 1000u; };
        auto owned = std::make_unique<SchoolIndexWindow>(reachedAll);
        index = owned.get();
        root.AddChild(std::move(owned), false);
        root.LoadGraphics(0);
    }

    // Every place where the frame drew the text (the title shows the tab's name too).
    std::vector<std::string> DrawnAt(const std::string& text) {
        const std::string prefix = "text '" + text + "' at ";
        std::vector<std::string> places;
        for (const std::string& draw : device.Draws()) {
            if (draw.starts_with(prefix)) places.push_back(draw.substr(prefix.size()));
        }
        return places;
    }
    std::string Places(const std::string& text) { return ::testing::PrintToString(DrawnAt(text)); }
    bool Drew(const std::string& text, const std::string& place) {
        const std::vector<std::string> places = DrawnAt(text);
        return std::find(places.begin(), places.end(), place) != places.end();
    }
    // A right-aligned caption of the fixed-width font whose text ends `inset` pixels inside its button's right
    // edge, `dy` below its top.
    static std::string CaptionAt(const Button& button, size_t length, int32_t inset, int32_t dy) {
        const WidgetRect rect = button.GetRect();
        const auto width = static_cast<int32_t>(length) * FixedWidthTextSurface::kAdvance;
        return std::to_string(rect.right + 1 - inset - width) + "," + std::to_string(rect.top + dy);
    }

    Panel root;
    SchoolIndexWindow* index = nullptr;
};

TEST_F(SchoolIndexWindowTest, ShowingPlacesTheWindowByTheRightAndBottomEdgesOfTheScreenAsItIsThen) {
    index->SetVisible(true);
    EXPECT_EQ(index->GetRect().left, 1024 - SchoolIndexWindow::kWidth - 10);
    EXPECT_EQ(index->GetRect().top, 768 - SchoolIndexWindow::kHeight - 8);

    index->SetVisible(false);
    index->SetPosition(0, 0);
    services.width = 800;
    services.height = 600;
    index->SetVisible(true);
    EXPECT_EQ(index->GetRect().left, 800 - SchoolIndexWindow::kWidth - 10);
    EXPECT_EQ(index->GetRect().right, 800 - 10 - 1);
    EXPECT_EQ(index->GetRect().bottom, 600 - 8 - 1);
    EXPECT_EQ(index->Row(0)->GetRect().left, index->GetRect().left + 14) << "the rows move with the window";
}

TEST_F(SchoolIndexWindowTest, TabAndRowCaptionsEndInsideTheirButtonsAndTheRowsShortOfTheScrollBar) {
    index->SetVisible(true);
    device.ClearDraws();
    root.UpdateTree();
    EXPECT_TRUE(Drew("Tutorial", CaptionAt(*index->Tab(0), 8, 6, 6))) << Places("Tutorial");
    EXPECT_TRUE(Drew("Level 1", CaptionAt(*index->Tab(1), 7, 6, 6))) << Places("Level 1");
    ASSERT_NE(index->Row(0)->Entry(), nullptr);
    EXPECT_TRUE(Drew("Control", CaptionAt(*index->Row(0)->RowButton(), 7, 6, 7))) << Places("Control");
    const SchoolIndexRow& section = *index->Row(4);
    ASSERT_NE(section.Entry(), nullptr);
    ASSERT_NE(section.Entry()->sub, 0) << "Manual mode";
    EXPECT_TRUE(Drew("  Manual mode", CaptionAt(*section.RowButton(), 13, 6, 7)))
        << "a section's caption ends inside its narrower button";
    for (size_t n = 0; n < SchoolIndexWindow::kRows; ++n)
        EXPECT_LT(index->Row(n)->GetRect().right, index->Scroll()->GetRect().left) << "row " << n;
}

}  // namespace
}  // namespace kestrovan::test
