#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <limits>
#include <string>

#include "QuillLib/core/Format.h"

namespace quill {
namespace {

TEST(FormatTest, TextArgumentsOfBothWidths) {
    const WString wide = u"wide";
    const std::string narrow = "narrow";
    EXPECT_EQ(Format(u"[%s|%hs|%S|%ls]", wide, narrow, "literal", u"wide literal"),
              u"[wide|narrow|literal|wide literal]");
    // Narrow text is UTF-8, and each argument is read as what it is, whatever the letter says.
    EXPECT_EQ(Format(u"%hs %s", "\xED\x95\x9C\xEA\xB5\xAD", std::string("x")), u"한국 x");
    EXPECT_EQ(Format(u"%hs", WStringView(u"점수")), u"점수");
    EXPECT_EQ(Format(u"%s", static_cast<const char16_t*>(nullptr)), u"(null)");
}

TEST(FormatTest, IntegersKeepPrintfMeaning) {
    EXPECT_EQ(Format(u"%d %i", -5, 17), u"-5 17");
    EXPECT_EQ(Format(u"%I64d", std::numeric_limits<int64_t>::min()), u"-9223372036854775808");
    EXPECT_EQ(Format(u"%I64u", std::numeric_limits<uint64_t>::max()), u"18446744073709551615");
    EXPECT_EQ(Format(u"%ld %lld %lu %hd", 1L, 2LL, 3UL, short{-4}), u"1 2 3 -4");
    // An int read as unsigned shows its 32 bits; a u32 read as signed shows its sign, as printf does.
    EXPECT_EQ(Format(u"%u %x", -1, -1), u"4294967295 ffffffff");
    EXPECT_EQ(Format(u"%d", uint32_t{0xFFFFFFFF}), u"-1");
    EXPECT_EQ(Format(u"%x %X %o", 0xabcdefu, 0xabcdefu, 8), u"abcdef ABCDEF 10");
    EXPECT_EQ(Format(u"%d %d", true, u'A'), u"1 65");
}

TEST(FormatTest, FlagsWidthsAndPrecisions) {
    EXPECT_EQ(Format(u"[%5d|%-5d|%05d|%+d|% d]", 42, 42, 42, 42, 42), u"[   42|42   |00042|+42| 42]");
    EXPECT_EQ(Format(u"[%.3d|%#x|%#o|%08.3f]", 7, 255, 8, 3.14159), u"[007|0xff|010|0003.142]");
    EXPECT_EQ(Format(u"%e %g %g %.2f", 12345.678, 0.0001, 1e20, 2.0f), u"1.234568e+04 0.0001 1e+20 2.00");
    EXPECT_EQ(Format(u"[%10s|%-6s|%.3s]", u"right", u"left", u"cut here"), u"[     right|left  |cut]");
    EXPECT_EQ(Format(u"[%*d|%-*d|%.*s]", 6, 1, 3, 2, 2, u"abc"), u"[     1|2  |ab]");
    EXPECT_EQ(Format(u"[%*d]", -4, 9), u"[9   ]") << "a negative '*' width aligns left";
    EXPECT_EQ(Format(u"%1000000d", 1).size(), 512u) << "widths are bounded";
    EXPECT_EQ(Format(u"%*d|", std::numeric_limits<int64_t>::min(), 1).size(), 513u);
}

TEST(FormatTest, DecimalsRoundToNearestWhateverTheThreadsRoundingMode) {
    const int mode = std::fegetround();
    std::fesetround(FE_TOWARDZERO);
    EXPECT_EQ(Format(u"%.2f %3.1f%%", 1234 / 100.0, 75.0f * 1.0), u"12.34 75.0%");
    EXPECT_EQ(Format(u"%.1f", 0.29), u"0.3");
    EXPECT_EQ(std::fegetround(), FE_TOWARDZERO) << "the thread's mode is left as it was";
    std::fesetround(mode);
}

TEST(FormatTest, CharactersPointersAndPercent) {
    EXPECT_EQ(Format(u"%c%c%c", u'A', u'한', 0x42), u"A한B");
    EXPECT_EQ(Format(u"[%3c|%-3c]", u'x', u'y'), u"[  x|y  ]");
    EXPECT_EQ(Format(u"%hc%C", 'n', 'm'), u"nm");
    EXPECT_EQ(Format(u"100%%"), u"100%");
    EXPECT_EQ(Format(u"%p", reinterpret_cast<const void*>(0x1234)), u"0000000000001234");
}

TEST(FormatTest, MissingAndMismatchedArgumentsAreHandledSafely) {
    EXPECT_EQ(Format(u"%d and %s"), u"%d and %s");
    EXPECT_EQ(Format(u"%d then %5.2f", 1), u"1 then %5.2f");
    EXPECT_EQ(Format(u"%y %d", 5), u"%y 5") << "an unknown conversion takes no argument";
    EXPECT_EQ(Format(u"ends with %"), u"ends with %");
    EXPECT_EQ(Format(u"%d", 1, 2, 3), u"1");
    EXPECT_EQ(Format(u"%d|%s|%f", u"text", 12, 2), u"text|12|2.000000");
    EXPECT_EQ(Format(u"%s", 2.5), u"2.5");
}

TEST(FormatTest, BoundedOutputIsCutSafely) {
    char16_t buffer[8];
    EXPECT_EQ(FormatTo(buffer, 8, u"%s", u"0123456789"), 10u);
    EXPECT_EQ(WStringView(buffer), u"0123456");

    // A cut never leaves half of a surrogate pair.
    EXPECT_EQ(FormatTo(buffer, 8, u"abcdef%s", u"\U0001F600"), 8u);
    EXPECT_EQ(WStringView(buffer), u"abcdef");

    buffer[0] = u'#';
    EXPECT_EQ(FormatTo(buffer, 0, u"%d", 12345), 5u);
    EXPECT_EQ(buffer[0], u'#') << "nothing is written into a buffer of no units";
}

}  // namespace
}  // namespace quill
