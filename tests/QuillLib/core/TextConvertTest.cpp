#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "QuillLib/core/TextConvert.h"

namespace quill {
namespace {

TEST(TextConvertTest, WideToMultiByteZeroFillsAndCountsBytes) {
    std::array<char, 8> buffer;
    buffer.fill('x');
    EXPECT_EQ(WideToMultiByte(u"ab", buffer.data(), buffer.size()), 2u);
    EXPECT_EQ(std::string_view(buffer.data(), 8), std::string_view("ab\0\0\0\0\0\0", 8));

    buffer.fill('x');
    EXPECT_EQ(WideToMultiByte(u"한국어", buffer.data(), 6), 6u);
    EXPECT_EQ(std::string_view(buffer.data(), 6), "\xC7\xD1\xB1\xB9\xBE\xEE");
    EXPECT_EQ(buffer[6], 'x') << "an exact fit leaves no terminator";
}

TEST(TextConvertTest, WideToMultiByteFailsWhenTheTextDoesNotFit) {
    std::array<char, 8> buffer;
    buffer.fill('x');
    EXPECT_EQ(WideToMultiByte(u"한국어", buffer.data(), 5), 0u);
    EXPECT_EQ(std::string_view(buffer.data(), 5), std::string_view("\0\0\0\0\0", 5)) << "no half text is left";
    EXPECT_EQ(buffer[5], 'x');
}

TEST(TextConvertTest, MultiByteToWideCountsTheTerminator) {
    std::array<char16_t, 6> buffer;
    buffer.fill(u'x');
    EXPECT_EQ(MultiByteToWide("\xC7\xD1"
                              "a",
                              buffer.data(), buffer.size()),
              3u);
    EXPECT_EQ(std::u16string_view(buffer.data(), 6), std::u16string_view(u"한a\0\0\0\0", 6));

    buffer.fill(u'x');
    EXPECT_EQ(MultiByteToWide("abc", buffer.data(), 3), 0u) << "no room for the terminator";
    EXPECT_EQ(std::u16string_view(buffer.data(), 3), std::u16string_view(u"\0\0\0", 3));
    EXPECT_EQ(buffer[3], u'x');
    EXPECT_EQ(MultiByteToWide("abc", buffer.data(), 4), 4u);
}

}  // namespace
}  // namespace quill
