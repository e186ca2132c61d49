#pragma once
// The game-type buttons of the room dialogs: one radio button per offered type, 159 x 20, its face cut from
// the interface atlas in the carom column (types below 10) or the pocket column by the type's list row, its
// control id 100 + the type, reporting hover so that the dialog can describe the type.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"

namespace kestrovan {

class Button;
class Widget;

inline constexpr int32_t kFirstGameTypeButtonId = 100;
inline constexpr int32_t kGameTypeButtonWidth = 159;
inline constexpr int32_t kGameTypeButtonHeight = 20;

Button* CreateGameTypeButton(Widget& parent, quill::GameType type, int32_t x, int32_t y);

}  // namespace kestrovan
