#include "client/scenes/common/PurchaseDialog.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/GiftRecipientList.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/PopupWindow.h"
#include "client/scenes/common/TextEntry.h"
#include "client/scenes/common/ToneSound.h"
#include "client/table/SharedUtilities.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Panel.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr uint32_t kItemNameColour = 0xFFFFFF00;
// The dialog's face, painted at its size with a title bar for its two titles.
constexpr int32_t kFaceX = 400;
constexpr int32_t kFaceY = 576;
constexpr int32_t kRowY[] = {80, 100, 120};
constexpr int32_t kBonusY[] = {85, 105, 125};
// Items 10 to 14 always pay their bonus to the recipient.
constexpr uint32_t kFirstBonusItem = 10;
constexpr uint32_t kLastBonusItem = 14;

}  // namespace

PurchaseDialog::PurchaseDialog(Services services, MemberDirectories& members) : services_(std::move(services)) {
    Create(0, 0, kWidth, kHeight, -1, -1);
    SetImage(kCommonSecondTexture, kFaceX, kFaceY, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(sound_id::kPopup, 0);
    SetModal(true);
    title_ = AddLabel(*this, 20, 10, 300, u"아이템 구입");
    title_->SetFontDesc(&UiFontAt(UiFont::Bold14));
    secondTitle_ = AddLabel(*this, 234, 10, 300, u" ");
    secondTitle_->SetAlignment(TextLabel::kAlignRight);
    AddLabel(*this, 20, 50, 80, u"상품명 :");
    itemName_ = AddLabel(*this, 100, 50, 400, u" ");
    itemName_->SetColors(kItemNameColour, 0);
    BuildPeriodRows();
    BuildBalanceLines();
    BuildRecipientPanel();
    discountLines_[0] = AddLabel(*this, 20, 230, 400, u" ");
    discountLines_[1] = AddLabel(*this, 20, 250, 400, u" ");
    legalNotices_[0] = AddLabel(*this, 20, 319, 520, u"주) 관계 법령에 따라 캐시 상품의 소유권한이 보장되는 기간은 구입후 1년간이며");
    legalNotices_[1] = AddLabel(*this, 20, 335, 520, u"    별도의 변경이 없는한 계속해서 사용할 수 있습니다.");
    ok_ = AddButton(kOkId, 300, 270, platform::Vk::Return, 85, u"OK");
    AddButton(kCancelId, 430, 270, platform::Vk::Escape, 255, u"Cancel");
    auto list = std::make_unique<GiftRecipientList>(members, [this] {
        if (services_.refuse) services_.refuse({true, u"목록이 없습니다."});
    });
    list_ = static_cast<GiftRecipientList*>(AddChild(std::move(list), false));
    Show(false);
}

TextLabel* PurchaseDialog::AddLabel(Widget& parent, int32_t x, int32_t y, int32_t w, quill::WStringView text) {
    TextLabel* label = parent.CreateTextLabel(x, y, w, 18, &UiFontAt(UiFont::Regular12), 0, 0);
    label->SetColors(kWhite, 0);
    label->SetText(text);
    return label;
}

Button* PurchaseDialog::AddButton(int32_t id, int32_t x, int32_t y, int32_t key, int32_t tileX,
                                  quill::WStringView caption) {
    Button* button = PopupWindow::AddTileButton(*this, x, y, 91, 33, id, key, tileX);
    SetCentredCaption(*button, caption, kWhite);
    return button;
}

void PurchaseDialog::BuildPeriodRows() {
    AddLabel(*this, 20, kRowY[0], 60, u"가격 :");
    for (size_t row = 0; row < 3; ++row) {
        Button* radio = CreateButton(80, kRowY[row], 18, 18, kFirstPeriodId + static_cast<int32_t>(row), -1,
                                     kCommonTexture, 668, 0);
        radio->SetRadio();
        periodButtons_[row] = radio;
        periodLabels_[row] = AddLabel(*this, 105, kRowY[row], 110, u" ");
        bonusLabels_[row] = AddLabel(*this, 220, kBonusY[row], 300, u" ");
    }
}

void PurchaseDialog::BuildBalanceLines() {
    balanceCaption_ = AddLabel(*this, 20, 165, 105, u"  보유 캐시 :");
    balance_ = AddLabel(*this, 125, 165, 120, u" ");
    afterCaption_ = AddLabel(*this, 20, 185, 105, u"구입후 캐시 :");
    after_ = AddLabel(*this, 125, 185, 120, u" ");
}

void PurchaseDialog::BuildRecipientPanel() {
    recipientPanel_ = CreatePanel(200, 160, 340, 70, kCommonTexture, 660, 700);
    Panel& panel = *recipientPanel_;
    AddLabel(panel, 10, 6, 90, u"받을 사람");
    AddLabel(panel, 10, 30, 90, u"   메시지");
    bonusCaption_ = AddLabel(panel, 10, 52, 90, u"보너스 큐머니");
    const auto addEdit = [&panel](int32_t y, int32_t w, int32_t maxBytes) {
        EditBox* edit = AddTextEntry(panel, 105, y, w, 18, maxBytes, kWhite);
        edit->SetTextColors(kWhite, 0xFF000000);
        return edit;
    };
    recipient_ = addEdit(6, 120, kRecipientBytes);
    message_ = addEdit(30, 220, kMessageBytes);
    bonusBox_ = panel.CreateButton(105, 52, 18, 18, kBonusBoxId, -1, kCommonTexture, 668, 0);
    bonusBox_->SetCheckBox();
    bonusBox_->SetTooltip(u"체크하지 않으면 보너스 큐머니는 내 계정으로 충전됩니다.");
    // The list buttons wear the scroll bars' step faces (14 x 17), stretched over them whole; hidden, as every
    // mode leaves them.
    friendList_ = panel.CreateButton(235, 6, 40, 18, kFriendListId, -1, kCommonTexture, 609, 0, 14, 17, 40 / 14.0f,
                                     18 / 17.0f);
    friendList_->SetTooltip(u"Friends");
    clanList_ = panel.CreateButton(280, 6, 40, 18, kClanListId, -1, kCommonTexture, 623, 0, 14, 17, 40 / 14.0f,
                                   18 / 17.0f);
    clanList_->SetTooltip(u"Clan");
    friendList_->Show(false);
    clanList_->Show(false);
}

// --- what the owner sets ---

void PurchaseDialog::SetMode(PurchaseMode mode) {
    mode_ = mode;
    friendList_->Show(false);
    clanList_->Show(false);
    const bool buy = mode == PurchaseMode::kBuy;
    for (TextLabel* line : discountLines_) line->Show(buy);
    recipientPanel_->Show(!buy);
    if (mode == PurchaseMode::kGift) {
        message_->SetEnabled(true);
        message_->SetText(u"선물이에요~");
    } else if (mode == PurchaseMode::kClanGift) {
        balanceCaption_->SetText(u"보유 클랜머니 :");
        afterCaption_->SetText(u"구입후 클랜머니 :");
        const quill::WString clan = services_.account ? services_.account().clanName : quill::WString();
        message_->SetText(quill::Format(u"%s 클랜 선물", clan));
        message_->SetEnabled(false);
    }
}

void PurchaseDialog::SetItem(const quill::ItemRecord& item) {
    PurchaseMode mode;
    item_ = item;
    mode = mode_;
    const bool cash = PurchaseRules::IsCashItem(item);
    secondTitle_->SetText(cash ? u"캐시 상품입니다." : u"큐머니 상품입니다.");
    // A clan gift is paid with the clan's money whatever the item's currency: its captions stay.
    if (mode != PurchaseMode::kClanGift) {
        balanceCaption_->SetText(cash ? u"  보유 캐시 :" : u"  보유 큐머니 :");
        afterCaption_->SetText(cash ? u"구입후 캐시 :" : u"구입후 큐머니 :");
    }
    for (TextLabel* notice : legalNotices_) notice->Show(cash);
    for (size_t row = 1; row < 3; ++row) {
        periodButtons_[row]->Show(PurchaseRules::OffersPeriod(item, row));
        periodLabels_[row]->Show(PurchaseRules::OffersPeriod(item, row));
    }
    for (size_t row = 0; row < 3; ++row) {
        bonusLabels_[row]->SetText(u" ");
        const bool offered = row == 0 || item.periods[row] != quill::ItemRecord::kNoPeriod;
        if (item.bonusFlag == 1 && item.bonuses[row] >= 1 && offered) {
            bonusLabels_[row]->SetTextF(u"(큐머니 %s원 지급)", FormatMoney(item.bonuses[row]));
        }
    }
}

// --- showing ---

void PurchaseDialog::OnShow() {
    Window::OnShow();
    const PurchaseMode mode = Mode();
    const quill::ItemRecord item = Item();
    SelectPeriod(1);
    switch (mode) {
        case PurchaseMode::kBuy:
            title_->SetText(u"아이템 구입");
            break;
        case PurchaseMode::kGift:
            title_->SetText(u"선물하기");
            break;
        case PurchaseMode::kClanGift:
            title_->SetText(u"클랜원 선물");
            break;
    }
    if (mode != PurchaseMode::kBuy) recipient_->SetFocus(true);
    CentreOnScreen(*this);
    itemName_->SetText(item.name);
    const bool bonus = item.bonuses[0] >= 1;
    bonusCaption_->Show(bonus);
    bonusBox_->Show(bonus);
    const PurchaseAccount account = services_.account ? services_.account() : PurchaseAccount{};
    balance_->SetText(FormatMoney(PurchaseRules::Balance(item, mode, account)));
    FillPeriodLabels();
    const bool alwaysBonus = item.id >= kFirstBonusItem && item.id <= kLastBonusItem;
    if (alwaysBonus) bonusBox_->SetChecked(true);
    bonusBox_->SetEnabled(!alwaysBonus);
    ok_->SetEnabled(true);
    UpdatePrice();
}

void PurchaseDialog::FillPeriodLabels() {
    const quill::ItemRecord item = Item();
    for (size_t row = 0; row < 3; ++row) periodLabels_[row]->SetText(PurchaseRules::PeriodLabel(item, row));
}

void PurchaseDialog::SelectPeriod(int32_t period) {
    period_ = period;
    for (size_t row = 0; row < 3; ++row) periodButtons_[row]->SetChecked(static_cast<int32_t>(row) + 1 == period);
}

void PurchaseDialog::UpdatePrice() {
    const PurchaseMode mode = Mode();
    const quill::ItemRecord item = Item();
    const PurchaseAccount account = services_.account ? services_.account() : PurchaseAccount{};
    int64_t price = PurchaseRules::PeriodPrice(item, Period());
    if (mode == PurchaseMode::kBuy) {
        const int32_t offered = PurchaseRules::OfferedDiscountPercent(item);
        const PurchaseRules::Discount discount =
            PurchaseRules::ApplyDiscount(item, mode, account.membershipState, price);
        if (discount.percent == 0) {
            discountLines_[0]->SetTextF(u"Kestrovan클럽 멤버십 %d%% 할인 적용", offered);
            discountLines_[1]->SetText(u"Kestrovan클럽 미가입 상태입니다.");
        } else {
            discountLines_[0]->SetTextF(u"▶ Kestrovan클럽 %d%% 할인 적용", discount.percent);
            discountLines_[1]->SetTextF(u"%s -> %s", FormatMoney(price), FormatMoney(discount.price));
        }
        price = discount.price;
    }
    price_ = price;
    after_->SetText(FormatMoney(PurchaseRules::Balance(item, mode, account) - price));
}

// --- events ---

bool PurchaseDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == list_ && a == GiftRecipientList::kChosenEvent) {
        if (const auto member = list_->Selected()) recipient_->SetText(member->nickname);
        return true;
    }
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id >= kFirstPeriodId && id < kFirstPeriodId + 3) {
        SelectPeriod(id - kFirstPeriodId + 1);
        UpdatePrice();
        return true;
    }
    switch (id) {
        case kCancelId:
            SetVisible(false);
            return true;
        case kFriendListId:
        case kClanListId:
            ShowRecipients(id == kFriendListId ? GiftRecipientList::kFriends : GiftRecipientList::kClanMembers,
                           *source);
            return true;
        case kHideWithBeep:
            SetVisible(false);
            if (services_.beep) services_.beep();
            return true;
        case kOkId:
            Confirm();
            return true;
        default:
            return Window::OnEvent(source, a, b);
    }
}

