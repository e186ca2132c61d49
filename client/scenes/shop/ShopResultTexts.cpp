#include "client/scenes/shop/ShopResultTexts.h"

namespace kestrovan {

namespace {

using quill::MessageId;

struct Entry {
    MessageId answer;
    int32_t code;  // -1: any code not listed before it
    const char16_t* line0;
    const char16_t* line1;
    bool secondNotice;
};

constexpr const char16_t* kReconnect = u"결과 확인을 위해 재접속 하시기 바랍니다.";
constexpr const char16_t* kBuyFailed = u"아이템 구입에 실패하였습니다.";
constexpr const char16_t* kAskAdmin = u"관리자에게 문의하세요.";
constexpr const char16_t* kAskOperator = u"운영자에게 문의하세요.";
constexpr const char16_t* kBuyError = u"구입 처리에 오류가 있습니다.";
constexpr const char16_t* kProcessError = u"처리에 오류가 있습니다.";
constexpr const char16_t* kDbError = u"디비에 오류가 있습니다.";
constexpr const char16_t* kUseFailed = u"아이템 사용에 실패하였습니다.";
constexpr const char16_t* kNotOwned = u"아이템을 보유하고 있지 않습니다.";
constexpr const char16_t* kDbProcessing = u"DB처리 중 오류입니다.";
constexpr const char16_t* kMoney = ShopResultTexts::kNotEnoughMoney;

constexpr Entry kEntries[] = {
    {MessageId::MembershipResult, 1, u"데이터가 잘못되었습니다.", kReconnect, false},
    {MessageId::MembershipResult, 2, u"캐시가 부족합니다.", kReconnect, false},
    {MessageId::MembershipResult, 3, kBuyError, kReconnect, false},
    {MessageId::MembershipResult, 4, u"이미 Kestrovan클럽에 가입된 사용자입니다.", u"기간 연장은 당분간 사용할 수 없습니다.", false},
    {MessageId::MembershipResult, 5, u"기간 처리에 오류가 있습니다.", kAskAdmin, false},
    {MessageId::MembershipResult, 6, u"다른 종류로 변경은 불가능합니다.", u"기간종료 후 전환하시기 바랍니다.", false},
    {MessageId::CoinGiftResult, 1, u"코인이 부족합니다.", u"무료코인은 선물이 불가능합니다.", false},
    {MessageId::CoinGiftResult, 2, u"받는 사람이 잘못되었습니다.", u"닉네임을 정확히 확인하시기 바랍니다.", false},
    {MessageId::CoinGiftResult, 3, kProcessError, kReconnect, false},
    {MessageId::ItemBuyResult, 1, kBuyError, kReconnect, false},
    {MessageId::ItemBuyResult, 2, kMoney, nullptr, false},
    {MessageId::ItemBuyResult, 4, u"해당 사용자는 없습니다. 닉네임을 확인하세요.", nullptr, false},
    {MessageId::ItemBuyResult, 5, u"판매중인 아이템이 아닙니다.", kBuyFailed, false},
    {MessageId::ItemBuyResult, 6, kDbError, kBuyFailed, false},
    {MessageId::ItemBuyResult, 7, u"아이템풀이 부족하여 구입할 수 없습니다.", u"나중에 다시 시도하세요.", false},
    {MessageId::ItemUseResult, -1, kUseFailed, kReconnect, false},
    {MessageId::DefaultItemResult, -1, kUseFailed, kReconnect, false},
    {MessageId::GameDefaultItemResult, -1, kUseFailed, kReconnect, false},
    {MessageId::NicknameItemResult, 1, u"이 닉네임은 사용할 수 없습니다.", nullptr, true},
    {MessageId::NicknameItemResult, 2, kNotOwned, nullptr, true},
    {MessageId::NicknameItemResult, 3, kDbProcessing, nullptr, true},
    {MessageId::ItemUseReconnect, 1, kNotOwned, nullptr, true},
    {MessageId::ItemUseReconnect, 2, kDbProcessing, nullptr, true},
    {MessageId::ItemDeleteResult, 1, u"사용중인 아이템 삭제 오류!", u"운영자에게 문의하시기 바랍니다.", false},
    {MessageId::ItemDeleteResult, -1, u"아이템 삭제에 실패하였습니다.", kReconnect, false},
    {MessageId::PartsBuyResult, 1, kBuyError, kReconnect, false},
    {MessageId::PartsBuyResult, 2, kMoney, nullptr, false},
    {MessageId::PartsBuyResult, 3, kMoney, nullptr, false},
    {MessageId::PartsBuyResult, 5, u"잘못된 파츠 번호가 있습니다.", kAskAdmin, false},
    {MessageId::PartsBuyResult, 6, kDbError, kBuyFailed, false},
    {MessageId::CueUpgradeResult, 1, kProcessError, kReconnect, false},
    {MessageId::CueUpgradeResult, 2, kMoney, nullptr, false},
    {MessageId::CueUpgradeResult, 4, u"큐의 업그레이트 포인트가 부족합니다.", u"문제가 있을 경우 재접속하여 다시 시도하세요.", false},
    {MessageId::CueUpgradeResult, 6, kDbError, kAskOperator, false},
    {MessageId::CueRepairResult, 1, kProcessError, kReconnect, false},
    {MessageId::CueRepairResult, 2, kMoney, nullptr, false},
    {MessageId::CueRepairResult, 6, kDbError, kBuyFailed, false},
    {MessageId::CueRetuneResult, 2, kMoney, nullptr, false},
    {MessageId::CueRetuneResult, 6, kDbError, kAskOperator, false},
    {MessageId::CueRetuneResult, -1, kProcessError, kReconnect, false},
};

}  // namespace

std::optional<ShopResultText> ShopResultTexts::For(MessageId answer, uint8_t code) {
    if (code == 0) return std::nullopt;
    for (const Entry& entry : kEntries) {
        if (entry.answer != answer || (entry.code != -1 && entry.code != code)) continue;
        ShopResultText text;
        text.secondNotice = entry.secondNotice;
        text.lines.emplace_back(entry.line0);
        if (entry.line1 != nullptr) text.lines.emplace_back(entry.line1);
        return text;
    }
    return std::nullopt;
}

}  // namespace kestrovan
