#pragma once
// Bytes as hexadecimal text, the form in which shots are stored and exchanged: each byte two upper-case digits,
// multi-byte values in little-endian byte order. Pure.
#include <cstdint>
#include <string>

namespace kestrovan {

// One byte from two digits; either case reads alike, and a character that is no digit counts as 0.
uint8_t HexToByte(char high, char low);

// The 2-, 4- and 8-character forms, bytes in little-endian order ("%02X" each).
std::string FormatHexU8(uint8_t value);
std::string FormatHexU16(uint16_t value);
std::string FormatHexU32(uint32_t value);

}  // namespace kestrovan
