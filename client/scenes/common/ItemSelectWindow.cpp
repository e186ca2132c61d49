#include "client/scenes/common/ItemSelectWindow.h"

#include <algorithm>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "client/scenes/common/CueStatPanel.h"
#include "client/scenes/common/ItemSelectCell.h"
#include "client/ui/Button.h"

namespace kestrovan {

ItemSelectWindow::ItemSelectWindow(quill::PlayerState& player, AppEventPoster poster, MouseReposter reposter)
    : SlidingItemWindow(0, 0, kScrollBarId, u"Close(~)", std::move(reposter)),
      player_(player),
      poster_(std::move(poster)) {
    for (size_t i = 0; i < kCells; ++i) {
        auto cell = std::make_unique<ItemSelectCell>(kFirstCellId + static_cast<int32_t>(i));
        cells_[i] = static_cast<ItemSelectCell*>(AddChild(std::move(cell), false));
        cells_[i]->SetPosition(10 + 76 * static_cast<int32_t>(i), 33);
    }
    stats_ = static_cast<CueStatPanel*>(AddChild(std::make_unique<CueStatPanel>(), false));
    stats_->SetPosition(320, 35);
    SetCells(std::vector<ItemToggleCell*>(cells_.begin(), cells_.end()),
             [this](size_t i) { return cells_[i]->Item().has_value(); });
}

quill::InventoryItem* ItemSelectWindow::SelectedItem() const {
    return selected_ ? player_.FindItem(selected_->key, selected_->subKey) : nullptr;
}

quill::InventoryItem* ItemSelectWindow::ItemOf(const ItemSelectCell& cell) const {
    return cell.Item() ? player_.FindItem(cell.Item()->key, cell.Item()->subKey) : nullptr;
}

void ItemSelectWindow::OnShow() {
    SlidingItemWindow::OnShow();
    StartSlideIn();
    stats_->Widget::Show(false);
    Refresh();
    if (const quill::InventoryItem* selected = SelectedItem()) stats_->Show(*selected);
}

void ItemSelectWindow::Refresh() {
    cueCount_ = 0;
    size_t shown = 0;
    {
        quill::ScopedLock hold(player_.GetLock());
        const quill::InventoryItem* equipped = player_.GetEquippedItem(equipSlot_);
        if (equipped != nullptr) selected_ = ItemQuickCell::ItemKey{equipped->key, equipped->subKey};
        for (uint32_t i = player_.ItemCount(); i-- > 0;) {
            const quill::InventoryItem* item = player_.ItemAt(i);
            if (item == nullptr || item->kind != quill::ItemRecord::kCue) continue;
            ++cueCount_;
            if (cueCount_ < ScrollOffset() || shown == kCells) continue;
            ItemSelectCell& cell = *cells_[shown++];
            cell.SetItem(*item);
            cell.GetButton()->SetChecked(selected_ == cell.Item());
        }
    }
    for (size_t i = shown; i < kCells; ++i) cells_[i]->Clear();
    SetScrollCount(cueCount_);
}

void ItemSelectWindow::ShowStats(const quill::InventoryItem* item) {
    if (item != nullptr) {
        stats_->Show(*item);
    } else {
        stats_->Widget::Show(false);
    }
}

void ItemSelectWindow::ShowHovered(size_t cell) {
    const quill::InventoryItem* item = ItemOf(*cells_[cell]);
    ShowStats(item != nullptr ? item : SelectedItem());
}

void ItemSelectWindow::ShowChosen() {
    ShowStats(SelectedItem());
}

void ItemSelectWindow::Choose(size_t cell) {
    selected_ = cells_[cell]->Item();
    ShowStats(SelectedItem());
    if (poster_) poster_(quill::AppEventId::QuickSlotA, 1, 0, 0);
}

}  // namespace kestrovan
