// The messenger's chats on a headless App: where a line goes by its kind and the lists, the player's own
// echoed lines, the unread state with its icon, mark and alarm, the tabs and lines the chat view shows, and
// what the chat entry sends.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "client/scenes/community/BlinkingIcon.h"
#include "client/scenes/community/ChatPartnerTab.h"
#include "client/scenes/community/MemberListRow.h"
#include "client/ui/EditBox.h"
#include "client/ui/Panel.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/community/CommunityScreen.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

class MessengerChatTest : public CommunityScreen {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    MessengerChatTest() {
        FillLists({Online(1, u"Ann"), Online(4, u"Dee"), Offline(5, u"Eve")},
                  {Online(2, u"Bob"), Online(1, u"Ann"), Own(10)});
    }
    void Line(uint8_t kind, uint32_t memberId, quill::WStringView text) {
        Receive(ChatMessage(MessageId::MessengerChat, kind, memberId, text));
    }
    void Echo(uint8_t kind, uint32_t memberId, quill::WStringView text) {
        Receive(ChatMessage(MessageId::MessengerChatEcho, kind, memberId, text));
    }
    std::vector<quill::WString> LinesOf(uint32_t memberId) {
        std::vector<quill::WString> texts;
        for (const ChatLine& line : messenger->ChatLinesOf(memberId))
            texts.push_back(line.text);
        return texts;
    }
    std::vector<quill::WString> ShownLines() {
        std::vector<quill::WString> texts;
        for (int32_t n = 0; n < Messenger::kLines; ++n) {
            if (!messenger->ChatLineLabel(n)->GetText().empty())
                texts.push_back(messenger->ChatLineLabel(n)->GetText());
        }
        return texts;
    }
    void Open() { messenger->Toggle(Screen()); }
};

TEST_F(MessengerChatTest, LinesGoToTheirChatByKindAndListAndUnknownSendersAreDropped) {
    Line(1, 1, u"hi");
    Line(2, 1, u"from the clan side");  // not in the clan list first: found among the friends
    Line(12, 2, u"clan member");        // the kind counts % 10
    Line(1, 99, u"stranger");
    Line(3, 2, u"to all");
    Line(13, 66, u"not a member");
    EXPECT_EQ(messenger->ChatMembers(), (std::vector<uint32_t>{1, 2, 0}));
    EXPECT_EQ(LinesOf(1), (std::vector<quill::WString>{u"- Friend Chat", u"Ann : hi", u"Ann : from the clan side"}));
    EXPECT_EQ(LinesOf(2), (std::vector<quill::WString>{u"- Clan Member Chat", u"Bob : clan member"}));
    EXPECT_EQ(LinesOf(0), (std::vector<quill::WString>{u"- Clan Chat", u"Bob : to all"}));
    EXPECT_EQ(messenger->ChatLinesOf(1)[1].colour, Messenger::kOtherLineColour);
    EXPECT_EQ(messenger->CurrentChatMember(), 1) << "the first chat became current";

    // The player's own lines come back as echoes, white, with his nickname; the clan chat's too.
    Echo(1, 4, u"new chat");
    Echo(3, kOwnMemberId, u"mine");
    EXPECT_EQ(LinesOf(4), (std::vector<quill::WString>{u"- Friend Chat", u"Carom : new chat"}));
    EXPECT_EQ(LinesOf(0).back(), u"Carom : mine");
    EXPECT_EQ(messenger->ChatLinesOf(0).back().colour, Messenger::kOwnLineColour);
    EXPECT_FALSE(messenger->ChatIsUnread(4)) << "an echo is no news";

    // A line longer than its field is cut to 79 units.
    Line(1, 1, quill::WString(1400, u'x'));
    EXPECT_EQ(LinesOf(1).back().size(), ChatLine::kLength);
}

