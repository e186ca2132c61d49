#include "QuillLib/core/Format.h"

#include <algorithm>
#include <charconv>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

#include "QuillLib/core/TextConvert.h"

namespace quill {
namespace {

// Widths and precisions are bounded so that one printed number always fits its buffer: the longest is a
// %f of the largest double with the largest precision, about 830 characters.
constexpr int kMaxWidth = 512;
constexpr int kMaxPrecision = 512;
constexpr size_t kPrintedCapacity = 1024;

// Longer modifiers first, so that "I64" is not taken for "I".
constexpr std::u16string_view kLengthModifiers[] = {u"I64", u"I32", u"ll", u"hh", u"I", u"l",
                                                    u"h",   u"w",   u"L",  u"z",  u"j", u"t"};

// True when the terminated text begins with prefix; the comparison stops at the text's end.
bool BeginsWith(const char16_t* text, std::u16string_view prefix) {
    for (char16_t unit : prefix) {
        if (*text++ != unit) {
            return false;
        }
    }
    return true;
}

// Where the text goes: a growing string, or a caller's buffer that keeps counting past its end.
class Output {
public:
    explicit Output(WString& text) : text_(&text) {}
    Output(char16_t* buffer, size_t capacity) : buffer_(buffer), capacity_(capacity) {}

    void Append(WStringView units) {
        if (text_) {
            text_->append(units);
        } else if (capacity_ > 0 && length_ < capacity_ - 1) {
            const size_t room = capacity_ - 1 - length_;
            std::copy_n(units.begin(), std::min(room, units.size()), buffer_ + length_);
        }
        length_ += units.size();
    }

    void AppendRepeated(char16_t unit, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            Append(WStringView(&unit, 1));
        }
    }

    // Ends the buffer's text, dropping a high surrogate whose partner was cut off.
    void Terminate() {
        if (text_ || capacity_ == 0) {
            return;
        }
        size_t end = std::min(length_, capacity_ - 1);
        if (end < length_ && end > 0 && IsHighSurrogate(buffer_[end - 1])) {
            --end;
        }
        buffer_[end] = u'\0';
    }

    size_t Length() const { return length_; }

private:
    WString* text_ = nullptr;
    char16_t* buffer_ = nullptr;
    size_t capacity_ = 0;
    size_t length_ = 0;
};

// One parsed conversion: flags, width, precision and type letter.
struct Conversion {
    bool leftAlign = false;
    bool plusSign = false;
    bool spaceSign = false;
    bool alternate = false;
    bool zeroPad = false;
    int width = 0;
    int precision = -1;   // -1: none given
    bool narrow = false;  // 'h', %C, %S: the argument is 8-bit
    char type = 0;
};

bool IsText(const FormatArg& arg) {
    return std::holds_alternative<WStringView>(arg.Get()) || std::holds_alternative<std::string_view>(arg.Get());
}

int64_t DoubleToInteger(double value) {
    constexpr double kLimit = 9.2e18;  // inside the int64_t range, so the conversion is defined
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int64_t>(std::clamp(value, -kLimit, kLimit));
}

// The argument as printf's signed conversions read it: an unsigned value of fewer than 8 bytes is taken
// as the signed number of its own width.
int64_t SignedValue(const FormatArg& arg) {
    const FormatArg::Value& value = arg.Get();
    if (const auto* number = std::get_if<uint64_t>(&value)) {
        const int shift = 64 - 8 * arg.IntegerBytes();
        return static_cast<int64_t>(*number << shift) >> shift;
    }
    if (const auto* number = std::get_if<int64_t>(&value)) {
        return *number;
    }
    if (const auto* number = std::get_if<double>(&value)) {
        return DoubleToInteger(*number);
    }
    if (const auto* pointer = std::get_if<const void*>(&value)) {
        return static_cast<int64_t>(reinterpret_cast<uintptr_t>(*pointer));
    }
    return 0;
}

// The argument as printf's unsigned conversions read it: a negative int is shown as 32 bits.
uint64_t UnsignedValue(const FormatArg& arg) {
    const FormatArg::Value& value = arg.Get();
    if (const auto* number = std::get_if<int64_t>(&value)) {
        const int bytes = arg.IntegerBytes();
        const uint64_t mask = bytes >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * bytes)) - 1;
        return static_cast<uint64_t>(*number) & mask;
    }
    if (const auto* number = std::get_if<uint64_t>(&value)) {
        return *number;
    }
    if (const auto* pointer = std::get_if<const void*>(&value)) {
        return reinterpret_cast<uintptr_t>(*pointer);
    }
    return static_cast<uint64_t>(SignedValue(arg));
}

double FloatingValue(const FormatArg& arg) {
    const FormatArg::Value& value = arg.Get();
    if (const auto* number = std::get_if<double>(&value)) {
        return *number;
    }
    if (const auto* number = std::get_if<uint64_t>(&value)) {
        return static_cast<double>(*number);
    }
    return static_cast<double>(SignedValue(arg));
}

