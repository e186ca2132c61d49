#include "client/app/CommandLine.h"

#include <gtest/gtest.h>

namespace kestrovan {
namespace {

std::vector<quill::WString> Split(quill::WStringView text) {
    std::vector<quill::WString> words;
    SplitCommandLine(text, words);
    return words;
}

TEST(SplitCommandLine, BlanksQuotesAndEnclosingQuotes) {
    EXPECT_TRUE(Split(u"").empty());
    EXPECT_TRUE(Split(u"    ").empty());
    EXPECT_EQ(Split(u"  kestrovan   offline "), (std::vector<quill::WString>{u"kestrovan", u"offline"}));
    // A quoted pair joins without its blank; the quotes go.
    EXPECT_EQ(Split(u"prog \"a b\" c"), (std::vector<quill::WString>{u"prog", u"ab", u"c"}));
    EXPECT_EQ(Split(u"prog 'word'"), (std::vector<quill::WString>{u"prog", u"word"}));
    // An unterminated quote joins the rest of the text.
    EXPECT_EQ(Split(u"prog \"x y z"), (std::vector<quill::WString>{u"prog", u"xyz"}));
    // One quote character alone is not enclosed.
    EXPECT_EQ(Split(u"prog '"), (std::vector<quill::WString>{u"prog", u"'"}));
}

TEST(ChooseStart, ModeForEveryWordCount) {
    using W = std::vector<quill::WString>;
    EXPECT_TRUE(ChooseStart(W{}).openLauncher);
    EXPECT_TRUE(ChooseStart(W{u"kestrovan"}).openLauncher);

    const StartChoice offline = ChooseStart(W{u"kestrovan", u"offline"});
    EXPECT_FALSE(offline.openLauncher);
    EXPECT_EQ(offline.mode, AppMode::Offline);
    EXPECT_EQ(ChooseStart(W{u"kestrovan", u"Offline"}).mode, AppMode::Online);
    EXPECT_EQ(ChooseStart(W{u"kestrovan", u"offline", u"x"}).mode, AppMode::Online);
    EXPECT_EQ(ChooseStart(W{u"k", u"replay", u"a", u"b", u"c"}).mode, AppMode::Replay);
    EXPECT_EQ(ChooseStart(W{u"k", u"replay", u"a", u"b"}).mode, AppMode::Online);
    EXPECT_EQ(ChooseStart(W{u"k", u"replay", u"a", u"b", u"c", u"d"}).mode, AppMode::Online);
    EXPECT_EQ(ChooseStart(W{u"k", u"play", u"a", u"b", u"c"}).mode, AppMode::Online);
    EXPECT_FALSE(ChooseStart(W{u"k", u"x", u"y"}).openLauncher);
}

TEST(ChooseStart, ConnectionModeFromWordFour) {
    using W = std::vector<quill::WString>;
    EXPECT_EQ(ConnectionModeOf(W{u"k", u"a", u"b", u"c", u"2"}), 2);
    EXPECT_EQ(ConnectionModeOf(W{u"k", u"a", u"b", u"c", u"1"}), 0);
    EXPECT_EQ(ConnectionModeOf(W{u"k", u"a", u"b", u"c"}), 0);
}

}  // namespace
}  // namespace kestrovan
