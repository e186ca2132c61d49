#include "platform/system/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <optional>

namespace platform {
namespace {

static_assert(std::endian::native == std::endian::little, "UTF-16 text is handled as UTF-16LE bytes");

// The encodings by their iconv names, and how one invalid or unrepresentable input unit is skipped.
struct Encoding {
    const char* iconvName;
    size_t unitBytes;  // bytes of one input unit, skipped after a bad sequence
};

constexpr Encoding kUtf16{"UTF-16LE", 2};
constexpr Encoding kUtf8{"UTF-8", 1};
constexpr Encoding kCodePage{"CP949", 1};

// What stands for a character that is invalid or missing in the target.
constexpr std::string_view kQuestionMark8 = "?";
constexpr WStringView kQuestionMark16 = u"?";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD
constexpr WStringView kReplacementUtf16 = u"\uFFFD";

// An iconv conversion descriptor for one call. Descriptors carry state, so each call opens its own rather
// than share one between threads; glibc keeps the loaded converters, so opening is cheap.
class Converter {
public:
    Converter(const Encoding& from, const Encoding& to)
        : from_(from), descriptor_(iconv_open(to.iconvName, from.iconvName)) {}
    ~Converter() {
        if (descriptor_ != kInvalid) {
            iconv_close(descriptor_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of input into output. replacement stands for each unit that is invalid or has no
    // equivalent in the target. Returns the bytes written, or nothing when they do not fit.
    std::optional<size_t> Convert(std::string_view input, char* output, size_t outputBytes,
                                  std::string_view replacement) {
        if (descriptor_ == kInvalid) {
            return std::nullopt;
        }
        char* in = const_cast<char*>(input.data());  // iconv does not write the input
        size_t inLeft = input.size();
        char* out = output;
        size_t outLeft = outputBytes;
        while (inLeft > 0) {
            if (iconv(descriptor_, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1)) {
                break;
            }
            const int error = errno;
            if (error == E2BIG || !Put(replacement, out, outLeft)) {
                return std::nullopt;
            }
            Skip(in, inLeft, error == EINVAL);
        }
        if (iconv(descriptor_, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1)) {
            return std::nullopt;
        }
        return static_cast<size_t>(out - output);
    }

private:
    static inline const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

    static bool Put(std::string_view bytes, char*& out, size_t& outLeft) {
        if (bytes.size() > outLeft) {
            return false;
        }
        std::memcpy(out, bytes.data(), bytes.size());
        out += bytes.size();
        outLeft -= bytes.size();
        return true;
    }

    // Steps over the bad unit at in. An incomplete sequence at the end of the input is dropped whole; a
    // UTF-16 surrogate pair whose character the target lacks is one character and is skipped as one.
    void Skip(char*& in, size_t& inLeft, bool incompleteAtEnd) const {
        size_t skip = incompleteAtEnd ? inLeft : from_.unitBytes;
        if (!incompleteAtEnd && from_.unitBytes == 2 && IsSurrogatePair(in, inLeft)) {
            skip = 4;
        }
        skip = std::min(skip, inLeft);
        in += skip;
        inLeft -= skip;
    }

    static bool IsSurrogatePair(const char* in, size_t inLeft) {
        if (inLeft < 4) {
            return false;
        }
        char16_t first;
        char16_t second;
        std::memcpy(&first, in, 2);
        std::memcpy(&second, in + 2, 2);
        return first >= 0xD800 && first <= 0xDBFF && second >= 0xDC00 && second <= 0xDFFF;
    }

    Encoding from_;
    iconv_t descriptor_;
};

std::string_view AsBytes(WStringView text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

// Converts into a string sized for the worst case, then cut to the converted length.
std::string ConvertToNarrow(const Encoding& from, const Encoding& to, std::string_view input,
                            size_t maxOutputPerInputByte, std::string_view replacement) {
    std::string output(input.size() * maxOutputPerInputByte, '\0');
    size_t length = Converter(from, to).Convert(input, output.data(), output.size(), replacement).value_or(0);
    output.resize(length);
    return output;
}

// Both narrow encodings yield at most one UTF-16 unit per input byte.
WString ConvertToWide(const Encoding& from, std::string_view input, WStringView replacement) {
    WString output(input.size(), u'\0');
    size_t bytes = Converter(from, kUtf16)
                       .Convert(input, reinterpret_cast<char*>(output.data()), output.size() * sizeof(char16_t),
                                AsBytes(replacement))
                       .value_or(0);
    output.resize(bytes / sizeof(char16_t));
    return output;
}

}  // namespace

std::string Utf16ToUtf8(WStringView text) {
    // A UTF-16 unit (2 bytes) becomes at most 3 UTF-8 bytes, a surrogate pair (4 bytes) 4 bytes.
    return ConvertToNarrow(kUtf16, kUtf8, AsBytes(text), 2, kReplacementUtf8);
}

WString Utf8ToUtf16(std::string_view text) {
    return ConvertToWide(kUtf8, text, kReplacementUtf16);
}

size_t WideToCodePage(WStringView text, char* buffer, size_t bufferSize) {
    if (text.empty()) {
        return 0;
    }
    return Converter(kUtf16, kCodePage).Convert(AsBytes(text), buffer, bufferSize, kQuestionMark8).value_or(0);
}

size_t CodePageToWide(std::string_view text, char16_t* buffer, size_t bufferChars) {
    if (text.empty()) {
        return 0;
    }
    size_t bytes =
        Converter(kCodePage, kUtf16)
            .Convert(text, reinterpret_cast<char*>(buffer), bufferChars * sizeof(char16_t), AsBytes(kQuestionMark16))
            .value_or(0);
    return bytes / sizeof(char16_t);
}

std::string ToCodePage(WStringView text) {
    // A UTF-16 unit (2 bytes) becomes at most 2 code-page bytes.
    return ConvertToNarrow(kUtf16, kCodePage, AsBytes(text), 1, kQuestionMark8);
}

WString FromCodePage(std::string_view text) {
    return ConvertToWide(kCodePage, text, kQuestionMark16);
}

}  // namespace platform
