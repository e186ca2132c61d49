#pragma once
// The fixed tables that turn levels and ratings into numbers: the handicap ladder, the experience that
// each level needs and the most money a player of each level may own. The experience and money tables are
// built once at start-up (the game connection does it, experience first) and printed to the console.
#include <cstdint>

namespace quill {

inline constexpr uint16_t kHandicapEndMark = 9999;
inline constexpr uint32_t kHandicapSteps = 15;  // ladder values before the end mark
inline constexpr uint32_t kTopLevel = 40;

// The ladder value at index; indices past the ladder give the end mark 9999.
uint16_t GetHandicapStep(uint32_t index);
// The index of the ladder value equal to value; 14 when no ladder value equals it.
uint32_t GetHandicapIndex(int16_t value);
// The first ladder value greater than value; 9999 when none is.
int16_t GetNextHandicap(uint16_t value);

// Fills the experience table (entry 0 is 0; the steps start at 200 and grow by x1.2) and prints each
// entry as "lev:%d need:%d\n".
void BuildExperienceTable();
// Fills the money-limit table (levels 0..40) and prints each entry as "lev:%d   limit:%I64d   delta:%d\n".
void BuildMoneyLimitTable();

// The experience at which level begins (levels 1..41); level 0 gives 0, higher levels the last entry.
int32_t GetExperienceForLevel(uint16_t level);
// The most money a player of the level may own; levels above 40 give the level-40 limit.
int64_t GetMoneyLimitForLevel(uint16_t level);

}  // namespace quill