void PurchaseDialog::ShowRecipients(uint8_t kind, Widget& button) {
    list_->SetKind(kind);
    const WidgetRect at = button.GetRect();
    list_->SetPosition(at.left - GetRect().left, at.top - GetRect().top);
    list_->SetVisible(true);
}

void PurchaseDialog::Confirm() {
    const PurchaseAccount account = services_.account ? services_.account() : PurchaseAccount{};
    const quill::ItemRecord item = Item();
    PurchaseOrder order;
    order.mode = Mode();
    order.price = Price();
    order.ownedOfType = services_.ownedOfType ? services_.ownedOfType(item.id) : 0;
    order.recipient = Recipient();
    order.message = Message();
    order.recipientInClan = services_.isClanMember && services_.isClanMember(order.recipient);
    if (const auto refusal = PurchaseRules::Check(item, order, account)) {
        if (services_.refuse) services_.refuse(*refusal);
        return;
    }
    ok_->SetEnabled(false);
    if (services_.poster) services_.poster(quill::AppEventId::ItemCheckPassed, 0, 0, 0);
}

void PurchaseDialog::WriteRequest(quill::Packet& packet) const {
    PurchaseOrder order;
    order.mode = Mode();
    order.recipient = Recipient();
    order.message = Message();
    PurchaseRules::WriteRequest(packet, Item(), Period(), order, IsBonusChecked());
}

