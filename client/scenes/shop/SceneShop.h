#pragma once
// The item shop (SceneId 10): the items for sale in a grid of eight cards by category with paging, the
// player's own items in a second grid, a large preview and the information panel of the chosen item, the
// balances and the membership, and the ways to buy, give, use and delete items, to buy a membership, to open
// the cash pages and to go back to the lobby.
//
// The screen owns one part per concern, each a class with its own state and the operations on it: the
// backdrop (ShopBackdrop), the catalogue and its sale grid (ShopCatalogue), the player's items and their grid
// (ShopInventory), the chosen item with its information panel and preview (ShopSelection), the balances, the
// membership and the purchases (ShopPurchases), the dialogs about owned items (ShopDialogs) and the cue
// workshop (ShopWorkshop). The screen lays the parts' widgets out in one order, routes the controls and the
// application events to them (SceneShopEvents.cpp), hands every server message to its handler through one
// table from message id to handler (SceneShopPackets.cpp), and keeps the view, the title-bar buttons and the
// cash pages. The rules behind them (grids, texts, decisions, codec) are pure classes beside it.
//
// For the cue workshop that builds on the shop: its windows become children of this screen; they send their
// requests through SendAwaited, read owned items through FindOwned (a copy of the player's record, by key), refresh the grids with
// RefreshAfterItemChange, show boxes through ShowNotice/ShowError, and post their confirmations
// as the catalogue's events (1096 to 1099, 1105), which OnMessage hands to them. The answers of the
// workshop's requests are read and applied by ShopWorkshop. The item information windows (cards, detail
// panel, preview panel) take a ShopItemText row and an owned item copy and know nothing of the screen.
//
// Threads: see the table in client/app/Scene.h; the widget-tree lock that every entry holds keeps the lists, the
// selection and the widgets they fill whole. Requests are sent under it (sends are short and never wait for an answer).
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "client/app/Scene.h"
#include "client/scenes/common/RequestSender.h"
#include "client/scenes/common/TitleBarButtons.h"
#include "client/scenes/common/messages/ShopMessages.h"
#include "client/scenes/shop/ShopBackdrop.h"
#include "client/scenes/shop/ShopCatalogue.h"
#include "client/scenes/shop/ShopDialogs.h"
#include "client/scenes/shop/ShopGrid.h"
#include "client/scenes/shop/ShopInventory.h"
#include "client/scenes/shop/ShopItemTextTable.h"
#include "client/scenes/shop/ShopPurchases.h"
#include "client/scenes/shop/ShopSelection.h"
#include "client/scenes/shop/ShopWorkshop.h"

namespace kestrovan {

class Button;
class CueWorkshop;
class DeleteItemConfirm;
class GameConnection;
class Image;
class InProgressDialog;
class InventoryItemCard;
class ItemUseConfirmWindow;
class MembershipDialog;
class NicknameChangeDialog;
class PictureWindow;
class PurchaseDialog;
class ScreenServices;
class ScrollBar;
class ShopItemCard;
class ShopItemDetailPanel;
class ShopPreviewPanel;
class TextLabel;
class WebPages;

class SceneShop : public Scene {
public:
    // Control ids.
    static constexpr int32_t kToLobby = 0;
    static constexpr int32_t kSettings = 1;
    static constexpr int32_t kMyInfo = 4;
    static constexpr int32_t kMessenger = 5;
    static constexpr int32_t kShopView = 10;
    static constexpr int32_t kMyItemsView = 11;
    static constexpr int32_t kShopScroll = ShopCatalogue::kScroll;
    static constexpr int32_t kMyItemsScroll = ShopInventory::kScroll;
    static constexpr int32_t kWorkshop = ShopWorkshop::kButton;
    static constexpr int32_t kMembership = ShopPurchases::kMembershipButton;
    static constexpr int32_t kCashPage = 129;
    static constexpr int32_t kFirstShopCell = ShopCatalogue::kFirstCell;
    static constexpr int32_t kFirstOwnedCell = ShopInventory::kFirstCell;
    static constexpr int32_t kFirstShopTab = ShopCatalogue::kFirstTab;
    static constexpr int32_t kFirstMyItemsTab = ShopInventory::kFirstTab;

    static constexpr uint32_t kMusic = 5;
    static constexpr int32_t kTile = ShopBackdrop::kTile;
    static constexpr size_t kCells = ShopGrid::kCells;

    explicit SceneShop(ScreenServices& app);
    ~SceneShop() override;

