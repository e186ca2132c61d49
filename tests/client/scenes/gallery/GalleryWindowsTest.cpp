// The gallery's list, shot and recommendation windows on the screen, against the stand-in site: what each
// fetch asks and when (on the game thread's frame, never while the windows handle their controls), the rows,
// ranks, prizes and pages they show, the comments and the checks before a vote, and the vote's bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/gallery/GalleryCommentRow.h"
#include "client/scenes/gallery/GalleryListDialog.h"
#include "client/scenes/gallery/GalleryListRow.h"
#include "client/scenes/gallery/GalleryRecommendDialog.h"
#include "client/scenes/gallery/GalleryReplies.h"
#include "client/scenes/gallery/GalleryShotDialog.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"
#include "platform/system/CodePage.h"
#include "tests/client/scenes/gallery/GalleryScreen.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

// A list reply: page count, server page, then entries of (shot, title, nickname, type, date, points).
std::string ListReply(int pages, int page, int entries, int firstShot = 901, const std::string& date = "2009-3-30") {
    std::string reply = Reply({std::to_string(pages), std::to_string(page), std::to_string(entries)});
    for (int i = 0; i < entries; ++i)
        reply += Reply({std::to_string(firstShot + i), "Shot " + std::to_string(i), "player" + std::to_string(i), "3",
                        date, "x", std::to_string(100 - i)});
    return reply;
}

std::string ShotReply(const std::string& shooter, int comments, const std::string& firstAuthor = "fan0") {
    std::string reply = Reply({"1", shooter, "Bank shot", "great", "77", "3B0C0000", std::to_string(comments)});
    for (int i = 0; i < comments; ++i)
        reply +=
            Reply({i == 0 ? firstAuthor : "fan" + std::to_string(i), std::to_string(i + 1), "c" + std::to_string(i)});
    return reply;
}

class GalleryWindows : public GalleryScreen {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    GalleryListDialog& List() { return *scene->ListDialog(); }
    GalleryShotDialog& Shot() { return *scene->ShotDialog(); }
    GalleryRecommendDialog& Recommend() { return *Shot().RecommendDialog(); }
    void Click(Widget& control) { control.GetParent()->OnEvent(&control, 1, 0); }
    std::string LastBody() { return Site().Requests().back().body; }
    // The list shown at activation with the site's answer.
    void ShowList(const std::string& reply) {
        Site().Reply(kGalleryListPath, reply);
        Activate();
        GameFrame();
    }
    // Opens the shot as choosing its row does, with the site's answer.
    void ShowShot(const std::string& reply, int32_t shot = 901) {
        Site().Reply(kGalleryShotPath, reply);
        scene->OpenShot(shot);
        GameFrame();
    }
};

TEST_F(GalleryWindows, TodaysBestIsFetchedOffTheGameThreadWithRanksPrizesAndItsDateReadBack) {
    // The year box offers every year of the gallery, from its first to today's, and starts on today's.
    const int32_t thisYear = platform::GetLocalTime().year;
    ComboBox& years = *List().YearBox();
    ASSERT_EQ(years.GetFilledRows(), thisYear - GalleryListDialog::kFirstYear + 1);
    EXPECT_EQ(years.GetItemText(0), u"2007");
    EXPECT_EQ(years.GetItemText(years.GetFilledRows() - 1), quill::Format(u"%d", thisYear));
    EXPECT_EQ(years.GetSelected(), years.GetFilledRows() - 1);

    platform::SetLocalTimeSource([] { return platform::LocalTime{2009, 7, 4, 12, 0, 0, 0, 6}; });
    Site().Reply(kGalleryListPath, ListReply(1, 1, 4));
    Activate();
    platform::SetLocalTimeSource({});

    EXPECT_TRUE(List().IsVisible());
    EXPECT_TRUE(List().ReadingLabel()->IsVisible());
    EXPECT_FALSE(List().Row(0)->IsVisible()) << "the rows show with a frame after the reply came";
    GameFrame();

    ASSERT_EQ(Site().Requests().size(), 1u);
    EXPECT_EQ(Site().Requests()[0].path, kGalleryListPath);
    EXPECT_EQ(Site().Requests()[0].body, "Page_list=0");
    EXPECT_NE(Site().Requests()[0].thread, std::this_thread::get_id())
        << "posted on the window's own thread, not on one that draws or runs the game";
    EXPECT_FALSE(List().ReadingLabel()->IsVisible());
    EXPECT_TRUE(List().TodaysBestLabel()->IsVisible());
    EXPECT_FALSE(List().NoBestLabel()->IsVisible());
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_TRUE(List().Row(k)->IsVisible());
        EXPECT_EQ(List().Row(k)->RankLabel()->GetText(), quill::Format(u"%d", static_cast<int32_t>(k + 1))) << k;
    }
    EXPECT_FALSE(List().Row(4)->IsVisible());
    EXPECT_EQ(List().Row(0)->GameTypeLabel()->GetText(), quill::Format(u"[%s]", GameTypeShortName(3)));
    EXPECT_EQ(List().Row(0)->PrizeLabel()->GetText(), u"50,000");
    EXPECT_EQ(List().Row(2)->PrizeLabel()->GetText(), u"10,000");
    EXPECT_FALSE(List().Row(3)->PrizeLabel()->IsVisible());
    // The last entry's date goes into the filter and the boxes, its year too.
    EXPECT_EQ(List().DateFilter().month, 3);
    EXPECT_EQ(List().MonthBox()->GetSelected(), 2);
    EXPECT_EQ(List().DayBox()->GetSelected(), 29);
    EXPECT_EQ(List().YearBox()->GetSelected(), 2);

    List().Refresh();
    GameFrame();
    EXPECT_EQ(LastBody(), "Page_list=0&getdate=20090330") << "the next refresh asks for that day";
}

