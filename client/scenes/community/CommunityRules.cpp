#include "client/scenes/community/CommunityRules.h"

#include <algorithm>

#include "platform/system/CodePage.h"

namespace kestrovan {

namespace {

int64_t CostAtStep(int32_t step) {
    const auto last = static_cast<int32_t>(kClanCapacityCost.size()) - 1;
    return kClanCapacityCost[static_cast<size_t>(std::clamp(step, 0, last))];
}

}  // namespace

int64_t ClanCapacityCost(int32_t fromStep, int32_t toStep) {
    return std::max<int64_t>(0, CostAtStep(toStep) - CostAtStep(fromStep)) * kClanCostUnit;
}

int64_t ClanCreationCost() {
    return ClanCapacityCost(0, 1);
}

size_t CodePageBytes(quill::WStringView text) {
    return platform::ToCodePage(text).size();
}

bool IsNameLengthValid(quill::WStringView name) {
    const size_t bytes = CodePageBytes(name);
    return bytes >= kMinNameBytes && bytes <= kMaxNameBytes;
}

}  // namespace kestrovan
