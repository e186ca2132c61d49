#pragma once
// The rules the friend and clan dialogs check before they send: what growing a clan costs, and how long a
// nickname or a clan name may be, counted in bytes of the system code page (CP949: a Korean character takes
// two, a Latin letter one).
#include <array>
#include <cstddef>
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

// The cost table of clan capacity by step s (capacity 10 x s players), in units of 100,000 gold.
inline constexpr std::array<int64_t, 10> kClanCapacityCost{0, 1, 2, 3, 5, 8, 12, 17, 23, 30};
inline constexpr int64_t kClanCostUnit = 100000;
inline constexpr int32_t kClanPlayersPerStep = 10;
inline constexpr size_t kMinNameBytes = 4;
inline constexpr size_t kMaxNameBytes = 12;

// The gold it costs to grow a clan from step fromStep to step toStep: never negative; steps outside the
// table count as its nearest end.
int64_t ClanCapacityCost(int32_t fromStep, int32_t toStep);
// What creating a clan of ten players costs: ClanCapacityCost(0, 1).
int64_t ClanCreationCost();

// The bytes the text takes in the system code page.
size_t CodePageBytes(quill::WStringView text);
// A nickname or clan name takes 4 to 12 bytes of the code page.
bool IsNameLengthValid(quill::WStringView name);

}  // namespace kestrovan
