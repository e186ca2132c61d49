// Feeds the shop's readers of server answers with payloads the fuzzer chooses and applies what they read to
// an owned-items list as the shop would: bought items join it, counts change and items at 0 leave, deleted
// items leave. Nothing may crash or read or write out of bounds; texts fit their fields, result texts exist
// only for failures, and the pages of the list stay within it. Every answer filled from a payload comes back
// through its writer and reader unchanged.
//
// Input: a sequence of [u8 selector][u8 length][payload of that length]; the selector picks the message.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "client/scenes/shop/CueRules.h"
#include "client/scenes/shop/ShopGrid.h"
#include "client/scenes/common/messages/ShopMessages.h"
#include "client/scenes/shop/ShopResultTexts.h"
#include "tests/fuzz/FieldFiller.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzMessages.h"

namespace {

using kvfuzz::Check;
using kvfuzz::ReceivedMessage;
using quill::MessageId;

using namespace kestrovan;

constexpr size_t kMaxOwned = 100;  // the player's list holds no more

BoughtItemShape ShapeOf(uint32_t typeCode) {
    return static_cast<BoughtItemShape>(typeCode % 3);
}

void CheckText(const quill::WString& text) {
    Check(text.size() <= kShopTextUnits);
}

// A success has no failure text; a failure's text, when it has one, has one to two lines.
void CheckResult(MessageId id, uint8_t result) {
    const auto text = ShopResultTexts::For(id, result);
    if (result == 0) Check(!text.has_value());
    if (text) Check(!text->lines.empty() && text->lines.size() <= 2);
}

void Remove(std::vector<OwnedItem>& owned, int64_t key) {
    owned.erase(std::remove_if(owned.begin(), owned.end(), [key](const OwnedItem& o) { return o.Key() == key; }),
                owned.end());
}

void Buy(std::vector<OwnedItem>& owned, const ItemBuyResult& answer) {
    if (!answer.item || owned.size() >= kMaxOwned) return;
    CheckText(answer.item->name);
    OwnedItem item;
    item.item.key = static_cast<uint32_t>(static_cast<uint64_t>(answer.item->key));
    item.item.subKey = static_cast<uint32_t>(static_cast<uint64_t>(answer.item->key) >> 32);
    item.item.typeCode = answer.item->typeCode;
    item.item.kind = answer.item->typeCode % 7;
    item.item.state = answer.item->state;
    item.item.remaining = static_cast<int16_t>(answer.item->remaining);
    item.item.secondCount = static_cast<int16_t>(answer.item->limit);
    owned.push_back(item);
}

// The workshop's rules over the option values and parts an answer carries: every option's effect texts and the
// terms of its next upgrade stay within their bounds, whatever the server sent.
void ApplyToCue(const std::array<uint8_t, 5>& options, const std::array<uint16_t, 5>& parts) {
    for (size_t option = 0; option < options.size(); ++option) {
        Check(!CueRules::EffectText(option, options[option]).empty());
        Check(!CueRules::EffectFloatText(option, options[option]).empty());
        const uint8_t type = CueRules::LimitingPart(option);
        const quill::CuePartRecord* part = quill::TheCuePartCatalogue().Find(type, parts[type]);
        const CueUpgradeTerms terms = CueRules::UpgradeTerms(option, options[option], part, false);
        Check(terms.next <= CueRules::kUpgradeCeiling && terms.cost >= 3000 && terms.pointsNeeded >= 1);
    }
}

// Every shop answer filled from the payload, written, read back and written again.
void RoundTripShopAnswers(std::span<const uint8_t> payload) {
    using kvfuzz::FieldFiller;
    kvfuzz::FuzzInput input(payload);
    FieldFiller::CheckRoundTrips<MembershipResult, CoinGiftResult>(input);
    FieldFiller::CheckRoundTrip<ItemBuyResult>(input, ShopAnswers::ShapeOf(ShapeOf));
    FieldFiller::CheckRoundTrip<ItemUseResult>(input, UsedItemAnswer::kItemUse);
    FieldFiller::CheckRoundTrip<ItemUseResult>(input, UsedItemAnswer::kDefaultItem);
    FieldFiller::CheckRoundTrip<ItemUseResult>(input, UsedItemAnswer::kGameDefaultItem);
    FieldFiller::CheckRoundTrips<ItemDeleteResult, PartsBuyResult, CueUpgradeResult, CueRepairResult, CueRetuneResult,
                                 ItemQuantity>(input);
}

void Feed(std::vector<OwnedItem>& owned, uint8_t selector, std::span<const uint8_t> payload) {
    switch (selector % 8) {
        case 0:
            if (auto m = ReceivedMessage(MessageId::ItemBuyResult, payload); auto a = ShopAnswers::ReadItemBuy(m, ShapeOf)) {
                CheckResult(MessageId::ItemBuyResult, a->result);
                Check(!a->item || (a->mode == 1 && a->result == 0));
                Buy(owned, *a);
            }
            break;
        case 1:
            if (auto m = ReceivedMessage(MessageId::ItemQuantity, payload); auto a = ShopAnswers::ReadItemQuantity(m)) {
                if (a->remaining == 0) Remove(owned, a->key);
            }
            if (auto m = ReceivedMessage(MessageId::ItemDeleteResult, payload); auto a = ShopAnswers::ReadItemDelete(m)) {
                if (a->result == 0) Remove(owned, a->key);
            }
            break;
        case 2:
            if (auto m = ReceivedMessage(MessageId::MembershipResult, payload); auto a = ShopAnswers::ReadMembership(m)) {
                CheckText(a->endDate);
                Check(a->state > 0 || a->endDate.empty());
            }
            if (auto m = ReceivedMessage(MessageId::CoinGiftResult, payload); auto a = ShopAnswers::ReadCoinGift(m))
                CheckText(a->recipient);
            break;
        case 3:
            if (auto m = ReceivedMessage(MessageId::ItemUseResult, payload); auto a = ShopAnswers::ReadItemUse(m))
                CheckText(a->text);
            if (auto m = ReceivedMessage(MessageId::DefaultItemResult, payload); auto a = ShopAnswers::ReadDefaultItem(m))
                CheckText(a->text);
            if (auto m = ReceivedMessage(MessageId::GameDefaultItemResult, payload); auto a = ShopAnswers::ReadGameDefaultItem(m))
                CheckText(a->text);
            break;
        case 4:
            if (auto m = ReceivedMessage(MessageId::NicknameItemResult, payload); auto a = ShopAnswers::ReadResult(m))
                CheckResult(MessageId::NicknameItemResult, *a);
            if (auto m = ReceivedMessage(MessageId::CueRetuneResult, payload); auto a = ShopAnswers::ReadCueRetune(m)) {
                CheckResult(MessageId::CueRetuneResult, a->result);
                ApplyToCue(a->stats, {});
            }
            if (auto m = ReceivedMessage(MessageId::PersonalCueBuyResult, payload); auto a = ShopAnswers::ReadResult(m))
                CheckResult(MessageId::ItemBuyResult, *a);
            break;
        case 5:
            if (auto m = ReceivedMessage(MessageId::PartsBuyResult, payload); auto a = ShopAnswers::ReadPartsBuy(m)) {
                CheckResult(MessageId::PartsBuyResult, a->result);
                ApplyToCue(a->stats, a->parts);
            }
            if (auto m = ReceivedMessage(MessageId::CueUpgradeResult, payload); auto a = ShopAnswers::ReadCueUpgrade(m)) {
                CheckResult(MessageId::CueUpgradeResult, a->result);
                ApplyToCue(a->stats, {});
            }
            if (auto m = ReceivedMessage(MessageId::CueRepairResult, payload); auto a = ShopAnswers::ReadCueRepair(m))
                CheckResult(MessageId::CueRepairResult, a->result);
            break;
        default: {
            RoundTripShopAnswers(payload);
            const int32_t category = payload.empty() ? 7 : payload[0] % 12;
            const int32_t first = payload.size() < 2 ? 1 : payload[1];
            const ShopGridPage page = ShopGrid::MyItemsPage(owned, category, first);
            Check(page.shown.size() <= static_cast<size_t>(ShopGrid::kCells) && page.range >= 1);
            for (size_t index : page.shown) Check(index < owned.size());
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    std::vector<OwnedItem> owned;
    std::span<const uint8_t> input(bytes, size);
    while (input.size() >= 2) {
        const uint8_t selector = input[0];
        const size_t length = std::min<size_t>(input[1], input.size() - 2);
        Feed(owned, selector, input.subspan(2, length));
        input = input.subspan(2 + length);
        Check(owned.size() <= kMaxOwned);
    }
    return 0;
}