TEST_F(MessengerChatTest, ALineWhileClosedShowsTheIconAndOpeningLandsInThatChat) {
    ASSERT_FALSE(messenger->IsVisible());
    Line(1, 4, u"are you there");
    EXPECT_TRUE(messenger->IsUnread());
    EXPECT_TRUE(messenger->NewMessageIcon()->IsVisible());
    EXPECT_EQ(messenger->NewMessageIcon()->GetParent(), &Screen());
    EXPECT_EQ(host->Sounds(), (std::vector<uint32_t>{Messenger::kAlarmSound}));
    EXPECT_EQ(messenger->CurrentChatMember(), 4) << "the first chat became current, so it reads as seen";
    EXPECT_FALSE(messenger->ChatIsUnread(4));

    // Another chat's lines stay unread, with the time of the first.
    now = 123456;
    Line(1, 1, u"me too");
    now = 130000;
    Line(1, 1, u"and again");
    EXPECT_TRUE(messenger->ChatIsUnread(1));
    EXPECT_EQ(messenger->PartnerTab(1)->Mark()->BlinkStart(), 123456u);

    // The icon follows the player to the next screen, with the alarm again.
    Enter(SceneId::RoomGame);
    EXPECT_EQ(messenger->NewMessageIcon()->GetParent(), &Screen());
    EXPECT_TRUE(messenger->NewMessageIcon()->IsVisible());
    EXPECT_EQ(host->Sounds().size(), 4u);

    Open();
    EXPECT_TRUE(messenger->IsVisible());
    EXPECT_EQ(messenger->View(), MessengerView::Chat);
    EXPECT_FALSE(messenger->IsUnread());
    EXPECT_FALSE(messenger->NewMessageIcon()->IsVisible());
    EXPECT_TRUE(messenger->ChatPanel()->IsVisible());
    EXPECT_FALSE(messenger->MemberPanel()->IsVisible());
    EXPECT_EQ(messenger->CurrentChatMember(), 4);
    EXPECT_EQ(ShownLines(), (std::vector<quill::WString>{u"- Friend Chat", u"Dee : are you there"}));
    EXPECT_TRUE(messenger->PartnerTab(1)->Mark()->IsVisible());

    // Open, it comes back open on the next screen.
    Enter(SceneId::Lobby);
    EXPECT_TRUE(messenger->IsVisible());
    EXPECT_EQ(messenger->GetParent(), &Screen());
}

TEST_F(MessengerChatTest, TheAlarmSoundsOnlyForLinesThePlayerCannotSee) {
    Open();
    EXPECT_EQ(messenger->View(), MessengerView::Friends);
    Line(1, 1, u"while the list shows");
    EXPECT_EQ(host->Sounds(), (std::vector<uint32_t>{Messenger::kAlarmSound}));
    EXPECT_TRUE(messenger->ChatTabMark()->IsVisible());
    EXPECT_FALSE(messenger->NewMessageIcon()->IsVisible()) << "the icon is only for a closed messenger";
    EXPECT_FALSE(messenger->IsUnread());

    Press(Messenger::kChatTab);
    EXPECT_EQ(messenger->View(), MessengerView::Chat);
    EXPECT_FALSE(messenger->ChatTabMark()->IsVisible());
    Line(1, 1, u"while its chat shows");
    EXPECT_EQ(host->Sounds().size(), 1u);
    EXPECT_FALSE(messenger->ChatIsUnread(1));
    EXPECT_EQ(ShownLines().back(), u"Ann : while its chat shows");

    // A line for another chat marks its tab and sounds once, as the tab's mark turns on.
    Line(1, 4, u"elsewhere");
    EXPECT_TRUE(messenger->ChatIsUnread(4));
    EXPECT_TRUE(messenger->PartnerTab(1)->IsUnread());
    EXPECT_TRUE(messenger->PartnerTab(1)->Mark()->IsVisible());
    EXPECT_EQ(host->Sounds().size(), 2u);

    // With the alarm off nothing sounds, not even while closed.
    Press(Messenger::kAlarmToggle);
    Press(Messenger::kClose);
    Line(1, 1, u"quiet");
    EXPECT_TRUE(messenger->NewMessageIcon()->IsVisible());
    EXPECT_EQ(host->Sounds().size(), 2u);
}

