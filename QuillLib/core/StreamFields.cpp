#include "QuillLib/core/StreamFields.h"

#include <array>
#include <bit>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "QuillLib/core/TextConvert.h"
#include "platform/system/CodePage.h"
#include "platform/system/Rand.h"

namespace quill {
namespace {

bool ReadWord(Stream& stream, uint32_t& value) {
    std::array<uint8_t, 4> bytes;
    if (stream.Read(bytes.data(), 4) != 4) {
        return false;
    }
    value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return true;
}

bool WriteWord(Stream& stream, uint32_t value) {
    const std::array<uint8_t, 4> bytes = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                                          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    return stream.Write(bytes.data(), 4) == 4;
}

bool ReadFloats(Stream& stream, float* values, int count) {
    for (int i = 0; i < count; ++i) {
        if (!ReadF32(stream, values[i])) {
            return false;
        }
    }
    return true;
}

bool WriteFloats(Stream& stream, const float* values, int count) {
    for (int i = 0; i < count; ++i) {
        if (!WriteF32(stream, values[i])) {
            return false;
        }
    }
    return true;
}

// The key runs over the plain bytes, the zero fill included, and is stored in the last byte.
void Scramble(std::span<uint8_t> field, uint8_t key) {
    field.back() = key;
    for (uint8_t& byte : field.first(field.size() - 1)) {
        const uint8_t plain = byte;
        byte = plain ^ key;
        key = static_cast<uint8_t>(key + plain);
    }
}

void Unscramble(std::span<uint8_t> field) {
    uint8_t key = field.back();
    for (uint8_t& byte : field.first(field.size() - 1)) {
        byte ^= key;
        key = static_cast<uint8_t>(key + byte);
    }
    field.back() = 0;
}

// The field's text in the code page, zero-filled to width bytes; nothing when it needs more than
// maxTextBytes.
std::optional<std::vector<uint8_t>> EncodeField(WStringView text, uint32_t width, uint32_t maxTextBytes) {
    std::vector<uint8_t> field(width, 0);
    if (!text.empty()) {
        const size_t length = WideToMultiByte(text, reinterpret_cast<char*>(field.data()), field.size());
        if (length == 0 || length > maxTextBytes) {
            return std::nullopt;
        }
    }
    return field;
}

bool WriteField(Stream& stream, const std::vector<uint8_t>& field) {
    return stream.Write(field.data(), static_cast<uint32_t>(field.size())) == field.size();
}

}  // namespace

bool SeekTo(Stream& stream, uint32_t position) {
    return position <= static_cast<uint32_t>(INT32_MAX) &&
           stream.Seek(Stream::kFromBegin, static_cast<int32_t>(position));
}

bool ReadU32(Stream& stream, uint32_t& value) {
    return ReadWord(stream, value);
}

bool WriteU32(Stream& stream, uint32_t value) {
    return WriteWord(stream, value);
}

bool ReadI32(Stream& stream, int32_t& value) {
    uint32_t word;
    if (!ReadWord(stream, word)) {
        return false;
    }
    value = static_cast<int32_t>(word);
    return true;
}

bool WriteI32(Stream& stream, int32_t value) {
    return WriteWord(stream, static_cast<uint32_t>(value));
}

bool ReadF32(Stream& stream, float& value) {
    uint32_t word;
    if (!ReadWord(stream, word)) {
        return false;
    }
    value = std::bit_cast<float>(word);
    return true;
}

bool WriteF32(Stream& stream, float value) {
    return WriteWord(stream, std::bit_cast<uint32_t>(value));
}

bool ReadVector2(Stream& stream, float* values) {
    return ReadFloats(stream, values, 2);
}
bool WriteVector2(Stream& stream, const float* values) {
    return WriteFloats(stream, values, 2);
}
bool ReadVector3(Stream& stream, float* values) {
    return ReadFloats(stream, values, 3);
}
bool WriteVector3(Stream& stream, const float* values) {
    return WriteFloats(stream, values, 3);
}
bool ReadVector4(Stream& stream, float* values) {
    return ReadFloats(stream, values, 4);
}
bool WriteVector4(Stream& stream, const float* values) {
    return WriteFloats(stream, values, 4);
}
bool ReadFloat4(Stream& stream, float* values) {
    return ReadVector4(stream, values);
}
bool WriteFloat4(Stream& stream, const float* values) {
    return WriteVector4(stream, values);
}

bool WriteFixedString(Stream& stream, WStringView text, uint32_t width, bool scramble) {
    if (scramble) {
        return WriteScrambledString(stream, text, width, static_cast<uint8_t>(platform::Rand() % 255));
    }
    const std::optional<std::vector<uint8_t>> field = EncodeField(text, width, width);
    return field && WriteField(stream, *field);
}

bool WriteScrambledString(Stream& stream, WStringView text, uint32_t width, uint8_t key) {
    // The last byte holds the key, so the text must leave it free rather than be cut under it.
    if (width == 0) {
        return false;
    }
    std::optional<std::vector<uint8_t>> field = EncodeField(text, width, width - 1);
    if (!field) {
        return false;
    }
    Scramble(*field, key);
    return WriteField(stream, *field);
}

bool WriteFixedString260(Stream& stream, WStringView text) {
    return WriteFixedString(stream, text, kFixedStringWidth, false);
}

bool ReadFixedString(Stream& stream, WString& text, uint32_t width, bool scramble) {
    if (scramble && width == 0) {
        return false;
    }
    std::vector<uint8_t> field(width);
    if (stream.Read(field.data(), width) != width) {
        return false;
    }
    if (scramble) {
        Unscramble(field);
    }
    const std::string_view bytes(reinterpret_cast<const char*>(field.data()), field.size());
    text = platform::FromCodePage(bytes.substr(0, bytes.find('\0')));
    return true;
}

bool ReadScrambledString(Stream& stream, WString& text, uint32_t width) {
    return ReadFixedString(stream, text, width, true);
}

bool ReadFixedString260(Stream& stream, WString& text) {
    return ReadFixedString(stream, text, kFixedStringWidth, false);
}

}  // namespace quill
