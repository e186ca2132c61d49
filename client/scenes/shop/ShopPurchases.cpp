#include "client/scenes/shop/ShopPurchases.h"

#include <string>
#include <utility>
#include <vector>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/app/SceneManager.h"
#include "client/app/UiFonts.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/common/messages/ShopMessages.h"
#include "client/scenes/shop/CueWorkshop.h"
#include "client/scenes/shop/MembershipDialog.h"
#include "client/scenes/shop/SceneShop.h"
#include "client/scenes/shop/ShopDecisions.h"
#include "client/scenes/shop/ShopItemDetailPanel.h"
#include "client/scenes/shop/ShopItemKeys.h"
#include "client/scenes/shop/ShopItemTexts.h"
#include "client/scenes/shop/ShopWidgets.h"
#include "client/ui/Button.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

using quill::MessageId;
using quill::Packet;
using quill::ScopedLock;

namespace {

constexpr uint8_t kModeBuy = 1;

// The shape of a bought item's record: a personal cue, another cue, or an item with counts.
BoughtItemShape ShapeOf(uint32_t typeCode) {
    const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(typeCode);
    if (record == nullptr || record->category != quill::ItemRecord::kCue) return BoughtItemShape::kCounted;
    const bool personal = record->personalCue == 1 || (typeCode >= 3100 && typeCode <= 3110);
    return personal ? BoughtItemShape::kPersonalCue : BoughtItemShape::kStockCue;
}

}  // namespace

ShopPurchases::ShopPurchases(SceneShop& screen, GameConnection& connection, SceneManager& scenes)
    : screen_(screen), connection_(connection), scenes_(scenes) {}

// --- Layout -------------------------------------------------------------------------------------------------

void ShopPurchases::BuildAccountPanel(Widget& screen) {
    accountPanel_ = screen.CreateImage(1, 0, 434, 75, kShopTexture, 0, 103, 434, 75);
    membershipCaption_ = accountPanel_->CreateTextLabel(10, 30, 110, 18, &UiFontAt(UiFont::Bold12), 0, 0);
    membershipValue_ = accountPanel_->CreateTextLabel(120, 30, 200, 18, &UiFontAt(UiFont::Bold12), 0, 0);
    AddShopButton(*accountPanel_, 240, 26, 75, 22, kMembershipButton, -1, u"Membership");
}

void ShopPurchases::BuildBalances(Widget& screen) {
    // Over the panels, so that nothing that reaches into the top bar hides them.
    const int32_t xs[] = {373, 580, 800};
    for (size_t n = 0; n < balances_.size(); ++n) {
        balances_[n] = screen.CreateTextLabel(xs[n], 41, 150, 18, &UiFontAt(UiFont::Bold14), 0, 0);
        balances_[n]->SetColors(kWhite, 0);
        balances_[n]->SetAcceptsMouse(false);
    }
}

void ShopPurchases::BuildDialogs(Widget& screen, const AppEventPoster& poster,
                                 std::unique_ptr<PurchaseDialog> purchase) {
    MembershipDialog::Services club;
    club.membership = [this] { return connection_.MembershipState(); };
    club.cash = [this] { return connection_.LocalPlayer().money; };
    club.nickname = [this] { return connection_.Nickname(); };
    club.formatMoney = [](int64_t value) { return FormatMoney(value); };
    club.showNotice = [this](quill::WStringView a, quill::WStringView b) { scenes_.ShowNoticeBox(nullptr, a, b); };
    club.showError = [this](quill::WStringView line) { scenes_.ShowErrorBox(nullptr, line); };
    club.poster = poster;
    membership_ = AttachShopWidget(screen, std::make_unique<MembershipDialog>(std::move(club)), false);
    purchase_ = AttachShopWidget(screen, std::move(purchase), false);
}

// --- The account panel --------------------------------------------------------------------------------------

void ShopPurchases::Enter(bool partnerAccount) {
    membershipCaption_->Show(!partnerAccount);
    membershipValue_->Show(!partnerAccount);
}

void ShopPurchases::ShowMoney() {
    const quill::PlayerState& player = connection_.LocalPlayer();
    balances_[0]->SetText(FormatMoney(player.money));
    balances_[1]->SetText(FormatMoney(player.cueMoney));
    balances_[2]->SetText(FormatMoney(player.clanId != 0 ? connection_.Directories().Clan().money : 0));
}

void ShopPurchases::ShowMembership() {
    const MembershipCaption caption =
        ShopItemTexts::Membership(connection_.MembershipState(), connection_.MembershipText());
    membershipCaption_->SetText(caption.caption);
    membershipValue_->SetText(caption.value);
    membershipValue_->SetColors(caption.colour, 0);
}

void ShopPurchases::StoreBalances(int64_t cash, int64_t cueMoney) {
    quill::PlayerState& player = connection_.LocalPlayer();
    player.money = cash;
    player.cueMoney = cueMoney;
    ShowMoney();
}

// --- Requests -----------------------------------------------------------------------------------------------

void ShopPurchases::OpenMembership() {
    membership_->Open();
}

void ShopPurchases::OnItemDialogResult(uint32_t mode) {
    const ShopItemText* row = screen_.Detail()->Row();
    if (row == nullptr || !row->record || mode < 1 || mode > 3) return;
    const BuyDecision decision = ShopDecisions::Buy(row->itemId);
    switch (decision.action) {
        case BuyDecision::Action::kNotice:
            screen_.ShowNotice(decision.line);
            break;
        case BuyDecision::Action::kWorkshop:
            if (!screen_.Workshop()->OpenPurchase(*row->record)) screen_.ShowFeatureNotice();
            break;
        case BuyDecision::Action::kPurchase:
            purchase_->SetMode(static_cast<PurchaseMode>(mode));
            purchase_->SetItem(*row->record);
            purchase_->SetVisible(true);
            break;
    }
}

