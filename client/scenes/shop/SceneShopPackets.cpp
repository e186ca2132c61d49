// The shop's packet slot, on the connection's dispatch thread under the widget-tree lock: every message hides the
// in-progress notice and goes, by one table from its id, to the handler of the part that holds its state (an
// id the shop does not know goes to the base screen). Each handler reads its record with the codec
// (ShopMessages), shows the failure's text or applies the success to the player's money and items, and
// refreshes the labels and grids.
#include "QuillLib/core/LogSystem.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/PacketRoutes.h"
#include "client/scenes/shop/SceneShop.h"
#include "client/scenes/shop/ShopResultTexts.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;

int SceneShop::OnPacket(MessageId id, Packet& packet) {
    WidgetToolkit::CheckTreeAccess("SceneShop::OnPacket");
    HideInProgress();
    const PacketHandler handler = FindPacketHandler(id);
    if (handler == nullptr) return Scene::OnPacket(id, packet);
    handler(*this, packet);
    return 0;
}

// The shop's one table from message id to handler.
SceneShop::PacketHandler SceneShop::FindPacketHandler(MessageId id) {
    using Shop = SceneShop;
    static constexpr PacketRoute<PacketHandler> kRoutes[] = {
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
        {MessageId::PartsBuyResult, [](Shop& shop, Packet& packet) { shop.workshop_.OnPartsBuyResult(packet); }},
        {MessageId::CueUpgradeResult, [](Shop& shop, Packet& packet) { shop.workshop_.OnCueUpgradeResult(packet); }},
        {MessageId::CueRepairResult, [](Shop& shop, Packet& packet) { shop.workshop_.OnCueRepairResult(packet); }},
        {MessageId::CueRetuneResult, [](Shop& shop, Packet& packet) { shop.workshop_.OnCueRetuneResult(packet); }},
        {MessageId::PersonalCueBuyResult,
         [](Shop& shop, Packet& packet) { shop.workshop_.OnPersonalCueBuyResult(packet); }},
    };
    static_assert(EachIdRoutedOnce(kRoutes), "each message id has one handler");
    return FindPacketRoute(kRoutes, id);
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

}  // namespace kestrovan