// A silent site holds no thread that draws or runs the game: the frames go on while the post waits, the rows
// show with the frame after the reply came, and a post still waiting when the screen is left is given up at
// once, its reply never shown.
TEST_F(GalleryWindows, ASilentSiteHoldsNoFrameAndIsGivenUpWithTheVisit) {
    Site().Reply(kGalleryListPath, ListReply(1, 1, 2));
    Site().SetSilent(true);
    Activate();
    ASSERT_TRUE(Eventually([&] { return Site().Waiting() == 1; }));
    for (int frame = 0; frame < 5; ++frame)
        scene->Update(0, 0, {});
    EXPECT_TRUE(List().IsFetchPending());
    EXPECT_TRUE(List().ReadingLabel()->IsVisible());
    Site().SetSilent(false);
    GameFrame();
    EXPECT_TRUE(List().Row(1)->IsVisible());
    EXPECT_FALSE(List().ReadingLabel()->IsVisible());

    Site().SetSilent(true);
    List().Refresh();
    ASSERT_TRUE(Eventually([&] { return Site().Waiting() == 1; }));
    scene->OnLeave(nullptr, nullptr);
    EXPECT_TRUE(Eventually([&] { return Site().Waiting() == 0; })) << "the post was given up";
    EXPECT_FALSE(List().IsFetchPending());
    Site().SetSilent(false);
}

TEST_F(GalleryWindows, AnEmptyOrFailedListShowsNoDailyBestAndOnlyTenOfMoreRows) {
    ShowList(Reply({"3", "2", "0"}));
    EXPECT_TRUE(List().NoBestLabel()->IsVisible());
    EXPECT_EQ(List().PageCount(), 3);
    EXPECT_EQ(List().ServerPage(), 2);
    for (size_t k = 0; k < GalleryListDialog::kRows; ++k)
        EXPECT_FALSE(List().Row(k)->IsVisible());

    Site().Reply(kGalleryListPath, std::nullopt);
    List().Refresh();
    GameFrame();
    EXPECT_TRUE(List().NoBestLabel()->IsVisible());
    EXPECT_EQ(List().EntryCount(), 0);

    Site().Reply(kGalleryListPath, ListReply(2, 1, 15));
    List().Refresh();
    GameFrame();
    for (size_t k = 0; k < GalleryListDialog::kRows; ++k)
        EXPECT_TRUE(List().Row(k)->IsVisible());
    EXPECT_EQ(List().Row(9)->ShotNumber(), 910);
}

