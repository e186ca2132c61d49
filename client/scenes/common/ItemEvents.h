#pragma once
// The poster through which the item slots, the item windows, the room dialogs, the lobby's popups and the web
// page window send their application events (the App's PostEvent in the program, a recorder in tests). The
// events are the catalogue's CreateRoomConfirm, RoomSettingConfirm, ApplyTableSettings, JoinWith, EventPageOpen
// (wParam: the event popup's mode), UseChalk, QuickSlotA (wParam 1: a cue was chosen in the cue window),
// QuickSlotB (wParam: the kind of the item clicked in the item bar), ItemDialogResult (wParam 1 purchase, 2 gift)
// and WebWindowClosed.
#include <cstdint>
#include <functional>

#include "QuillLib/core/AppEventId.h"

namespace kestrovan {

class ScreenServices;

using AppEventPoster = std::function<void(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra)>;

// The poster that hands each event to the application's queue (ScreenServices::PostEvent); app outlives it.
AppEventPoster PosterOf(ScreenServices& app);

}  // namespace kestrovan
