#pragma once
// The current tournament's rules and its ranking, fifteen rows a page over seven pages. Each showing asks
// the server for the first page (RankingRequest, 1150); the page arrives as TournamentSchedule (1151), which
// the lobby hands on. Scrolling to another page once the shown one has arrived asks for that page; while a
// page is awaited, scrolling asks for nothing.
//
// Threads: only a screen's entries call it (client/app/Scene.h); whether the page asked for arrived, and what it
// holds, are atomic.
#include <array>
#include <atomic>
#include <cstdint>

#include "QuillLib/net/Packet.h"
#include "client/scenes/common/ListPager.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class PlayerHost;
class ScrollBar;
class TextLabel;
struct RankingPage;

class RankingChart : public PopupWindow {
public:
    static constexpr int32_t kWidth = 597;
    static constexpr int32_t kHeight = 619;
    static constexpr int32_t kPages = 7;
    static constexpr size_t kRows = 15;
    static constexpr size_t kColumns = 6;
    static constexpr size_t kRuleLines = 8;

    explicit RankingChart(PlayerHost& host);

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // TournamentSchedule, the packet's cursor on its payload (dispatch thread).
    void OnSchedule(quill::Packet& packet);
    // The rules and the rows' visibility again, from the connection's tournament record.
    void Refresh();

    uint16_t FirstRank() const;
    bool PageArrived() const { return arrived_; }
    uint16_t Kept() const { return kept_; }
    // Column 0 rank, 1 nickname, 2 score, 3 ratio, 4 time, 5 reward.
    TextLabel* Cell(size_t row, size_t column) const { return cells_[row][column]; }
    TextLabel* ReadingLabel() const { return reading_; }
    TextLabel* StatusLabel() const { return status_; }
    TextLabel* StartLabel() const { return start_; }
    TextLabel* RuleLine(size_t n) const { return rules_[n]; }
    ScrollBar* Pager() const { return pager_; }

private:
    void BuildRows();
    // The page at position (from 1) of the pager.
    void RequestPage(int32_t page);
    void ShowPage(const RankingPage& page);
    void UpdateVisibility(bool soon);

    PlayerHost& host_;
    ListPager page_{1};  // one page a position of the pager: the page asked for, from 1
    std::atomic<bool> arrived_{false};
    std::atomic<uint16_t> kept_{0};
    std::array<std::array<TextLabel*, kColumns>, kRows> cells_{};
    std::atomic<size_t> rowsFilled_{0};
    std::array<TextLabel*, kRuleLines> rules_{};
    TextLabel* status_ = nullptr;
    TextLabel* start_ = nullptr;
    TextLabel* end_ = nullptr;
    TextLabel* reading_ = nullptr;
    ScrollBar* pager_ = nullptr;
};

}  // namespace kestrovan
