#include "client/scenes/common/ItemQuickBar.h"

#include <algorithm>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

namespace {

constexpr int32_t kSourceX = 478;
// The step buttons' arrows, left and right.
constexpr int32_t kStepSourceX = 672;
constexpr int32_t kStepSourceY = 212;
constexpr float kRestingOpacity = 0.5f;
constexpr uint32_t kListedTypes[] = {4150, 4146, 4145, 4108};
constexpr uint32_t kBoostKind = 6;

quill::WString NameOf(const quill::InventoryItem& item) {
    if (const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(item.typeCode)) return record->name;
    return item.name;
}

}  // namespace

ItemQuickBar::ItemQuickBar(quill::PlayerState& player, AppEventPoster poster, MouseReposter reposter)
    : player_(player), poster_(std::move(poster)), reposter_(std::move(reposter)) {
    Create(0, 0, kWidth, kHeight, -1, -1);
    SetImage(kGameSecondTexture, kSourceX, 0, kWidth, kHeight, 1.0f, 1.0f);
    for (size_t i = 0; i < kCellCount; ++i) {
        auto cell = std::make_unique<ItemQuickCell>(kFirstCellId + static_cast<int32_t>(i));
        cells_[i] = static_cast<ItemQuickCell*>(AddChild(std::move(cell), false));
        cells_[i]->SetPosition(1 + 32 * static_cast<int32_t>(i), 1);
    }
    caption_ = CreateTextLabel(12, -16, 200, 16, &UiFontAt(UiFont::Bold12), 0, 0);
    caption_->SetColors(kCyan, 0xFF000000);
    caption_->Show(false);
    scrollBar_ = ScrollBar::AddTo(
        *this, {.y = kHeight, .w = kWidth, .h = 12, .id = kScrollBarId, .orientation = 0, .withSprite = false},
        {kGameSecondTexture, {kSourceX, 0, 12, 12}, {kStepSourceX, kStepSourceY, 12, 12},
         {kStepSourceX + 12, kStepSourceY, 12, 12}});
    SetAlpha(kRestingOpacity);
}

bool ItemQuickBar::Lists(const quill::InventoryItem& item) {
    return item.kind == quill::InventoryItem::kKindChalk || item.kind == kBoostKind ||
           std::ranges::find(kListedTypes, item.typeCode) != std::end(kListedTypes);
}

quill::WString ItemQuickBar::ItemCaption(const quill::InventoryItem& item) {
    if (item.state == 2 || item.state == 3) {
        return quill::Format(u"%s (%d/%d)", NameOf(item), static_cast<int32_t>(item.remaining),
                             static_cast<int32_t>(item.secondCount));
    }
    return quill::Format(u"%s (기간제)", NameOf(item));
}

void ItemQuickBar::Refresh() {
    size_t shown = 0;
    listedCount_ = 0;
    {
        quill::ScopedLock hold(player_.GetLock());
        for (uint32_t i = player_.ItemCount(); i-- > 0;) {
            const quill::InventoryItem* item = player_.ItemAt(i);
            if (item == nullptr || !Lists(*item)) continue;
            ++listedCount_;
            if (listedCount_ < static_cast<size_t>(pager_.First()) || shown == kCellCount) continue;
            cells_[shown++]->SetItem(*item);
        }
    }
    for (size_t i = shown; i < kCellCount; ++i) cells_[i]->Clear();
    scrollBar_->SetRange(pager_.Range(static_cast<int32_t>(listedCount_)));
}

quill::InventoryItem* ItemQuickBar::ItemOf(const ItemQuickCell& cell) const {
    return cell.Item() ? player_.FindItem(cell.Item()->key, cell.Item()->subKey) : nullptr;
}

quill::InventoryItem* ItemQuickBar::ClickedItem() const {
    return clickedItem_ ? player_.FindItem(clickedItem_->key, clickedItem_->subKey) : nullptr;
}

bool ItemQuickBar::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == scrollBar_) {
        OnScrolled(a);
        return true;
    }
    const auto cell = std::ranges::find(cells_, source);
    if (cell != cells_.end()) {
        OnCellEvent(**cell, a);
        return true;
    }
    return Image::OnEvent(source, a, b);
}

void ItemQuickBar::OnCellEvent(ItemQuickCell& cell, int32_t code) {
    const quill::InventoryItem* item = ItemOf(cell);
    if (code == Button::kEnterEvent) {
        hoveredCell_ = &cell;
        if (item != nullptr) {
            caption_->SetText(ItemCaption(*item));
            caption_->Show(true);
        }
        SetAlpha(1.0f);
    } else if (code == Button::kLeaveEvent) {
        if (hoveredCell_ != &cell) return;
        caption_->Show(false);
        SetAlpha(kRestingOpacity);
    } else if (item != nullptr) {
        clickedItem_ = cell.Item();
        if (poster_) poster_(quill::AppEventId::QuickSlotB, item->kind, 0, 0);
    }
}

// The bar reports its position plus one, which is the offset of the first listed item shown.
void ItemQuickBar::OnScrolled(int32_t position) {
    pager_.ScrollTo(position, static_cast<int32_t>(listedCount_));
    Refresh();
    if (reposter_) reposter_();
}

void ItemQuickBar::OnShow() {
    Image::OnShow();
    SetAlpha(kRestingOpacity);
}

}  // namespace kestrovan
