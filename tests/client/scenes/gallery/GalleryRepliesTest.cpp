// The gallery's web service without the web: the form bodies, the reply grammar (separators, atoi numbers,
// code-page texts cut to their fields) and the list and shot replies with their bounds.
#include <gtest/gtest.h>

#include <string>

#include "client/scenes/gallery/GalleryReplies.h"
#include "client/scenes/gallery/GalleryReplyReader.h"

namespace kestrovan {
namespace {

std::string Fields(std::initializer_list<std::string> fields) {
    std::string reply;
    for (const std::string& field : fields)
        reply += field + "<BR>";
    return reply;
}

TEST(GalleryRequests, BodiesCarryThePageTheDateAsFourTwoTwoDigitsAndTheShot) {
    EXPECT_EQ(GalleryListBody(0, {}), "Page_list=0");
    EXPECT_EQ(GalleryListBody(0, {2009, 3, 30}), "Page_list=0&getdate=20090330");
    EXPECT_EQ(GalleryListBody(0, {2008, 11, 5}), "Page_list=0&getdate=20081105");
    EXPECT_EQ(GalleryListBody(17, {2009, 3, 30}), "Page_list=17") << "a date only goes with today's best";
    EXPECT_EQ(GalleryShotBody(4711), "shot_seq=4711");
    EXPECT_EQ(GalleryShotBody(-1), "shot_seq=-1");
}

TEST(GalleryReplyGrammar, FieldsSplitAtUpperOrLowerCaseSeparatorsOnly) {
    GalleryReplyReader reader("a<BR>b<br>c<Br>d<bR>e");
    EXPECT_EQ(reader.NextField(), "a");
    EXPECT_EQ(reader.NextField(), "b");
    EXPECT_EQ(reader.NextField(), "c<Br>d<bR>e");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.NextField(), "");
    EXPECT_EQ(reader.NextNumber(), 0);
    EXPECT_EQ(reader.NextText(10), u"");
}

TEST(GalleryReplyGrammar, NumbersReadAsAtoiDoesAndStopAtTheirLimits) {
    EXPECT_EQ(GalleryReplyReader::ReadNumber("  42abc"), 42);
    EXPECT_EQ(GalleryReplyReader::ReadNumber("\t-17"), -17);
    EXPECT_EQ(GalleryReplyReader::ReadNumber("+8"), 8);
    EXPECT_EQ(GalleryReplyReader::ReadNumber("x12"), 0);
    EXPECT_EQ(GalleryReplyReader::ReadNumber("- 3"), 0);
    EXPECT_EQ(GalleryReplyReader::ReadNumber(""), 0);
    EXPECT_EQ(GalleryReplyReader::ReadNumber("99999999999999999999"), 2147483647);
    EXPECT_EQ(GalleryReplyReader::ReadNumber("-99999999999999999999"), -2147483647 - 1);
}

TEST(GalleryReplyGrammar, TextsConvertFromTheCodePageAndAreCutOnACharacterBoundary) {
    // "김연" in CP949, then ASCII.
    EXPECT_EQ(GalleryReplyReader::ReadText("\xb1\xe8\xbf\xac!", 13), u"김연!");
    EXPECT_EQ(GalleryReplyReader::ReadText("\xb1\xe8\xbf\xac!", 1), u"김");
    EXPECT_EQ(GalleryReplyReader::ReadText(std::string("ab\0cd", 5), 13), u"ab") << "a zero byte ends the text";
    EXPECT_EQ(GalleryReplyReader::ReadText(std::string(500, 'x'), 99), std::u16string(99, u'x'));
}

TEST(GalleryListReply, PageFieldsEntriesAndTheirColumns) {
    const std::string reply = Fields({"25", "17", "2", "901", "Bank shot", "cueman", "3", "2009-3-30", "unused", "120",
                                      "902", "Second", "\xb1\xe8\xbf\xac", "12", "2009-3-29", "", "5"});
    const GalleryListReply list = ParseGalleryList(reply);
    EXPECT_EQ(list.pageCount, 25);
    EXPECT_EQ(list.serverPage, 17);
    EXPECT_EQ(list.entryCount, 2);
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0].shotNumber, 901);
    EXPECT_EQ(list.entries[0].title, u"Bank shot");
    EXPECT_EQ(list.entries[0].nickname, u"cueman");
    EXPECT_EQ(list.entries[0].gameType, 3);
    EXPECT_EQ(list.entries[0].date, u"2009-3-30");
    EXPECT_EQ(list.entries[0].points, 120);
    EXPECT_EQ(list.entries[1].nickname, u"김연");
    EXPECT_EQ(list.entries[1].points, 5);
}