// --- what the owner reads ---

PurchaseMode PurchaseDialog::Mode() const {
    return mode_;
}

quill::ItemRecord PurchaseDialog::Item() const {
    return item_;
}

int32_t PurchaseDialog::Period() const {
    return period_;
}

int64_t PurchaseDialog::Price() const {
    return price_;
}

bool PurchaseDialog::IsBonusChecked() const {
    return bonusBox_->IsChecked();
}

quill::WString PurchaseDialog::Recipient() const {
    return recipient_->GetText();
}

quill::WString PurchaseDialog::Message() const {
    return message_->GetText();
}

// --- the program's dialog ---

namespace {

PurchaseAccount AccountOf(GameConnection& connection) {
    quill::PlayerState& player = connection.LocalPlayer();
    PurchaseAccount account;
    account.cash = player.money;
    account.cueMoney = player.cueMoney;
    account.clanMoney = connection.Directories().Clan().money;
    account.level = player.level;
    account.clanRank = player.clanRank;
    account.membershipState = connection.MembershipState();
    account.nickname = connection.Nickname();
    account.clanName = player.clanName;
    return account;
}

uint32_t CountOwned(quill::PlayerState& player, uint32_t typeCode) {
    quill::ScopedLock hold(player.GetLock());
    uint32_t count = 0;
    for (uint32_t i = 0; i < player.ItemCount(); ++i) {
        if (const quill::InventoryItem* item = player.ItemAt(i); item != nullptr && item->typeCode == typeCode) ++count;
    }
    return count;
}

}  // namespace

std::unique_ptr<PurchaseDialog> CreatePurchaseDialog(ScreenServices& app) {
    GameConnection& connection = *app.Connection();
    PurchaseDialog::Services services;
    services.account = [&connection] { return AccountOf(connection); };
    services.ownedOfType = [&connection](uint32_t typeCode) { return CountOwned(connection.LocalPlayer(), typeCode); };
    services.isClanMember = [&connection](quill::WStringView nickname) {
        return connection.Directories().ClanMembers().ContainsName(nickname);
    };
    services.refuse = [&app](const PurchaseRefusal& refusal) {
        if (refusal.notice) {
            app.Scenes().ShowNoticeBox(nullptr, refusal.text);
        } else {
            app.Scenes().ShowErrorBox(nullptr, refusal.text);
        }
    };
    services.beep = [] { ToneSound::PlayBeep(quill::SoundManager::Current()); };
    services.poster = PosterOf(app);
    return std::make_unique<PurchaseDialog>(std::move(services), connection.Directories());
}

}  // namespace kestrovan