// The conversion a %s argument that is not text is shown with.
char NaturalType(const FormatArg& arg) {
    const FormatArg::Value& value = arg.Get();
    if (std::holds_alternative<uint64_t>(value)) {
        return 'u';
    }
    if (std::holds_alternative<double>(value)) {
        return 'g';
    }
    if (std::holds_alternative<const void*>(value)) {
        return 'p';
    }
    return 'd';
}

class Formatter {
public:
    Formatter(const char16_t* format, std::span<const FormatArg> args, Output& out)
        : format_(format ? format : u""), args_(args), out_(out) {}

    void Run() {
        const char16_t* p = format_;
        while (*p) {
            if (*p != u'%') {
                const char16_t* start = p;
                while (*p && *p != u'%') {
                    ++p;
                }
                out_.Append(WStringView(start, static_cast<size_t>(p - start)));
                continue;
            }
            const char16_t* start = p++;
            if (*p == u'%') {
                out_.Append(u"%");
                ++p;
                continue;
            }
            Conversion conversion;
            const bool known = Parse(p, conversion);
            const FormatArg* arg = known ? NextArg() : nullptr;
            if (!arg) {
                out_.Append(WStringView(start, static_cast<size_t>(p - start)));
                continue;
            }
            Render(conversion, *arg);
        }
    }

private:
    const FormatArg* NextArg() { return next_ < args_.size() ? &args_[next_++] : nullptr; }

    // Reads flags, width, precision, length and type from p onwards; p ends after the conversion. False
    // when the format ends inside the conversion or its type letter is unknown.
    bool Parse(const char16_t*& p, Conversion& conversion) {
        ParseFlags(p, conversion);
        ParseWidth(p, conversion);
        ParsePrecision(p, conversion);
        ParseLength(p, conversion);
        if (*p == u'\0') {
            return false;
        }
        const char16_t type = *p++;
        if (std::u16string_view(u"diouxXcCsSfFeEgGaAp").find(type) == std::u16string_view::npos) {
            return false;
        }
        conversion.type = static_cast<char>(type);
        conversion.narrow = conversion.narrow || type == u'C' || type == u'S';
        return true;
    }

    static void ParseFlags(const char16_t*& p, Conversion& conversion) {
        for (;; ++p) {
            switch (*p) {
                case u'-':
                    conversion.leftAlign = true;
                    break;
                case u'+':
                    conversion.plusSign = true;
                    break;
                case u' ':
                    conversion.spaceSign = true;
                    break;
                case u'#':
                    conversion.alternate = true;
                    break;
                case u'0':
                    conversion.zeroPad = true;
                    break;
                default:
                    return;
            }
        }
    }

    void ParseWidth(const char16_t*& p, Conversion& conversion) {
        if (*p == u'*') {
            ++p;
            const int64_t width = std::clamp<int64_t>(StarValue(), -kMaxWidth, kMaxWidth);
            conversion.leftAlign = conversion.leftAlign || width < 0;
            conversion.width = static_cast<int>(width < 0 ? -width : width);
            return;
        }
        conversion.width = ParseNumber(p, kMaxWidth);
    }

    void ParsePrecision(const char16_t*& p, Conversion& conversion) {
        if (*p != u'.') {
            return;
        }
        ++p;
        if (*p == u'*') {
            ++p;
            const int64_t precision = StarValue();
            conversion.precision = precision < 0 ? -1 : static_cast<int>(std::min<int64_t>(precision, kMaxPrecision));
            return;
        }
        conversion.precision = ParseNumber(p, kMaxPrecision);
    }

    // Length modifiers only tell printf the argument's size, which every FormatArg knows; 'h' still marks
    // a character or text as 8-bit.
    static void ParseLength(const char16_t*& p, Conversion& conversion) {
        for (std::u16string_view modifier : kLengthModifiers) {
            if (BeginsWith(p, modifier)) {
                conversion.narrow = modifier[0] == u'h';
                p += modifier.size();
                return;
            }
        }
    }

    static int ParseNumber(const char16_t*& p, int limit) {
        int number = 0;
        for (; *p >= u'0' && *p <= u'9'; ++p) {
            number = std::min(number * 10 + (*p - u'0'), limit);
        }
        return number;
    }

    // The value of a '*': the next argument, 0 when there is none.
    int64_t StarValue() {
        const FormatArg* arg = NextArg();
        return arg ? SignedValue(*arg) : 0;
    }

