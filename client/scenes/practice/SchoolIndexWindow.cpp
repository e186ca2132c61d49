#include "client/scenes/practice/SchoolIndexWindow.h"

#include <algorithm>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

namespace {

constexpr float kOpacity = 0.7f;
// Where a tab's caption starts inside its button; its right-aligned text ends as far inside the right edge.
constexpr int32_t kTabTextX = 6;
constexpr int32_t kTabTextY = 6;
constexpr int32_t kTabWidth = 83;
constexpr int32_t kTabHeight = 29;

constexpr const char16_t* kTabTitles[] = {u"Tutorial", u"Level 1", u"Level 2", u"Level 3", u"Level 4", u"Trickshot"};

struct Chapter {
    int32_t tab;
    const char16_t* title;
    int32_t page;
    std::initializer_list<std::pair<const char16_t*, int32_t>> sections;
};

}  // namespace

SchoolIndexWindow::SchoolIndexWindow(Services services) : services_(std::move(services)) {
    Create(0, 0, kWidth, kHeight, -1, -1);
    SetImage(kTutorTexture, 765, 751, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(sound_id::kWindowOpen, 0);
    SetModal(false);
    SetAlpha(kOpacity);
    title_ = CreateTextLabel(10, 8, 80, 24, &UiFontAt(UiFont::Bold16), TextLabel::kAlignRight, 0);
    title_->SetColors(kCyan, 0);
    title_->SetAlpha(1.0f);
    // Its face (with its cross) lies below the lesson boards, where its four frames lie whole.
    Button* hide = CreateButton(238, 22, 18, 18, kHide, -1, kTutorTexture, 477, 570);
    hide->SetTooltip(u"Hide index");
    for (size_t k = 0; k < kTabs; ++k) {
        Button* tab = CreateButton(kTabsX, 72 + 32 * static_cast<int32_t>(k), kTabWidth, kTabHeight,
                                   kFirstTab + static_cast<int32_t>(k), -1, kTutorTexture, 247, 821);
        tab->SetRadio();
        tab->AddLabel(&UiFontAt(UiFont::Bold16), TextLabel::kAlignRight, kWhite, kBlack, 0);
        tab->GetCaption()->AddStyle(0, kTabTextX, kTabTextY);
        tab->GetCaption()->SetSize(kTabWidth - 1 - 2 * kTabTextX, kTabHeight - 1 - kTabTextY);
        tab->SetCaption(kTabTitles[k]);
        tab->SetEnabled(k == 0);
        tabs_[k] = tab;
    }
    for (size_t k = 0; k < kRows; ++k) {
        auto row = std::make_unique<SchoolIndexRow>(47 + 26 * static_cast<int32_t>(k), kFirstRow + static_cast<int32_t>(k));
        rows_[k] = static_cast<SchoolIndexRow*>(AddChild(std::move(row), false));
    }
    // The bar wears its track; the thumb runs in line with the step buttons, a pixel in from the bar's left.
    scroll_ = ScrollBar::AddTo(
        *this, {.x = 230, .y = 48, .w = 16, .h = 206, .id = kScroll},
        {kTutorTexture, {0, 674, 16, 206}, {12, 892, 14, 17}, {26, 892, 14, 17}, {0, 883, 12, 20}, 1});
    FillEntries();
    Show(false);
}

void SchoolIndexWindow::FillEntries() {
    static const Chapter kChapters[] = {
        {1, u"Control", 1, {}},
        {1, u"Game guide", 20, {}},
        {1, u"About skills", 30, {}},
        {1, u"Two ways to control power", 40, {{u"Manual mode", 40}, {u"Auto mode", 42}}},
        {1, u"Masse", 50, {}},
        {1, u"Pocketball rules", 70, {{u"8 Ball rules", 71}, {u"9 Ball rules", 75}, {u"14.1 rules", 77}}},
        {1,
         u"Carom rules",
         80,
         {{u"Handicap score", 81}, {u"Finishing rules", 83}, {u"3-cushion game rules", 84}, {u"3-cushion intl. rules", 86}}},
        {2,
         u"Carom basics",
         99,
         {{u"Practice", 100},
          {u"Learning about spins", 101},
          {u"Top and bottom spin", 102},
          {u"Two cushion", 103},
          {u"Three cushion", 104}}},
        {2, u"Pocketball basics", 130, {}},
        {3, u"Advanced practice", 150, {}},
        {3, u"Advanced one cushion", 155, {}},
        {3, u"Advanced two cushion", 160, {}},
        {3, u"Advanced three cushion 1", 165, {}},
        {3, u"Advanced three cushion 2", 167, {}},
    };
    std::array<int32_t, kTabs> groups{};
    for (const Chapter& chapter : kChapters) {
        const auto tab = static_cast<size_t>(chapter.tab - 1);
        const int32_t group = ++groups[tab];
        entries_[tab].push_back({chapter.tab, group, 0, chapter.page, 0, 0, chapter.title});
        int32_t sub = 0;
        for (const auto& [title, page] : chapter.sections) {
            entries_[tab].push_back({chapter.tab, group, ++sub, page, 0, 0, quill::WString(u"  ") + title});
        }
    }
}

// --- the rows ---

void SchoolIndexWindow::Refresh() {
    WidgetToolkit::CheckTreeAccess("SchoolIndexWindow::Refresh");
    for (size_t k = 0; k < kTabs; ++k) tabs_[k]->SetChecked(k == tab_);
    title_->SetText(kTabTitles[tab_]);
    ShowRows();
    scroll_->SetRange(firstRows_[tab_].Range(static_cast<int32_t>(entries_[tab_].size())));
}

void SchoolIndexWindow::ShowRows() {
    const std::vector<SchoolIndexEntry>& entries = entries_[tab_];
    const uint32_t progress = services_.progress ? services_.progress() : 0;
    const auto first = static_cast<size_t>(firstRows_[tab_].First() - 1);
    size_t filled = 0;
    for (size_t n = first; n < entries.size() && filled < kRows; ++n) {
        const SchoolIndexEntry& entry = entries[n];
        SchoolIndexRow& row = *rows_[filled++];
        row.SetEntry(&entry);
        row.RowButton()->SetChecked(&entry == selected_);
        row.ShowReached(progress >= static_cast<uint32_t>(entry.page));
        const bool levelShown = entry.level != 0 && (n == 0 || entries[n - 1].level < entry.level);
        row.LevelLabel()->Show(levelShown);
        if (levelShown) row.LevelLabel()->SetTextF(u"Lv.%d", entry.level);
    }
    for (size_t k = filled; k < kRows; ++k) rows_[k]->SetEntry(nullptr);
}

void SchoolIndexWindow::SelectStep(int32_t page) {
    if (page == 98) return;
    WidgetToolkit::CheckTreeAccess("SchoolIndexWindow::SelectStep");
    size_t tab = 0;
    for (size_t k = 0; k < kTabs; ++k) {
        if (kTabStartPages[k] <= page) tab = k;
    }
    tab_ = tab;
    const std::vector<SchoolIndexEntry>& entries = entries_[tab_];
    const auto count = static_cast<int32_t>(entries.size());
    selected_ = nullptr;
    int32_t leading = 0;
    for (const SchoolIndexEntry& entry : entries) {
        if (entry.page > page) break;
        selected_ = &entry;
        ++leading;
    }
    ShowRows();
    const bool inView = std::any_of(rows_.begin(), rows_.end(), [this](const SchoolIndexRow* row) {
        return row->IsVisible() && row->Entry() != nullptr && row->Entry() == selected_;
    });
    if (!inView && selected_ != nullptr) {
        const SchoolIndexEntry* top = rows_[0]->Entry();
        const bool above = top != nullptr && selected_->page < top->page;
        firstRows_[tab_].ScrollTo(above ? leading : leading - static_cast<int32_t>(kRows) + 1, count);
    }
    scroll_->SetRange(firstRows_[tab_].Range(count));
    scroll_->SetPosition(firstRows_[tab_].BarPosition(), false);
    Refresh();
}

void SchoolIndexWindow::PlaceOnScreen(int32_t screenWidth, int32_t screenHeight) {
    SetPosition(screenWidth - kWidth - kRightMargin, screenHeight - kHeight - kBottomMargin);
}

// --- events ---

bool SchoolIndexWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id >= kFirstTab && id < kFirstTab + static_cast<int32_t>(kTabs)) {
        tab_ = static_cast<size_t>(id - kFirstTab);
        Refresh();
        scroll_->SetPosition(firstRows_[tab_].BarPosition(), false);
        return true;
    }
    if (id >= kFirstRow && id < kFirstRow + static_cast<int32_t>(kRows)) {
        OpenRow(static_cast<size_t>(id - kFirstRow));
        return true;
    }
    switch (id) {
        case kHide:
            SetVisible(false);
            // 1061 tells the school the index was hidden.
            if (services_.post) services_.post(quill::AppEventId::SchoolLevelGate, 0, 0, 0);
            return true;
        case kScroll:
            firstRows_[tab_].ScrollTo(a + 1, static_cast<int32_t>(entries_[tab_].size()));
            Refresh();
            return true;
        case 2049:
            SetVisible(false);
            return true;
        default:
            return Window::OnEvent(source, a, b);
    }
}

