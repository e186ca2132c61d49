#include "client/scenes/shop/MembershipRules.h"

namespace kestrovan {

namespace {

struct PriceRow {
    int64_t days30;
    int64_t days90;
    int64_t cueMoney30;
    int64_t cueMoney90;
};

constexpr PriceRow kPrices[] = {{4500, 12500, 0, 0}, {9800, 26000, 0, 0}, {18400, 49000, 300000, 900000}};

const PriceRow* RowOf(int32_t kind) {
    return kind >= 1 && kind <= 3 ? &kPrices[kind - 1] : nullptr;
}

MembershipRefusal Notice(const char16_t* line0, const char16_t* line1 = u"") {
    return {false, line0, line1};
}

MembershipRefusal Error(const char16_t* line0) {
    return {true, line0, {}};
}

}  // namespace

int64_t MembershipRules::Price(int32_t kind, int32_t period) {
    const PriceRow* row = RowOf(kind);
    if (row == nullptr) return 0;
    return period == 2 ? row->days90 : row->days30;
}

int64_t MembershipRules::CueMoneyGiven(int32_t kind, int32_t period) {
    const PriceRow* row = RowOf(kind);
    if (row == nullptr) return 0;
    return period == 2 ? row->cueMoney90 : row->cueMoney30;
}

int32_t MembershipRules::KindForFlag(uint8_t flag) {
    if (flag == 2) return kStandard;
    if (flag == 1) return kBasic;
    return kPlus;
}

std::optional<MembershipRefusal> MembershipRules::CheckKind(int32_t wanted, int32_t mode, uint8_t flag) {
    if (mode != 1) return std::nullopt;
    if (flag == 1 && wanted != kBasic) return Notice(u"베이직 멤버십은 상위 멤버십으로", u"변경할 수 없습니다.");
    if (flag == 2 && wanted == kBasic) return Notice(u"스탠다드 멤버십에서 하위 멤버십으로", u"변경할 수 없습니다.");
    if (flag == 2 && wanted == kPlus) return Notice(u"스탠다드 멤버십에서 상위 멤버십으로", u"변경할 수 없습니다.");
    if (flag == 3 && wanted != kPlus) return Notice(u"플러스 멤버십에서 하위 멤버십으로", u"변경할 수 없습니다.");
    return std::nullopt;
}

std::optional<MembershipRefusal> MembershipRules::CheckBuy(const MembershipChoice& choice, uint8_t flag, int64_t cash,
                                                           quill::WStringView recipient, quill::WStringView nickname) {
    if (choice.kind == kPlus) return Notice(u"플러스 멤버십은 당분간 결제불가능합니다.");
    if (choice.mode == 2) {
        // Either recipient error stops the purchase: a gift to nobody or to oneself never goes out.
        if (recipient.size() < static_cast<size_t>(kRecipientMinUnits)) return Error(u"선물 받을 사람의 닉네임을 입력하세요.");
        if (recipient == nickname) return Error(u"자기 자신에게 선물할 수 없습니다.");
    } else if (flag > 0) {
        return Notice(u"변경/연장 기능은 당분간 사용불가능합니다.");
    }
    if (Price(choice.kind, choice.period) > cash) return Error(u"Not enough cash.");
    return std::nullopt;
}

}  // namespace kestrovan
