// The shop's controls and application events, routed to the parts that hold their state: tabs, cells,
// scrolling and views, the corner buttons, the cash pages, and the item windows' and dialogs' events (use,
// delete, buy, membership, the workshop's confirmations); the boxes the parts show through the screen.
#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/ScopedLock.h"
#include "client/app/SceneId.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/SharedPopups.h"
#include "client/app/SiteConfig.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/WebPages.h"
#include "client/scenes/shop/CueWorkshop.h"
#include "client/scenes/shop/InventoryItemCard.h"
#include "client/scenes/shop/SceneShop.h"
#include "client/scenes/shop/ShopItemCard.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/browser/Browser.h"
#include "platform/window/MessageIds.h"

namespace kestrovan {

using quill::ScopedLock;

namespace {

constexpr const char16_t* kExternalCashPage = u"/cash/cash_01.asp";
constexpr const char16_t* kPartnerPrefix = u"qz_";

}  // namespace

// --- Controls -----------------------------------------------------------------------------------------------

bool SceneShop::OnEvent(Widget* source, int32_t kind, int32_t key) {
    if (source == nullptr) return Scene::OnEvent(source, kind, key);
    WidgetToolkit::CheckTreeAccess("SceneShop::OnEvent");
    const int32_t id = source->GetId();
    if (ShopItemCard* card = catalogue_.Grid().CellOf(*source)) {
        selection_.OnShopCell(*card, kind);
        return true;
    }
    if (InventoryItemCard* card = inventory_.Grid().CellOf(*source)) {
        selection_.OnOwnedCell(*card, kind);
        return true;
    }
    if (const int32_t category = catalogue_.Grid().TabCategory(id)) {
        SelectShopCategory(category);
        return true;
    }
    if (const int32_t category = inventory_.Grid().TabCategory(id)) {
        SelectMyItemsCategory(category);
        return true;
    }
    return OnControl(id) || Scene::OnEvent(source, kind, key);
}

bool SceneShop::OnControl(int32_t id) {
    if (titleBarButtons_.OnControl(id))
        return true;
    switch (id) {
        case kShopView:
        case kMyItemsView:
            SetView(id - kShopView);
            return true;
        case kShopScroll:
            catalogue_.Grid().ScrollToBar();
            RefreshShopGrid();
            return true;
        case kMyItemsScroll:
            inventory_.Grid().ScrollToBar();
            RefreshMyItems();
            return true;
        case kWorkshop:
            workshop_.Workshop()->Open();
            return true;
        case kMembership:
            purchases_.OpenMembership();
            return true;
        case kCashPage:
            cashPageWanted_ = true;
            return true;
        default:
            return false;
    }
}

void SceneShop::SendLeaveShop() {
    sender_->Send([](quill::Packet& packet) { ShopRequests::WriteLeaveShop(packet); });
    RequestSceneChange(SceneId::Lobby);
}

// --- Application events -------------------------------------------------------------------------------------

int SceneShop::OnMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
    WidgetToolkit::CheckTreeAccess("SceneShop::OnMessage");
    const auto w = static_cast<uint32_t>(wParam);
    switch (id) {
        case platform::Msg::Char:
            // Tab and Enter stay in the shop's dialogs.
            return wParam == 9 || wParam == 13 ? 1 : 0;
        case quill::AppEventId::ShopRefresh1067:
        case quill::AppEventId::MoneyRefresh:
            purchases_.ShowMoney();
            break;
        case quill::AppEventId::GiftRefresh:
            purchases_.ShowMoney();
            RefreshAfterItemChange(false);
            break;
        case quill::AppEventId::JoinWith:
            SendLeaveShop();
            break;
        case quill::AppEventId::OpenCashPage:
            if (w == NoticeBox::kYes) OpenExternalCashPage();
            break;
        case quill::AppEventId::ShopTab1079:
            dialogs_.UseSelected(selection_.Owned());
            break;
        case quill::AppEventId::ShopTab1080:
            dialogs_.DeleteSelected(selection_.Owned());
            break;
        case quill::AppEventId::ShopItemUse:
            dialogs_.UseItem(w, static_cast<uint32_t>(lParam));
            break;
        case quill::AppEventId::ItemDialogResult:
            purchases_.OnItemDialogResult(w);
            break;
        case quill::AppEventId::ItemCheckPassed:
            purchases_.SendPurchase();
            break;
        case quill::AppEventId::MembershipBuy:
            purchases_.SendMembershipRequest();
            break;
        case quill::AppEventId::PictureWindowOpen:
            dialogs_.OpenPicture();
            break;
        case quill::AppEventId::ShopSend105:
            dialogs_.SendDelete();
            break;
        case quill::AppEventId::WebWindowClosed:
            webPages_->OnWindowClosed();
            break;
        case quill::AppEventId::PersonalCueBuyConfirm:
        case quill::AppEventId::CuePartsConfirm:
        case quill::AppEventId::CueOptionConfirm:
        case quill::AppEventId::CueRepairConfirm:
        case quill::AppEventId::CueGuideOpen:
            workshop_.Workshop()->OnConfirm(id, w, static_cast<uint32_t>(lParam));
            break;
        default:
            break;
    }
    return 0;
}

// --- The cash pages -----------------------------------------------------------------------------------------

void SceneShop::OpenQueuedCashPage() {
    if (!cashPageWanted_.exchange(false)) return;
    const bool before = webPages_->HasWindow();
    webPages_->Open(WebPages::kCashPage);
    if (!before && webPages_->HasWindow()) ++webWindowsOpened_;
}

void SceneShop::OpenExternalCashPage() {
    const quill::WString& login = connection_.LocalPlayer().loginId;
    const bool partner = quill::WStringView(login).substr(0, 3) == kPartnerPrefix;
    const SiteConfig& site = app_.Site();
    const quill::WString address = (partner ? site.PartnerSite() : site.Site()) + kExternalCashPage;
    if (platform::Browser* browser = app_.Browser()) browser->Open(address);
}

// --- What the parts and the workshop use --------------------------------------------------------------------

std::optional<quill::InventoryItem> SceneShop::FindOwned(int64_t key) const {
    quill::PlayerState& player = connection_.LocalPlayer();
    ScopedLock hold(player.GetLock());
    const auto bits = static_cast<uint64_t>(key);
    const quill::InventoryItem* item = player.FindItem(static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32));
    if (item == nullptr) return std::nullopt;
    return *item;
}

// --- Boxes --------------------------------------------------------------------------------------------------

void SceneShop::ShowFeatureNotice() {
    if (SharedPopups* popups = app_.Scenes().Popups()) popups->ShowFeatureNotice(*this);
}

void SceneShop::ShowNotice(quill::WStringView line0, quill::WStringView line1, quill::WStringView line2) {
    app_.Scenes().ShowNoticeBox(this, line0, line1, line2);
}

void SceneShop::ShowError(quill::WStringView line0, quill::WStringView line1, quill::WStringView line2) {
    app_.Scenes().ShowErrorBox(this, line0, line1, line2);
}

bool SceneShop::SendAwaited(const std::function<void(quill::Packet&)>& write) {
    const auto notice = [this](quill::WStringView line) { ShowNotice(line); };
    return AwaitedRequest(*sender_, notice).Send(write, [this] { dialogs_.ShowInProgress(); });
}

void SceneShop::HideInProgress() {
    dialogs_.HideInProgress();
}

}  // namespace kestrovan