// A row opens its page, unless the entry needs a higher level than the player's.
void SchoolIndexWindow::OpenRow(size_t n) {
    const SchoolIndexEntry* entry = nullptr;
    entry = rows_[n]->Entry();
    if (entry == nullptr) return;
    const int32_t level = services_.playerLevel ? services_.playerLevel() : 0;
    if (entry->level > level) {
        rows_[n]->RowButton()->SetChecked(false);
        if (services_.notice) services_.notice(quill::Format(u"이 문제는 레벨%d부터 도전 가능합니다.", entry->level));
        return;
    }
    selected_ = entry;
    Refresh();
    if (services_.post) services_.post(quill::AppEventId::SchoolStep, static_cast<uint32_t>(entry->page), 0, 0);
}

// Called on the thread that shows the window; the screen may have changed size while it was hidden.
void SchoolIndexWindow::OnShow() {
    Window::OnShow();
    const UiServices& services = WidgetToolkit::Get().Services();
    PlaceOnScreen(services.GetScreenWidth(), services.GetScreenHeight());
    Refresh();
}

int32_t SchoolIndexWindow::ScrollPosition(size_t tab) const {
    return firstRows_[tab].First();
}

const SchoolIndexEntry* SchoolIndexWindow::Selected() const {
    return selected_;
}

}  // namespace kestrovan
