#pragma once
// The application events of the item slots, the item windows, the room dialogs, the lobby's popups and the
// web page window, and the poster through which these widgets send them (the App's PostEvent in the program,
// a recorder in tests).
#include <cstdint>
#include <functional>

namespace kestrovan {

namespace AppEventId {
inline constexpr uint32_t CreateRoomConfirm = 1037;
inline constexpr uint32_t RoomSettingConfirm = 1038;
inline constexpr uint32_t ApplyTableSettings = 1057;
inline constexpr uint32_t JoinWith = 1070;
inline constexpr uint32_t EventPageOpen = 1074;  // wParam: the event popup's mode
inline constexpr uint32_t UseChalk = 1082;
inline constexpr uint32_t QuickSlotA = 1083;        // wParam 1: a cue was chosen in the cue window
inline constexpr uint32_t QuickSlotB = 1084;        // wParam: the kind of the item clicked in the item bar
inline constexpr uint32_t ItemDialogResult = 1095;  // wParam 1 purchase, 2 gift
inline constexpr uint32_t WebWindowClosed = 1123;
}  // namespace AppEventId

using AppEventPoster = std::function<void(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra)>;

}  // namespace kestrovan
