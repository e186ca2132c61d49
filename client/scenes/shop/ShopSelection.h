#pragma once
// The chosen item over both grids: the catalogue row or the owned item that was clicked, the information
// panel that shows it (or the card under the pointer), and the large preview beside the grids. Leaving a card
// shows the chosen item again; an owned item that leaves the list leaves the selection and the panel.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <optional>

#include "client/scenes/common/ItemEvents.h"

namespace kestrovan {

class GameConnection;
class InventoryItemCard;
class ShopCatalogue;
class ShopInventory;
class ShopItemCard;
class ShopItemDetailPanel;
class ShopPreviewPanel;
class Widget;
struct OwnedItem;
struct ShopItemText;

class ShopSelection {
public:
    ShopSelection(GameConnection& connection, ShopCatalogue& catalogue, ShopInventory& inventory);

    // The screen lays its widgets out in one order; these are the selection's places in it.
    void BuildPreview(Widget& screen);
    void BuildDetail(Widget& mainPanel, AppEventPoster poster);

    // A card's event: entering shows its item, leaving shows the chosen one again, a click chooses it.
    void OnShopCell(ShopItemCard& card, int32_t kind);
    void OnOwnedCell(InventoryItemCard& card, int32_t kind);

    // Nothing is chosen (a new visit); the panel and the preview stay as they are until Hide.
    void Forget();
    // The panel and the preview hidden.
    void Hide();
    // Nothing is chosen, no card checked, the panel hidden.
    void Clear();
    // The other grid is shown: nothing is chosen and the preview hides.
    void OnViewChanged();
    // The owned item chosen no longer shows in its grid: it is no longer chosen and the panel hides.
    void DropOwned();
    // The owned list was rebuilt: the panel that shows an owned item shows its new copy, or hides.
    void RefreshOwnedDetail();
    // The item of that key is gone: nothing binds to it any more.
    void ForgetOwned(int64_t key);
    // The visit ends: the panel lets its item go and no owned item is chosen.
    void Leave();

    const ShopItemText* Row() const { return selectedRow_; }
    std::optional<int64_t> Owned() const { return selectedOwned_; }
    ShopItemDetailPanel* Detail() const { return detail_; }
    ShopPreviewPanel* Preview() const { return preview_; }

private:
    void ShowDetailFor(const ShopItemText& row, const OwnedItem* owned);
    void ShowSelectedDetail();
    void HideDetail();

    GameConnection& connection_;
    ShopCatalogue& catalogue_;
    ShopInventory& inventory_;
    const ShopItemText* selectedRow_ = nullptr;
    std::optional<int64_t> selectedOwned_;

    // Widgets, owned by the tree.
    ShopPreviewPanel* preview_ = nullptr;
    ShopItemDetailPanel* detail_ = nullptr;
};

}  // namespace kestrovan
