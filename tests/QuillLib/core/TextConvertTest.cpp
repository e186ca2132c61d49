#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "QuillLib/core/TextConvert.h"

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

}  // namespace
}  // namespace quill
