#pragma once
// The ids of the sound pack's entries that the screens play by name: the interface sounds of windows and
// popups, the chime of a rack, and the music of the table screens. Constants: any thread.
#include <cstdint>

namespace kestrovan::sound_id {

inline constexpr uint32_t kTableMusic = 4;   // the table screens' music loop
inline constexpr uint32_t kRackChime = 27;   // the balls are racked
inline constexpr uint32_t kDialogClose = 29;  // a game dialog closes (the room's questions, the help)
inline constexpr uint32_t kDialogOpen = 30;   // a game dialog opens
inline constexpr uint32_t kWindowOpen = 31;  // a window or dialog opens
inline constexpr uint32_t kPopup = 32;       // a popup opens; a window or dialog closes

}  // namespace kestrovan::sound_id
