#pragma once
// The equipment and skills a profile plays with when no server gives them: the offline screen gives them at
// its start, the replay screen (which plays a saved shot without a server) likewise, and shows a shot saved
// without its cue with the offline cue.
#include <cstdint>

namespace quill {
class PlayerState;
}

namespace kestrovan {

// The stock cue: the one every game type gets offline, and the one a table shows where no cue of the
// player's is known.
inline constexpr uint16_t kStockCue = 3000;
// Every skill's value offline.
inline constexpr int32_t kOfflineSkillValue = 100000;

// Gives the profile the offline cue, tables and ball sets for every game type (the types without an offline
// table or ball set keep the profile's) and the offline skills.
void ApplyOfflineDefaults(quill::PlayerState& player);

}  // namespace kestrovan
