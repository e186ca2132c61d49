#pragma once
// The base of the room's item windows: a window that slides in from the left edge of the screen when shown
// and back out when closed (25 pixels a tick, 476 pixels in all), with a vertical scroll bar for its list
// and a close button (the ~ key). While it slides, a cell shows only once it is on the screen and holds an
// item. Its cells hover and choose alike in every item window: entering a cell shows what it holds, leaving
// the cell last entered shows the chosen item again, and a click (not a double click) on a cell that holds
// an item chooses it, its toggle alone pressed.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "client/scenes/common/ListPager.h"
#include "client/ui/Window.h"

namespace kestrovan {

class Button;
class ItemToggleCell;
class ScrollBar;

class SlidingItemWindow : public Window {
public:
    static constexpr int32_t kWidth = 478;
    static constexpr int32_t kHeight = 232;
    static constexpr int32_t kTravel = 476;
    static constexpr int32_t kStep = 25;
    static constexpr int32_t kCloseId = 2049;
    static constexpr int32_t kCloseKey = 192;  // '~'

    enum class Slide : uint8_t { kIdle, kIn, kOut };

    // Re-sends the last mouse position so that hover states follow a scrolled list.
    using MouseReposter = std::function<void()>;

    Slide SlideState() const { return slide_; }
    int32_t SlideOffset() const { return offset_; }
    // Starts sliding out from where the window is.
    void Close() { slide_ = Slide::kOut; }
    int32_t ScrollOffset() const { return pager_.First(); }
    ScrollBar* Scroll() const { return scrollBar_; }

    void Tick(uint32_t now) override;
    // The scroll bar, the close button and the cells; other sources go to the window.
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // Lets go of the cells' item previews.
    void OnHide() override;

protected:
    SlidingItemWindow(int32_t srcX, int32_t srcY, int32_t scrollId, const char16_t* closeTooltip,
                      MouseReposter reposter);

    // Off screen at the left, sliding in.
    void StartSlideIn();
    // The list's cells, each shown while sliding only when on screen and holding an item.
    void SetCells(std::vector<ItemToggleCell*> cells, std::function<bool(size_t)> holdsItem);
    // The list from the scroll offset on, into the cells.
    virtual void Refresh() = 0;
    static constexpr int32_t kRowsShown = 4;
    // The list's count of entries and the scroll bar's range for it, four shown at a time.
    void SetScrollCount(int32_t count);
    // What the window shows of the cell at that index while the mouse is over it, and of the chosen item.
    virtual void ShowHovered(size_t cell) = 0;
    virtual void ShowChosen() = 0;
    // The cell at that index, which holds an item, was clicked: its item becomes the chosen one.
    virtual void Choose(size_t cell) = 0;

private:
    void PlaceAtOffset();
    // A cell's hover or click; false when the source is no cell.
    bool OnCellEvent(Widget* source, int32_t code);

    ScrollBar* scrollBar_ = nullptr;
    Button* close_ = nullptr;
    MouseReposter reposter_;
    std::vector<ItemToggleCell*> cells_;
    std::function<bool(size_t)> holdsItem_;
    std::optional<size_t> hovered_;  // the cell the mouse entered last
    Slide slide_ = Slide::kIdle;
    int32_t offset_ = 0;
    ListPager pager_{kRowsShown};
    int32_t count_ = 0;  // the entries the list counted last
};

}  // namespace kestrovan