// A row of the longest texts the web may send (and the widest number) draws each within its column; an
// ordinary row keeps its texts whole.
TEST_F(GalleryWindows, EveryTextOfARowStaysWithinItsColumn) {
    std::string reply = Reply({"1", "1", "2"});
    reply += Reply({"-2147483648", std::string(99, 'W'), std::string(13, 'W'), "3", std::string(39, 'W'), "x",
                    "-2147483648"});
    reply += Reply({"902", "Bank", "Ann", "3", "2026-12-07", "x", "12"});
    ASSERT_TRUE(LoadTable()) << "the labels measure with the program's fonts";
    Site().Reply(kGalleryListPath, reply);
    List().ResetPaging();
    List().Refresh();
    GameFrame();
    const GalleryListRow& wide = *List().Row(0);
    ASSERT_TRUE(wide.TitleLabel()->HasFont());
    const struct {
        TextLabel* label;
        int32_t width;
    } columns[] = {
        {wide.TitleLabel(), 120}, {wide.NicknameLabel(), 80}, {wide.DateLabel(), 66}, {wide.PointsLabel(), 34}};
    for (const auto& column : columns) {
        EXPECT_LE(column.label->MeasureText(), column.width) << platform::Utf16ToUtf8(column.label->GetText());
        EXPECT_FALSE(column.label->GetText().empty());
    }
    EXPECT_EQ(wide.TitleLabel()->GetText(), quill::WString(wide.TitleLabel()->GetText().size(), u'W'));
    const GalleryListRow& plain = *List().Row(1);
    EXPECT_EQ(plain.TitleLabel()->GetText(), u"Bank");
    EXPECT_EQ(plain.DateLabel()->GetText(), u"2026-12-07");

    // The columns stand side by side with a gap between them, the prize's icon and amount last, all inside the
    // row, and the row inside the list window.
    const std::vector<const Widget*> order{plain.RankLabel(),     plain.GameTypeLabel(), plain.TitleLabel(),
                                           plain.NicknameLabel(), plain.DateLabel(),     plain.PointsLabel(),
                                           plain.PrizeIcon(),     plain.PrizeLabel()};
    for (size_t k = 1; k < order.size(); ++k)
        EXPECT_LT(order[k - 1]->GetRect().right, order[k]->GetRect().left) << "column " << k;
    EXPECT_LE(plain.PrizeLabel()->GetRect().right, plain.GetRect().right);
    EXPECT_LE(plain.GetRect().right, List().GetRect().right);
    EXPECT_TRUE(plain.PrizeLabel()->IsVisible());
    EXPECT_LE(plain.PrizeLabel()->MeasureText(), plain.PrizeLabel()->GetRect().Width());
}

TEST_F(GalleryWindows, PagesShowShotNumbersWithoutPrizesAndThePageBarFollowsTheServerPage) {
    ShowList(ListReply(10, 1, 2));
    for (size_t k = 0; k < 10; ++k)
        EXPECT_TRUE(List().PageButton(k)->IsVisible());
    EXPECT_FALSE(List().JumpButton(GalleryListDialog::kBack10)->IsEnabled());
    EXPECT_FALSE(List().JumpButton(GalleryListDialog::kForward10)->IsEnabled());

    Site().Reply(kGalleryListPath, ListReply(25, 17, 3, 4000));
    Click(*List().PageButton(4));
    EXPECT_EQ(List().RequestedPage(), 5);
    EXPECT_TRUE(List().PageButton(4)->IsChecked());
    GameFrame();
    EXPECT_EQ(LastBody(), "Page_list=5");
    EXPECT_EQ(List().Row(0)->RankLabel()->GetText(), u"4000");
    EXPECT_FALSE(List().Row(0)->PrizeLabel()->IsVisible());
    EXPECT_FALSE(List().DatePanel()->IsVisible() && List().RequestedPage() == 0);
    EXPECT_TRUE(List().PageLabel()->IsVisible());
    EXPECT_EQ(List().PageLabel()->GetText(), u"Page : 17");
    EXPECT_EQ(List().PageBarStart(), 11);
    EXPECT_EQ(List().PageButton(0)->GetCaption()->GetText(), u"11");
    EXPECT_TRUE(List().JumpButton(GalleryListDialog::kBack10)->IsEnabled());
    EXPECT_TRUE(List().JumpButton(GalleryListDialog::kForward10)->IsEnabled());

    // Forward 10 from start 11: page 21; its bar shows 21 to 25 and hides the rest.
    Site().Reply(kGalleryListPath, ListReply(25, 21, 1, 7000));
    Click(*List().JumpButton(GalleryListDialog::kForward10));
    GameFrame();
    EXPECT_EQ(LastBody(), "Page_list=21");
    EXPECT_TRUE(List().PageButton(4)->IsVisible());
    EXPECT_FALSE(List().PageButton(5)->IsVisible());
    EXPECT_TRUE(List().PageButton(0)->IsChecked());
    EXPECT_FALSE(List().JumpButton(GalleryListDialog::kForward10)->IsEnabled());
    // Forward 100 has no page 121 to go to; a page button past the end is clamped to the last page.
    const size_t asked = Site().Requests().size();
    Click(*List().JumpButton(GalleryListDialog::kForward100));
    GameFrame();
    EXPECT_EQ(Site().Requests().size(), asked);
    Click(*List().PageButton(7));
    EXPECT_EQ(List().RequestedPage(), 25);

    // Twenty pages from page 11: no forward jump.
    Site().Reply(kGalleryListPath, ListReply(20, 11, 1));
    GameFrame();
    Click(*List().PageButton(0));
    GameFrame();
    EXPECT_EQ(List().PageBarStart(), 11);
    EXPECT_FALSE(List().JumpButton(GalleryListDialog::kForward10)->IsEnabled());
}