TEST(GalleryListReply, EmptyNegativeMissingAndOverlongRepliesStayWithinTheirBounds) {
    const GalleryListReply empty = ParseGalleryList("3<BR>2<BR>0<BR>");
    EXPECT_EQ(empty.pageCount, 3);
    EXPECT_EQ(empty.serverPage, 2);
    EXPECT_TRUE(empty.entries.empty());
    EXPECT_TRUE(ParseGalleryList("1<BR>1<BR>-4<BR>901<BR>t").entries.empty());

    std::string fifteen = Fields({"2", "1", "15"});
    for (int i = 0; i < 15; ++i)
        fifteen += Fields({std::to_string(100 + i), std::string(300, 'T'), "n", "0", "d", "", "1"});
    const GalleryListReply many = ParseGalleryList(fifteen);
    ASSERT_EQ(many.entries.size(), 10u) << "only ten rows exist";
    EXPECT_EQ(many.entries[9].shotNumber, 109);
    EXPECT_EQ(many.entries[0].title.size(), GalleryListEntry::kTitleChars);

    const GalleryListReply cut = ParseGalleryList("5<BR>1<BR>3<BR>77<BR>only a title");
    ASSERT_EQ(cut.entries.size(), 3u);
    EXPECT_EQ(cut.entries[0].title, u"only a title");
    EXPECT_EQ(cut.entries[0].points, 0);
    EXPECT_EQ(cut.entries[2].shotNumber, 0);
}

TEST(GalleryListReply, DatesOfTodaysBestReadAsYearMonthDay) {
    GalleryDate date;
    ASSERT_TRUE(ParseGalleryDate(u"2009-3-30", date));
    EXPECT_EQ(date.year, 2009);
    EXPECT_EQ(date.month, 3);
    EXPECT_EQ(date.day, 30);
    ASSERT_TRUE(ParseGalleryDate(u" 2008-12-01 13:05", date));
    EXPECT_EQ(date.day, 1);
    GalleryDate untouched{2007, 1, 2};
    EXPECT_FALSE(ParseGalleryDate(u"30/3/2009", untouched));
    EXPECT_FALSE(ParseGalleryDate(u"2009-3", untouched));
    EXPECT_EQ(untouched.year, 2007);
}

TEST(GalleryShotReply, FieldsShotTextAndCommentsInReplyOrder) {
    const std::string reply = Fields({"ignored", "shooter", "Title", "Sub", "77", "3B0C0000AABB", "2", "fan", "10",
                                      "nice", "shooter", "0", "thanks"});
    const GalleryShotReply shot = ParseGalleryShot(reply);
    EXPECT_EQ(shot.nickname, u"shooter");
    EXPECT_EQ(shot.title, u"Title");
    EXPECT_EQ(shot.subtitle, u"Sub");
    EXPECT_EQ(shot.points, 77);
    EXPECT_EQ(shot.shotText, "3B0C0000AABB");
    ASSERT_EQ(shot.comments.size(), 2u);
    EXPECT_EQ(shot.comments[0].nickname, u"fan");
    EXPECT_EQ(shot.comments[0].points, 10);
    EXPECT_EQ(shot.comments[0].text, u"nice");
    EXPECT_EQ(shot.comments[1].text, u"thanks");
}

TEST(GalleryShotReply, CountsAndTextsFromTheWebCannotOverrunTheirLimits) {
    const GalleryShotReply huge =
        ParseGalleryShot(Fields({"", "n", "t", "s", "1", "00", "1000000", "a", "1", "x", "b", "2", "y"}));
    EXPECT_EQ(huge.comments.size(), 2u) << "comments stop where the reply ends";

    std::string thousands = Fields({"", "n", "t", "s", "1", "00", "5000"});
    for (int i = 0; i < 1200; ++i)
        thousands += Fields({"c", "1", "t"});
    EXPECT_EQ(ParseGalleryShot(thousands).comments.size(), GalleryShotReply::kMaxComments);

    EXPECT_TRUE(ParseGalleryShot(Fields({"", "n", "t", "s", "1", "00", "-3", "a", "1", "x"})).comments.empty());

    const GalleryShotReply longTexts =
        ParseGalleryShot(Fields({"", std::string(40, 'N'), std::string(200, 'T'), std::string(200, 'S'), "1",
                                 std::string(4000, 'A'), "1", std::string(40, 'c'), "3", std::string(100, 'x')}));
    EXPECT_EQ(longTexts.nickname.size(), GalleryShotReply::kNicknameChars);
    EXPECT_EQ(longTexts.title.size(), GalleryShotReply::kTitleChars);
    EXPECT_EQ(longTexts.subtitle.size(), GalleryShotReply::kSubtitleChars);
    EXPECT_EQ(longTexts.shotText, std::string(GalleryShotReply::kShotTextBytes, 'A'));
    ASSERT_EQ(longTexts.comments.size(), 1u);
    EXPECT_EQ(longTexts.comments[0].nickname.size(), GalleryComment::kNicknameChars);
    EXPECT_EQ(longTexts.comments[0].text.size(), GalleryComment::kTextChars);
}

}  // namespace
}  // namespace kestrovan
