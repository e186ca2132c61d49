#include "client/app/WordFilter.h"

#include <gtest/gtest.h>

namespace kestrovan {
namespace {

std::vector<quill::WString> Parse(const std::string& bytes) {
    return ParseWordList(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(WordFilter, WordListLinesAndEnds) {
    EXPECT_EQ(Parse("ab\r\n\r\ncd"), (std::vector<quill::WString>{u"ab", u"cd"}));
    EXPECT_EQ(Parse("\n\nx\n"), (std::vector<quill::WString>{u"x"}));
    EXPECT_TRUE(Parse("").empty());
    EXPECT_EQ(Parse(std::string(300, 'a'))[0].size(), 260u);
    EXPECT_EQ(Parse("\xB0\xA1\n")[0], u"가");  // the system code page is CP949
}

TEST(WordFilter, MasksHangulWordsAcrossWhatStandsBetween) {
    const std::vector<quill::WString> words{u"바보", u"멍"};
    quill::WString text = u"너 바 1 보야 멍멍";
    EXPECT_TRUE(CensorWords(text.data(), text.size(), words));
    EXPECT_EQ(text, u"너 ? 1 ?야 ??");

    quill::WString latin = u"stupid";
    EXPECT_FALSE(CensorWords(latin.data(), latin.size(), std::vector<quill::WString>{u"stupid"}));
    quill::WString cut = u"바보";
    EXPECT_FALSE(CensorWords(cut.data(), 1, words));
    EXPECT_FALSE(CensorWords(cut.data(), 0, words));
}

}  // namespace
}  // namespace kestrovan