TEST_F(GalleryWindows, ADayChosenInTheBoxesOrTodaysBestLeavesThePages) {
    ShowList(ListReply(25, 17, 2));
    Click(*List().PageButton(3));
    GameFrame();
    ASSERT_EQ(List().RequestedPage(), 14) << "the bar starts at 11 for page 17";

    List().YearBox()->GetParent()->OnEvent(List().YearBox(), 1, 0);    // 2008
    List().MonthBox()->GetParent()->OnEvent(List().MonthBox(), 2, 0);  // March
    List().DayBox()->GetParent()->OnEvent(List().DayBox(), 4, 0);      // the 5th
    EXPECT_EQ(List().RequestedPage(), 0);
    EXPECT_FALSE(List().PageButton(3)->IsChecked());
    EXPECT_TRUE(List().DatePanel()->IsVisible());
    GameFrame();
    EXPECT_EQ(LastBody(), "Page_list=0&getdate=20080305");

    Click(*List().TodaysBestButton());
    GameFrame();
    EXPECT_EQ(LastBody(), "Page_list=0") << "today's best of the current day";
}

TEST_F(GalleryWindows, ChoosingARowOpensItsShotWhoseReplyFillsTheWindowAndPostsThePlay) {
    ShowList(ListReply(1, 1, 3));
    Site().Reply(kGalleryShotPath, ShotReply("shooter", 2));
    Click(*List().Row(1)->GetButton());
    EXPECT_FALSE(List().IsVisible());
    EXPECT_EQ(List().SelectedRow(), 1);
    HandlePosted();  // GalleryPage with the row's shot

    EXPECT_TRUE(Shot().IsVisible());
    EXPECT_EQ(Shot().ShotNumber(), 902);
    EXPECT_TRUE(Shot().ReadingLabel()->IsVisible());
    EXPECT_FALSE(Shot().IsLoaded());
    GameFrame();
    EXPECT_EQ(LastBody(), "shot_seq=902");
    EXPECT_TRUE(Shot().IsLoaded());
    EXPECT_FALSE(Shot().ReadingLabel()->IsVisible());
    EXPECT_EQ(Shot().TitleLabel()->GetText(), u"Bank shot");
    EXPECT_EQ(Shot().NicknameLabel()->GetText(), u"shooter");
    EXPECT_EQ(Shot().SubtitleLabel()->GetText(), u"great");
    EXPECT_EQ(Shot().PointsLabel()->GetText(), u"77");
    EXPECT_EQ(Shot().ShotText(), "3B0C0000");
    EXPECT_EQ(Shot().GetRect().left, static_cast<int32_t>(app.GetScreenSize().width) - 314 - 10);
    EXPECT_EQ(Shot().GetRect().top, 40);
    // The play went to the screen; a shot text that does not read starts no replay.
    HandlePosted();
    EXPECT_EQ(scene->SpeedIndex(), SceneShotGallery::kNoSpeed);

    // A failed fetch leaves the window blank and "Play the shot" without effect.
    Site().Reply(kGalleryShotPath, std::nullopt);
    scene->OpenShot(5);
    GameFrame();
    EXPECT_FALSE(Shot().IsLoaded());
    EXPECT_EQ(Shot().TitleLabel()->GetText(), u"");
}

TEST_F(GalleryWindows, CommentsScrollWithinTheirCountAndAnEmptyListHidesEveryRow) {
    Activate();
    ShowShot(ShotReply("shooter", 7));
    EXPECT_EQ(Shot().CommentScroll()->GetCount(), 3);
    for (size_t k = 0; k < 5; ++k)
        EXPECT_TRUE(Shot().CommentRow(k)->IsVisible());
    EXPECT_EQ(Shot().CommentRow(0)->CommentLabel()->GetText(), u"c0");

    Shot().CommentScroll()->SetPosition(2, true);
    EXPECT_EQ(Shot().FirstVisibleComment(), 3);
    EXPECT_EQ(Shot().CommentRow(0)->CommentLabel()->GetText(), u"c2");
    EXPECT_EQ(Shot().CommentRow(4)->CommentLabel()->GetText(), u"c6");

    Shot().Reload();
    ShowShot(ShotReply("shooter", 3));
    EXPECT_TRUE(Shot().CommentRow(2)->IsVisible());
    EXPECT_FALSE(Shot().CommentRow(3)->IsVisible());
    EXPECT_EQ(Shot().CommentScroll()->GetCount(), 1);

    ShowShot(ShotReply("shooter", 0));
    EXPECT_EQ(Shot().CommentCount(), 0u);
    for (size_t k = 0; k < 5; ++k)
        EXPECT_FALSE(Shot().CommentRow(k)->IsVisible());
}

