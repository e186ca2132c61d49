#pragma once
// The gallery's list window: today's best shots (requested page 0, optionally of a chosen day, with the
// prizes of the first three) or one page of all registered shots, ten rows at most, with a bar of ten page
// buttons, jumps of 10 and 100 pages and the year, month and day boxes. Choosing a row hides the window and
// posts GalleryPage with the row's shot; the screen then opens the shot window.
//
// A refresh prepares the window at once ("List is being read.", rows hidden) and asks the window's exchange
// for the page, which posts it on a thread of its own; the screen's frames take the reply when it has come
// (CompleteFetch) and show the rows, so that no thread that draws or runs the game waits for the site.
//
// Threads: see the table in client/app/Scene.h; the site's answers come through the window's exchange (GalleryExchange)
// and are taken on the game thread (CompleteFetch).
#include <array>
#include <cstdint>

#include "client/app/UiTextures.h"
#include "client/scenes/gallery/GalleryReplies.h"
#include "client/scenes/gallery/GalleryServices.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class ComboBox;
class GalleryListRow;
class Panel;
class TextLabel;

class GalleryListDialog : public Window {
public:
    static constexpr int32_t kWidth = 542;
    static constexpr int32_t kHeight = 429;
    static constexpr size_t kRows = 10;
    static constexpr size_t kPageButtons = 10;
    static constexpr int32_t kForward100 = 295;
    static constexpr int32_t kForward10 = 296;
    static constexpr int32_t kBack10 = 297;
    static constexpr int32_t kBack100 = 298;
    static constexpr int32_t kTodaysBest = 299;
    static constexpr int32_t kFirstPageButton = 900;
    static constexpr int32_t kFirstRow = 1000;
    static constexpr int32_t kYearBox = 310;
    static constexpr int32_t kMonthBox = 311;
    static constexpr int32_t kDayBox = 312;
    // The gallery's first year: the year box offers it and every year after it up to the current one.
    static constexpr int32_t kFirstYear = 2007;
    static constexpr int32_t kPrizes[3] = {50000, 30000, 10000};

    explicit GalleryListDialog(GalleryServices services);

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    // Page bar start 1, requested page 0, server page 0, no date, selected row 0.
    void ResetPaging();
    // Step one of a refresh now, the post on the exchange's thread.
    void Refresh();
    // The rest of the refresh once the site's reply has come; whether it had (the screen's frames).
    bool CompleteFetch();
    // A page was asked for whose reply has not been shown.
    bool IsFetchPending() const;

    // --- What the screen and tests read ---
    int32_t RequestedPage() const;
    int32_t PageBarStart() const;
    int32_t PageCount() const;
    int32_t ServerPage() const;
    int32_t EntryCount() const;
    int32_t SelectedRow() const;
    GalleryDate DateFilter() const;
    GalleryListRow* Row(size_t k) const { return rows_[k]; }
    Button* PageButton(size_t k) const { return pageButtons_[k]; }
    Button* JumpButton(int32_t id) const;
    Button* TodaysBestButton() const { return todaysBestButton_; }
    ComboBox* YearBox() const { return yearBox_; }
    ComboBox* MonthBox() const { return monthBox_; }
    ComboBox* DayBox() const { return dayBox_; }
    Panel* DatePanel() const { return datePanel_; }
    TextLabel* ReadingLabel() const { return reading_; }
    TextLabel* NoBestLabel() const { return noBest_; }
    TextLabel* TodaysBestLabel() const { return todaysBest_; }
    TextLabel* PageLabel() const { return pageCaption_; }

private:
    void BuildDatePanel();
    ComboBox* AddDateBox(int32_t x, int32_t id, int32_t first, int32_t count);
    void ShowEntries(const GalleryListReply& reply);
    void FinishRefresh();
    void LayOutPageBar();
    void UntogglePageButtons(const Button* except);
    void JumpTo(int32_t page);
    void ChooseRow(int32_t row);
    void ChoosePage(int32_t button);
    void ApplyDate();
    static int32_t FaceNumber(const ComboBox& box);

    GalleryServices services_;

    int32_t pageBarStart_ = 1;
    int32_t requestedPage_ = 0;
    int32_t pageCount_ = 0;
    int32_t serverPage_ = 0;
    int32_t entryCount_ = 0;
    int32_t selectedRow_ = 0;
    GalleryDate date_;

    TextLabel* reading_ = nullptr;
    TextLabel* noBest_ = nullptr;
    TextLabel* todaysBest_ = nullptr;
    TextLabel* pageCaption_ = nullptr;
    std::array<GalleryListRow*, kRows> rows_{};
    std::array<Button*, kPageButtons> pageButtons_{};
    std::array<Button*, 4> jumps_{};
    Button* todaysBestButton_ = nullptr;
    Panel* datePanel_ = nullptr;
    ComboBox* yearBox_ = nullptr;
    ComboBox* monthBox_ = nullptr;
    ComboBox* dayBox_ = nullptr;
};

}  // namespace kestrovan
