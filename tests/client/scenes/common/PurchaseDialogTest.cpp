// The purchase and gift dialog: the rules (period rows, the club discount in single precision, the OK checks in
// their order, the request bytes of each mode), the dialog over them (modes, the chosen period's price, OK
// refused or passed), the recipient lists (paging, a row chosen, and a member who leaves while listed), and the
// beep's tone.
#include <gtest/gtest.h>

#include <vector>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/net/Packet.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/GiftRecipientList.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/common/PurchaseRules.h"
#include "client/scenes/common/ToneSound.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Panel.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "tests/support/scenes/SceneTestApp.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan::test {
namespace {

quill::ItemRecord Item(uint32_t id, uint32_t currency, std::array<int32_t, 3> prices,
                       std::array<int16_t, 3> periods = {30, 90, 365}, uint8_t unit = 1) {
    quill::ItemRecord item;
    item.id = id;
    item.currency = currency;
    item.name = u"Blue chalk";
    item.periodUnit = unit;
    item.periods = periods;
    item.prices = prices;
    return item;
}

constexpr uint32_t kCash = 1;
constexpr uint32_t kCueMoney = 2;

std::vector<uint8_t> Bytes(const quill::Packet& packet) {
    const auto bytes = packet.Bytes();
    return {bytes.begin(), bytes.end()};
}

// --- the rules ---

TEST(PurchaseRules, PeriodRowsAndTheirTexts) {
    const quill::ItemRecord single = Item(4902, kCueMoney, {1000, -1, -1}, {30, -1, -1});
    EXPECT_TRUE(PurchaseRules::OffersPeriod(single, 0));
    EXPECT_FALSE(PurchaseRules::OffersPeriod(single, 1));
    EXPECT_FALSE(PurchaseRules::OffersPeriod(single, 2));
    EXPECT_EQ(PurchaseRules::PeriodLabel(single, 0), u"1,000 / 30일");
    EXPECT_EQ(PurchaseRules::PeriodLabel(single, 1), u" ");
    EXPECT_EQ(PurchaseRules::PeriodPrice(single, 1), 1000);
    EXPECT_EQ(PurchaseRules::PeriodPrice(single, 2), -1);
    EXPECT_EQ(PurchaseRules::PeriodPrice(single, 4), -1) << "no fourth period";

    EXPECT_EQ(PurchaseRules::PeriodLabel(Item(4111, kCash, {500, -1, -1}, {1440, -1, -1}, 2), 0), u"500 / 24시간");
    EXPECT_EQ(PurchaseRules::PeriodLabel(Item(4510, kCash, {1200, 3000, -1}, {10, 30, -1}, 3), 1), u"3,000 / 30회");
    EXPECT_EQ(PurchaseRules::PeriodLabel(Item(3050, kCash, {25000, -1, -1}, {0, -1, -1}, 0), 0), u"25,000");
}

TEST(PurchaseRules, OnlyAMemberBuyingForHimselfGetsTheDiscountRoundedInSinglePrecision) {
    const quill::ItemRecord gold = Item(4902, kCueMoney, {1000, 2000, -1});
    const quill::ItemRecord cash = Item(4510, kCash, {999, -1, -1});
    using Mode = PurchaseMode;
    EXPECT_EQ(PurchaseRules::ApplyDiscount(gold, Mode::kBuy, 2, 1000).price, 900);
    EXPECT_EQ(PurchaseRules::ApplyDiscount(gold, Mode::kBuy, 2, 1000).percent, 10);
    EXPECT_EQ(PurchaseRules::ApplyDiscount(gold, Mode::kBuy, 3, 1000).price, 800) << "plus members get 20 %";
    EXPECT_EQ(PurchaseRules::ApplyDiscount(cash, Mode::kBuy, 2, 999).price, 799) << "999 x 0.8 + 0.5, truncated";
    EXPECT_EQ(PurchaseRules::ApplyDiscount(cash, Mode::kBuy, 1, 999).price, 999) << "state 1 is not a member";
    EXPECT_EQ(PurchaseRules::ApplyDiscount(cash, Mode::kBuy, 0, 999).percent, 0);
    EXPECT_EQ(PurchaseRules::ApplyDiscount(cash, Mode::kGift, 3, 999).price, 999) << "a gift is never discounted";
    EXPECT_EQ(PurchaseRules::ApplyDiscount(gold, Mode::kClanGift, 3, 1000).price, 1000);
    // A price the float cannot hold exactly keeps the float's rounding: 16777217 x 0.9 in single precision.
    EXPECT_EQ(PurchaseRules::ApplyDiscount(gold, Mode::kBuy, 2, 16777217).price,
              static_cast<int64_t>(static_cast<float>(16777217) * 0.9f + 0.5f));
}

TEST(PurchaseRules, TheChecksRunInTheirOrderAndTheFirstFailureIsShown) {
    PurchaseAccount account;
    account.cash = 500;
    account.cueMoney = 5000;
    account.clanMoney = 100000;
    account.level = 3;
    account.clanRank = 9;
    account.nickname = u"Me";
    PurchaseOrder order;
    order.price = 1000;
    const auto check = [&](const quill::ItemRecord& item) { return PurchaseRules::Check(item, order, account); };

    quill::ItemRecord cash = Item(4510, kCash, {1000, -1, -1});
    cash.requiredLevel = 20;
    auto refusal = check(cash);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, u"Not enough cash.");
    EXPECT_FALSE(refusal->notice);
    account.cash = 1000;
    EXPECT_FALSE(check(cash)) << "a cash item needs no level";

