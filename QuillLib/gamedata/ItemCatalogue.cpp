#include "QuillLib/gamedata/ItemCatalogue.h"

#include <algorithm>
#include <array>

#include "QuillLib/core/ScopedLock.h"

namespace quill {
namespace {

struct Offer {
    int16_t period;
    int32_t price;
};

struct BuiltInItem {
    uint32_t id;
    uint32_t category;
    const char16_t* name;
    uint8_t periodUnit;
    uint32_t currency;
    std::array<Offer, 3> offers;
};

// The shop's periods and prices are not part of the built-in data: every item starts as given only
// (period 0 at price 0, no further offers) until the shop's own table supplies its offers.
constexpr std::array<Offer, 3> kGivenOnly{
    {{0, 0}, {ItemRecord::kNoPeriod, ItemRecord::kNoPrice}, {ItemRecord::kNoPeriod, ItemRecord::kNoPrice}}};
constexpr uint8_t kUnit = ItemRecord::kSinglePurchase;
constexpr uint32_t kCash = 1;

constexpr uint32_t kCue = ItemRecord::kCue;
constexpr uint32_t kBalls = ItemRecord::kBallSet;
constexpr uint32_t kTable = ItemRecord::kTable;
constexpr uint32_t kService = ItemRecord::kService;
constexpr uint32_t kChalk = ItemRecord::kChalk;
constexpr uint32_t kBoost = ItemRecord::kBoost;

// In registration order: the starter cues, the default tables and ball sets, the sold cues, the custom
// and tuned cues, the sold tables and ball sets, packs, vouchers, services, boosts and chalks.
constexpr std::array<BuiltInItem, ItemCatalogue::kBuiltInCount> kBuiltInItems{{
    {3001, kCue, u"Starter cue", kUnit, kCash, kGivenOnly},
    {3002, kCue, u"Starter cue II", kUnit, kCash, kGivenOnly},
    {1020, kTable, u"Carom table", kUnit, kCash, kGivenOnly},
    {1024, kTable, u"3C-pro table", kUnit, kCash, kGivenOnly},
    {1026, kTable, u"Carom table II", kUnit, kCash, kGivenOnly},
    {1027, kTable, u"3Cushion table", kUnit, kCash, kGivenOnly},
    {1028, kTable, u"3C-gamble table", kUnit, kCash, kGivenOnly},
    {1030, kTable, u"8-ball table", kUnit, kCash, kGivenOnly},
    {1032, kTable, u"9-ball table", kUnit, kCash, kGivenOnly},
    {1033, kTable, u"14-1 table", kUnit, kCash, kGivenOnly},
    {1035, kTable, u"Snooker table", kUnit, kCash, kGivenOnly},
    {2003, kBalls, u"4Balls ball", kUnit, kCash, kGivenOnly},
    {2004, kBalls, u"3Cushion ball", kUnit, kCash, kGivenOnly},
    {2006, kBalls, u"Basic Pool ball", kUnit, kCash, kGivenOnly},
    {2007, kBalls, u"Snooker ball", kUnit, kCash, kGivenOnly},
    {2008, kBalls, u"6Balls ball", kUnit, kCash, kGivenOnly},
    {3003, kCue, u"Rookie cue", kUnit, kCash, kGivenOnly},
    {3004, kCue, u"Rookie power cue", kUnit, kCash, kGivenOnly},
    {3005, kCue, u"Std. member cue", kUnit, kCash, kGivenOnly},
    {3006, kCue, u"Plus member cue", kUnit, kCash, kGivenOnly},
    {3010, kCue, u"Carom cue", kUnit, kCash, kGivenOnly},
    {3011, kCue, u"Carom spin cue", kUnit, kCash, kGivenOnly},
    {3012, kCue, u"Carom steady cue", kUnit, kCash, kGivenOnly},
    {3013, kCue, u"Carom power cue", kUnit, kCash, kGivenOnly},
    {3014, kCue, u"Carom master", kUnit, kCash, kGivenOnly},
    {3020, kCue, u"Pool cue", kUnit, kCash, kGivenOnly},
    {3021, kCue, u"Low-squirt cue", kUnit, kCash, kGivenOnly},
    {3022, kCue, u"Break cue", kUnit, kCash, kGivenOnly},
    {3023, kCue, u"Jump cue", kUnit, kCash, kGivenOnly},
    {3024, kCue, u"Position cue", kUnit, kCash, kGivenOnly},
    {3025, kCue, u"Pool master", kUnit, kCash, kGivenOnly},
    {3030, kCue, u"Snooker cue", kUnit, kCash, kGivenOnly},
    {3031, kCue, u"Snooker master", kUnit, kCash, kGivenOnly},
    {3041, kCue, u"Power pack cue", kUnit, kCash, kGivenOnly},
    {3042, kCue, u"Event cue", kUnit, kCash, kGivenOnly},
    {3043, kCue, u"Event cue gold", kUnit, kCash, kGivenOnly},
    {3050, kCue, u"Artisan cue", kUnit, kCash, kGivenOnly},
    {3051, kCue, u"Artisan cue II", kUnit, kCash, kGivenOnly},
    {3052, kCue, u"Artisan cue III", kUnit, kCash, kGivenOnly},
    {3053, kCue, u"Artisan cue IV", kUnit, kCash, kGivenOnly},
    {3054, kCue, u"Artisan cue V", kUnit, kCash, kGivenOnly},
    {3055, kCue, u"Artisan cue VI", kUnit, kCash, kGivenOnly},
    {3100, kCue, u"Custom cue", kUnit, kCash, kGivenOnly},
    {3102, kCue, u"Tuned cue I", kUnit, kCash, kGivenOnly},
    {3103, kCue, u"Tuned cue II", kUnit, kCash, kGivenOnly},
    {3104, kCue, u"Tuned cue III", kUnit, kCash, kGivenOnly},
    {1101, kTable, u"Blue carom table", kUnit, kCash, kGivenOnly},
    {1102, kTable, u"Red carom table", kUnit, kCash, kGivenOnly},
    {1103, kTable, u"Oak carom table", kUnit, kCash, kGivenOnly},
    {1104, kTable, u"Stone carom table", kUnit, kCash, kGivenOnly},
    {1105, kTable, u"Gold carom table", kUnit, kCash, kGivenOnly},
    {1401, kTable, u"Blue pool table", kUnit, kCash, kGivenOnly},
    {1501, kTable, u"Oak pool table", kUnit, kCash, kGivenOnly},
    {1502, kTable, u"Stone pool table", kUnit, kCash, kGivenOnly},
    {2100, kBalls, u"Vivid carom set", kUnit, kCash, kGivenOnly},
    {2101, kBalls, u"Shiny carom set", kUnit, kCash, kGivenOnly},
    {2102, kBalls, u"Marble carom set", kUnit, kCash, kGivenOnly},
    {2103, kBalls, u"Gold carom set", kUnit, kCash, kGivenOnly},
    {2104, kBalls, u"Silver carom set", kUnit, kCash, kGivenOnly},
    {2142, kBalls, u"Vivid pool set", kUnit, kCash, kGivenOnly},
    {2143, kBalls, u"Marble pool set", kUnit, kCash, kGivenOnly},
    {2200, kBalls, u"Match ball set", kUnit, kCash, kGivenOnly},
    {2201, kBalls, u"Pro match set", kUnit, kCash, kGivenOnly},
    {10, kService, u"Event pack", kUnit, kCash, kGivenOnly},
    {11, kService, u"Value pack", kUnit, kCash, kGivenOnly},
    {12, kService, u"Starter pack", kUnit, kCash, kGivenOnly},
    {22, kService, u"Cash voucher S", kUnit, kCash, kGivenOnly},
    {25, kService, u"Cash voucher M", kUnit, kCash, kGivenOnly},
    {29, kService, u"Cash voucher L", kUnit, kCash, kGivenOnly},
    {4011, kService, u"Gold x2", kUnit, kCash, kGivenOnly},
    {4012, kService, u"Gold x3", kUnit, kCash, kGivenOnly},
    {4101, kService, u"Pool manual ", kUnit, kCash, kGivenOnly},
    {4102, kService, u"Change Nick", kUnit, kCash, kGivenOnly},
    {4103, kService, u"Handi down", kUnit, kCash, kGivenOnly},
    {4104, kService, u"Handi up", kUnit, kCash, kGivenOnly},
    {4105, kService, u"Reset black", kUnit, kCash, kGivenOnly},
    {4106, kService, u"Skill book", kUnit, kCash, kGivenOnly},
    {4107, kService, u"Skill book", kUnit, kCash, kGivenOnly},
    {4108, kService, u"Masse Ace", kUnit, kCash, kGivenOnly},
    {4111, kService, u"Power pack", kUnit, kCash, kGivenOnly},
    {4130, kService, u"Message note", kUnit, kCash, kGivenOnly},
    {4133, kService, u"Letter paper", kUnit, kCash, kGivenOnly},
    {4134, kService, u"Letter paper II", kUnit, kCash, kGivenOnly},
    {4145, kService, u"Practice kit", kUnit, kCash, kGivenOnly},
    {4146, kService, u"Cloth pencil", kUnit, kCash, kGivenOnly},
    {4148, kService, u"Shot sticker", kUnit, kCash, kGivenOnly},
    {4150, kService, u"Laser guide", kUnit, kCash, kGivenOnly},
    {4500, kService, u"Gift box", kUnit, kCash, kGivenOnly},
    {4501, kService, u"Gift box II", kUnit, kCash, kGivenOnly},
    {4504, kService, u"Jackpot mania", kUnit, kCash, kGivenOnly},
    {4510, kBoost, u"Enery drink", kUnit, kCash, kGivenOnly},
    {4511, kBoost, u"Focus pill", kUnit, kCash, kGivenOnly},
    {4512, kBoost, u"Rubber tip", kUnit, kCash, kGivenOnly},
    {4513, kBoost, u"Power guage", kUnit, kCash, kGivenOnly},
    {4901, kChalk, u"Chalk royal-R", kUnit, kCash, kGivenOnly},
    {4902, kChalk, u"Chalk royal-S", kUnit, kCash, kGivenOnly},
    {4903, kChalk, u"Chalk royal-A", kUnit, kCash, kGivenOnly},
}};

}  // namespace

ItemCatalogue::ItemCatalogue() {
    RegisterBuiltIns();
}

void ItemCatalogue::RegisterBuiltIns() {
    for (const BuiltInItem& item : kBuiltInItems) {
        Register(item.id, item.name, item.category, item.periodUnit, item.currency, item.offers[0].period,
                 item.offers[0].price, item.offers[1].period, item.offers[1].price, item.offers[2].period,
                 item.offers[2].price);
    }
}

ItemRecord* ItemCatalogue::Register(uint32_t id, WStringView name, uint32_t category, uint8_t periodUnit,
                                    uint32_t currency, int16_t period1, int32_t price1, int16_t period2, int32_t price2,
                                    int16_t period3, int32_t price3) {
    ScopedLock hold(lock_);
    ItemRecord& record = items_.emplace_back();
    record.id = id;
    record.name = WString(name.substr(0, ItemRecord::kMaxNameLength));
    record.category = category;
    record.periodUnit = periodUnit;
    record.currency = currency;
    record.periods = {period1, period2, period3};
    record.prices = {price1, price2, price3};
    record.usableIn.fill(1);
    return &record;
}

const ItemRecord* ItemCatalogue::FindById(uint32_t id) {
    ScopedLock hold(lock_);
    const auto found = std::find_if(items_.begin(), items_.end(), [id](const ItemRecord& r) { return r.id == id; });
    return found != items_.end() ? &*found : nullptr;
}

size_t ItemCatalogue::Count() {
    ScopedLock hold(lock_);
    return items_.size();
}

ItemCatalogue& TheItemCatalogue() {
    static ItemCatalogue catalogue;
    return catalogue;
}

}  // namespace quill
