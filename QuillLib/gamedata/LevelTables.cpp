#include "QuillLib/gamedata/LevelTables.h"

#include <algorithm>
#include <array>
#include <atomic>

#include "QuillLib/core/Format.h"
#include "platform/system/CodePage.h"
#include "platform/system/Console.h"

namespace quill {
namespace {

constexpr std::array<uint16_t, kHandicapSteps + 1> kHandicapLadder{
    30, 50, 80, 100, 120, 150, 200, 250, 300, 400, 500, 700, 1000, 2000, 3000, kHandicapEndMark};

constexpr size_t kTableEntries = kTopLevel + 1;

// Written once at start-up before any reader runs; atomics keep a late reader well-defined.
std::array<std::atomic<int32_t>, kTableEntries> experienceTable{};
std::array<std::atomic<int64_t>, kTableEntries> moneyLimitTable{};

int32_t MoneyDeltaForLevel(uint32_t level) {
    if (level <= 4) {
        return 5000;
    }
    if (level <= 10) {
        return 10000;
    }
    if (level <= 14) {
        return 20000;
    }
    if (level <= 25) {
        return 40000;
    }
    if (level <= 30) {
        return 80000;
    }
    return 200000;
}

void Print(const WString& line) {
    platform::ConsoleWriteRoutine(platform::Utf16ToUtf8(line));
}

}  // namespace

uint16_t GetHandicapStep(uint32_t index) {
    return index < kHandicapLadder.size() ? kHandicapLadder[index] : kHandicapEndMark;
}

uint32_t GetHandicapIndex(int16_t value) {
    for (uint32_t i = 0; i < kHandicapSteps; ++i) {
        if (kHandicapLadder[i] == value) {
            return i;
        }
    }
    return kHandicapSteps - 1;
}

int16_t GetNextHandicap(uint16_t value) {
    for (uint32_t i = 0; i < kHandicapSteps; ++i) {
        if (kHandicapLadder[i] > value) {
            return static_cast<int16_t>(kHandicapLadder[i]);
        }
    }
    return static_cast<int16_t>(kHandicapEndMark);
}

void BuildExperienceTable() {
    int32_t total = 0;
    int32_t step = 200;
    for (size_t level = 0; level < kTableEntries; ++level) {
        if (level > 0) {
            total += step;
            // The growth factor is a single-precision 1.2; the half is added before truncation.
            step = static_cast<int32_t>(static_cast<float>(step) * 1.2f + 0.5);
        }
        experienceTable[level] = total;
        Print(Format(u"lev:%d need:%d\n", static_cast<int>(level), total));
    }
}

void BuildMoneyLimitTable() {
    int64_t limit = 0;
    for (uint32_t level = 0; level < kTableEntries; ++level) {
        const int32_t delta = level == 0 ? 0 : MoneyDeltaForLevel(level);
        limit += delta;
        moneyLimitTable[level] = limit;
        Print(Format(u"lev:%d   limit:%I64d   delta:%d\n", static_cast<int>(level), limit, delta));
    }
}

int32_t GetExperienceForLevel(uint16_t level) {
    if (level == 0) {
        return 0;
    }
    const size_t entry = std::min<size_t>(level - 1u, kTableEntries - 1);
    return experienceTable[entry];
}

int64_t GetMoneyLimitForLevel(uint16_t level) {
    return moneyLimitTable[std::min<size_t>(level, kTableEntries - 1)];
}

}  // namespace quill