    quill::ItemRecord gold = Item(4902, kCueMoney, {1000, -1, -1});
    gold.requiredLevel = 5;
    refusal = check(gold);
    ASSERT_TRUE(refusal);
    EXPECT_TRUE(refusal->notice);
    EXPECT_EQ(refusal->text, u"이 아이템은 레벨5부터 사용 가능합니다.");
    account.level = 5;
    order.ownedOfType = 2;
    refusal = check(gold);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, u"같은 아이템이 이미 2개 있습니다.");
    EXPECT_FALSE(check(Item(3105, kCueMoney, {1000, -1, -1}))) << "personal cues may be owned any number of times";
    order.ownedOfType = 1;
    order.price = 6000;
    refusal = check(gold);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, u"Not enough money.");
    EXPECT_FALSE(refusal->notice);

    // A gift checks no level and no count, but the money and then the recipient.
    order.mode = PurchaseMode::kGift;
    order.price = 1000;
    order.ownedOfType = 5;
    account.level = 1;
    EXPECT_EQ(check(gold)->text, u"받을 사람의 닉네임을 입력하세요.");
    order.recipient = u"Me";
    EXPECT_EQ(check(gold)->text, u"자기 자신에게는 선물을 보낼 수 없습니다.");
    order.recipient = u"me";
    EXPECT_EQ(check(gold)->text, u"선물 메시지를 입력하세요.") << "the nickname is compared exactly";
    order.message = u"Enjoy";
    EXPECT_FALSE(check(gold));

    // A clan gift: the master only, before any money; then the clan's money; then a member of the clan.
    order.mode = PurchaseMode::kClanGift;
    order.price = 200000;
    EXPECT_EQ(check(gold)->text, u"Clan master only allowed");
    account.clanRank = 10;
    EXPECT_EQ(check(gold)->text, u"Not enough money.");
    order.price = 1000;
    order.recipient = u"Me";
    EXPECT_EQ(check(gold)->text, u"클랜원에게만 선물할 수 있습니다.") << "one's own name is no member's";
    order.recipientInClan = true;
    EXPECT_FALSE(check(gold));
}