TEST_F(GalleryWindows, OneVoteOnAnothersShotButTheShooterRepliesAsOftenAsHeLikes) {
    ASSERT_TRUE(connected);
    Activate();
    ShowShot(ShotReply("shooter", 2, "me"));
    Click(*Shot().RecommendButton());
    EXPECT_FALSE(Recommend().IsVisible()) << "the player commented on it already";
    EXPECT_TRUE(Box().IsVisible());
    EXPECT_EQ(Box().Line(0).GetText(), u"You can only vote once.");
    Box().SetVisible(false);

    ShowShot(ShotReply("me", 2, "me"));
    EXPECT_FALSE(Shot().HasVotedAlready());
    Click(*Shot().RecommendButton());
    ASSERT_TRUE(Recommend().IsVisible());
    EXPECT_TRUE(Recommend().IsOwnShot());
    EXPECT_EQ(Recommend().Points(), 0);
    EXPECT_FALSE(Recommend().PointsBox()->IsEnabled());
    EXPECT_EQ(Recommend().PromptLabel()->GetText(), u"You can only reply to your own shots.");
    EXPECT_EQ(Recommend().StickerLabel()->GetText(), u"5");

    // The reply goes with 0 points and costs no sticker.
    Recommend().CommentBox()->SetText(u"thanks");
    Click(*Recommend().OkButton());
    const std::vector<uint8_t> reply = Sent(MessageId::ShotVote);
    ASSERT_GE(reply.size(), 9u);
    EXPECT_EQ(reply[8], 0);
    EXPECT_EQ(app.Connection()->LocalPlayer().stickerCount, 5);
}

TEST_F(GalleryWindows, AVoteIsCheckedLocallySentAsShotVoteAndPaidInStickersDownToNone) {
    ASSERT_TRUE(connected);
    Activate();
    ShowShot(ShotReply("shooter", 1), 4711);
    app.Connection()->LocalPlayer().stickerCount = 0;
    Recommend().SetShotNumber(4711);
    Recommend().SetStickers(0);
    Recommend().SetVisible(true);
    EXPECT_EQ(Recommend().Points(), 10);
    EXPECT_EQ(Recommend().PromptLabel()->GetText(), u"Select the recommended points.");
    Button& ok = *Recommend().OkButton();
    Click(ok);
    EXPECT_EQ(Box().Line(0).GetText(), u"There are no recommended stickers available.");
    EXPECT_EQ(Box().Line(1).GetText(), u"5 given per 10 minutes of yesterday's playing time.");
    Box().SetVisible(false);

    Recommend().SetStickers(3);
    Recommend().CommentBox()->SetText(u"x");
    Click(ok);
    EXPECT_EQ(Box().Line(0).GetText(), u"Enter title more than 4 bytes.");
    Box().SetVisible(false);

    Recommend().OnEvent(Recommend().PointsBox(), 6, 0);  // 7 points
    EXPECT_EQ(Recommend().Points(), 7);
    EXPECT_EQ(Recommend().PointsBox()->GetFace()->GetCaption()->GetText(), u"7Pts");
    Recommend().CommentBox()->SetText(u"Hi");
    Click(ok);
    EXPECT_FALSE(Recommend().IsVisible());
    EXPECT_EQ(Sent(MessageId::ShotVote),
              (std::vector<uint8_t>{17, 0, 62, 0, 0x67, 0x12, 0, 0, 7, 4, 0, 'H', 0, 'i', 0, 0, 0}));
    EXPECT_EQ(Recommend().Stickers(), 0) << "3 stickers and 7 points leave none, not 65,532";
    EXPECT_EQ(app.Connection()->LocalPlayer().stickerCount, 0);
    EXPECT_EQ(Recommend().StickerLabel()->GetText(), u"0");
}

}  // namespace
}  // namespace kestrovan::test
