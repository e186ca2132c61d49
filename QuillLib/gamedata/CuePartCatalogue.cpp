#include "QuillLib/gamedata/CuePartCatalogue.h"

#include <algorithm>

#include "QuillLib/core/ScopedLock.h"

namespace quill {
namespace {

struct BuiltInPart {
    uint8_t type;
    uint16_t id;
    uint32_t price;
    uint8_t valueA;
    uint8_t valueB;
};

constexpr uint8_t kShaft = CuePartRecord::kShaft;
constexpr uint8_t kButt = CuePartRecord::kButt;
constexpr uint8_t kJoint = CuePartRecord::kJoint;
constexpr uint8_t kBumper = CuePartRecord::kBumper;
constexpr uint8_t kTip = CuePartRecord::kTip;

constexpr std::array<BuiltInPart, 68> kBuiltInParts{{
    {kShaft, 0, 10000, 20, 20}, {kShaft, 1, 10000, 20, 20}, {kShaft, 2, 1500, 30, 30},  {kShaft, 3, 2000, 30, 30},
    {kShaft, 4, 3000, 30, 30},  {kShaft, 5, 4000, 30, 30},  {kShaft, 6, 6000, 30, 30},  {kShaft, 7, 7000, 30, 30},

    {kButt, 0, 10000, 20, 20},  {kButt, 1, 10000, 20, 20},  {kButt, 2, 1500, 20, 20},   {kButt, 3, 1500, 20, 20},
    {kButt, 4, 1500, 30, 30},   {kButt, 5, 1500, 30, 30},   {kButt, 6, 4000, 30, 30},   {kButt, 7, 3000, 30, 30},
    {kButt, 8, 3000, 30, 30},   {kButt, 9, 3000, 30, 30},   {kButt, 10, 4000, 30, 30},  {kButt, 11, 9000, 30, 30},
    {kButt, 12, 4000, 30, 30},  {kButt, 13, 4000, 30, 30},  {kButt, 14, 5000, 30, 30},  {kButt, 15, 5000, 30, 30},
    {kButt, 16, 4000, 30, 30},  {kButt, 17, 7000, 30, 30},  {kButt, 18, 13000, 30, 30}, {kButt, 19, 10000, 30, 30},
    {kButt, 20, 8000, 30, 30},  {kButt, 21, 12000, 30, 30}, {kButt, 22, 1500, 30, 30},  {kButt, 23, 2000, 30, 30},
    {kButt, 24, 4000, 30, 30},  {kButt, 25, 5000, 30, 30},  {kButt, 26, 6000, 30, 30},  {kButt, 27, 6000, 30, 30},
    {kButt, 28, 6000, 30, 30},  {kButt, 29, 6000, 30, 30},  {kButt, 30, 9000, 30, 30},  {kButt, 31, 8000, 30, 30},
    {kButt, 32, 12000, 30, 30}, {kButt, 33, 10000, 30, 30}, {kButt, 34, 14000, 30, 30}, {kButt, 35, 15000, 30, 30},

    {kJoint, 0, 20000, 20, 20}, {kJoint, 1, 10000, 20, 20}, {kJoint, 2, 4000, 30, 30},  {kJoint, 3, 3000, 30, 30},
    {kJoint, 4, 5000, 30, 30},  {kJoint, 5, 2000, 30, 30},  {kJoint, 6, 5000, 30, 30},  {kJoint, 7, 5000, 30, 30},

    {kBumper, 0, 10000, 0, 0},  {kBumper, 1, 30000, 0, 0},  {kBumper, 2, 4000, 0, 0},   {kBumper, 3, 3000, 0, 0},
    {kBumper, 4, 4500, 0, 50},  {kBumper, 5, 4500, 0, 50},  {kBumper, 6, 7000, 0, 100}, {kBumper, 7, 7000, 0, 100},

    {kTip, 0, 10000, 10, 10},   {kTip, 1, 1500, 20, 20},    {kTip, 2, 1500, 20, 20},    {kTip, 3, 1500, 20, 20},
    {kTip, 4, 3000, 30, 30},    {kTip, 5, 4000, 30, 30},    {kTip, 6, 6000, 30, 30},    {kTip, 7, 8000, 30, 30},
}};

// The two basic parts of each type are paid in the second currency.
uint8_t CurrencyOf(uint16_t partId) {
    return partId <= 1 ? 2 : 1;
}

constexpr std::array<const char16_t*, CuePartRecord::kPartTypeCount> kPartNames{u"shaft", u"butt", u"joint", u"bumper",
                                                                                u"cue tip"};
constexpr std::array<const char16_t*, 5> kStatNames{u"Shot power", u"Power balance", u"Spin up", u"Miscue dec.",
                                                    u"Squirt dec."};

}  // namespace

CuePartCatalogue::CuePartCatalogue() {
    RegisterDefaults();
}

const CuePartRecord* CuePartCatalogue::Register(uint8_t partType, uint16_t partId, uint32_t modelIndex,
                                                uint8_t currency, uint32_t price, uint8_t valueA, uint8_t valueB,
                                                uint8_t requiredLevel) {
    if (partType >= CuePartRecord::kPartTypeCount) {
        return nullptr;
    }
    ScopedLock hold(lock_);
    CuePartRecord& record = parts_[partType].emplace_back();
    record.partType = partType;
    record.partId = partId;
    record.modelIndex = modelIndex;
    record.currency = currency;
    record.price = price;
    record.valueA = valueA;
    record.valueB = valueB;
    record.requiredLevel = requiredLevel;
    return &record;
}

void CuePartCatalogue::RegisterDefaults() {
    for (const BuiltInPart& part : kBuiltInParts) {
        Register(part.type, part.id, part.id, CurrencyOf(part.id), part.price, part.valueA, part.valueB, 0);
    }
}

const CuePartRecord* CuePartCatalogue::Find(uint8_t partType, uint16_t partId) {
    if (partType >= CuePartRecord::kPartTypeCount) {
        return nullptr;
    }
    ScopedLock hold(lock_);
    const std::deque<CuePartRecord>& list = parts_[partType];
    const auto found =
        std::find_if(list.begin(), list.end(), [partId](const CuePartRecord& r) { return r.partId == partId; });
    return found != list.end() ? &*found : nullptr;
}

uint32_t CuePartCatalogue::CountParts(uint8_t partType) {
    if (partType >= CuePartRecord::kPartTypeCount) {
        return 0;
    }
    ScopedLock hold(lock_);
    return static_cast<uint32_t>(parts_[partType].size());
}

CuePartCatalogue& TheCuePartCatalogue() {
    static CuePartCatalogue catalogue;
    return catalogue;
}

const char16_t* GetItemAttributeName(uint32_t index) {
    return index < kPartNames.size() ? kPartNames[index] : u"";
}

const char16_t* GetItemStatName(uint32_t index) {
    return index < kStatNames.size() ? kStatNames[index] : u"";
}

}  // namespace quill