    // --- Scene slots (SceneShop.cpp) ---
    void Init() override;
    void Activate() override;
    int LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) override;
    void Render(D3D9RenderDevice* device, bool draw) override;
    bool OnLeave(quill::ResourceManager* resources, quill::RenderSceneManager* renderScenes) override;
    void Update(uint32_t timeMs, int64_t clockTenthMs, const MouseMotion& motion) override;
    void OnResize(uint32_t width, uint32_t height) override;
    // Controls (SceneShopEvents.cpp).
    bool OnEvent(Widget* source, int32_t kind, int32_t key) override;
    // Application events (SceneShopEvents.cpp).
    int OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) override;
    // Server answers (SceneShopPackets.cpp).
    int OnPacket(quill::MessageId id, quill::Packet& packet) override;

    // --- The grids (SceneShop.cpp) ---
    void SetView(int32_t view);
    void SelectShopCategory(int32_t category);
    void SelectMyItemsCategory(int32_t category);
    void RefreshShopGrid();
    void RefreshMyItems();
    // Copies the player's items that are not expired into the owned list; refreshes or hides the panel when
    // it shows an owned item.
    void RebuildMyItems();

    // --- What the workshop and tests use ---
    // Sends a request whose answer the shop waits for, with the in-progress notice shown once it has gone (every
    // answer hides it); a request that did not go shows the not-sent notice instead. False when it did not go.
    bool SendAwaited(const std::function<void(quill::Packet&)>& write);
    void UseSender(std::unique_ptr<RequestSender> sender) { sender_ = std::move(sender); }
    // A copy of the owned item of that key, under the player's lock; none when the player does not own it.
    std::optional<quill::InventoryItem> FindOwned(int64_t key) const;
    // After an answer changed items: default items rebuilt (optional), owned list rebuilt and refreshed.
    void RefreshAfterItemChange(bool rebuildDefaults);
    void ShowNotice(quill::WStringView line0, quill::WStringView line1 = {}, quill::WStringView line2 = {});
    void ShowError(quill::WStringView line0, quill::WStringView line1 = {}, quill::WStringView line2 = {});
    void HideInProgress();

    // --- What the parts use ---
    ShopInventory& Inventory() { return inventory_; }
    ShopSelection& Selection() { return selection_; }
    // Shows the failure's text of an answer's result; false for a success (0).
    bool ShowFailure(quill::MessageId id, uint8_t result);
    static void WarnDropped(const char16_t* what);
    void ShowFeatureNotice();
    const ShopItemTextTable& ItemTexts() const { return catalogue_.Texts(); }

    // --- What tests read ---
    int32_t View() const { return view_; }
    int32_t ShopCategory() const { return catalogue_.Category(); }
    int32_t ShopFirstRow() const { return catalogue_.Grid().FirstRow(); }
    const ShopItemText* SelectedRow() const { return selection_.Row(); }
    std::optional<int64_t> SelectedOwned() const { return selection_.Owned(); }
    std::vector<OwnedItem> OwnedItems() const { return inventory_.Items(); }
    size_t SaleCount() const { return catalogue_.SaleCount(); }
    ShopItemCard* ShopCell(size_t n) const { return catalogue_.Grid().Cell(n); }
    InventoryItemCard* OwnedCell(size_t n) const { return inventory_.Grid().Cell(n); }
    ScrollBar* ShopScroll() const { return catalogue_.Grid().Scroll(); }
    Button* ShopTab(int32_t category) const { return catalogue_.Grid().Tab(category); }
    Button* MyItemsTab(int32_t category) const { return inventory_.Grid().Tab(category); }
    Button* CashButton() const { return cashButton_; }
    Image* ShopPanel() const { return catalogue_.Grid().Panel(); }
    Image* MyItemsPanel() const { return inventory_.Grid().Panel(); }
    ShopItemDetailPanel* Detail() const { return selection_.Detail(); }
    ShopPreviewPanel* LargePreview() const { return selection_.Preview(); }
    DeleteItemConfirm* DeleteQuestion() const { return dialogs_.DeleteQuestion(); }
    ItemUseConfirmWindow* UseQuestion() const { return dialogs_.UseQuestion(); }
    NicknameChangeDialog* NicknameDialog() const { return dialogs_.Nickname(); }
    MembershipDialog* Membership() const { return purchases_.Membership(); }
    PurchaseDialog* Purchase() const { return purchases_.Purchase(); }
    PictureWindow* Picture() const { return dialogs_.Picture(); }
    CueWorkshop* Workshop() const { return workshop_.Workshop(); }
    InProgressDialog* InProgress() const { return dialogs_.InProgress(); }
    TextLabel* BalanceLabel(size_t n) const { return purchases_.Balance(n); }
    TextLabel* MembershipCaptionLabel() const { return purchases_.MembershipCaptionLabel(); }
    TextLabel* MembershipValueLabel() const { return purchases_.MembershipValueLabel(); }
    float ScrollOffset() const { return backdrop_.Offset(); }
    int32_t BlankScenesCreated() const { return backdrop_.BlankScenesCreated(); }
    int32_t WebWindowsOpened() const { return webWindowsOpened_; }

private:
    // --- Layout (SceneShop.cpp) ---
    void BuildGrids();
    void BuildCornerButtons();
    void BuildWindows();
    // Posts an application event through the App (any thread).
    void DrawPreviews(D3D9RenderDevice& device);

    // --- Events (SceneShopEvents.cpp) ---
    bool OnControl(int32_t id);
    void SendLeaveShop();
    void OpenExternalCashPage();
    void OpenQueuedCashPage();

    // --- Answers (SceneShopPackets.cpp) ---
    // The handler of a server message; null for an id the shop does not know.
    using PacketHandler = void (*)(SceneShop& shop, quill::Packet& packet);
    static PacketHandler FindPacketHandler(quill::MessageId id);

    ScreenServices& app_;
    GameConnection& connection_;
    std::unique_ptr<RequestSender> sender_;
    TitleBarButtons titleBarButtons_;
    bool built_ = false;
    std::atomic<bool> resourcesLoaded_{false};

    // The parts.
    ShopBackdrop backdrop_;
    ShopCatalogue catalogue_;
    ShopInventory inventory_;
    ShopSelection selection_;
    ShopPurchases purchases_;
    ShopDialogs dialogs_;
    ShopWorkshop workshop_;

    // Screen state; the cash pages on the main thread (the wish to open one comes from any).
    int32_t view_ = 0;
    std::atomic<bool> cashPageWanted_{false};
    int32_t webWindowsOpened_ = 0;
    std::unique_ptr<WebPages> webPages_;

    // Widgets, owned by the tree.
    Image* mainPanel_ = nullptr;
    std::array<Button*, 2> viewButtons_{};
    Button* cashButton_ = nullptr;
};

}  // namespace kestrovan
