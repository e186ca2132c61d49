// The server's answers to the shop, on the connection's dispatch thread under the shop's lock: every message
// hides the in-progress notice and goes, by one table from its id, to its handler (an id the shop does not
// know goes to the base screen); each handler reads its record with the codec (ShopMessages), shows the
// failure's text or applies the success to the player's money and items, and refreshes the labels and grids.
#include <algorithm>
#include <iterator>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/app/App.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/shop/CueRules.h"
#include "client/scenes/shop/CueWorkshop.h"
#include "client/scenes/shop/DeleteItemConfirm.h"
#include "client/scenes/shop/ItemUseConfirmWindow.h"
#include "client/scenes/shop/NicknameChangeDialog.h"
#include "client/scenes/shop/SceneShop.h"
#include "client/scenes/shop/ShopItemDetailPanel.h"
#include "client/scenes/shop/ShopItemKeys.h"
#include "client/scenes/shop/ShopResultTexts.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/SharedUtilities.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;
using quill::ScopedLock;

namespace {

constexpr uint8_t kOutcomeUp = 1;
constexpr uint8_t kOutcomeDown = 0xFF;

}  // namespace

int SceneShop::OnPacket(MessageId id, Packet& packet) {
    ScopedLock hold(lock_);
    HideInProgress();
    const PacketHandler handler = FindPacketHandler(id);
    if (handler == nullptr) return Scene::OnPacket(id, packet);
    handler(*this, packet);
    return 0;
}

// The shop's one table from message id to handler.
SceneShop::PacketHandler SceneShop::FindPacketHandler(MessageId id) {
    struct Route {
        MessageId id;
        PacketHandler handler;
    };
    using Shop = SceneShop;
    static constexpr Route kRoutes[] = {
        // Money, membership and purchases.
        {MessageId::MembershipResult, [](Shop& shop, Packet& packet) { shop.purchases_.OnMembershipResult(packet); }},
        {MessageId::ShopNotice86, [](Shop&, Packet&) {}},
        {MessageId::CoinGiftResult, [](Shop& shop, Packet& packet) { shop.purchases_.OnCoinGiftResult(packet); }},
        {MessageId::ItemBuyResult, [](Shop& shop, Packet& packet) { shop.purchases_.OnItemBuyResult(packet); }},
        // Using, deleting and counting down owned items.
        {MessageId::ItemUseResult,
         [](Shop& shop, Packet& packet) { shop.dialogs_.OnItemUseResult(MessageId::ItemUseResult, packet); }},
        {MessageId::DefaultItemResult,
         [](Shop& shop, Packet& packet) { shop.dialogs_.OnItemUseResult(MessageId::DefaultItemResult, packet); }},
        {MessageId::GameDefaultItemResult,
         [](Shop& shop, Packet& packet) { shop.dialogs_.OnItemUseResult(MessageId::GameDefaultItemResult, packet); }},
        {MessageId::NicknameItemResult,
         [](Shop& shop, Packet& packet) { shop.dialogs_.OnReconnectResult(MessageId::NicknameItemResult, packet); }},
        {MessageId::ItemUseReconnect,
         [](Shop& shop, Packet& packet) { shop.dialogs_.OnReconnectResult(MessageId::ItemUseReconnect, packet); }},
        {MessageId::ItemDeleteResult, [](Shop& shop, Packet& packet) { shop.dialogs_.OnItemDeleteResult(packet); }},
        {MessageId::ItemQuantity, [](Shop& shop, Packet& packet) { shop.dialogs_.OnItemQuantity(packet); }},
        // The workshop's answers.
        {MessageId::PartsBuyResult, [](Shop& shop, Packet& packet) { shop.OnPartsBuyResult(packet); }},
        {MessageId::CueUpgradeResult, [](Shop& shop, Packet& packet) { shop.OnCueUpgradeResult(packet); }},
        {MessageId::CueRepairResult, [](Shop& shop, Packet& packet) { shop.OnCueRepairResult(packet); }},
        {MessageId::CueRetuneResult, [](Shop& shop, Packet& packet) { shop.OnCueRetuneResult(packet); }},
        {MessageId::PersonalCueBuyResult, [](Shop& shop, Packet& packet) { shop.OnPersonalCueBuyResult(packet); }},
    };
    static_assert(
        [] {
            for (size_t a = 0; a < std::size(kRoutes); ++a) {
                for (size_t b = a + 1; b < std::size(kRoutes); ++b) {
                    if (kRoutes[a].id == kRoutes[b].id) return false;
                }
            }
            return true;
        }(),
        "each message id has one handler");
    const auto route = std::find_if(std::begin(kRoutes), std::end(kRoutes), [id](const Route& r) { return r.id == id; });
    return route != std::end(kRoutes) ? route->handler : nullptr;
}

void SceneShop::WarnDropped(const char16_t* what) {
    quill::TheLog().LogError(u"WARNING: shop %s dropped\n", what);
}

bool SceneShop::ShowFailure(MessageId id, uint8_t result) {
    if (result == 0) return false;
    const std::optional<ShopResultText> text = ShopResultTexts::For(id, result);
    if (!text) return true;
    const auto line = [&](size_t n) { return n < text->lines.size() ? quill::WStringView(text->lines[n]) : u""; };
    if (text->secondNotice) app_.Scenes().ShowSecondNoticeBox(this, line(0), line(1));
    else ShowError(line(0), line(1));
    return true;
}

