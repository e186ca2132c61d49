#pragma once
// What the purchase and gift dialog decides before a request goes out: the price of the chosen period with the
// club members' discount, the balance the item is paid from, the texts of the period rows, and the checks of
// the OK button in their fixed order (the first failure is the one shown). Pure.
#include <cstdint>
#include <optional>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

// For whom an item is bought, and with what money.
enum class PurchaseMode : int32_t {
    kBuy = 1,       // for oneself
    kGift = 2,      // for any other player
    kClanGift = 3,  // for a clan member, paid with the clan's money
};

// The balances and standing of the player who buys.
struct PurchaseAccount {
    int64_t cash = 0;
    int64_t cueMoney = 0;
    int64_t clanMoney = 0;
    uint16_t level = 0;
    uint8_t clanRank = 0;         // 10 and above: the clan's master
    uint8_t membershipState = 0;  // 0 none, 1 and 2 standard, 3 plus
    quill::WString nickname;
    quill::WString clanName;
};

// What the player asks for when pressing OK.
struct PurchaseOrder {
    PurchaseMode mode = PurchaseMode::kBuy;
    int64_t price = 0;            // after the discount
    uint32_t ownedOfType = 0;     // items of the same type the player owns
    quill::WString recipient;
    quill::WString message;
    bool recipientInClan = false;  // the recipient is listed among the clan's members
};

// Why OK was refused: the text and whether it goes to the notice box (else the error box).
struct PurchaseRefusal {
    bool notice = false;
    quill::WString text;
};

class PurchaseRules {
public:
    static constexpr uint32_t kHoursItem = 4111;  // its periods are counted in minutes and shown in hours
    static constexpr uint32_t kFirstPersonalCue = 3100;
    static constexpr uint32_t kLastPersonalCue = 3110;
    static constexpr uint32_t kSameItemLimit = 2;
    static constexpr uint8_t kClanMasterRank = 10;

    // The club discount of a purchase: the rate (0 when none applies) and the price to pay.
    struct Discount {
        int32_t percent = 0;
        int64_t price = 0;
    };

    static bool IsCashItem(const quill::ItemRecord& item) { return item.currency == quill::ItemRecord::kCurrencyCash; }
    // Whether period row (0..2) is offered: its price is not -1.
    static bool OffersPeriod(const quill::ItemRecord& item, size_t row);
    // The price of the period (1..3) as a 64-bit value; -1 for a period that is not offered.
    static int64_t PeriodPrice(const quill::ItemRecord& item, int32_t period);
    // Only a purchase for oneself is discounted, and only for a member (state 2 or 3): 20 % of a cash item or
    // for state 3, else 10 %, rounded in single precision (trunc(price x 0.8 + 0.5)).
    static Discount ApplyDiscount(const quill::ItemRecord& item, PurchaseMode mode, uint8_t membershipState,
                                  int64_t price);
    // The rate a member would get on the item (the first discount line's), whatever his state.
    static int32_t OfferedDiscountPercent(const quill::ItemRecord& item) { return IsCashItem(item) ? 20 : 10; }
    // The money the item is paid from: cash or cue money by the item's currency, the clan's money for a clan
    // gift.
    static int64_t Balance(const quill::ItemRecord& item, PurchaseMode mode, const PurchaseAccount& account);
    // The text of period row (0..2) with the row's grouped price: "%s / %d일" (days), "%s / %d시간" (item
    // 4111, hours from minutes), "%s / %d회" (uses), "%s" without a period kind; " " for a second or third row
    // whose period is -1.
    static quill::WString PeriodLabel(const quill::ItemRecord& item, size_t row);
    // The request of a confirmed order, by its mode: ItemBuy (90: u32 item id, u8 period, string item name),
    // ItemGift (91: the same, then u8 1 when the recipient gets the bonus cue money, string recipient, string
    // message) or ClanGift (92: the same as ItemBuy, then string recipient, string message).
    static void WriteRequest(quill::Packet& packet, const quill::ItemRecord& item, int32_t period,
                             const PurchaseOrder& order, bool bonusToRecipient);
    // The OK button's checks in their order; nothing when the order may go out.
    static std::optional<PurchaseRefusal> Check(const quill::ItemRecord& item, const PurchaseOrder& order,
                                                const PurchaseAccount& account);

private:
    static std::optional<PurchaseRefusal> CheckMoney(const quill::ItemRecord& item, const PurchaseOrder& order,
                                                     const PurchaseAccount& account);
    static std::optional<PurchaseRefusal> CheckRecipient(const PurchaseOrder& order, const PurchaseAccount& account);
};

}  // namespace kestrovan
