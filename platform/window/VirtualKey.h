#pragma once
// Virtual-key codes with their Windows numbers: key messages carry them in wParam, the key-state table is
// indexed by them, and accelerators, hot keys and the table's key poll compare them as numbers.
// Letters and digits are their upper-case ASCII codes ('A' is 0x41, '0' is 0x30).
#include <cstdint>

namespace platform {

namespace Vk {
inline constexpr uint8_t LButton = 0x01;
inline constexpr uint8_t RButton = 0x02;
inline constexpr uint8_t Cancel = 0x03;
inline constexpr uint8_t MButton = 0x04;
inline constexpr uint8_t Back = 0x08;
inline constexpr uint8_t Tab = 0x09;
inline constexpr uint8_t Clear = 0x0C;
inline constexpr uint8_t Return = 0x0D;
inline constexpr uint8_t Shift = 0x10;
inline constexpr uint8_t Control = 0x11;
inline constexpr uint8_t Menu = 0x12;  // Alt
inline constexpr uint8_t Pause = 0x13;
inline constexpr uint8_t Capital = 0x14;
inline constexpr uint8_t Hangul = 0x15;
inline constexpr uint8_t Hanja = 0x19;
inline constexpr uint8_t Escape = 0x1B;
inline constexpr uint8_t Space = 0x20;
inline constexpr uint8_t Prior = 0x21;  // Page Up
inline constexpr uint8_t Next = 0x22;   // Page Down
inline constexpr uint8_t End = 0x23;
inline constexpr uint8_t Home = 0x24;
inline constexpr uint8_t Left = 0x25;
inline constexpr uint8_t Up = 0x26;
inline constexpr uint8_t Right = 0x27;
inline constexpr uint8_t Down = 0x28;
inline constexpr uint8_t Snapshot = 0x2C;  // Print Screen
inline constexpr uint8_t Insert = 0x2D;
inline constexpr uint8_t Delete = 0x2E;
inline constexpr uint8_t Key0 = 0x30;
inline constexpr uint8_t KeyA = 0x41;
inline constexpr uint8_t LWin = 0x5B;
inline constexpr uint8_t RWin = 0x5C;
inline constexpr uint8_t Apps = 0x5D;
inline constexpr uint8_t Numpad0 = 0x60;
inline constexpr uint8_t Multiply = 0x6A;
inline constexpr uint8_t Add = 0x6B;
inline constexpr uint8_t Subtract = 0x6D;
inline constexpr uint8_t Decimal = 0x6E;
inline constexpr uint8_t Divide = 0x6F;
inline constexpr uint8_t F1 = 0x70;
inline constexpr uint8_t F2 = 0x71;
inline constexpr uint8_t F3 = 0x72;
inline constexpr uint8_t F4 = 0x73;
inline constexpr uint8_t F5 = 0x74;
inline constexpr uint8_t F6 = 0x75;
inline constexpr uint8_t F7 = 0x76;
inline constexpr uint8_t F8 = 0x77;
inline constexpr uint8_t F9 = 0x78;
inline constexpr uint8_t F10 = 0x79;
inline constexpr uint8_t F11 = 0x7A;
inline constexpr uint8_t F12 = 0x7B;
inline constexpr uint8_t NumLock = 0x90;
inline constexpr uint8_t Scroll = 0x91;
inline constexpr uint8_t LShift = 0xA0;
inline constexpr uint8_t RShift = 0xA1;
inline constexpr uint8_t LControl = 0xA2;
inline constexpr uint8_t RControl = 0xA3;
inline constexpr uint8_t LMenu = 0xA4;
inline constexpr uint8_t RMenu = 0xA5;
inline constexpr uint8_t Oem1 = 0xBA;       // ;:
inline constexpr uint8_t OemPlus = 0xBB;    // =+
inline constexpr uint8_t OemComma = 0xBC;   // ,<
inline constexpr uint8_t OemMinus = 0xBD;   // -_
inline constexpr uint8_t OemPeriod = 0xBE;  // .>
inline constexpr uint8_t Oem2 = 0xBF;       // /?
inline constexpr uint8_t Oem3 = 0xC0;       // `~
inline constexpr uint8_t Oem4 = 0xDB;       // [{
inline constexpr uint8_t Oem5 = 0xDC;       // \|
inline constexpr uint8_t Oem6 = 0xDD;       // ]}
inline constexpr uint8_t Oem7 = 0xDE;       // '"
}  // namespace Vk

}  // namespace platform
