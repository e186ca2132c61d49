#pragma once
// The program's own resources, by their resource ids: the window icon, the two cursors (the normal
// pointer and the pen of cursor mode 1) and the accelerator table of the main window with its commands.
#include <cstdint>
#include <optional>

#include "platform/window/AcceleratorTable.h"
#include "platform/window/PixelImage.h"

namespace kestrovan {

namespace ResourceId {
inline constexpr uint32_t Icon = 107;
inline constexpr uint32_t Accelerators = 109;
inline constexpr uint32_t CursorNormal = 129;
inline constexpr uint32_t CursorPen = 130;
}  // namespace ResourceId

// The commands of the accelerator table.
namespace Command {
inline constexpr uint16_t FullScreen = 32771;   // Alt+Enter
inline constexpr uint16_t Quit = 32773;         // Alt+F4
inline constexpr uint16_t Screenshot = 32775;   // F10
inline constexpr uint16_t ChatSlot1 = 32780;    // Alt+1
inline constexpr uint16_t ChatSlot3 = 32782;    // Alt+3
inline constexpr uint16_t ChatSlot4 = 32783;    // Alt+4
inline constexpr uint16_t ChatSlot5 = 32785;    // Alt+5
inline constexpr uint16_t ChatSlot2 = 32787;    // Alt+2
inline constexpr uint16_t ChatSlot0 = 32789;    // Alt+` (the character)
inline constexpr uint16_t Screenshot2 = 32791;  // F12
}  // namespace Command

platform::PixelImage LoadIconResource();
// The cursor of a resource id; nothing for an id that is not a cursor.
std::optional<platform::CursorImage> LoadCursorResource(uint32_t id);
platform::AcceleratorTable LoadAcceleratorResource();

}  // namespace kestrovan