TEST(PurchaseRules, EachModeWritesItsRequest) {
    const quill::ItemRecord item = Item(0x01020304, kCash, {100, -1, -1});
    PurchaseOrder order;
    quill::Packet buy;
    PurchaseRules::WriteRequest(buy, Item(4902, kCash, {1, -1, -1}), 2, order, true);
    buy.Finish();
    // ItemBuy (90): u32 item id, u8 period, string name.
    std::vector<uint8_t> expected{0, 0, 90, 0, 0x26, 0x13, 0, 0, 2, 20, 0};
    for (char16_t c : std::u16string(u"Blue chalk")) expected.insert(expected.end(), {static_cast<uint8_t>(c), 0});
    expected.insert(expected.end(), {0, 0});
    expected[0] = static_cast<uint8_t>(expected.size());
    EXPECT_EQ(Bytes(buy), expected);

    order.mode = PurchaseMode::kGift;
    order.recipient = u"Yu";
    order.message = u"Hi";
    quill::Packet gift;
    PurchaseRules::WriteRequest(gift, item, 1, order, true);
    gift.Finish();
    gift.SetCursor(4);
    EXPECT_EQ(gift.Id(), quill::MessageId::ItemGift);
    EXPECT_EQ(gift.ReadU32(), 0x01020304u);
    EXPECT_EQ(gift.ReadU8(), 1);
    EXPECT_EQ(gift.ReadWString(), u"Blue chalk");
    EXPECT_EQ(gift.ReadU8(), 1) << "the recipient gets the bonus";
    EXPECT_EQ(gift.ReadWString(), u"Yu");
    EXPECT_EQ(gift.ReadWString(), u"Hi");
    EXPECT_EQ(gift.ErrorCount(), 0);

    order.mode = PurchaseMode::kClanGift;
    quill::Packet clan;
    PurchaseRules::WriteRequest(clan, item, 3, order, true);
    clan.Finish();
    clan.SetCursor(4);
    EXPECT_EQ(clan.Id(), quill::MessageId::ClanGift);
    clan.ReadU32();
    EXPECT_EQ(clan.ReadU8(), 3);
    EXPECT_EQ(clan.ReadWString(), u"Blue chalk");
    EXPECT_EQ(clan.ReadWString(), u"Yu") << "no bonus byte in a clan gift";
    EXPECT_EQ(clan.ReadWString(), u"Hi");
    EXPECT_EQ(clan.ErrorCount(), 0);
}

TEST(ToneSound, TheBeepIsAWaveOfTwoHundredMillisecondsAt3000Hz) {
    const std::vector<uint8_t> wave = ToneSound::WaveBytes(3000, 200);
    ASSERT_EQ(wave.size(), 44u + 4410u * 2);
    EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(wave[22], 1) << "mono";
    EXPECT_EQ(wave[24] | wave[25] << 8, 22050);
    EXPECT_EQ(wave[34], 16) << "16-bit";
    // Samples cross zero about 6000 times a second: count the sign changes.
    int crossings = 0;
    int16_t previous = 0;
    for (size_t at = 44; at + 1 < wave.size(); at += 2) {
        const auto sample = static_cast<int16_t>(wave[at] | wave[at + 1] << 8);
        if ((sample < 0) != (previous < 0)) ++crossings;
        previous = sample;
    }
    EXPECT_NEAR(crossings, 1200, 5);
    EXPECT_FALSE(ToneSound::PlayBeep(nullptr)) << "no sound manager, no beep";
}

// --- the dialog ---

class PurchaseDialogTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    PurchaseDialogTest() {
        account.cash = 10000;
        account.cueMoney = 3000;
        account.clanMoney = 50000;
        account.level = 10;
        account.membershipState = 2;
        account.nickname = u"Me";
        account.clanName = u"Cue";
        PurchaseDialog::Services services;
        services.account = [this] { return account; };
        services.ownedOfType = [](uint32_t) { return 0u; };
        services.isClanMember = [](quill::WStringView name) { return name == u"Mate"; };
        services.refuse = [this](const PurchaseRefusal& refusal) { refusals.push_back(refusal.text); };
        services.beep = [this] { ++beeps; };
        services.poster = [this](uint32_t id, uint32_t, uint32_t, uint32_t) { posted.push_back(id); };
        root.Create(0, 0, 1024, 768, -1, -1);
        dialog = static_cast<PurchaseDialog*>(
            root.AddChild(std::make_unique<PurchaseDialog>(services, app.Connection()->Directories()), false));
    }
    void Open(PurchaseMode mode, const quill::ItemRecord& item) {
        dialog->SetMode(mode);
        dialog->SetItem(item);
        dialog->SetVisible(true);
    }

    PurchaseAccount account;
    Panel root;
    PurchaseDialog* dialog = nullptr;
    std::vector<quill::WString> refusals;
    std::vector<uint32_t> posted;
    int beeps = 0;
};

TEST_F(PurchaseDialogTest, BuyingShowsTheDiscountedPriceOfTheChosenPeriodAndOkPostsOnce) {
    quill::ItemRecord item = Item(4902, kCueMoney, {1000, 2000, -1}, {30, 90, -1});
    item.bonusFlag = 1;
    item.bonuses = {0, 500, 700};
    Open(PurchaseMode::kBuy, item);
    EXPECT_EQ(dialog->Title()->GetText(), u"아이템 구입");
    EXPECT_EQ(dialog->SecondTitle()->GetText(), u"큐머니 상품입니다.");
    EXPECT_EQ(dialog->ItemName()->GetText(), u"Blue chalk");
    EXPECT_TRUE(dialog->PeriodButton(0)->IsChecked());
    EXPECT_TRUE(dialog->PeriodButton(1)->IsVisible());
    EXPECT_FALSE(dialog->PeriodButton(2)->IsVisible()) << "no third offer";
    EXPECT_EQ(dialog->BonusLabel(0)->GetText(), u" ");
    EXPECT_EQ(dialog->BonusLabel(1)->GetText(), u"(큐머니 500원 지급)");
    EXPECT_EQ(dialog->BonusLabel(2)->GetText(), u" ") << "the third period is not offered";
    EXPECT_FALSE(dialog->RecipientPanel()->IsVisible());
    EXPECT_FALSE(dialog->LegalNotice(0)->IsVisible()) << "only cash items carry the notice";
    EXPECT_EQ(dialog->BalanceCaption()->GetText(), u"  보유 큐머니 :");
    EXPECT_EQ(dialog->Balance()->GetText(), u"3,000");
    EXPECT_EQ(dialog->DiscountLine(0)->GetText(), u"▶ Kestrovan클럽 10% 할인 적용");
    EXPECT_EQ(dialog->DiscountLine(1)->GetText(), u"1,000 -> 900");
    EXPECT_EQ(dialog->After()->GetText(), u"2,100");

    dialog->OnEvent(dialog->PeriodButton(1), 1, 0);
    EXPECT_EQ(dialog->Period(), 2);
    EXPECT_EQ(dialog->Price(), 1800);
    EXPECT_FALSE(dialog->PeriodButton(0)->IsChecked());
    EXPECT_EQ(dialog->After()->GetText(), u"1,200");

    account.membershipState = 0;
    dialog->UpdatePrice();
    EXPECT_EQ(dialog->DiscountLine(0)->GetText(), u"Kestrovan클럽 멤버십 10% 할인 적용");
    EXPECT_EQ(dialog->DiscountLine(1)->GetText(), u"Kestrovan클럽 미가입 상태입니다.");
    EXPECT_EQ(dialog->Price(), 2000);

    account.cueMoney = 1999;
    dialog->OnEvent(dialog->OkButton(), 0, 0);
    EXPECT_EQ(refusals, std::vector<quill::WString>{u"Not enough money."});
    EXPECT_TRUE(posted.empty());
    account.cueMoney = 2000;
    dialog->OnEvent(dialog->OkButton(), 0, 0);
    EXPECT_EQ(posted, std::vector<uint32_t>{quill::AppEventId::ItemCheckPassed});
    EXPECT_FALSE(dialog->OkButton()->IsEnabled()) << "until the dialog is shown again";

    quill::Packet request;
    dialog->WriteRequest(request);
    request.SetCursor(4);
    EXPECT_EQ(request.Id(), quill::MessageId::ItemBuy);
    EXPECT_EQ(request.ReadU32(), 4902u);
    EXPECT_EQ(request.ReadU8(), 2);
}

