// The workshop's shared rules at their edges: effect texts, repair thresholds and costs, point spending,
// upgrade terms, parts totals and the new cue's price; and its requests byte for byte.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "client/scenes/shop/CueRequests.h"
#include "client/scenes/shop/CueRules.h"

namespace kestrovan {
namespace {

using quill::CuePartRecord;
using quill::InventoryItem;
using Bytes = std::vector<uint8_t>;

InventoryItem Cue(uint32_t type, uint32_t current, uint32_t total) {
    InventoryItem cue;
    cue.typeCode = type;
    cue.kind = 1;
    cue.customFlag = 1;
    cue.durabilityCurrent = current;
    cue.durabilityTotal = total;
    return cue;
}

// A few parts by (type, id); anything else has no record.
class Parts {
public:
    void Add(uint8_t type, uint16_t id, uint8_t currency, uint32_t price, uint8_t a = 0, uint8_t b = 0) {
        CuePartRecord part;
        part.partType = type;
        part.partId = id;
        part.currency = currency;
        part.price = price;
        part.valueA = a;
        part.valueB = b;
        parts_[{type, id}] = part;
    }
    CueRules::PartLookup Lookup() const {
        return [this](uint8_t type, uint16_t id) -> const CuePartRecord* {
            auto found = parts_.find({type, id});
            return found == parts_.end() ? nullptr : &found->second;
        };
    }

private:
    std::map<std::pair<uint8_t, uint16_t>, CuePartRecord> parts_;
};

TEST(CueRulesTest, EffectTextsFollowTheFactorsAndRounding) {
    EXPECT_EQ(CueRules::EffectText(0, 7), u"+3") << "3.5 + 0.4 truncates to 3";
    EXPECT_EQ(CueRules::EffectText(1, 40), u"100%");
    EXPECT_EQ(CueRules::EffectText(3, 40), u"20%");
    EXPECT_EQ(CueRules::EffectRowText(3, 40), u"+20%");
    EXPECT_EQ(CueRules::EffectRowText(4, 3), u"7%") << "7.5 + 0.4 truncates to 7";
    EXPECT_EQ(CueRules::EffectFloatText(0, 7), u"+3.5");
    EXPECT_EQ(CueRules::EffectFloatText(4, 3), u"7.5%");
}

TEST(CueRulesTest, RepairThresholdsAndCostsByFamily) {
    EXPECT_TRUE(CueRules::RepairAllowed(Cue(3101, 80000, 100000), false)) << "at the threshold";
    EXPECT_FALSE(CueRules::RepairAllowed(Cue(3101, 80001, 100000), false));
    EXPECT_FALSE(CueRules::RepairAllowed(Cue(3101, 100000, 100000), true)) << "a full cue";
    EXPECT_EQ(CueRules::NormalRepairCost(Cue(3101, 99500, 100000)), 0) << "half a point is not charged";
    EXPECT_EQ(CueRules::NormalRepairCost(Cue(3101, 50000, 100000)), 7500);
    EXPECT_EQ(CueRules::AdvancedRepairCost(Cue(3101, 50000, 100000)), 22500);

    EXPECT_EQ(CueRules::NormalRepairCost(Cue(3100, 0, 1000000)), 8800);
    EXPECT_TRUE(CueRules::RepairAllowed(Cue(3100, 100000, 1000000), false));
    EXPECT_FALSE(CueRules::RepairAllowed(Cue(3100, 100001, 1000000), false)) << "the custom cue at 10 %";
}

TEST(CueRulesTest, PointButtonsKeepPointsAndValuesInBounds) {
    CueOptions values{};
    int32_t left = 150;
    EXPECT_FALSE(CueRules::ApplyPointButton(200, 40, left, values)) << "minus at 0";
    for (int n = 0; n < 40; ++n) ASSERT_TRUE(CueRules::ApplyPointButton(201, 40, left, values));
    EXPECT_FALSE(CueRules::ApplyPointButton(201, 40, left, values)) << "plus beyond 40";
    for (int n = 0; n < 40; ++n) CueRules::ApplyPointButton(203, 40, left, values);
    for (int n = 0; n < 40; ++n) CueRules::ApplyPointButton(205, 40, left, values);
    for (int n = 0; n < 40; ++n) CueRules::ApplyPointButton(207, 40, left, values);
    EXPECT_EQ(values, (CueOptions{40, 40, 40, 30, 0}));
    EXPECT_EQ(left, 0);
    EXPECT_FALSE(CueRules::ApplyPointButton(209, 40, left, values)) << "no points left";
    EXPECT_TRUE(CueRules::ApplyPointButton(206, 40, left, values));
    EXPECT_EQ(left, 1);
    EXPECT_FALSE(CueRules::ApplyPointButton(210, 40, left, values)) << "not a point button";
}

TEST(CueRulesTest, UpgradeTermsClimbTheLadder) {
    CuePartRecord tip;
    tip.partType = CuePartRecord::kTip;
    tip.valueA = 12;
    tip.valueB = 20;
    const CueUpgradeTerms zero = CueRules::UpgradeTerms(0, 0, nullptr, false);
    EXPECT_EQ(zero.cost, 3000);
    EXPECT_EQ(zero.pointsNeeded, 1);
    EXPECT_EQ(zero.failChance, 0);
    const CueUpgradeTerms nineteen = CueRules::UpgradeTerms(3, 19, &tip, false);
    EXPECT_EQ(nineteen.cost, 8600);
    EXPECT_EQ(nineteen.pointsNeeded, 2);
    EXPECT_EQ(nineteen.failChance, 29);
    EXPECT_EQ(nineteen.limit, 20) << "miscue is limited by the tip's second value";
    EXPECT_EQ(CueRules::UpgradeTerms(2, 19, &tip, false).limit, 12);
    EXPECT_EQ(CueRules::UpgradeCost(10), 5000);
    EXPECT_EQ(CueRules::UpgradeCost(20), 9000);
    EXPECT_EQ(CueRules::UpgradeCost(30), 15000);
    EXPECT_EQ(CueRules::UpgradeTerms(0, 30, nullptr, false).next, 30) << "capped";
    const CueUpgradeTerms gem = CueRules::UpgradeTerms(0, 25, nullptr, true);
    EXPECT_EQ(gem.cost + gem.pointsNeeded + gem.failChance, 0);
    EXPECT_EQ(CueRules::LimitingPart(0), CuePartRecord::kButt);
    EXPECT_EQ(CueRules::LimitingPart(4), CuePartRecord::kShaft);
}

TEST(CueRulesTest, PartsTotalsCountOnlyChangedPartsPerCurrency) {
    Parts parts;
    parts.Add(0, 1, 1, 5000);
    parts.Add(1, 2, 3, 7000);
    const CueParts present{0, 0, 0, 0, 0};
    EXPECT_EQ(CueRules::PartsTotals(present, present, parts.Lookup()), CueMoneyTotals{});
    const CueParts chosen{1, 2, 0, 0, 9};
    EXPECT_EQ(CueRules::PartsTotals(chosen, present, parts.Lookup()), (CueMoneyTotals{5000, 7000}))
        << "the tip without a record adds nothing";
    EXPECT_EQ(CueRules::ChangedTypes(chosen, present), (std::vector<uint8_t>{0, 1, 4}));
}

TEST(CueRulesTest, NewCustomCuePriceAddsPartsAboveTheIncludedPrice) {
    Parts parts;
    for (uint8_t type = 0; type < 5; ++type) parts.Add(type, 0, 2, 30000);
    parts.Add(1, 5, 1, 15000);
    parts.Add(2, 3, 1, 2000);
    EXPECT_EQ(CueRules::NewCuePrice(3100, 99, CueParts{}, parts.Lookup()), 17500);
    EXPECT_EQ(CueRules::NewCuePrice(3100, 99, CueParts{0, 5, 3, 0, 0}, parts.Lookup()), 29500);
    EXPECT_EQ(CueRules::NewCuePrice(3104, 4200, CueParts{0, 5, 0, 0, 0}, parts.Lookup()), 4200);
}

TEST(CueRulesTest, PartTextsByType) {
    CuePartRecord bumper;
    bumper.partType = CuePartRecord::kBumper;
    EXPECT_EQ(CueRules::FunctionLines(bumper, false)[0], u"없음");
    bumper.valueB = 5;
    EXPECT_EQ(CueRules::FunctionLines(bumper, false)[0], u"총내구도 5 증가");
    EXPECT_EQ(CueRules::FunctionLines(bumper, true)[0], u"총내구도 5 복원");
    CuePartRecord tip;
    tip.partType = CuePartRecord::kTip;
    tip.valueA = 12;
    tip.valueB = 14;
    EXPECT_EQ(CueRules::FunctionLines(tip, false)[1], u"미스큐 상한 14");
    // The catalogue viewer words the limits in English.
    EXPECT_EQ(CueRules::FunctionLines(tip, true)[0], u"spin limit 12");
    EXPECT_EQ(CueRules::FunctionLines(tip, true)[1], u"miscue limit 14");
    CuePartRecord unknown;
    unknown.partType = 9;
    EXPECT_EQ(CueRules::FunctionLines(unknown, true)[0], u"no option");
    EXPECT_EQ(CueRules::LevelText(0), u"없음");
    EXPECT_EQ(CueRules::LevelText(12), u"레벨 12");
}

Bytes BytesOf(quill::Packet& packet) {
    packet.Finish();
    const auto bytes = packet.Bytes();
    return Bytes(bytes.begin(), bytes.end());
}

TEST(CueRequestsTest, RequestsAreWrittenFieldByField) {
    quill::Packet packet;
    InventoryItem cue = Cue(3101, 0, 0);
    cue.key = 0x11;
    cue.subKey = 2;
    const int64_t id = CueRequests::ItemIdOf(cue);
    CueRequests::WriteRepair(packet, CueRequests::kRepairAdvanced, id);
    EXPECT_EQ(BytesOf(packet), (Bytes{13, 0, 119, 0, 1, 0x11, 0, 0, 0, 2, 0, 0, 0}));
    CueRequests::WriteUpgrade(packet, CueRequests::kUpgradeNormal, id, 3);
    EXPECT_EQ(BytesOf(packet), (Bytes{14, 0, 117, 0, 1, 0x11, 0, 0, 0, 2, 0, 0, 0, 3}));
    CueRequests::WriteRetune(packet, id, CueOptions{40, 40, 40, 30, 0});
    EXPECT_EQ(BytesOf(packet), (Bytes{17, 0, 121, 0, 0x11, 0, 0, 0, 2, 0, 0, 0, 40, 40, 40, 30, 0}));
    CueRequests::WritePartsBuy(packet, id, CueParts{1, 0, 0, 0, 300}, CueParts{});
    EXPECT_EQ(BytesOf(packet), (Bytes{19, 0, 115, 0, 0x11, 0, 0, 0, 2, 0, 0, 0, 2, 0, 1, 0, 4, 0x2C, 1}))
        << "only the changed types";
    CueRequests::WritePersonalCueBuy(packet, {3100, 1000000, u"C", CueOptions{1, 2, 3, 4, 5}, CueParts{0, 1, 2, 3, 4}});
    EXPECT_EQ(BytesOf(packet), (Bytes{33, 0, 112, 0, 0x1C, 0x0C, 0, 0, 0x40, 0x42, 0x0F, 0, 2, 0, 'C', 0, 0, 0,
                                      1, 2, 3, 4, 5, 0, 0, 1, 0, 2, 0, 3, 0, 4, 0}));
}

}  // namespace
}  // namespace kestrovan
