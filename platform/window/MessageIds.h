#pragma once
// Message ids and the named values of their parameters, with their Windows numbers: scenes, widgets and
// the table compare them as numbers and route by their ranges (256-258 keys, 512-522 mouse).
#include <cstdint>

namespace platform {

namespace Msg {
inline constexpr uint32_t Null = 0x0000;
inline constexpr uint32_t Create = 0x0001;
inline constexpr uint32_t Destroy = 0x0002;
inline constexpr uint32_t Size = 0x0005;
inline constexpr uint32_t Activate = 0x0006;
inline constexpr uint32_t SetFocus = 0x0007;
inline constexpr uint32_t KillFocus = 0x0008;
inline constexpr uint32_t SetText = 0x000C;
inline constexpr uint32_t GetText = 0x000D;
inline constexpr uint32_t Close = 0x0010;
inline constexpr uint32_t Quit = 0x0012;
inline constexpr uint32_t EraseBackground = 0x0014;
inline constexpr uint32_t ActivateApp = 0x001C;
inline constexpr uint32_t SetFont = 0x0030;
inline constexpr uint32_t WindowPosChanged = 0x0047;
inline constexpr uint32_t ContextMenu = 0x007B;
inline constexpr uint32_t NcLButtonDown = 0x00A1;
inline constexpr uint32_t EmGetSel = 0x00B0;
inline constexpr uint32_t EmSetSel = 0x00B1;
inline constexpr uint32_t EmReplaceSel = 0x00C2;
inline constexpr uint32_t EmCharFromPos = 0x00D7;
inline constexpr uint32_t KeyDown = 0x0100;
inline constexpr uint32_t KeyUp = 0x0101;
inline constexpr uint32_t Char = 0x0102;
inline constexpr uint32_t SysKeyDown = 0x0104;
inline constexpr uint32_t SysKeyUp = 0x0105;
inline constexpr uint32_t SysChar = 0x0106;
inline constexpr uint32_t ImeStartComposition = 0x010D;
inline constexpr uint32_t ImeEndComposition = 0x010E;
inline constexpr uint32_t ImeComposition = 0x010F;
inline constexpr uint32_t Command = 0x0111;
inline constexpr uint32_t SysCommand = 0x0112;
inline constexpr uint32_t MouseMove = 0x0200;
inline constexpr uint32_t LButtonDown = 0x0201;
inline constexpr uint32_t LButtonUp = 0x0202;
inline constexpr uint32_t LButtonDblClk = 0x0203;
inline constexpr uint32_t RButtonDown = 0x0204;
inline constexpr uint32_t RButtonUp = 0x0205;
inline constexpr uint32_t RButtonDblClk = 0x0206;
inline constexpr uint32_t MButtonDown = 0x0207;
inline constexpr uint32_t MButtonUp = 0x0208;
inline constexpr uint32_t MButtonDblClk = 0x0209;
inline constexpr uint32_t MouseWheel = 0x020A;
inline constexpr uint32_t EnterSizeMove = 0x0231;
inline constexpr uint32_t ExitSizeMove = 0x0232;
inline constexpr uint32_t DropFiles = 0x0233;
inline constexpr uint32_t ImeNotify = 0x0282;
inline constexpr uint32_t User = 0x0400;
}  // namespace Msg

// wParam of Msg::Size.
namespace SizeKind {
inline constexpr uint32_t Restored = 0;
inline constexpr uint32_t Minimized = 1;
inline constexpr uint32_t Maximized = 2;
inline constexpr uint32_t MaxShow = 3;
inline constexpr uint32_t MaxHide = 4;
}  // namespace SizeKind

// Low word of Msg::Activate's wParam.
namespace ActivateKind {
inline constexpr uint32_t Inactive = 0;
inline constexpr uint32_t Active = 1;
inline constexpr uint32_t ClickActive = 2;
}  // namespace ActivateKind

// wParam of Msg::SysCommand (the low four bits are the system's own).
namespace SysCommandKind {
inline constexpr uint32_t Minimize = 0xF020;
inline constexpr uint32_t Maximize = 0xF030;
inline constexpr uint32_t KeyMenu = 0xF100;
inline constexpr uint32_t ScreenSave = 0xF140;
}  // namespace SysCommandKind

// Button and modifier flags in the wParam of mouse messages (the low word for Msg::MouseWheel).
namespace MouseKey {
inline constexpr uint32_t LButton = 0x0001;
inline constexpr uint32_t RButton = 0x0002;
inline constexpr uint32_t Shift = 0x0004;
inline constexpr uint32_t Control = 0x0008;
inline constexpr uint32_t MButton = 0x0010;
}  // namespace MouseKey

// Hit-test codes (wParam of Msg::NcLButtonDown).
namespace HitTest {
inline constexpr uint32_t Client = 1;
inline constexpr uint32_t Caption = 2;
}  // namespace HitTest

// One notch of the mouse wheel.
inline constexpr int kWheelDelta = 120;

// The input method: what Msg::ImeComposition's lParam says changed, the wParam of Msg::ImeNotify, and the
// conversion-mode bits.
namespace Ime {
inline constexpr uint32_t CompositionString = 0x0008;  // GCS_COMPSTR
inline constexpr uint32_t CursorPosition = 0x0080;     // GCS_CURSORPOS
inline constexpr uint32_t ResultString = 0x0800;       // GCS_RESULTSTR
inline constexpr uint32_t NotifySetConversionMode = 0x0006;
inline constexpr uint32_t ConversionNative = 0x0001;
inline constexpr uint32_t ConversionKatakana = 0x0002;
}  // namespace Ime

}  // namespace platform
