#pragma once
// The poster through which the item slots, the item windows and the room-setting dialog send their application
// events (the App's PostEvent in the program, a recorder in tests). The events are the catalogue's
// RoomSettingConfirm, ApplyTableSettings, UseChalk, QuickSlotA (wParam 1: a cue was chosen in the cue window),
// QuickSlotB (wParam: the kind of the item clicked in the item bar) and ItemDialogResult (wParam 1 purchase,
// 2 gift).
#include <cstdint>
#include <functional>

#include "QuillLib/core/AppEventId.h"

namespace kestrovan {

using AppEventPoster = std::function<void(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra)>;

}  // namespace kestrovan
