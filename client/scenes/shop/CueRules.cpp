#include "client/scenes/shop/CueRules.h"

#include <algorithm>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/ItemCatalogue.h"

namespace kestrovan {

namespace {

using quill::CuePartRecord;
using quill::Format;
using quill::WString;

constexpr std::array<double, kCueOptionCount> kFactors{0.5, 2.5, 0.5, 0.5, 2.5};
constexpr size_t kPower = 0;
constexpr size_t kSpin = 2;
constexpr size_t kMiscue = 3;

bool ShownWithPlus(size_t option) {
    return option == kPower || option == kSpin;
}

}  // namespace

WString CueRules::NameOf(const quill::InventoryItem& cue) {
    if (!cue.customText.empty()) return cue.customText;
    if (!cue.name.empty()) return cue.name;
    const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(cue.typeCode);
    return record != nullptr ? record->name : WString();
}

// --- Options ---

double CueRules::OptionFactor(size_t option) {
    return option < kFactors.size() ? kFactors[option] : 0.0;
}

int32_t CueRules::OptionEffect(size_t option, int32_t value) {
    return static_cast<int32_t>(value * OptionFactor(option) + 0.4);
}

WString CueRules::EffectText(size_t option, int32_t value) {
    return Format(ShownWithPlus(option) ? u"+%d" : u"%d%%", OptionEffect(option, value));
}

WString CueRules::EffectRowText(size_t option, int32_t value) {
    if (option == kMiscue) return Format(u"+%d%%", OptionEffect(option, value));
    return EffectText(option, value);
}

WString CueRules::EffectFloatText(size_t option, int32_t value) {
    return Format(ShownWithPlus(option) ? u"+%2.1f" : u"%2.1f%%", value * OptionFactor(option));
}

bool CueRules::ApplyPointButton(int32_t id, int32_t maxPerOption, int32_t& pointsLeft, CueOptions& values) {
    const int32_t offset = id - 200;
    if (offset < 0 || offset >= static_cast<int32_t>(2 * kCueOptionCount)) return false;
    const auto option = static_cast<size_t>(offset / 2);
    const int32_t d = offset % 2 == 0 ? 1 : -1;  // minus returns a point, plus spends one
    const int32_t value = values[option] - d;
    if (pointsLeft + d < 0 || value < 0 || value > maxPerOption) return false;
    pointsLeft += d;
    values[option] = static_cast<uint8_t>(value);
    return true;
}

// --- Repair ---

namespace {

int64_t MissingPoints(const quill::InventoryItem& cue) {
    return (static_cast<int64_t>(cue.durabilityTotal) - static_cast<int64_t>(cue.durabilityCurrent)) / 1000;
}

}  // namespace

int64_t CueRules::NormalRepairCost(const quill::InventoryItem& cue) {
    if (IsCustomCue(cue.typeCode)) return kCustomServicePrice;
    return kNormalRepairPerPoint * MissingPoints(cue);
}

int64_t CueRules::AdvancedRepairCost(const quill::InventoryItem& cue) {
    return kAdvancedRepairPerPoint * MissingPoints(cue);
}

int64_t CueRules::RepairLossPoints(uint32_t totalBefore, uint32_t totalAfter) {
    if (totalAfter >= totalBefore) return 0;
    return (static_cast<int64_t>(totalBefore) - totalAfter + 900) / 1000;
}

int64_t CueRules::RepairThreshold(const quill::InventoryItem& cue, bool advanced) {
    const double f = !advanced && IsCustomCue(cue.typeCode) ? 0.1 : 0.8;
    return static_cast<int64_t>(cue.durabilityTotal * f + 0.5);
}

// --- Upgrades ---

uint8_t CueRules::LimitingPart(size_t option) {
    static constexpr std::array<uint8_t, kCueOptionCount> kParts{CuePartRecord::kButt, CuePartRecord::kJoint,
                                                                 CuePartRecord::kTip, CuePartRecord::kTip,
                                                                 CuePartRecord::kShaft};
    return option < kParts.size() ? kParts[option] : static_cast<uint8_t>(CuePartRecord::kShaft);
}

int32_t CueRules::LimitOf(size_t option, const CuePartRecord* part) {
    if (part == nullptr) return 0;
    return option == kMiscue ? part->valueB : part->valueA;
}

int32_t CueRules::UpgradeCost(int32_t current) {
    int32_t cost = 3000;
    for (int32_t k = 0; k < current; ++k) cost += k < 10 ? 200 : k < 20 ? 400 : 600;
    return cost;
}

CueUpgradeTerms CueRules::UpgradeTerms(size_t option, int32_t current, const CuePartRecord* limitPart,
                                       bool gemMode) {
    CueUpgradeTerms terms;
    terms.current = current;
    terms.next = std::min(current + 1, kUpgradeCeiling);
    terms.limit = LimitOf(option, limitPart);
    if (gemMode) return terms;
    terms.pointsNeeded = current / 10 + 1;
    terms.failChance = static_cast<int32_t>(current * 1.5 + 0.5);
    terms.cost = UpgradeCost(current);
    return terms;
}

int32_t CueRules::GemCount(const quill::PlayerState& player) {
    int32_t gems = 0;
    quill::ScopedLock hold(player.GetLock());
    for (uint32_t n = 0; n < player.ItemCount(); ++n)
        if (const quill::InventoryItem* item = player.ItemAt(n); item != nullptr && item->typeCode == kGemItem)
            gems += item->remaining;
    return gems;
}

// --- Parts ---

CueMoneyTotals CueRules::PartsTotals(const CueParts& chosen, const CueParts& present, const PartLookup& lookup) {
    CueMoneyTotals totals;
    for (uint8_t type : ChangedTypes(chosen, present)) {
        const CuePartRecord* part = lookup(type, chosen[type]);
        if (part == nullptr) continue;
        (part->currency == kCashCurrency ? totals.cash : totals.cueMoney) += part->price;
    }
    return totals;
}

std::vector<uint8_t> CueRules::ChangedTypes(const CueParts& chosen, const CueParts& present) {
    std::vector<uint8_t> types;
    for (uint8_t type = 0; type < kCuePartTypeCount; ++type)
        if (chosen[type] != present[type]) types.push_back(type);
    return types;
}

std::array<WString, 2> CueRules::FunctionLines(const CuePartRecord& part, bool catalogueViewer) {
    // The catalogue viewer words the limits in English; the bumper's texts are the same Korean in both.
    const auto text = [catalogueViewer](const char16_t* korean, const char16_t* english, int value) {
        return Format(catalogueViewer ? english : korean, value);
    };
    switch (part.partType) {
        case CuePartRecord::kShaft: return {text(u"스쿼트 상한 %d", u"squirt limit %d", part.valueA), {}};
        case CuePartRecord::kButt: return {text(u"파워 상한 %d", u"power limit %d", part.valueA), {}};
        case CuePartRecord::kJoint: return {text(u"밸런스 상한 %d", u"balance limit %d", part.valueA), {}};
        case CuePartRecord::kBumper:
            if (part.valueB < 1) return {WString(u"없음"), {}};
            return {Format(catalogueViewer ? u"총내구도 %d 복원" : u"총내구도 %d 증가", part.valueB), {}};
        case CuePartRecord::kTip:
            return {text(u"스핀 상한 %d", u"spin limit %d", part.valueA),
                    text(u"미스큐 상한 %d", u"miscue limit %d", part.valueB)};
        default: return {WString(catalogueViewer ? u"no option" : u"알수없음"), {}};
    }
}

WString CueRules::LevelText(uint8_t requiredLevel) {
    return requiredLevel == 0 ? WString(u"없음") : Format(u"레벨 %d", requiredLevel);
}

// --- New personal cue ---

int64_t CueRules::NewCuePrice(uint32_t modelId, int64_t listPrice, const CueParts& chosen, const PartLookup& lookup) {
    if (!IsCustomCue(modelId)) return listPrice;
    int64_t price = kCustomBasePrice;
    for (uint8_t type = 0; type < kCuePartTypeCount; ++type) {
        const CuePartRecord* part = lookup(type, chosen[type]);
        if (part != nullptr && part->currency != kIncludedCurrency && part->price > kIncludedPartPrice)
            price += part->price - kIncludedPartPrice;
    }
    return price;
}

int32_t CueRules::CountPersonalCues(const quill::PlayerState& player) {
    int32_t count = 0;
    for (uint32_t n = 0; n < player.ItemCount(); ++n)
        if (const quill::InventoryItem* item = player.ItemAt(n); item != nullptr && IsPersonalCue(*item)) ++count;
    return count;
}

}  // namespace kestrovan