// A burst of lines between two passes of the main loop (a flood on the dispatch thread) is only kept; the next
// pass shows the icon and rings the alarm once, or shows the open chat's last lines.
TEST_F(MessengerChatTest, ABurstOfLinesIsShownAndRungOnceByTheNextPass) {
    const auto burst = [&](const char16_t* text) {
        for (int n = 0; n < 100; ++n) {
            quill::Packet packet = AsReceived(ChatMessage(MessageId::MessengerChat, 1, 1, quill::Format(text, n)));
            connection().Dispatch(&packet);
        }
    };
    burst(u"closed %d");
    EXPECT_FALSE(messenger->NewMessageIcon()->IsVisible());
    EXPECT_TRUE(host->Sounds().empty());
    MainLoopPass();
    EXPECT_TRUE(messenger->NewMessageIcon()->IsVisible());
    EXPECT_EQ(host->Sounds(), (std::vector<uint32_t>{Messenger::kAlarmSound}));

    Open();
    ASSERT_EQ(messenger->View(), MessengerView::Chat);
    const std::vector<quill::WString> before = ShownLines();
    burst(u"open %d");
    EXPECT_EQ(ShownLines(), before);
    MainLoopPass();
    EXPECT_EQ(ShownLines().back(), u"Ann : open 99");
    EXPECT_EQ(host->Sounds().size(), 1u);
}

TEST_F(MessengerChatTest, TheIconBlinksAtOneSecondOfEveryTwo) {
    now = 50000;
    Line(1, 1, u"blink");
    BlinkingIcon& icon = *messenger->NewMessageIcon();
    icon.SetBlinkStart(50000);
    std::vector<float> alphas;
    for (uint32_t t = 50000; t < 54000; t += 250) {
        icon.TickTree(t);
        alphas.push_back(icon.GetAlpha());
    }
    // Looked at on every second tick: lit, then dim, then lit again.
    EXPECT_EQ(alphas[1], 1.0f);
    EXPECT_EQ(alphas[5], BlinkingIcon::kDimAlpha);
    EXPECT_EQ(alphas[9], 1.0f);
    EXPECT_EQ(alphas[13], BlinkingIcon::kDimAlpha);
}

TEST_F(MessengerChatTest, TheViewShowsSevenLinesAndFollowsTheNewest) {
    Open();
    Line(1, 1, u"1");
    Press(Messenger::kChatTab);
    for (int n = 2; n <= 205; ++n)
        Line(1, 1, quill::Format(u"%d", n));
    EXPECT_EQ(messenger->ChatLinesOf(1).size(), ChatPartner::kMaxLines) << "the 201st line dropped the oldest";
    EXPECT_EQ(LinesOf(1).front(), u"Ann : 6");
    EXPECT_EQ(ShownLines().size(), 7u);
    EXPECT_EQ(ShownLines().back(), u"Ann : 205");
    EXPECT_EQ(messenger->LineScroll()->GetCount(), 194);
    EXPECT_EQ(messenger->FirstLine(), 194);

    // The player scrolls up; the lines he asked for show until the next line arrives.
    messenger->OnEvent(messenger->LineScroll(), 10, 0);
    EXPECT_EQ(ShownLines().front(), u"Ann : 15");
    Line(1, 1, u"206");
    EXPECT_EQ(ShownLines().back(), u"Ann : 206");
}

TEST_F(MessengerChatTest, FourChatsShowThreeTabsAndTheOthersAreScrolledTo) {
    Open();
    Line(1, 1, u"a");
    Line(2, 2, u"b");
    Line(1, 4, u"c");
    Line(3, 2, u"d");
    Press(Messenger::kChatTab);
    EXPECT_EQ(messenger->TabScroll()->GetCount(), 2);
    EXPECT_EQ(messenger->PartnerTab(0)->Caption()->GetText(), u"Ann");
    EXPECT_EQ(messenger->PartnerTab(2)->Caption()->GetText(), u"Dee");
    EXPECT_TRUE(messenger->PartnerTab(0)->IsChecked());
    Press(Messenger::kMoreTabs);
    EXPECT_EQ(messenger->FirstTab(), 2);
    EXPECT_EQ(messenger->PartnerTab(0)->Caption()->GetText(), u"Bob");
    EXPECT_EQ(messenger->PartnerTab(2)->Caption()->GetText(), u"Cushions") << "the clan chat shows the clan";
    EXPECT_EQ(messenger->PartnerTab(2)->Caption()->GetTextColor() | 0xFF000000, ChatPartnerTab::kClanColour);
    Press(Messenger::kMoreTabs);
    EXPECT_EQ(messenger->FirstTab(), 2) << "three tabs from the second show the last";

    // A tab makes its chat current and clears its unread mark.
    EXPECT_TRUE(messenger->ChatIsUnread(0));
    Click(*messenger->PartnerTab(2));
    EXPECT_EQ(messenger->CurrentChatMember(), 0);
    EXPECT_FALSE(messenger->ChatIsUnread(0));
    EXPECT_FALSE(messenger->PartnerTab(2)->IsUnread());

    // Closing chats: the first remaining one becomes current; closing the last returns to the friends.
    for (int n = 0; n < 3; ++n)
        Press(Messenger::kCloseChat);
    EXPECT_EQ(messenger->ChatMembers(), (std::vector<uint32_t>{4}));
    EXPECT_EQ(messenger->View(), MessengerView::Chat);
    Press(Messenger::kCloseChat);
    EXPECT_TRUE(messenger->ChatMembers().empty());
    EXPECT_EQ(messenger->View(), MessengerView::Friends);
    EXPECT_TRUE(messenger->MemberPanel()->IsVisible());
}

