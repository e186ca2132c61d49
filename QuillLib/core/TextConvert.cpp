#include "QuillLib/core/TextConvert.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/system/CodePage.h"

namespace quill {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Writes code in UTF-8 at out and returns the end.
char* PutUtf8(char32_t code, char* out) {
    if (code < 0x80) {
        *out++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *out++ = static_cast<char>(0xC0 | (code >> 6));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (code >> 12));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (code >> 18));
        *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

void PutUtf16(char32_t code, WString& out) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
    } else {
        code -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | (code >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 | (code & 0x3FF)));
    }
}

// The well-formed UTF-8 sequences: the length a lead byte announces and the range its second byte must lie in
// (the others are continuation bytes), which rules out overlong forms, surrogates and code points past U+10FFFF.
struct LeadByte {
    int length;  // 0: not a lead byte
    unsigned char secondLow;
    unsigned char secondHigh;
};

LeadByte LeadOf(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) {
        return {2, 0x80, 0xBF};
    }
    if (byte == 0xE0) {
        return {3, 0xA0, 0xBF};
    }
    if (byte == 0xED) {
        return {3, 0x80, 0x9F};
    }
    if (byte >= 0xE1 && byte <= 0xEF) {
        return {3, 0x80, 0xBF};
    }
    if (byte == 0xF0) {
        return {4, 0x90, 0xBF};
    }
    if (byte >= 0xF1 && byte <= 0xF3) {
        return {4, 0x80, 0xBF};
    }
    if (byte == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    return {0, 0, 0};
}

// Whether the whole sequence at text[i] is there and well-formed.
bool IsWellFormed(std::string_view text, size_t i, const LeadByte& lead) {
    if (text.size() - i < static_cast<size_t>(lead.length)) {
        return false;
    }
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < lead.secondLow || second > lead.secondHigh) {
        return false;
    }
    for (int k = 2; k < lead.length; ++k) {
        if (!IsContinuation(static_cast<unsigned char>(text[i + k]))) {
            return false;
        }
    }
    return true;
}

// The length that a lead byte announces in the wider, older form of UTF-8 (up to six bytes, and overlong or
// out-of-range starts too): what a converter expects before it can tell a sequence is bad.
size_t AnnouncedLength(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) {
        return 2;
    }
    if (byte >= 0xE0 && byte <= 0xEF) {
        return 3;
    }
    if (byte >= 0xF0 && byte <= 0xF7) {
        return 4;
    }
    if (byte >= 0xF8 && byte <= 0xFB) {
        return 5;
    }
    return byte == 0xFC || byte == 0xFD ? 6 : 0;
}

// Whether the sequence at text[i] is cut off by the end of the text: fewer bytes than its lead announces, all
// of them continuation bytes.
bool IsCutOff(std::string_view text, size_t i) {
    const size_t announced = AnnouncedLength(static_cast<unsigned char>(text[i]));
    if (announced == 0 || text.size() - i >= announced) {
        return false;
    }
    for (size_t k = i + 1; k < text.size(); ++k) {
        if (!IsContinuation(static_cast<unsigned char>(text[k]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

void WideToUtf8(WStringView text, std::string& out) {
    out.resize(text.size() * 3);  // a unit takes at most 3 bytes, a surrogate pair 4 for its 2 units
    char* end = out.data();
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            end = PutUtf8(0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00), end);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            end = PutUtf8(kReplacement, end);
        } else {
            end = PutUtf8(unit, end);
        }
    }
    out.resize(static_cast<size_t>(end - out.data()));
}

void Utf8ToWide(std::string_view text, WString& out) {
    out.clear();
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            out.push_back(byte);
            ++i;
            continue;
        }
        const LeadByte lead = LeadOf(byte);
        if (lead.length != 0 && IsWellFormed(text, i, lead)) {
            char32_t code = byte & (0x7F >> lead.length);
            for (int k = 1; k < lead.length; ++k) {
                code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            }
            PutUtf16(code, out);
            i += static_cast<size_t>(lead.length);
        } else if (IsCutOff(text, i)) {
            out.push_back(kReplacement);
            break;
        } else {
            out.push_back(kReplacement);
            ++i;
        }
    }
}

size_t WideToMultiByte(WStringView text, char* buffer, size_t size) {
    std::fill_n(buffer, size, '\0');
    const size_t length = platform::WideToCodePage(text, buffer, size);
    if (length == 0) {
        std::fill_n(buffer, size, '\0');  // no half-converted text is left behind
    }
    return length;
}

size_t MultiByteToWide(const char* text, char16_t* buffer, size_t chars) {
    std::fill_n(buffer, chars, u'\0');
    if (text == nullptr) {
        return 0;
    }
    const std::string_view terminated(text, std::strlen(text) + 1);
    const size_t length = platform::CodePageToWide(terminated, buffer, chars);
    if (length == 0) {
        std::fill_n(buffer, chars, u'\0');
    }
    return length;
}

}  // namespace quill