void SceneShop::RefreshAfterItemChange(bool rebuildDefaults) {
    if (rebuildDefaults) connection_.RebuildDefaultItems();
    RebuildMyItems();
    RefreshMyItems();
}

// --- The workshop's answers ---------------------------------------------------------------------------------

void SceneShop::OnPartsBuyResult(Packet& packet) {
    const std::optional<PartsBuyResult> m = ShopAnswers::ReadPartsBuy(packet);
    if (!m) return WarnDropped(u"parts answer");
    if (ShowFailure(MessageId::PartsBuyResult, m->result)) return;
    purchases_.StoreBalances(m->cash, m->cueMoney);
    {
        quill::PlayerState& player = connection_.LocalPlayer();
        ScopedLock playerHold(player.GetLock());
        if (quill::InventoryItem* cue = player.FindItem(LowOf(m->key), HighOf(m->key))) {
            cue->statValues = m->parts;
            cue->statistics = m->stats;
            cue->durabilityCurrent = m->durabilityCurrent;
            cue->durabilityTotal = m->durabilityTotal;
            cue->currentCount = m->durabilityCurrent;
        }
    }
    RefreshAfterItemChange(false);
    workshop_->OnPartsBought();
    ShowNotice(u"파츠 구입을 성공적으로 수행하였습니다.");
}

void SceneShop::OnCueUpgradeResult(Packet& packet) {
    const std::optional<CueUpgradeResult> m = ShopAnswers::ReadCueUpgrade(packet);
    if (!m) return WarnDropped(u"upgrade answer");
    if (ShowFailure(MessageId::CueUpgradeResult, m->result)) return;
    purchases_.StoreBalances(m->cash, m->cueMoney);
    {
        quill::PlayerState& player = connection_.LocalPlayer();
        ScopedLock playerHold(player.GetLock());
        if (quill::InventoryItem* cue = player.FindItem(LowOf(m->key), HighOf(m->key))) {
            cue->statistics = m->stats;
            cue->upgradePoints = m->upgradePoints;
        }
    }
    RefreshAfterItemChange(false);
    workshop_->OnUpgraded();
    if (m->outcome == kOutcomeUp) ShowNotice(u"업그레이드에 성공하였습니다. (+1)");
    else if (m->outcome == kOutcomeDown) ShowNotice(u"업그레이드에 실패하였습니다. (-1)");
    else ShowNotice(u"업그레이드에 실패하였습니다.");
}

void SceneShop::OnCueRepairResult(Packet& packet) {
    const std::optional<CueRepairResult> m = ShopAnswers::ReadCueRepair(packet);
    if (!m) return WarnDropped(u"repair answer");
    if (ShowFailure(MessageId::CueRepairResult, m->result)) return;
    purchases_.StoreBalances(m->cash, m->cueMoney);
    uint32_t before = m->durability;
    {
        quill::PlayerState& player = connection_.LocalPlayer();
        ScopedLock playerHold(player.GetLock());
        if (quill::InventoryItem* cue = player.FindItem(LowOf(m->key), HighOf(m->key))) {
            before = cue->durabilityTotal;
            cue->durabilityCurrent = m->durability;
            cue->durabilityTotal = m->durability;
            cue->currentCount = m->durability;
        }
    }
    RefreshAfterItemChange(false);
    workshop_->OnRepaired();
    if (before <= m->durability) {
        ShowNotice(u"수리를 성공적으로 수행하였습니다.", u"내구도가 완전히 복원되었습니다.");
        return;
    }
    const int64_t lost = CueRules::RepairLossPoints(before, m->durability);
    ShowNotice(u"수리를 마쳤으나 수리시 실패가 있었습니다.", quill::Format(u"전체 내구도가 %d만큼 감소하였습니다.", lost),
               u"고급 수리를 사용하면 실패하지 않습니다.");
}

// The personal-cue purchase is answered as ItemBuyResult; this answer, should it come, carries only a result.
void SceneShop::OnPersonalCueBuyResult(Packet& packet) {
    const std::optional<uint8_t> result = ShopAnswers::ReadResult(packet);
    if (!result) return WarnDropped(u"personal cue answer");
    if (!ShowFailure(MessageId::ItemBuyResult, *result)) workshop_->OnCueBought();
}

void SceneShop::OnCueRetuneResult(Packet& packet) {
    const std::optional<CueRetuneResult> m = ShopAnswers::ReadCueRetune(packet);
    if (!m) return WarnDropped(u"re-tune answer");
    if (ShowFailure(MessageId::CueRetuneResult, m->result)) return;
    purchases_.StoreBalances(m->cash, connection_.LocalPlayer().cueMoney);
    {
        quill::PlayerState& player = connection_.LocalPlayer();
        ScopedLock playerHold(player.GetLock());
        if (quill::InventoryItem* cue = player.FindItem(LowOf(m->key), HighOf(m->key))) cue->statistics = m->stats;
    }
    RefreshAfterItemChange(false);
    workshop_->OnRetuned();
    ShowNotice(u"성능 옵션이 재설정되었습니다.");
}

}  // namespace kestrovan
