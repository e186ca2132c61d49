#pragma once
// The names and list slot of each game type, as the room dialogs, the invitation, the profile and the help
// window show them. The names are the game data's; the slot orders the types in the profile and room lists
// (carom types 0 to 5, pocket types 10 to 14).
//
// A type outside 0..16 (a server may send any byte) gives empty names and slot -1, never a read past the
// tables; callers treat -1 as "no row".
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameTypes.h"

namespace kestrovan {

quill::WStringView GameTypeShortName(quill::GameType type);
quill::WStringView GameTypeLongName(quill::GameType type);
int32_t GameTypeSlot(quill::GameType type);

// The row of a type's tile in the room dialogs' type lists: its slot (pocket rows count from 10).
inline int32_t GameTypeListRow(quill::GameType type) { return GameTypeSlot(type); }

// Whether a dialog offers the type: only the types with a rule object.
bool GameTypeOffered(quill::GameType type);

}  // namespace kestrovan