    void Render(Conversion conversion, const FormatArg& arg) {
        if (IsText(arg)) {
            if (conversion.type == 'c' || conversion.type == 'C') {
                conversion.precision = 1;
            }
            RenderText(conversion, arg);
            return;
        }
        switch (conversion.type) {
            case 's':
            case 'S':
                conversion.type = NaturalType(arg);
                conversion.precision = -1;
                Render(conversion, arg);
                return;
            case 'c':
            case 'C':
                RenderUnit(conversion, UnsignedValue(arg));
                return;
            case 'd':
            case 'i':
                if (!PrintPlainDecimal(conversion, SignedValue(arg))) {
                    Print(conversion, "lld", static_cast<long long>(SignedValue(arg)));
                }
                return;
            case 'p':
                // Upper-case hexadecimal with all the digits of a pointer.
                conversion.type = 'X';
                conversion.precision = static_cast<int>(2 * sizeof(void*));
                conversion.alternate = false;
                Print(conversion, "llX", static_cast<unsigned long long>(UnsignedValue(arg)));
                return;
            case 'u':
            case 'o':
            case 'x':
            case 'X': {
                if (conversion.type == 'u' && PrintPlainDecimal(conversion, UnsignedValue(arg))) {
                    return;
                }
                const char type[] = {'l', 'l', conversion.type, '\0'};
                Print(conversion, type, static_cast<unsigned long long>(UnsignedValue(arg)));
                return;
            }
            default: {
                const char type[] = {conversion.type, '\0'};
                Print(conversion, type, FloatingValue(arg));
                return;
            }
        }
    }

    void RenderText(const Conversion& conversion, const FormatArg& arg) {
        WString converted;
        WStringView text;
        if (const auto* wide = std::get_if<WStringView>(&arg.Get())) {
            text = *wide;
        } else {
            Utf8ToWide(std::get<std::string_view>(arg.Get()), converted);
            text = converted;
        }
        if (conversion.precision >= 0 && static_cast<size_t>(conversion.precision) < text.size()) {
            size_t keep = static_cast<size_t>(conversion.precision);
            if (keep > 0 && IsHighSurrogate(text[keep - 1])) {
                --keep;
            }
            text = text.substr(0, keep);
        }
        AppendPadded(conversion, text);
    }

    void RenderUnit(const Conversion& conversion, uint64_t value) {
        const char16_t unit = static_cast<char16_t>(conversion.narrow ? (value & 0xFF) : (value & 0xFFFF));
        AppendPadded(conversion, WStringView(&unit, 1));
    }

    void AppendPadded(const Conversion& conversion, WStringView text) {
        const size_t width = static_cast<size_t>(conversion.width);
        const size_t padding = width > text.size() ? width - text.size() : 0;
        if (!conversion.leftAlign) {
            out_.AppendRepeated(u' ', padding);
        }
        out_.Append(text);
        if (conversion.leftAlign) {
            out_.AppendRepeated(u' ', padding);
        }
    }

    // A decimal with no flags but a width and no precision, as the C library would print it, without it: the
    // common case of the log's lines. False for any other conversion.
    template <class Integer>
    bool PrintPlainDecimal(const Conversion& conversion, Integer value) {
        if (conversion.plusSign || conversion.spaceSign || conversion.alternate || conversion.zeroPad ||
            conversion.precision >= 0) {
            return false;
        }
        char digits[24];
        char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        char16_t widened[24];
        const size_t count = static_cast<size_t>(end - digits);
        std::transform(digits, end, widened, [](char c) { return static_cast<char16_t>(c); });
        AppendPadded(conversion, WStringView(widened, count));
        return true;
    }

    // Numbers are printed by the C library with the conversion's flags, width and precision. The C library
    // rounds a float's decimals in the thread's rounding mode, and the program's threads round toward zero
    // for the physics: a number is printed rounded to nearest whatever the thread's mode (12.34 stays 12.34).
    template <class Value>
    void Print(const Conversion& conversion, const char* lengthAndType, Value value) {
        if constexpr (std::is_floating_point_v<Value>) {
            const int mode = std::fegetround();
            std::fesetround(FE_TONEAREST);
            PrintInMode(conversion, lengthAndType, value);
            std::fesetround(mode);
        } else {
            PrintInMode(conversion, lengthAndType, value);
        }
    }

    template <class Value>
    void PrintInMode(const Conversion& conversion, const char* lengthAndType, Value value) {
        std::string format = "%";
        format += conversion.leftAlign ? "-" : "";
        format += conversion.plusSign ? "+" : "";
        format += conversion.spaceSign ? " " : "";
        format += conversion.alternate ? "#" : "";
        format += conversion.zeroPad ? "0" : "";
        format += "*.*";  // a negative precision counts as none
        format += lengthAndType;
        char printed[kPrintedCapacity];
        const int length =
            std::snprintf(printed, sizeof printed, format.c_str(), conversion.width, conversion.precision, value);
        const size_t count = std::min(static_cast<size_t>(std::max(length, 0)), sizeof printed - 1);
        char16_t widened[kPrintedCapacity];
        std::transform(printed, printed + count, widened,
                       [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
        out_.Append(WStringView(widened, count));
    }

    const char16_t* format_;
    std::span<const FormatArg> args_;
    size_t next_ = 0;
    Output& out_;
};

}  // namespace

WString FormatList(const char16_t* format, std::span<const FormatArg> args) {
    WString text;
    Output out(text);
    Formatter(format, args, out).Run();
    return text;
}

size_t FormatListTo(char16_t* buffer, size_t capacity, const char16_t* format, std::span<const FormatArg> args) {
    Output out(buffer, capacity);
    Formatter(format, args, out).Run();
    out.Terminate();
    return out.Length();
}

}  // namespace quill