TEST_F(PurchaseDialogTest, GiftsAskForARecipientAndAMessageAndClanGiftsPayWithTheClansMoney) {
    Open(PurchaseMode::kGift, Item(4510, kCash, {999, -1, -1}));
    EXPECT_EQ(dialog->Title()->GetText(), u"선물하기");
    EXPECT_TRUE(dialog->RecipientPanel()->IsVisible());
    EXPECT_FALSE(dialog->DiscountLine(0)->IsVisible());
    EXPECT_TRUE(dialog->LegalNotice(0)->IsVisible());
    EXPECT_EQ(dialog->MessageBox()->GetText(), u"선물이에요~");
    EXPECT_EQ(dialog->Price(), 999) << "no discount on a gift";
    dialog->OnEvent(dialog->OkButton(), 0, 0);
    EXPECT_EQ(refusals.back(), u"받을 사람의 닉네임을 입력하세요.");
    dialog->RecipientBox()->SetText(u"Friend");
    dialog->OnEvent(dialog->OkButton(), 0, 0);
    EXPECT_EQ(posted.size(), 1u);
    dialog->SetVisible(false);

    Open(PurchaseMode::kClanGift, Item(4902, kCueMoney, {1000, -1, -1}));
    EXPECT_EQ(dialog->Title()->GetText(), u"클랜원 선물");
    EXPECT_EQ(dialog->MessageBox()->GetText(), u"Cue 클랜 선물");
    EXPECT_FALSE(dialog->MessageBox()->IsEnabled());
    EXPECT_EQ(dialog->BalanceCaption()->GetText(), u"보유 클랜머니 :");
    EXPECT_EQ(dialog->Balance()->GetText(), u"50,000");
    EXPECT_TRUE(dialog->OkButton()->IsEnabled()) << "shown again";
    dialog->RecipientBox()->SetText(u"Mate");
    dialog->OnEvent(dialog->OkButton(), 0, 0);
    EXPECT_EQ(refusals.back(), u"Clan master only allowed");
    account.clanRank = 10;
    dialog->OnEvent(dialog->OkButton(), 0, 0);
    EXPECT_EQ(posted.size(), 2u);

    // The dialog's hide-with-a-beep event.
    Widget beep;
    beep.SetId(PurchaseDialog::kHideWithBeep);
    dialog->OnEvent(&beep, 0, 0);
    EXPECT_FALSE(dialog->IsVisible());
    EXPECT_EQ(beeps, 1);
}

// --- the recipient lists ---

class GiftRecipientListTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    GiftRecipientListTest() {
        root.Create(0, 0, 1024, 768, -1, -1);
        list = static_cast<GiftRecipientList*>(root.AddChild(
            std::make_unique<GiftRecipientList>(Directories(), [this] { ++emptyNotices; }), false));
    }
    MemberDirectories& Directories() { return app.Connection()->Directories(); }
    // FriendList with friends of ids 1..count named "F1", "F2", ...
    void ListFriends(uint16_t count) {
        std::vector<uint8_t> payload{static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8)};
        for (uint32_t id = 1; id <= count; ++id) AppendMember(payload, id, u"F" + NumberText(id), true);
        auto packet = ReceivedMessage(quill::MessageId::FriendList, payload);
        Directories().OnFriendList(*packet);
    }
    static quill::WString NumberText(uint32_t n) {
        quill::WString text;
        for (char c : std::to_string(n)) text.push_back(static_cast<char16_t>(c));
        return text;
    }
    static void AppendMember(std::vector<uint8_t>& payload, uint32_t id, const quill::WString& name, bool flag) {
        for (int shift = 0; shift < 32; shift += 8) payload.push_back(static_cast<uint8_t>(id >> shift));
        payload.insert(payload.end(), 8, 0);
        const auto bytes = static_cast<uint16_t>(name.size() * 2);
        payload.insert(payload.end(), {static_cast<uint8_t>(bytes), static_cast<uint8_t>(bytes >> 8)});
        for (char16_t c : name) payload.insert(payload.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8)});
        payload.insert(payload.end(), {0, 0, 1, 0, 0, 0, 0, 0, 0});
        if (flag) payload.push_back(0);
    }

    Panel root;
    GiftRecipientList* list = nullptr;
    int emptyNotices = 0;
};

TEST_F(GiftRecipientListTest, TwentyRowsAtATimeAndARowChoosesItsMember) {
    ListFriends(25);
    list->SetKind(GiftRecipientList::kFriends);
    list->SetVisible(true);
    EXPECT_EQ(list->MemberCount(), 25);
    EXPECT_EQ(list->Scroll()->GetCount(), 6);
    EXPECT_TRUE(list->UpButton()->IsVisible());
    EXPECT_FALSE(list->UpButton()->IsEnabled());
    EXPECT_TRUE(list->DownButton()->IsEnabled());
    EXPECT_EQ(list->RowNickname(0), u"F1");
    EXPECT_EQ(list->RowNickname(19), u"F20");

    for (int i = 0; i < 10; ++i) list->OnEvent(list->DownButton(), 0, 0);
    EXPECT_EQ(list->FirstRow(), 6) << "never beyond count - 19";
    EXPECT_FALSE(list->DownButton()->IsEnabled());
    EXPECT_TRUE(list->UpButton()->IsEnabled());
    list->OnEvent(list->UpButton(), 0, 0);
    EXPECT_EQ(list->FirstRow(), 5);

    list->OnEvent(list->Row(3), 1, 0);
    ASSERT_TRUE(list->Selected().has_value());
    EXPECT_EQ(list->Selected()->nickname, u"F8") << "member first + 3";
    EXPECT_FALSE(list->IsVisible());
}

TEST_F(GiftRecipientListTest, AMemberWhoLeavesWhileListedStaysAsTheRowCopiedHim) {
    ListFriends(3);
    list->SetVisible(true);
    EXPECT_FALSE(list->UpButton()->IsVisible()) << "a short list has no step buttons";
    // The dispatch thread removes F2 (its record goes back to the pool) and lists someone else, who may take
    // the same record.
    std::vector<uint8_t> removed{1, 2, 0, 0, 0, 4, 0, u'F', 0, u'2', 0, 0, 0};
    Directories().OnFriendRemoved(*ReceivedMessage(quill::MessageId::FriendRemoved, removed));
    std::vector<uint8_t> added;
    AppendMember(added, 9, u"Other", false);
    Directories().OnFriendAdded(*ReceivedMessage(quill::MessageId::FriendAdded, added));

    EXPECT_EQ(list->RowNickname(1), u"F2");
    list->OnEvent(list->Row(1), 1, 0);
    ASSERT_TRUE(list->Selected().has_value());
    EXPECT_EQ(list->Selected()->nickname, u"F2");
    EXPECT_EQ(list->Selected()->id, 2u);

    // An empty list is not shown but told of.
    list->SetKind(GiftRecipientList::kClanMembers);
    list->SetVisible(true);
    EXPECT_FALSE(list->IsVisible());
    EXPECT_EQ(emptyNotices, 1);
}

}  // namespace
}  // namespace kestrovan::test
