#pragma once
// The rules that every window of the cue workshop shares: the two families of personal cue, the effect of an
// option value, repair costs and thresholds, the spending of option points, the limits, chance and cost of an
// option upgrade, the totals of a parts purchase and the price of a new personal cue. Balances, durability and
// upgrade points come as the server keeps them (durability and points in thousandths).
//
// Threads: any (pure; part records are passed in).
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/CuePartRecord.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/PlayerState.h"

namespace kestrovan {

// Option values (power, balance, spin, miscue, squirt) and part ids (shaft, butt, joint, bumper, tip).
inline constexpr size_t kCueOptionCount = 5;
inline constexpr size_t kCuePartTypeCount = 5;
using CueOptions = std::array<uint8_t, kCueOptionCount>;
using CueParts = std::array<uint16_t, kCuePartTypeCount>;

// The cash and cue-money sums of a set of parts.
struct CueMoneyTotals {
    int64_t cash = 0;
    int64_t cueMoney = 0;
    bool operator==(const CueMoneyTotals&) const = default;
};

// What an upgrade attempt of one option needs and risks.
struct CueUpgradeTerms {
    int32_t current = 0;
    int32_t next = 0;     // capped at kUpgradeCeiling
    int32_t limit = 0;    // from the limiting part's record
    int32_t pointsNeeded = 0;
    int32_t failChance = 0;  // percent
    int32_t cost = 0;        // cue money
};

class CueRules {
public:
    static constexpr uint32_t kCustomCue = 3100;
    static constexpr uint32_t kFirstTuningCue = 3101;
    static constexpr uint32_t kLastTuningCue = 3110;
    static constexpr uint32_t kDescribedTuningCue = 3104;
    static constexpr uint32_t kGemItem = 4502;

    static constexpr int32_t kCustomPoints = 150;
    static constexpr int32_t kCustomMaxPerOption = 40;
    static constexpr int32_t kTuningPoints = 20;
    static constexpr int32_t kTuningMaxPerOption = 10;
    static constexpr int32_t kUpgradeCeiling = 30;
    static constexpr int64_t kCustomServicePrice = 8800;  // a re-tune or a full repair, in cash
    static constexpr int64_t kNormalRepairPerPoint = 150;
    static constexpr int64_t kAdvancedRepairPerPoint = 450;
    static constexpr int32_t kCustomBasePrice = 17500;
    static constexpr int32_t kIncludedPartPrice = 3000;
    static constexpr uint8_t kCashCurrency = 1;
    static constexpr uint8_t kIncludedCurrency = 2;
    static constexpr uint32_t kLevelTooHigh = 0xFFFF2020;

    static bool IsCustomCue(uint32_t typeCode) { return typeCode == kCustomCue; }
    static bool IsTuningCue(uint32_t typeCode) { return typeCode >= kFirstTuningCue && typeCode <= kLastTuningCue; }
    static bool IsPersonalCue(const quill::InventoryItem& item) { return item.kind == 1 && item.customFlag == 1; }
    // A personal cue's own name (as bought or listed), else the item's name, else its catalogue name.
    static quill::WString NameOf(const quill::InventoryItem& cue);

    // --- Options ---
    static double OptionFactor(size_t option);
    // The whole effect shown in the info panel, re-tune and purchase windows: (int)(v x factor + 0.4).
    static int32_t OptionEffect(size_t option, int32_t value);
    // "+%d" for power and spin, "%d%%" for the others (the info panel and the purchase summary).
    static quill::WString EffectText(size_t option, int32_t value);
    // As EffectText, but miscue as "+%d%%" (the re-tune and performance-step rows).
    static quill::WString EffectRowText(size_t option, int32_t value);
    // The exact product: "+%2.1f" for power and spin, "%2.1f%%" for the others (the upgrade windows).
    static quill::WString EffectFloatText(size_t option, int32_t value);
    // A minus (even id) or plus (odd id) button 200..209 over the values: applied only while the points left stay
    // at least 0 and the value within 0..maxPerOption. Returns whether anything changed.
    static bool ApplyPointButton(int32_t id, int32_t maxPerOption, int32_t& pointsLeft, CueOptions& values);

    // --- Repair ---
    static int64_t NormalRepairCost(const quill::InventoryItem& cue);
    static int64_t AdvancedRepairCost(const quill::InventoryItem& cue);
    // The highest current durability a repair accepts: (int)(total x f + 0.5), f 0.1 for the custom cue, else 0.8.
    static int64_t RepairThreshold(const quill::InventoryItem& cue, bool advanced);
    static bool RepairAllowed(const quill::InventoryItem& cue, bool advanced) {
        return static_cast<int64_t>(cue.durabilityCurrent) <= RepairThreshold(cue, advanced);
    }
    // The whole points a repair took off the total: (int)(lost / 1000 + 0.9), in integers so that the figure is the
    // same whatever rounding mode the calling thread runs in. Any thread.
    static int64_t RepairLossPoints(uint32_t totalBefore, uint32_t totalAfter);

    // --- Upgrades ---
    // The part type whose record limits an option, and whether it is the record's second value.
    static uint8_t LimitingPart(size_t option);
    static int32_t LimitOf(size_t option, const quill::CuePartRecord* part);
    static CueUpgradeTerms UpgradeTerms(size_t option, int32_t current, const quill::CuePartRecord* limitPart,
                                        bool gemMode);
    static int32_t UpgradeCost(int32_t current);
    // The sum of the remaining counts of the gem items (the caller holds the player's lock).
    static int32_t GemCount(const quill::PlayerState& player);

    // --- Parts ---
    using PartLookup = std::function<const quill::CuePartRecord*(uint8_t type, uint16_t id)>;
    // The sums of the parts that differ from the cue's present ones; a part without a record adds nothing.
    static CueMoneyTotals PartsTotals(const CueParts& chosen, const CueParts& present, const PartLookup& lookup);
    // The types whose chosen part differs, in part-type order.
    static std::vector<uint8_t> ChangedTypes(const CueParts& chosen, const CueParts& present);
    // "스쿼트 상한 %d", ..., the bumper's "총내구도 %d 증가", the tip on two lines; the catalogue viewer's
    // "squirt limit %d", ..., the bumper's "총내구도 %d 복원", "no option" for an unknown type.
    static std::array<quill::WString, 2> FunctionLines(const quill::CuePartRecord& part, bool catalogueViewer);
    // "레벨 %d" or "없음".
    static quill::WString LevelText(uint8_t requiredLevel);

    // --- New personal cue ---
    // The list price; the custom cue costs 17,500 plus what each chosen part not included in it costs above 3,000.
    static int64_t NewCuePrice(uint32_t modelId, int64_t listPrice, const CueParts& chosen, const PartLookup& lookup);
    static int32_t CountPersonalCues(const quill::PlayerState& player);
};

}  // namespace kestrovan
