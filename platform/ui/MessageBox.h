#pragma once
// The modal message box of the platform: a text, a caption, a set of buttons and an icon, answered with the
// id of the button the user chose. The style bits and button ids keep their Windows values because callers
// pass and compare them as numbers.
#include <cstdint>

#include "platform/system/WString.h"
#include "platform/ui/WindowHandle.h"

namespace platform {

class MessageBoxBackend;

namespace MsgBoxStyle {
inline constexpr uint32_t Ok = 0x0;
inline constexpr uint32_t YesNo = 0x4;
inline constexpr uint32_t ButtonMask = 0xF;
inline constexpr uint32_t IconError = 0x10;
inline constexpr uint32_t IconQuestion = 0x20;
inline constexpr uint32_t IconWarning = 0x30;
inline constexpr uint32_t TaskModal = 0x2000;
// Above every other window, a full-screen one included.
inline constexpr uint32_t TopMost = 0x40000;
}  // namespace MsgBoxStyle

namespace MsgBoxResult {
inline constexpr int Ok = 1;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace MsgBoxResult

// Shows the box through the installed backend and returns the chosen button's id.
int ShowMessageBox(WindowHandle owner, WStringView text, WStringView caption, uint32_t style);

// Installs the backend that shows every later box and returns the one it replaces; null restores the
// default, a headless box that writes the text to the console and answers with the first button.
// The caller keeps ownership and must keep the backend alive while it is installed.
MessageBoxBackend* SetMessageBoxBackend(MessageBoxBackend* backend);

// The backend that shows boxes now: the installed one, else the default.
MessageBoxBackend& CurrentMessageBoxBackend();

}  // namespace platform
