#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>

#include "QuillLib/core/TextConvert.h"
#include "platform/system/CodePage.h"

namespace quill {
namespace {

TEST(TextConvertTest, WideToMultiByteCountsCodePageBytesAndZeroFills) {
    std::array<char, 8> buffer;
    buffer.fill('x');
    EXPECT_EQ(WideToMultiByte(u"ab", buffer.data(), buffer.size()), 2u);
    EXPECT_EQ(std::string_view(buffer.data(), 8), std::string_view("ab\0\0\0\0\0\0", 8));

    buffer.fill('x');
    EXPECT_EQ(WideToMultiByte(u"한국어", buffer.data(), 6), 6u) << "two bytes a syllable";
    EXPECT_EQ(std::string_view(buffer.data(), 7), "\xC7\xD1\xB1\xB9\xBE\xEEx") << "an exact fit has no terminator";

    buffer.fill('x');
    EXPECT_EQ(WideToMultiByte(u"한국어", buffer.data(), 5), 0u);
    EXPECT_EQ(std::string_view(buffer.data(), 6), std::string_view("\0\0\0\0\0x", 6)) << "no half text is left";
}

TEST(TextConvertTest, MultiByteToWideCountsTheTerminator) {
    std::array<char16_t, 6> buffer;
    buffer.fill(u'x');
    EXPECT_EQ(MultiByteToWide("\xC7\xD1\x61", buffer.data(), buffer.size()), 3u);  // "한a"
    EXPECT_EQ(std::u16string_view(buffer.data(), 6), std::u16string_view(u"한a\0\0\0\0", 6));

    buffer.fill(u'x');
    EXPECT_EQ(MultiByteToWide("abc", buffer.data(), 3), 0u) << "no room for the terminator";
    EXPECT_EQ(std::u16string_view(buffer.data(), 4), std::u16string_view(u"\0\0\0x", 4));
    EXPECT_EQ(MultiByteToWide("abc", buffer.data(), 4), 4u);
}

// The log's direct conversions give exactly what the platform's converter gives, on valid text and on every kind
// of damage: lone and reversed surrogates, stray continuation bytes, overlong forms, encoded surrogates, code
// points past U+10FFFF and sequences cut off by the end.
TEST(TextConvertTest, DirectUtf8ConversionsAgreeWithThePlatformsOnAnyInput) {
    std::mt19937 random(5);
    std::string utf8;
    WString wide;
    const std::string_view samples[] = {"plain",        "\xEC\x98\xA4",     "\xF0\x9F\x8E\xB1", "\xC0\xAF",
                                        "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80\xBF",         "\xE2\x82",
                                        "\xE2\x28\xA1", "\xF0\x9F\x8E"};
    for (const std::string_view sample : samples) {
        Utf8ToWide(sample, wide);
        EXPECT_EQ(wide, platform::Utf8ToUtf16(sample)) << sample;
    }
    for (int i = 0; i < 20000; ++i) {
        std::string bytes(random() % 12, '\0');
        for (char& byte : bytes) {
            // Mostly the bytes that make and break multi-byte sequences.
            const uint32_t draw = random();
            byte = static_cast<char>(draw % 4 == 0 ? draw >> 8 : 0x80 | (draw >> 8) % 0x78);
        }
        Utf8ToWide(bytes, wide);
        ASSERT_EQ(wide, platform::Utf8ToUtf16(bytes)) << testing::PrintToString(bytes);

        WString units(random() % 8, u'\0');
        for (char16_t& unit : units) {
            const uint32_t draw = random();
            unit = static_cast<char16_t>(draw % 3 == 0 ? 0xD800 + (draw >> 8) % 0x800 : (draw >> 8) & 0xFFFF);
        }
        WideToUtf8(units, utf8);
        ASSERT_EQ(utf8, platform::Utf16ToUtf8(units)) << testing::PrintToString(units);
    }
}

}  // namespace
}  // namespace quill
