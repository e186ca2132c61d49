// The shop's pure rules: the grids' filters and pages per category, the card and detail texts of cues,
// counted, timed, owned and expired items, the use, delete and buy decisions, the nickname rules in bytes of
// the code page and the membership prices and checks.
#include <gtest/gtest.h>

#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/scenes/shop/MembershipRules.h"
#include "client/scenes/shop/NicknameRules.h"
#include "client/scenes/shop/ShopDecisions.h"
#include "client/scenes/shop/ShopGrid.h"
#include "client/scenes/shop/ShopItemTexts.h"

namespace kestrovan {
namespace {

using quill::InventoryItem;
using quill::ItemRecord;

ItemRecord Record(uint32_t id, uint32_t category, uint32_t currency = 2, uint8_t unit = ItemRecord::kDays) {
    ItemRecord record;
    record.id = id;
    record.category = category;
    record.currency = currency;
    record.periodUnit = unit;
    record.name = u"Item";
    record.periods = {7, 30, ItemRecord::kNoPeriod};
    record.prices = {1000, 3000, ItemRecord::kNoPrice};
    return record;
}

ShopItemText Row(const ItemRecord& record, const char16_t* description = u"line") {
    ShopItemText row;
    row.itemId = record.id;
    row.description = description;
    row.measures = u"-";
    row.gameTypes = u"전체";
    row.listed = 1;
    row.record = record;
    return row;
}

InventoryItem Owned(uint32_t key, uint32_t typeCode, uint32_t kind) {
    InventoryItem item;
    item.key = key;
    item.typeCode = typeCode;
    item.kind = kind;
    return item;
}

TEST(ShopGridTest, CategoriesFilterByKindAndPagesScrollByRowsOfFour) {
    std::vector<ShopItemText> rows;
    for (uint32_t n = 0; n < 9; ++n) rows.push_back(Row(Record(3000 + n, ItemRecord::kCue)));
    rows.push_back(Row(Record(4901, ItemRecord::kChalk)));
    rows.push_back(Row(Record(4510, ItemRecord::kBoost, 1)));
    rows.push_back(Row(Record(1020, ItemRecord::kTable)));
    std::vector<const ShopItemText*> source;
    for (const ShopItemText& row : rows) source.push_back(&row);

    const ShopGridPage cues = ShopGrid::ShopPage(source, 1, 1, 0);
    EXPECT_EQ(cues.count, 9);
    EXPECT_EQ(cues.range, 2) << "9 / 4 + 0.5 = 2.75";
    EXPECT_EQ(cues.shown.size(), 8u);
    const ShopGridPage second = ShopGrid::ShopPage(source, 1, ShopGrid::FirstRowAt(1), 0);
    ASSERT_EQ(second.shown.size(), 5u) << "the second position shows items 5 to 9";
    EXPECT_EQ(second.shown.front(), 4u);
    EXPECT_EQ(ShopGrid::ShopPage(source, 4, 1, 0).count, 2) << "kinds 4 to 6";
    EXPECT_EQ(ShopGrid::ShopPage(source, 3, 1, 0).count, 1);
    EXPECT_EQ(ShopGrid::ShopPage(source, 7, 1, 0).count, 12);
    const ShopGridPage empty = ShopGrid::ShopPage(source, 2, 1, 0);
    EXPECT_TRUE(empty.shown.empty());
    EXPECT_EQ(empty.range, 1);
    // A partner-portal account sees no cash item.
    EXPECT_EQ(ShopGrid::ShopPage(source, 7, 1, ShopGrid::kPartnerAccount).count, 11);
    EXPECT_EQ(ShopGrid::ShopPage(source, 4, 1, ShopGrid::kPartnerAccount).count, 1);
}

TEST(ShopGridTest, TheTableListsEightyFourRowsAndTheFixedRecommendations) {
    const ShopItemTextTable table;
    EXPECT_EQ(table.Rows().size(), ShopItemTextTable::kRows);
    EXPECT_EQ(table.Rows().front().first, 1);
    const auto sale = ShopGrid::SaleRows(table);
    EXPECT_FALSE(sale.empty());
    for (const ShopItemText* row : sale) EXPECT_NE(row->record->prices[0], 0) << row->itemId;
    const auto recommended = ShopGrid::RecommendedRows(table);
    ASSERT_EQ(recommended.size(), 12u);
    EXPECT_EQ(recommended[0]->itemId, 11u);
    EXPECT_EQ(recommended[11]->itemId, 3043u);
    EXPECT_EQ(table.Find(4902)->record->category, ItemRecord::kChalk);
    EXPECT_EQ(table.Find(99999), nullptr);
}

TEST(ShopGridTest, OwnedTabsByKindAndByState) {
    std::vector<OwnedItem> items(5);
    items[0].item = Owned(10, 3003, 1);                      // state 0: in use tab only
    items[1].item = Owned(11, 4901, 5);
    items[1].item.state = 3;
    items[1].item.remaining = 100;
    items[1].item.secondCount = 100;                         // counted, untouched: not in use
    items[2].item = Owned(12, 4902, 5);
    items[2].item.state = 3;
    items[2].item.remaining = 40;
    items[2].item.secondCount = 100;                         // counted, spent from: in use
    items[3].item = Owned(13, 1101, 3);
    items[3].item.state = 1;                                 // timed, not started: not in use
    items[4].item = Owned(14, 1102, 3);
    items[4].item.state = 1;
    items[4].item.inUse = 1;                                 // timed, running: in use
    EXPECT_EQ(ShopGrid::MyItemsPage(items, ShopGrid::kAll, 1).count, 5);
    EXPECT_EQ(ShopGrid::MyItemsPage(items, 5, 1).count, 2);
    EXPECT_EQ(ShopGrid::MyItemsPage(items, ShopGrid::kOthers, 1).count, 2);
    EXPECT_EQ(ShopGrid::MyItemsPage(items, ShopGrid::kInUse, 1).shown, (std::vector<size_t>{0, 2, 4}));
    EXPECT_EQ(ShopGrid::MyItemsPage(items, ShopGrid::kNotInUse, 1).shown, (std::vector<size_t>{1, 3}));
}

TEST(ShopItemTextsTest, CardsShowLevelsGameTypesCurrencyAndStatus) {
    ItemRecord cue = Record(3010, ItemRecord::kCue, 1);
    cue.requiredLevel = 5;
    const ShopCardTexts card = ShopItemTexts::Card(Row(cue));
    EXPECT_TRUE(card.levelShown);
    EXPECT_EQ(card.level, u"Lv.5");
    EXPECT_FALSE(card.gameTypesShown);
    EXPECT_EQ(card.currency, u"Cash");
    EXPECT_EQ(card.price, u"1,000");
    cue.requiredLevel = 1;
    EXPECT_FALSE(ShopItemTexts::Card(Row(cue)).levelShown);
    const ShopCardTexts table = ShopItemTexts::Card(Row(Record(1101, ItemRecord::kTable)));
    EXPECT_TRUE(table.gameTypesShown);
    EXPECT_EQ(table.gameTypes, u"[전체]");
    EXPECT_EQ(table.currency, u"Gold");

    InventoryItem personal = Owned(20, 3100, 1);
    personal.customFlag = 1;
    EXPECT_EQ(ShopItemTexts::InventoryCard(cue, &personal).status, u"개인큐");
    InventoryItem used = Owned(21, 3010, 1);
    used.inUse = 1;
    used.itemClass = 4;
    const InventoryCardTexts inUse = ShopItemTexts::InventoryCard(cue, &used);
    EXPECT_EQ(inUse.status, u"사용중");
    EXPECT_TRUE(inUse.markShown);
    const ItemRecord chalk = Record(4901, ItemRecord::kChalk, 2, ItemRecord::kUsesOrHours);
    InventoryItem counted = Owned(22, 4901, 5);
    EXPECT_FALSE(ShopItemTexts::InventoryCard(chalk, &counted).statusShown);
    counted.typeCode = 4111;
    EXPECT_EQ(ShopItemTexts::InventoryCard(chalk, &counted).status, u"미사용");
    EXPECT_FALSE(ShopItemTexts::InventoryCard(chalk, nullptr).statusShown);
}

TEST(ShopItemTextsTest, DetailOfCataloguePricesBonusesAndSixDescriptionLines) {
    ItemRecord cue = Record(3010, ItemRecord::kCue, 1);
    ShopItemText row = Row(cue, u"1\n2\n3\n4\n5\n6\n7");
    ItemModelRecord model;
    model.stats = {10, 8, 6, 4, 3};
    ItemDetailTexts texts = ShopItemTexts::Detail(DetailMode::kCatalogue, row, nullptr, &model);
    EXPECT_EQ(texts.descriptionLines, 6u);
    EXPECT_EQ(texts.description[5], u"6");
    EXPECT_EQ(texts.requirements, u"없음");
    EXPECT_EQ(texts.prices[0], u"1,000 / 7일 (캐시)");
    EXPECT_EQ(texts.prices[1], u"3,000 / 30일 (캐시)");
    EXPECT_EQ(texts.prices[2], u"");
    EXPECT_EQ(texts.function[0], u"파워 + 5  파워밸런스 : 20%");
    EXPECT_EQ(texts.function[1], u"스핀 + 3  미스큐감소 : 2%  스쿼트감소 : 7%");
    EXPECT_EQ(texts.caution[0], u"기간형 아이템은 사용상태로 전환 후 기능이 적용됩니다.");

    // With a cue-money bonus the currency word is a blank and the bonus stands beside the row.
    cue.bonusFlag = 1;
    cue.bonuses = {5000, 0, 0};
    cue.requiredLevel = 7;
    texts = ShopItemTexts::Detail(DetailMode::kCatalogue, Row(cue), nullptr, nullptr);
    EXPECT_EQ(texts.prices[0], u"1,000 / 7일  ");
    EXPECT_EQ(texts.bonuses[0], u"(큐머니 5,000원 지급)");
    EXPECT_EQ(texts.requirements, u"레벨 7 이상");

    ItemRecord hours = Record(4111, ItemRecord::kService, 1, ItemRecord::kUsesOrHours);
    hours.periods = {600, ItemRecord::kNoPeriod, ItemRecord::kNoPeriod};
    EXPECT_EQ(ShopItemTexts::Detail(DetailMode::kCatalogue, Row(hours), nullptr, nullptr).prices[0],
              u"1,000 / 10시간 (캐시)");
    ItemRecord table = Record(1101, ItemRecord::kTable);
    table.moneyGainPercent = 10;
    table.winPointsPercent = 5;
    texts = ShopItemTexts::Detail(DetailMode::kCatalogue, Row(table), nullptr, nullptr);
    EXPECT_EQ(texts.function[0], u"획득머니 +10%. 승점 +5% ");
    EXPECT_EQ(texts.caution[0], u"머니증가는 사용중인 종목에만 적용");
}

TEST(ShopItemTextsTest, DetailOfOwnedItemsByState) {
    const ItemRecord counted = Record(4111, ItemRecord::kService, 1, ItemRecord::kUsesOrHours);
    InventoryItem hours = Owned(30, 4111, 4);
    hours.state = 3;
    hours.remaining = 125;
    ItemDetailTexts texts = ShopItemTexts::Detail(DetailMode::kOwned, Row(counted), &hours, nullptr);
    EXPECT_EQ(texts.state, u"정상(기간형)");
    EXPECT_EQ(texts.period, u"2시간 5분 남음");
    InventoryItem chalk = Owned(31, 4901, 5);
    chalk.state = 3;
    chalk.remaining = 40;
    EXPECT_EQ(ShopItemTexts::Detail(DetailMode::kOwned, Row(counted), &chalk, nullptr).period, u"40 회 남음");

    const ItemRecord timed = Record(1101, ItemRecord::kTable);
    InventoryItem running = Owned(32, 1101, 3);
    running.state = 1;
    running.inUse = 1;
    running.name = u"2030-01-01 12:00";
    texts = ShopItemTexts::Detail(DetailMode::kOwned, Row(timed), &running, nullptr);
    EXPECT_EQ(texts.state, u"사용중");
    EXPECT_EQ(texts.period, u"2030-01-01 12:00");
    running.remaining = -1;
    EXPECT_EQ(ShopItemTexts::Detail(DetailMode::kOwned, Row(timed), &running, nullptr).period, u"-");
    running.inUse = 4;
    EXPECT_EQ(ShopItemTexts::Detail(DetailMode::kOwned, Row(timed), &running, nullptr).state, u"기간만료");
    running.inUse = 0;
    running.remaining = 30;
    texts = ShopItemTexts::Detail(DetailMode::kOwned, Row(timed), &running, nullptr);
    EXPECT_EQ(texts.state, u"미사용");
    EXPECT_EQ(texts.period, u"30일");

    InventoryItem personal = Owned(33, 3100, 1);
    personal.customFlag = 1;
    personal.durabilityCurrent = 500;
    personal.durabilityTotal = 100000;
    personal.statistics = {20, 4, 10, 2, 2};
    personal.itemClass = 2;
    personal.sender = u"Ann";
    personal.description = u"Good luck";
    texts = ShopItemTexts::Detail(DetailMode::kOwned, Row(Record(3100, ItemRecord::kCue)), &personal, nullptr);
    EXPECT_EQ(texts.state, u"성능 적용 안됨");
    EXPECT_EQ(texts.period, u"내구도 (0/100)");
    EXPECT_EQ(texts.function[0], u"파워 +10  파워밸런스 : 10%");
    EXPECT_TRUE(texts.remarkShown);
    EXPECT_EQ(texts.remark, u"Ann \"Good luck\"");
}

TEST(ShopItemTextsTest, MembershipCaption) {
    EXPECT_EQ(ShopItemTexts::Membership(0, u"").value, u"N/A");
    EXPECT_EQ(ShopItemTexts::Membership(0, u"").colour, ShopItemTexts::kGrey);
    const MembershipCaption standard = ShopItemTexts::Membership(2, u"2030-01-01 00:00:00 extra");
    EXPECT_EQ(standard.caption, u"Std. Membership :");
    EXPECT_EQ(standard.value, u"2030-01-01 00:00 까지");
    EXPECT_EQ(ShopItemTexts::Membership(3, u"x").caption, u"Plus Membership :");
}

TEST(ShopDecisionsTest, UseRefusesInOrderAndRoutesByKind) {
    ItemRecord cue = Record(3010, ItemRecord::kCue);
    cue.requiredLevel = 20;
    EXPECT_EQ(ShopDecisions::Use(Owned(10, 4111, 4), nullptr, 10, false).lines[0], u"사용할 수 없는 아이템입니다.");
    UseDecision level = ShopDecisions::Use(Owned(10, 3010, 1), &cue, 10, false);
    EXPECT_EQ(level.action, UseDecision::Action::kNotice);
    EXPECT_EQ(level.lines[0], u"이 아이템은 레벨20부터 사용 가능합니다.");
    InventoryItem counted = Owned(11, 4901, 5);
    counted.state = 3;
    EXPECT_EQ(ShopDecisions::Use(counted, nullptr, 10, false).lines[0], u"사용할 때마다 소모되는 횟수형 아이템입니다.");
    EXPECT_EQ(ShopDecisions::Use(Owned(12, 3011, 1), nullptr, 10, true).action, UseDecision::Action::kError);
    EXPECT_EQ(ShopDecisions::Use(Owned(13, 4102, 4), nullptr, 10, false).action, UseDecision::Action::kNicknameDialog);

    InventoryItem table = Owned(14, 1101, 3);
    table.state = 1;
    const UseDecision confirm = ShopDecisions::Use(table, nullptr, 10, false);
    EXPECT_EQ(confirm.action, UseDecision::Action::kConfirm);
    EXPECT_EQ(confirm.requestKind, kUseRequestAlt);
    table.state = 2;
    EXPECT_EQ(ShopDecisions::Use(table, nullptr, 10, false).action, UseDecision::Action::kPostUse);
    InventoryItem boost = Owned(15, 4504, 4);
    boost.inUse = 1;
    EXPECT_EQ(ShopDecisions::Use(boost, nullptr, 10, false).lines[0], u"This item is already in use.");
    const UseDecision handicap = ShopDecisions::Use(Owned(16, 4103, 4), nullptr, 10, false);
    EXPECT_EQ(handicap.action, UseDecision::Action::kConfirm);
    EXPECT_EQ(handicap.lines[0], u"Not implemented.");
    EXPECT_EQ(handicap.requestKind, kUseRequestPlain);
    // A personal cue is never refused for its level or another cue of its type in use.
    InventoryItem personal = Owned(17, 3010, 1);
    personal.customFlag = 1;
    EXPECT_EQ(ShopDecisions::Use(personal, &cue, 10, true).action, UseDecision::Action::kPostUse);
}

TEST(ShopDecisionsTest, DeleteRefusesBuiltInAndEquippedItems) {
    quill::PlayerState player;
    EXPECT_EQ(ShopDecisions::Delete(Owned(9, 4901, 5), player).line, u"삭제할 수 없는 아이템입니다.");
    InventoryItem high = Owned(3, 4901, 5);
    high.subKey = 1;
    EXPECT_EQ(ShopDecisions::Delete(high, player).action, DeleteDecision::Action::kConfirm) << "the high half counts";
    player.equippedTable[3] = {40, 0, 1101};
    const DeleteDecision equipped = ShopDecisions::Delete(Owned(40, 1101, 3), player);
    EXPECT_EQ(equipped.action, DeleteDecision::Action::kError);
    EXPECT_NE(equipped.line.find(u"종목에 사용중이어서 삭제할 수 없습니다."), quill::WString::npos);
    EXPECT_EQ(ShopDecisions::Delete(Owned(40, 3010, 1), player).action, DeleteDecision::Action::kConfirm)
        << "a cue is looked for among the cue bindings only";
}

TEST(ShopDecisionsTest, BuyRoutesSuspendedItemsAndTunedCues) {
    EXPECT_EQ(ShopDecisions::Buy(4111).action, BuyDecision::Action::kNotice);
    EXPECT_EQ(ShopDecisions::Buy(3104).line, u"판매가 일시 중단된 상품입니다.");
    EXPECT_EQ(ShopDecisions::Buy(3100).action, BuyDecision::Action::kWorkshop);
    EXPECT_EQ(ShopDecisions::Buy(3110).action, BuyDecision::Action::kWorkshop);
    EXPECT_EQ(ShopDecisions::Buy(4901).action, BuyDecision::Action::kPurchase);
}

TEST(NicknameRulesTest, CharactersSpecialsAndLengthsInCodePageBytes) {
    EXPECT_EQ(NicknameRules::kSymbolCount, 58u);
    EXPECT_EQ(NicknameRules::Check(u"가나", u"Me"), u"특수문자 외에 적어도 2글자가 있어야 합니다.") << "4 bytes, 2 characters";
    EXPECT_FALSE(NicknameRules::Check(u"★☆ab", u"Me").has_value()) << "two symbols and two letters";
    EXPECT_EQ(NicknameRules::Check(u"★☆♠ab", u"Me"), u"특수문자는 두글자 까지만 사용 가능합니다.");
    EXPECT_EQ(NicknameRules::Check(u"ab%d", u"Me"), u"'%' 문자는 사용할 수 없습니다.");
    EXPECT_EQ(NicknameRules::Check(u"가나다라마바사", u"Me"), NicknameRules::kTooLong) << "14 bytes";
    EXPECT_EQ(NicknameRules::Check(u"abc", u"Me"), u"Mininum nickname length : 4bytes");
    EXPECT_EQ(NicknameRules::Check(u"Carom", u"Carom"), u"현재 닉네임과 같습니다.");
    EXPECT_FALSE(NicknameRules::Check(u"가나다라마바", u"Me").has_value()) << "12 bytes";
}

TEST(NicknameRulesTest, SymbolsInsertOnlyBelowElevenBytes) {
    EXPECT_TRUE(NicknameRules::MayInsertSymbol(u""));
    EXPECT_TRUE(NicknameRules::MayInsertSymbol(u"abcdefghij")) << "10 bytes";
    EXPECT_FALSE(NicknameRules::MayInsertSymbol(u"abcdefghijk")) << "11 bytes";
    EXPECT_FALSE(NicknameRules::MayInsertSymbol(u"가나다라마바사")) << "does not fit the buffer at all";
}

TEST(MembershipRulesTest, PricesKindsAndChecks) {
    EXPECT_EQ(MembershipRules::Price(1, 1), 4500);
    EXPECT_EQ(MembershipRules::Price(2, 2), 26000);
    EXPECT_EQ(MembershipRules::Price(3, 2), 49000);
    EXPECT_EQ(MembershipRules::CueMoneyGiven(3, 1), 300000);
    EXPECT_EQ(MembershipRules::CueMoneyGiven(2, 2), 0);
    EXPECT_EQ(MembershipRules::KindForFlag(2), 2);
    EXPECT_EQ(MembershipRules::KindForFlag(1), 1);
    EXPECT_EQ(MembershipRules::KindForFlag(0), 3);
    EXPECT_EQ(MembershipRules::CheckKind(2, 1, 1)->line0, u"베이직 멤버십은 상위 멤버십으로");
    EXPECT_EQ(MembershipRules::CheckKind(3, 1, 2)->line0, u"스탠다드 멤버십에서 상위 멤버십으로");
    EXPECT_FALSE(MembershipRules::CheckKind(3, 2, 2).has_value()) << "a gift may be any kind";
    EXPECT_FALSE(MembershipRules::CheckKind(2, 1, 0).has_value());

    MembershipChoice choice{2, 1, 1};
    EXPECT_FALSE(MembershipRules::CheckBuy(choice, 0, 9800, u"", u"Me").has_value()) << "cash equal to the price";
    EXPECT_EQ(MembershipRules::CheckBuy(choice, 0, 9799, u"", u"Me")->line0, u"Not enough cash.");
    EXPECT_EQ(MembershipRules::CheckBuy(choice, 1, 99999, u"", u"Me")->line0, u"변경/연장 기능은 당분간 사용불가능합니다.");
    EXPECT_EQ(MembershipRules::CheckBuy({3, 1, 1}, 0, 99999, u"", u"Me")->line0, u"플러스 멤버십은 당분간 결제불가능합니다.");
    choice.mode = 2;
    EXPECT_EQ(MembershipRules::CheckBuy(choice, 0, 99999, u"A", u"Me")->line0, u"선물 받을 사람의 닉네임을 입력하세요.");
    EXPECT_EQ(MembershipRules::CheckBuy(choice, 0, 99999, u"Me", u"Me")->line0, u"자기 자신에게 선물할 수 없습니다.");
    EXPECT_FALSE(MembershipRules::CheckBuy(choice, 1, 99999, u"Ann", u"Me").has_value()) << "a member may give";
}

}  // namespace
}  // namespace kestrovan
