#include "client/scenes/common/PurchaseRules.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "client/table/SharedUtilities.h"

namespace kestrovan {

namespace {

constexpr uint8_t kPeriodDays = 1;
constexpr uint8_t kPeriodCounted = 2;
constexpr uint8_t kPeriodCountedToo = 3;
constexpr int32_t kMinutesPerHour = 60;

PurchaseRefusal Error(quill::WStringView text) {
    return {false, quill::WString(text)};
}

PurchaseRefusal Notice(quill::WString text) {
    return {true, std::move(text)};
}

}  // namespace

bool PurchaseRules::OffersPeriod(const quill::ItemRecord& item, size_t row) {
    return row < item.prices.size() && item.prices[row] != quill::ItemRecord::kNoPrice;
}

int64_t PurchaseRules::PeriodPrice(const quill::ItemRecord& item, int32_t period) {
    if (period < 1 || period > static_cast<int32_t>(item.prices.size())) return quill::ItemRecord::kNoPrice;
    return item.prices[static_cast<size_t>(period - 1)];
}

PurchaseRules::Discount PurchaseRules::ApplyDiscount(const quill::ItemRecord& item, PurchaseMode mode,
                                                     uint8_t membershipState, int64_t price) {
    if (mode != PurchaseMode::kBuy || membershipState <= 1) return {0, price};
    const bool twenty = IsCashItem(item) || membershipState == 3;
    const float rate = twenty ? 0.8f : 0.9f;
    // The rounding is the single-precision one the shop has always shown.
    const float discounted = static_cast<float>(price) * rate + 0.5f;
    return {twenty ? 20 : 10, static_cast<int64_t>(discounted)};
}

int64_t PurchaseRules::Balance(const quill::ItemRecord& item, PurchaseMode mode, const PurchaseAccount& account) {
    if (mode == PurchaseMode::kClanGift) return account.clanMoney;
    return IsCashItem(item) ? account.cash : account.cueMoney;
}

quill::WString PurchaseRules::PeriodLabel(const quill::ItemRecord& item, size_t row) {
    if (row >= item.periods.size()) return u" ";
    const int16_t period = item.periods[row];
    if (row > 0 && period == quill::ItemRecord::kNoPeriod) return u" ";
    const quill::WString price = FormatMoney(item.prices[row]);
    switch (item.periodUnit) {
        case kPeriodDays:
            return quill::Format(u"%s / %d일", price, static_cast<int32_t>(period));
        case kPeriodCounted:
        case kPeriodCountedToo:
            if (item.id == kHoursItem) return quill::Format(u"%s / %d시간", price, period / kMinutesPerHour);
            return quill::Format(u"%s / %d회", price, static_cast<int32_t>(period));
        default:
            return quill::Format(u"%s", price);
    }
}

void PurchaseRules::WriteRequest(quill::Packet& packet, const quill::ItemRecord& item, int32_t period,
                                 const PurchaseOrder& order, bool bonusToRecipient) {
    static constexpr quill::MessageId kRequests[] = {quill::MessageId::ItemBuy, quill::MessageId::ItemGift,
                                                     quill::MessageId::ClanGift};
    const auto mode = static_cast<size_t>(order.mode) - 1;
    packet.Init(kRequests[mode < 3 ? mode : 0]);
    packet.WriteU32(item.id).WriteU8(static_cast<uint8_t>(period)).WriteWString(item.name);
    if (order.mode == PurchaseMode::kGift) packet.WriteU8(bonusToRecipient ? 1 : 0);
    if (order.mode != PurchaseMode::kBuy) packet.WriteWString(order.recipient).WriteWString(order.message);
}

std::optional<PurchaseRefusal> PurchaseRules::Check(const quill::ItemRecord& item, const PurchaseOrder& order,
                                                    const PurchaseAccount& account) {
    if (auto refusal = CheckMoney(item, order, account)) return refusal;
    if (order.mode == PurchaseMode::kBuy) return std::nullopt;
    return CheckRecipient(order, account);
}

std::optional<PurchaseRefusal> PurchaseRules::CheckMoney(const quill::ItemRecord& item, const PurchaseOrder& order,
                                                         const PurchaseAccount& account) {
    if (order.mode == PurchaseMode::kClanGift) {
        if (account.clanRank < kClanMasterRank) return Error(u"Clan master only allowed");
        if (order.price > account.clanMoney) return Error(u"Not enough money.");
        return std::nullopt;
    }
    if (IsCashItem(item)) {
        if (order.price > account.cash) return Error(u"Not enough cash.");
        return std::nullopt;
    }
    if (order.mode == PurchaseMode::kBuy) {
        if (account.level < item.requiredLevel) {
            return Notice(quill::Format(u"이 아이템은 레벨%d부터 사용 가능합니다.", static_cast<int32_t>(item.requiredLevel)));
        }
        const bool personalCue = item.id >= kFirstPersonalCue && item.id <= kLastPersonalCue;
        if (order.ownedOfType >= kSameItemLimit && !personalCue) return Notice(u"같은 아이템이 이미 2개 있습니다.");
    }
    if (order.price > account.cueMoney) return Error(u"Not enough money.");
    return std::nullopt;
}

std::optional<PurchaseRefusal> PurchaseRules::CheckRecipient(const PurchaseOrder& order,
                                                             const PurchaseAccount& account) {
    if (order.recipient.empty()) return Error(u"받을 사람의 닉네임을 입력하세요.");
    if (order.mode == PurchaseMode::kGift && order.recipient == account.nickname) {
        return Error(u"자기 자신에게는 선물을 보낼 수 없습니다.");
    }
    if (order.mode == PurchaseMode::kClanGift && !order.recipientInClan) {
        return Error(u"클랜원에게만 선물할 수 있습니다.");
    }
    if (order.message.empty()) return Error(u"선물 메시지를 입력하세요.");
    return std::nullopt;
}

}  // namespace kestrovan
