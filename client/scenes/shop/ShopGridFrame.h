#pragma once
// One of the shop's two grids as the screen shows it: a panel with its category tabs, eight cards and a scroll
// bar, and the first row shown, kept by a pager of whole rows of four cards (one scroll position a row). The
// part that lists the grid's entries fills the cards and sets the scroll range.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "client/scenes/common/ListPager.h"
#include "client/scenes/shop/ShopGrid.h"
#include "client/scenes/shop/ShopWidgets.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"

namespace kestrovan {

template <class Card>
class ShopGridFrame {
public:
    static constexpr size_t kCells = ShopGrid::kCells;

    ShopGridFrame(int32_t firstCell, int32_t firstTab) : firstCell_(firstCell), firstTab_(firstTab) {}

    // The panel at top in the main panel, its tabs (control ids and captions in their order), its cards and
    // its scroll bar.
    void Build(Widget& mainPanel, int32_t top, std::span<const int32_t> tabIds,
               std::span<const char16_t* const> captions, int32_t scrollId) {
        panel_ = mainPanel.CreateImage(0, top, 568, 360, kShopTexture, 0, 180, 568, 360);
        for (size_t n = 0; n < tabIds.size(); ++n) {
            Button* tab = AddShopButton(*panel_, 13 + 67 * static_cast<int32_t>(n), -4, 69, 38, tabIds[n], -1,
                                        captions[n]);
            tab->SetCheckBox();
            tabs_.push_back(tab);
        }
        for (size_t n = 0; n < kCells; ++n) {
            const int32_t x = static_cast<int32_t>(n % ShopGrid::kColumns) * 129 + 24;
            const int32_t y = static_cast<int32_t>(n / ShopGrid::kColumns) * 155 + 45;
            cells_[n] = AttachShopWidget(*panel_, std::make_unique<Card>(firstCell_ + static_cast<int32_t>(n), x, y),
                                         false);
        }
        scroll_ = AddShopScrollBar(*panel_, 534, 45, 300, scrollId);
    }

    // The category's tab checked, the others not.
    void CheckTab(int32_t category) {
        for (Button* tab : tabs_) tab->SetChecked(tab->GetId() == firstTab_ + category);
    }
    void ResetPage() { pager_.Reset(); }
    // The first row from the scroll bar's position.
    void ScrollToBar() { pager_.ScrollTo(scroll_->GetPosition() + 1, scroll_->GetCount()); }
    // The first entry shown, counted from 1: 1, 5, 9, ...
    int32_t FirstRow() const { return ShopGrid::FirstRowAt(pager_.BarPosition()); }
    // The scroll bar over range positions, at the first row.
    void ShowRange(int32_t range) {
        scroll_->SetRange(range);
        scroll_->SetPosition(pager_.BarPosition(), false);
    }
    // Checks that card alone (none for null).
    void CheckOnly(const Card* card) {
        for (Card* cell : cells_) cell->SetChecked(cell == card);
    }
    // The card the control is, when it is one of the grid's.
    Card* CellOf(const Widget& control) const {
        const int32_t id = control.GetId();
        if (id < firstCell_ || id >= firstCell_ + static_cast<int32_t>(kCells) || control.GetParent() != panel_)
            return nullptr;
        return cells_[static_cast<size_t>(id - firstCell_)];
    }
    // The category of a tab's control id; 0 for any other control.
    int32_t TabCategory(int32_t id) const { return id >= firstTab_ + 1 && id <= firstTab_ + 10 ? id - firstTab_ : 0; }
    Button* Tab(int32_t category) const {
        for (Button* tab : tabs_)
            if (tab->GetId() == firstTab_ + category) return tab;
        return nullptr;
    }

    Image* Panel() const { return panel_; }
    Card* Cell(size_t n) const { return cells_[n]; }
    ScrollBar* Scroll() const { return scroll_; }

private:
    int32_t firstCell_;
    int32_t firstTab_;
    ListPager pager_{1};

    // Widgets, owned by the tree.
    Image* panel_ = nullptr;
    std::vector<Button*> tabs_;
    std::array<Card*, kCells> cells_{};
    ScrollBar* scroll_ = nullptr;
};

}  // namespace kestrovan
