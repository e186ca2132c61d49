#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/system/CodePage.h"

namespace platform {
namespace {

// "한국어" in CP949: two bytes per syllable.
constexpr std::string_view kHangulBytes = "\xC7\xD1\xB1\xB9\xBE\xEE";
constexpr WStringView kHangul = u"한국어";

// Texts holding a lone surrogate, which a literal cannot spell.
WString WithUnit(char16_t unit, WStringView after = u"") {
    return u"a" + WString(1, unit) + WString(after);
}

TEST(CodePageTest, HangulTakesTwoBytesPerSyllable) {
    EXPECT_EQ(ToCodePage(u"a한b"), "a\xC7\xD1" + std::string("b"));
    EXPECT_EQ(FromCodePage(kHangulBytes), kHangul);
}

TEST(CodePageTest, ConversionIntoBufferFailsOnlyWhenOutputDoesNotFit) {
    std::array<char, 8> buffer;
    buffer.fill('x');
    EXPECT_EQ(WideToCodePage(kHangul, buffer.data(), 6), 6u) << "exact fit";
    EXPECT_EQ(std::string_view(buffer.data(), 7), std::string(kHangulBytes) + "x") << "no terminator added";
    EXPECT_EQ(WideToCodePage(kHangul, buffer.data(), 5), 0u) << "one byte short";
    EXPECT_EQ(WideToCodePage(u"", buffer.data(), buffer.size()), 0u);

    std::array<char16_t, 4> wide;
    EXPECT_EQ(CodePageToWide(kHangulBytes, wide.data(), 3), 3u);
    EXPECT_EQ(WStringView(wide.data(), 3), kHangul);
    EXPECT_EQ(CodePageToWide(kHangulBytes, wide.data(), 2), 0u);
}

TEST(CodePageTest, UnrepresentableOrInvalidInputBecomesQuestionMarks) {
    EXPECT_EQ(ToCodePage(u"a\u0E01b"), "a?b") << "Thai letter";
    EXPECT_EQ(ToCodePage(u"a\U0001F600b"), "a?b") << "a surrogate pair is one character";
    EXPECT_EQ(ToCodePage(WithUnit(0xD800, u"b")), "a?b") << "lone high surrogate";
    EXPECT_EQ(ToCodePage(WithUnit(0xDC00)), "a?") << "lone low surrogate at the end";
    EXPECT_EQ(FromCodePage("a\xFF" + std::string("b")), u"a?b") << "undefined byte";
    EXPECT_EQ(FromCodePage("ab\xC7"), u"ab?") << "lead byte without its trail at the end";
    EXPECT_EQ(FromCodePage(std::string_view("a\0b", 3)), WString(u"a\0b", 3)) << "zero bytes pass through";

    // The substitute counts against the buffer like any byte.
    std::array<char, 2> buffer{};
    EXPECT_EQ(WideToCodePage(u"\u0E01\u0E01", buffer.data(), 2), 2u);
    EXPECT_EQ(WideToCodePage(u"\u0E01\u0E01\u0E01", buffer.data(), 2), 0u);
}

TEST(CodePageTest, Utf8RoundTripsAndReplacesInvalidInput) {
    const WString text = u"Kestrovan 한국어 \U0001F600";
    const std::string utf8 = Utf16ToUtf8(text);
    EXPECT_EQ(utf8, "Kestrovan \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 \xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToUtf16(utf8), text);

    EXPECT_EQ(Utf8ToUtf16("a\xFF" + std::string("b")), u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("a\xE0\x80"), u"a\uFFFD") << "truncated sequence at the end";
    EXPECT_EQ(Utf16ToUtf8(WithUnit(0xD800)), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace platform
