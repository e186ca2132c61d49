#include "client/scenes/common/SlidingItemWindow.h"

#include <algorithm>

#include "client/app/UiTextures.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/ItemToggleCell.h"
#include "client/scenes/common/PopupWindow.h"
#include "client/scenes/common/SharedScrollArt.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"

namespace kestrovan {

namespace {

constexpr int32_t kCellLeftEdge = 9;

}  // namespace

SlidingItemWindow::SlidingItemWindow(int32_t srcX, int32_t srcY, int32_t scrollId, const char16_t* closeTooltip,
                                     MouseReposter reposter)
    : reposter_(std::move(reposter)) {
    Create(-kTravel, 0, kWidth, kHeight, -1, -1);
    SetImage(kGameSecondTexture, srcX, srcY, kWidth, kHeight, 1.0f, 1.0f);
    SetModal(false);
    // The bar wears the scroll parts every list shares: the cue cells' hovered face covers the game texture's.
    scrollBar_ = ScrollBar::AddTo(
        *this, {.x = 445, .y = 100, .w = 14, .h = 100, .id = scrollId},
        SharedScrollArt(14, 100));
    // The shared Close tile stretched to its size: the game texture's pieces beside the score track's cells are
    // the track's own.
    constexpr int32_t kCloseTile = 255;
    close_ = PopupWindow::AddTileButton(*this, 420, 228, 52, 19, kCloseId, kCloseKey, kCloseTile);
    close_->SetTooltip(closeTooltip);
    SetCentredCaption(*close_, u"Close");
    Show(false);
}

void SlidingItemWindow::StartSlideIn() {
    slide_ = Slide::kIn;
    offset_ = 0;
    PlaceAtOffset();
}

void SlidingItemWindow::SetCells(std::vector<ItemToggleCell*> cells, std::function<bool(size_t)> holdsItem) {
    cells_ = std::move(cells);
    holdsItem_ = std::move(holdsItem);
}

void SlidingItemWindow::SetScrollCount(int32_t count) {
    count_ = count;
    scrollBar_->SetRange(pager_.Range(count));
}

void SlidingItemWindow::PlaceAtOffset() {
    SetPosition(offset_ - kTravel, GetRect().top - (GetParent() != nullptr ? GetParent()->GetRect().top : 0));
}

void SlidingItemWindow::Tick(uint32_t now) {
    Window::Tick(now);
    if (slide_ == Slide::kIdle) return;
    if (slide_ == Slide::kIn) {
        offset_ = std::min(offset_ + kStep, kTravel);
        if (offset_ == kTravel) slide_ = Slide::kIdle;
    } else {
        offset_ = std::max(offset_ - kStep, 0);
        if (offset_ == 0) {
            slide_ = Slide::kIdle;
            SetVisible(false);
        }
    }
    PlaceAtOffset();
    if (slide_ == Slide::kIdle) return;
    for (size_t i = 0; i < cells_.size(); ++i) {
        cells_[i]->Show(offset_ - kTravel + kCellLeftEdge > 0 && holdsItem_ && holdsItem_(i));
    }
}

bool SlidingItemWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == scrollBar_) {
        pager_.ScrollTo(a, count_);
        Refresh();
        if (reposter_) reposter_();
        return true;
    }
    if (source == close_) {
        Close();
        return true;
    }
    if (OnCellEvent(source, a)) return true;
    return Window::OnEvent(source, a, b);
}

bool SlidingItemWindow::OnCellEvent(Widget* source, int32_t code) {
    const auto found = std::ranges::find(cells_, source);
    if (found == cells_.end()) return false;
    const auto cell = static_cast<size_t>(found - cells_.begin());
    if (code == Button::kEnterEvent) {
        hovered_ = cell;
        ShowHovered(cell);
    } else if (code == Button::kLeaveEvent) {
        if (hovered_ == cell) ShowChosen();
    } else if (code != Button::kDoubleClickEvent && holdsItem_ && holdsItem_(cell)) {
        Choose(cell);
        for (size_t i = 0; i < cells_.size(); ++i) cells_[i]->GetButton()->SetChecked(i == cell);
    }
    return true;
}

void SlidingItemWindow::OnHide() {
    Window::OnHide();
    ReleaseItemPreviews(*this);
}

}  // namespace kestrovan
