#pragma once
// The description of one item type that the game sells or grants: its category, the money it is paid in,
// up to three offers (a period and a price each) and the game types it may be used in.
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameTypes.h"

namespace quill {

struct ItemRecord {
    static constexpr size_t kMaxNameLength = 40;
    static constexpr int16_t kNoPeriod = -1;  // an offer that does not exist
    static constexpr int32_t kNoPrice = -1;
    static constexpr uint32_t kCurrencyCash = 1;  // the other currency, 2, is gold

    enum Category : uint32_t { kCue = 1, kBallSet = 2, kTable = 3, kService = 4, kChalk = 5, kBoost = 6 };
    enum PeriodUnit : uint8_t { kDays = 1, kSinglePurchase = 2, kUsesOrHours = 3 };

    // An item whose first offer is period 0 at price 0 is only given, never sold.
    bool IsOnlyGiven() const { return periods[0] == 0 && prices[0] == 0; }

    uint32_t id = 0;  // the item type code, as an InventoryItem carries it
    uint32_t category = 0;
    uint32_t currency = kCurrencyCash;  // 1 or 2
    WString name;
    uint8_t periodUnit = kSinglePurchase;
    std::array<int16_t, 3> periods{kNoPeriod, kNoPeriod, kNoPeriod};
    std::array<int32_t, 3> prices{kNoPrice, kNoPrice, kNoPrice};
    uint32_t available = 1;
    uint8_t personalCue = 0;  // the shop's extra values; the built-in records leave them 0
    uint8_t bonusFlag = 0;
    std::array<int32_t, 3> bonuses{};
    int16_t moneyGainPercent = 0;
    int16_t winPointsPercent = 0;
    int16_t skillSpeedPercent = 0;
    uint8_t requiredLevel = 0;
    std::array<uint8_t, kGameTypeCount> usableIn{};  // per game type: the item may be used there
};

}  // namespace quill
