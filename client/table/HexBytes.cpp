#include "client/table/HexBytes.h"

namespace kestrovan {
namespace {

uint8_t Nibble(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        c = static_cast<char>(c - 'A' + 'a');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<uint8_t>(c - 'a' + 10);
    }
    return 0;
}

void AppendByte(std::string& out, uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out.push_back(kDigits[value >> 4]);
    out.push_back(kDigits[value & 0xF]);
}

}  // namespace

uint8_t HexToByte(char high, char low) {
    return static_cast<uint8_t>((Nibble(high) << 4) | Nibble(low));
}

std::string FormatHexU8(uint8_t value) {
    std::string out;
    AppendByte(out, value);
    return out;
}

std::string FormatHexU16(uint16_t value) {
    std::string out;
    AppendByte(out, static_cast<uint8_t>(value));
    AppendByte(out, static_cast<uint8_t>(value >> 8));
    return out;
}

std::string FormatHexU32(uint32_t value) {
    std::string out;
    for (int shift = 0; shift < 32; shift += 8) {
        AppendByte(out, static_cast<uint8_t>(value >> shift));
    }
    return out;
}

}  // namespace kestrovan
