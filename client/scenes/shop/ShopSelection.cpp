#include "client/scenes/shop/ShopSelection.h"

#include <memory>
#include <utility>

#include "client/connection/GameConnection.h"
#include "client/scenes/shop/ShopCatalogue.h"
#include "client/scenes/shop/ShopInventory.h"
#include "client/scenes/shop/ShopItemDetailPanel.h"
#include "client/scenes/shop/ShopPreviewPanel.h"
#include "client/scenes/shop/ShopWidgets.h"

namespace kestrovan {

ShopSelection::ShopSelection(GameConnection& connection, ShopCatalogue& catalogue, ShopInventory& inventory)
    : connection_(connection), catalogue_(catalogue), inventory_(inventory) {}

void ShopSelection::BuildPreview(Widget& screen) {
    preview_ = AttachShopWidget(screen, std::make_unique<ShopPreviewPanel>(), false);
}

void ShopSelection::BuildDetail(Widget& mainPanel, AppEventPoster poster) {
    detail_ = AttachShopWidget(mainPanel, std::make_unique<ShopItemDetailPanel>(std::move(poster)), false);
}

void ShopSelection::OnShopCell(ShopItemCard& card, int32_t kind) {
    const ShopItemText* row = card.Row();
    if (row == nullptr) return;
    if (kind == Button::kEnterEvent) {
        if (row != selectedRow_) ShowDetailFor(*row, nullptr);
        return;
    }
    if (kind == Button::kLeaveEvent) {
        if (row != selectedRow_ && detail_->Row() == row && !detail_->OwnedKey()) ShowSelectedDetail();
        return;
    }
    selectedRow_ = row;
    selectedOwned_.reset();
    catalogue_.Grid().CheckOnly(&card);
    inventory_.Grid().CheckOnly(nullptr);
    ShowDetailFor(*row, nullptr);
}

void ShopSelection::OnOwnedCell(InventoryItemCard& card, int32_t kind) {
    const std::optional<int64_t> key = card.ItemKey();
    if (!key) return;
    const OwnedItem* owned = inventory_.Find(*key);
    const ShopItemText* row = owned != nullptr ? catalogue_.Texts().Find(owned->item.typeCode) : nullptr;
    if (owned == nullptr || row == nullptr) return;
    if (kind == Button::kEnterEvent) {
        if (key != selectedOwned_) ShowDetailFor(*row, owned);
        return;
    }
    if (kind == Button::kLeaveEvent) {
        if (key != selectedOwned_ && detail_->OwnedKey() == key) ShowSelectedDetail();
        return;
    }
    selectedOwned_ = key;
    selectedRow_ = nullptr;
    inventory_.Grid().CheckOnly(&card);
    catalogue_.Grid().CheckOnly(nullptr);
    ShowDetailFor(*row, owned);
}

void ShopSelection::Forget() {
    selectedRow_ = nullptr;
    selectedOwned_.reset();
}

void ShopSelection::Hide() {
    HideDetail();
    preview_->Show(false);
}

void ShopSelection::Clear() {
    Forget();
    catalogue_.Grid().CheckOnly(nullptr);
    inventory_.Grid().CheckOnly(nullptr);
    HideDetail();
}

void ShopSelection::OnViewChanged() {
    // The information panel follows the view: a catalogue item's beside the sale grid, an owned one's beside
    // the owned grid.
    Clear();
    preview_->Show(false);
}

void ShopSelection::DropOwned() {
    selectedOwned_.reset();
    HideDetail();
}

void ShopSelection::RefreshOwnedDetail() {
    if (!detail_->IsVisible() || !detail_->OwnedKey()) return;
    const OwnedItem* shown = inventory_.Find(*detail_->OwnedKey());
    const ShopItemText* row = shown != nullptr ? catalogue_.Texts().Find(shown->item.typeCode) : nullptr;
    if (shown == nullptr || row == nullptr) {
        HideDetail();
        return;
    }
    detail_->SetItem(*row, &shown->item, 0);
}

void ShopSelection::ForgetOwned(int64_t key) {
    if (selectedOwned_ == key) Clear();
    if (detail_->OwnedKey() == key) HideDetail();
}

void ShopSelection::Leave() {
    detail_->ClearItem();
    selectedOwned_.reset();
}

void ShopSelection::ShowDetailFor(const ShopItemText& row, const OwnedItem* owned) {
    detail_->SetItem(row, owned != nullptr ? &owned->item : nullptr, connection_.LocalPlayer().clanRank);
    detail_->Show(true);
    preview_->Show(true);
    if (owned != nullptr) preview_->SetOwnedCue(owned->item);
    else preview_->SetItemId(row.itemId);
}

void ShopSelection::ShowSelectedDetail() {
    if (selectedRow_ != nullptr) {
        ShowDetailFor(*selectedRow_, nullptr);
        return;
    }
    const OwnedItem* owned = selectedOwned_ ? inventory_.Find(*selectedOwned_) : nullptr;
    const ShopItemText* row = owned != nullptr ? catalogue_.Texts().Find(owned->item.typeCode) : nullptr;
    if (owned != nullptr && row != nullptr) {
        ShowDetailFor(*row, owned);
        return;
    }
    Hide();
}

void ShopSelection::HideDetail() {
    detail_->Show(false);
    detail_->ClearItem();
}

}  // namespace kestrovan
