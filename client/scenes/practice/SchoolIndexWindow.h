#pragma once
// The school's lesson index: the chapters and sections of the school under six tabs (only "Tutorial" can be
// chosen), eight rows with a scroll bar, the rows of pages the player has not reached yet greyed out, and a
// click on a row that opens its page (SchoolStep). The school selects the page it shows (SelectStep), which
// brings its row into view. Scroll positions count from 1: the first entry shown.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/ListPager.h"
#include "client/scenes/practice/SchoolIndexRow.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class ScrollBar;
class TextLabel;

class SchoolIndexWindow : public Window {
public:
    static constexpr int32_t kWidth = 259;
    static constexpr int32_t kHeight = 273;
    static constexpr int32_t kRightMargin = 10;
    static constexpr int32_t kBottomMargin = 8;
    static constexpr int32_t kTabsX = -81;  // the tabs stand left of the window's face
    static constexpr int32_t kHide = 11;
    static constexpr int32_t kScroll = 12;
    static constexpr int32_t kFirstTab = 900;
    static constexpr int32_t kFirstRow = 1000;
    static constexpr size_t kTabs = 6;
    static constexpr size_t kRows = 8;
    static constexpr std::array<int32_t, kTabs> kTabStartPages{1, 99, 150, 300, 500, 1000};

    struct Services {
        std::function<uint32_t()> progress;     // the stored school progress
        std::function<int32_t()> playerLevel;   // the local player's level
        std::function<void(quill::WStringView)> notice;
        std::function<void(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra)> post;
    };

    explicit SchoolIndexWindow(Services services);

    // Brings the page's entry into view and marks it; page 98 changes nothing.
    void SelectStep(int32_t page);
    // The rows again from the tab, its scroll position, the selection and the progress.
    void Refresh();
    // 10 pixels from the right and 8 from the bottom of a screen of that size.
    void PlaceOnScreen(int32_t screenWidth, int32_t screenHeight);
    // Where the window placed on a screen of that width begins on the left, its tabs included.
    static int32_t LeftOnScreen(int32_t screenWidth) { return screenWidth - kRightMargin - kWidth + kTabsX; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;

    // --- What the school and tests read ---
    int32_t ScrollPosition(size_t tab) const;
    const SchoolIndexEntry* Selected() const;
    SchoolIndexRow* Row(size_t n) const { return rows_[n]; }
    Button* Tab(size_t n) const { return tabs_[n]; }
    ScrollBar* Scroll() const { return scroll_; }
    const std::vector<SchoolIndexEntry>& Entries(size_t tab) const { return entries_[tab]; }

private:
    void FillEntries();
    void ShowRows();
    void OpenRow(size_t n);

    Services services_;
    TextLabel* title_ = nullptr;
    std::array<Button*, kTabs> tabs_{};
    std::array<SchoolIndexRow*, kRows> rows_{};
    ScrollBar* scroll_ = nullptr;
    size_t tab_ = 0;
    // Each tab's first row shown, kept while another tab shows.
    std::vector<ListPager> firstRows_ = std::vector<ListPager>(kTabs, ListPager(kRows));
    std::array<std::vector<SchoolIndexEntry>, kTabs> entries_;
    const SchoolIndexEntry* selected_ = nullptr;
};

}  // namespace kestrovan