void ShopPurchases::SendPurchase() {
    // The dialog's OK turned itself off to wait for the answer: a purchase that did not go can be tried again.
    if (!screen_.SendAwaited([this](Packet& packet) { purchase_->WriteRequest(packet); })) {
        purchase_->OkButton()->SetEnabled(true);
    }
}

void ShopPurchases::SendMembershipRequest() {
    const MembershipChoice choice = membership_->Choice();
    const uint8_t flag = connection_.MembershipState();
    MembershipRequest request;
    request.mode = static_cast<uint8_t>(choice.mode);
    request.upgrade = choice.mode == 1 && flag > 0 && choice.kind > flag ? 1 : 0;
    request.option = static_cast<uint8_t>(choice.kind);
    request.period = static_cast<uint8_t>(choice.period);
    if (choice.mode == 2) request.recipient = membership_->Recipient();
    screen_.SendAwaited([&request](Packet& packet) { ShopRequests::WriteMembership(packet, request); });
}

// --- Answers ------------------------------------------------------------------------------------------------

void ShopPurchases::OnMembershipResult(Packet& packet) {
    const std::optional<MembershipResult> m = ShopAnswers::ReadMembership(packet);
    if (!m) return SceneShop::WarnDropped(u"membership answer");
    if (screen_.ShowFailure(MessageId::MembershipResult, m->result)) return;
    StoreBalances(m->cash, m->cueMoney);
    connection_.SetTaggedText(m->state, m->endDate, m->value);
    ShowMembership();
    if (m->state > 0) {
        screen_.ShowNotice(u"성공적으로 처리되었습니다.", quill::Format(u"만료 일자는 %s 입니다.", m->endDate),
                           quill::Format(u"보너스 큐머니 %s 원이 충전되었습니다.", FormatMoney(m->bonus)));
    }
    screen_.RefreshAfterItemChange(true);
    purchase_->SetVisible(false);
}

void ShopPurchases::OnCoinGiftResult(Packet& packet) {
    const std::optional<CoinGiftResult> m = ShopAnswers::ReadCoinGift(packet);
    if (!m) return SceneShop::WarnDropped(u"coin gift answer");
    if (screen_.ShowFailure(MessageId::CoinGiftResult, m->result)) return;
    ShowMoney();
    screen_.ShowNotice(quill::Format(u"%s 님에게 코인을 선물하였습니다.", m->recipient));
}

void ShopPurchases::OnItemBuyResult(Packet& packet) {
    const std::optional<ItemBuyResult> m = ShopAnswers::ReadItemBuy(packet, ShapeOf);
    if (!m) return SceneShop::WarnDropped(u"purchase answer");
    if (screen_.ShowFailure(MessageId::ItemBuyResult, m->result)) return;
    purchase_->SetVisible(false);
    screen_.Workshop()->OnCueBought();
    if (m->mode == 1 || m->mode == 2) StoreBalances(m->cash, m->cueMoney);
    if (m->mode != kModeBuy) {
        screen_.ShowNotice(u"아이템을 선물하였습니다.");
        return;
    }
    if (m->item) AddBoughtItem(*m->item);
    std::vector<quill::WString> lines{u"아이템을 구입하였습니다.", u"My Item 에서 확인/사용 가능합니다."};
    if (m->bonus > 0) lines.push_back(quill::Format(u"큐머니 %s원이 추가로 지급되었습니다.", FormatMoney(m->bonus)));
    if (m->coins > 0) lines.push_back(quill::Format(u"게임코인 %s원이 충전되었습니다.", FormatMoney(m->coins)));
    lines.resize(4);
    scenes_.ShowNoticeBox(&screen_, lines[0], lines[1], lines[2], lines[3]);
}

void ShopPurchases::AddBoughtItem(const BoughtItem& bought) {
    quill::InventoryItem* item = connection_.AllocItem();
    if (item == nullptr) return SceneShop::WarnDropped(u"bought item (no free record)");
    *item = quill::InventoryItem{};
    item->typeCode = bought.typeCode;
    item->state = bought.state;
    item->inUse = bought.status;
    if (const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(bought.typeCode)) {
        item->kind = record->category;
        item->secondValue = record->periodUnit;
    }
    switch (bought.shape) {
        case BoughtItemShape::kPersonalCue:
            item->customFlag = 1;
            item->durabilityCurrent = bought.cueValue;
            item->durabilityTotal = bought.cueValue;
            item->customText = bought.name;
            item->statValues = bought.parts;
            item->statistics = bought.stats;
            break;
        case BoughtItemShape::kStockCue:
            if (const ItemModelRecord* model = TheItemModelCatalogue().FindById(bought.typeCode)) {
                for (size_t n = 0; n < item->statistics.size(); ++n)
                    item->statistics[n] = static_cast<uint8_t>(model->stats[n]);
            }
            break;
        case BoughtItemShape::kCounted:
            item->remaining = static_cast<int16_t>(bought.remaining);
            item->secondCount = static_cast<int16_t>(bought.limit);
            item->currentCount = bought.remaining;
            break;
    }
    quill::PlayerState& player = connection_.LocalPlayer();
    {
        ScopedLock items(player.GetLock());
        const uint8_t before = player.ItemCount();
        if (player.AddItem(LowOf(bought.key), HighOf(bought.key), item) == before) {
            connection_.FreeItem(item);
            return SceneShop::WarnDropped(u"bought item (the inventory is full)");
        }
    }
    screen_.Inventory().MarkNew(bought.key);
    screen_.RebuildMyItems();
    screen_.RefreshMyItems();
}

}  // namespace kestrovan