TEST_F(MessengerChatTest, TheEntrySendsToTheCurrentChatWhenItsPartnerIsOnline) {
    Open();
    Line(3, 2, u"clan chat first");
    Press(Messenger::kChatTab);
    EditBox& entry = *messenger->ChatEntry();
    entry.SetText(u"yo");
    messenger->OnEvent(&entry, EditBox::kSubmitEvent, 0);
    const auto sent = Sent(MessageId::MessengerChatSend);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], (std::vector<uint8_t>{0x11, 0x00, 0x0C, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x79,
                                             0x00, 0x6F, 0x00, 0x00, 0x00}));
    EXPECT_EQ(entry.GetText(), u"");
    EXPECT_EQ(host->Posted().back().id, quill::AppEventId::ChatLineSent);

    // An empty entry sends nothing; a line to a partner who logged out is dropped with the entry emptied.
    messenger->OnEvent(&entry, EditBox::kSubmitEvent, 0);
    Line(1, 1, u"bye");
    Click(*messenger->PartnerTab(1));
    Receive(MemberLoggedOutMessage(1, 1, u"Ann"));
    entry.SetText(u"still there?");
    messenger->OnEvent(&entry, EditBox::kSubmitEvent, 0);
    EXPECT_EQ(entry.GetText(), u"");
    EXPECT_EQ(SentCount(MessageId::MessengerChatSend), 1u);

    // Tab hands the screen an Enter so that its own chat takes the keyboard; F8 closes the messenger.
    messenger->OnEvent(&entry, 9, 0);
    EXPECT_EQ(Screen().messages.back(), (std::pair<uint32_t, uint32_t>{0x102, 13}));
    messenger->OnEvent(&entry, 0x77, 0);
    EXPECT_FALSE(messenger->IsVisible());
    EXPECT_FALSE(messenger->IsOpen());
}

TEST_F(MessengerChatTest, PresenceWritesIntoChatsAndTheScreensChat) {
    Line(1, 1, u"hi");
    Line(3, 2, u"clan");
    Receive(MemberLoggedOutMessage(2, 1, u"Ann"));
    EXPECT_EQ(LinesOf(1).back(), u"Ann has logged out.");
    EXPECT_EQ(messenger->ChatLinesOf(1).back().colour, Messenger::kPresenceColour);
    EXPECT_EQ(LinesOf(0).back(), u"Ann has logged out.") << "a clan member's presence reaches the clan chat";
    EXPECT_EQ(Screen().notices.back(), u"[Clan] Ann has logged out.");
    Receive(MemberLoggedInMessage(1, Online(1, u"Ann")));
    EXPECT_EQ(LinesOf(1).back(), u"Ann has logged in.");
    EXPECT_EQ(LinesOf(0).back(), u"Ann has logged out.") << "a friend's presence stays out of the clan chat";
    EXPECT_EQ(Screen().notices.back(), u"[Messanger] Ann has logged in.");
    EXPECT_EQ(Screen().colours.back(), Messenger::kNoticeColour);
}

}  // namespace
}  // namespace kestrovan::test
