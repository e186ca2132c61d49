// The messenger's member lists on a headless App: rows in their order with their scrolling and header, the
// member menu's entries by list and rank and what they send, and the clan's status, leaving and creation.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "client/connection/JoinWithTarget.h"
#include "client/scenes/community/ClanDialog.h"
#include "client/scenes/community/DeleteFriendDialog.h"
#include "client/scenes/community/MemberListRow.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/community/CommunityScreen.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

class MessengerMembersTest : public CommunityScreen {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    std::vector<quill::WString> RowNames() {
        std::vector<quill::WString> names;
        for (int32_t n = 0; n < Messenger::kRows; ++n) {
            if (messenger->Row(n)->IsVisible())
                names.push_back(messenger->Row(n)->NicknameLabel()->GetText());
        }
        return names;
    }
    void ClickRow(int32_t n) { Click(*messenger->Row(n)); }
    void ShowClanList() {
        messenger->Toggle(Screen());
        Press(Messenger::kClanTab);
    }
};

TEST_F(MessengerMembersTest, OnlineFriendsComeFirstAndTheListScrollsToItsEnd) {
    std::vector<TestMember> friends;
    for (uint32_t id = 1; id <= 12; ++id) {
        const quill::WString name = quill::Format(u"f%d", static_cast<int>(id));
        friends.push_back(id % 3 == 0 ? Online(id, name) : Offline(id, name));
    }
    FillLists(friends, {});
    messenger->Toggle(Screen());
    EXPECT_EQ(RowNames(), (std::vector<quill::WString>{u"f3", u"f6", u"f9", u"f12", u"f1", u"f2", u"f4", u"f5"}));
    EXPECT_EQ(messenger->CountLabel()->GetText(), u"[12/50]");
    EXPECT_EQ(messenger->MemberScroll()->GetCount(), 5);
    EXPECT_FALSE(messenger->ClanNameButton()->IsVisible());

    messenger->OnEvent(messenger->MemberScroll(), 9, 0);
    EXPECT_EQ(messenger->FirstRow(), 5) << "the first shown row stops at count - 7";
    EXPECT_EQ(RowNames().back(), u"f11");

    // A member who logs in moves up; a friend removed quietly just leaves the list.
    Receive(MemberLoggedInMessage(1, Online(11, u"f11")));
    EXPECT_EQ(messenger->Row(0)->NicknameLabel()->GetText(), u"f12") << "the scroll position stays";
    Receive(MemberLoggedOutMessage(1, 3, u"f3"));
    messenger->OnEvent(messenger->MemberScroll(), 1, 0);
    EXPECT_EQ(RowNames().front(), u"f6");
    quill::Packet removed;
    removed.Init(MessageId::FriendRemoved).WriteU8(1).WriteU32(6).WriteWString(u"f6");
    Receive(std::move(removed));
    EXPECT_EQ(RowNames().front(), u"f9");
    EXPECT_FALSE(Box().IsVisible());
}

TEST_F(MessengerMembersTest, RowsShowWhereMembersAreAndTheirClanRank) {
    FillLists({}, {Online(1, u"Master", 3, 0, 10), Online(2, u"Officer", 3, 0, 3), Offline(3, u"Member", 2), Own(9)});
    ShowClanList();
    ASSERT_EQ(messenger->View(), MessengerView::Clan);
    EXPECT_TRUE(messenger->Row(0)->RankMark()->IsVisible());
    EXPECT_EQ(messenger->Row(0)->RankMark()->GetSourceRect().top, 978);
    EXPECT_EQ(messenger->Row(1)->RankMark()->GetSourceRect().top, 963);
    EXPECT_FALSE(messenger->Row(3)->RankMark()->IsVisible()) << "rank 2 has no mark";
    EXPECT_EQ(messenger->CountLabel()->GetText(), u"[ 4/20]");
    EXPECT_EQ(messenger->ClanNameLabel()->GetText(), u"Cushions");
    EXPECT_TRUE(messenger->LeaveClanButton()->IsVisible()) << "an officer may leave";
    EXPECT_FALSE(messenger->FindPlayerButton()->IsVisible());
}

TEST_F(MessengerMembersTest, TheMemberMenuFollowsTheListAndWhereEachOneIs) {
    connection().LocalPlayer().channel = 3;
    connection().LocalPlayer().position = 0;
    FillLists({Online(1, u"InLobby", 3, 0), Online(2, u"LoggedIn", 0, 0), Online(3, u"InShop", 3, 0xFFFD),
               Offline(4, u"Away")},
              {Own(10), Online(5, u"ClanMate", 2, 7)});
    messenger->Toggle(Screen());
    ClickRow(0);
    ASSERT_TRUE(messenger->MemberMenu()->IsVisible());
    EXPECT_TRUE(messenger->MenuButton(Messenger::kInvite)->IsEnabled());
    EXPECT_TRUE(messenger->MenuButton(Messenger::kJoinWith)->IsEnabled());
    EXPECT_TRUE(messenger->MenuButton(Messenger::kDelFriend)->IsVisible());
    ClickRow(1);
    EXPECT_TRUE(messenger->MenuButton(Messenger::kInvite)->IsEnabled());
    EXPECT_FALSE(messenger->MenuButton(Messenger::kJoinWith)->IsEnabled()) << "logged in outside a channel";
    ClickRow(2);
    EXPECT_FALSE(messenger->MenuButton(Messenger::kJoinWith)->IsEnabled()) << "in the shop";

    // "View Info" asks with the member's channel, "Invite" sends his member id, "Join with" goes there.
    ClickRow(0);
    Press(Messenger::kViewInfo);
    EXPECT_FALSE(messenger->MemberMenu()->IsVisible());
    ClickRow(0);
    Press(Messenger::kInvite);
    ClickRow(0);
    Press(Messenger::kJoinWith);
    EXPECT_EQ(Sent(MessageId::UserInfoRequest)[0],
              (std::vector<uint8_t>{0x1F, 0x00, 0x11, 0x00, 0x03, 0x89, 0x13, 0x00, 0x00, 0x00, 0x00,
                                    0x00, 0x00, 0x0E, 0x00, 0x49, 0x00, 0x6E, 0x00, 0x4C, 0x00, 0x6F,
                                    0x00, 0x62, 0x00, 0x62, 0x00, 0x79, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Sent(MessageId::MemberInvite)[0], (std::vector<uint8_t>{0x08, 0x00, 0x43, 0x00, 0x01, 0x00, 0x00, 0x00}));
    const JoinWithTarget& target = connection().JoinTarget();
    EXPECT_EQ(target.pending, 1);
    EXPECT_EQ(target.channel, 3);
    EXPECT_EQ(target.place, 0);
    EXPECT_EQ(host->Posted().back().id, quill::AppEventId::JoinWith);

    // "Chat With" an offline friend is refused; "Del Friend" asks first.
    ClickRow(3);
    Press(Messenger::kChatWith);
    EXPECT_EQ(Box().Line(0).GetText(), u"Not online");
    EXPECT_TRUE(messenger->ChatMembers().empty());
    ClickRow(3);
    Press(Messenger::kDelFriend);
    EXPECT_TRUE(messenger->DeleteFriend().IsVisible());
    EXPECT_EQ(messenger->DeleteFriend().Line()->GetText(), u"Do you want to delete Away from your friends list?");
    Click(*messenger->DeleteFriend().YesButton());
    EXPECT_EQ(Sent(MessageId::FriendDelete)[0], (std::vector<uint8_t>{0x08, 0x00, 0x1A, 0x00, 0x04, 0x00, 0x00, 0x00}));

    // In the clan list, the player's own row opens no menu and the others have no "Del Friend".
    messenger->MemberMenu()->SetVisible(false);
    Press(Messenger::kClanTab);
    ClickRow(1);
    EXPECT_FALSE(messenger->MemberMenu()->IsVisible()) << "the player himself";
    ClickRow(0);
    EXPECT_TRUE(messenger->MemberMenu()->IsVisible());
    EXPECT_FALSE(messenger->MenuButton(Messenger::kDelFriend)->IsVisible());
    Press(Messenger::kChatWith);
    EXPECT_EQ(messenger->View(), MessengerView::Chat);
    EXPECT_EQ(messenger->CurrentChatMember(), 5);
}

TEST_F(MessengerMembersTest, LeavingTheClanDependsOnRankAndMembers) {
    FillLists({}, {Own(10), Online(2, u"Other", 3, 0, 1)});
    ShowClanList();
    EXPECT_FALSE(messenger->LeaveClanButton()->IsVisible()) << "a master with members";
    Press(Messenger::kLeaveClan);
    EXPECT_FALSE(Box().IsVisible());

    Receive(MemberLoggedOutMessage(2, 2, u"Other"));
    quill::Packet left;
    left.Init(MessageId::ClanMemberLeft).WriteU32(2).WriteWString(u"Other");
    Receive(std::move(left));
    EXPECT_EQ(Screen().notices.back(), u"[Clan] Other has left the clan.");
    EXPECT_TRUE(messenger->LeaveClanButton()->IsVisible()) << "a master alone";
    Press(Messenger::kLeaveClan);
    ASSERT_TRUE(Box().IsVisible());
    EXPECT_EQ(Box().Title().GetText(), u"Question");
    EXPECT_EQ(Box().Line(0).GetText(), u"Do you want to leave the clan?");
    EXPECT_EQ(Box().Line(1).GetText(), u"A clan will be deleted if there are no clan members.");
    EXPECT_EQ(Box().GetEventCode(), static_cast<int32_t>(quill::AppEventId::MessengerControlSend));
    EXPECT_EQ(Box().GetButtonLayout(), NoticeBox::kLayoutYesNo);

    // The scene manager sends ClanLeave on Yes; the server's answer clears the clan.
    app.Scenes().OnMessage(quill::AppEventId::MessengerControlSend, NoticeBox::kYes, 0);
    EXPECT_EQ(Sent(MessageId::ClanLeave)[0], (std::vector<uint8_t>{0x05, 0x00, 0x28, 0x00, 0x01}));
    quill::Packet refused;
    refused.Init(MessageId::ClanLeaveResult).WriteU8(1);
    Receive(std::move(refused));
    EXPECT_EQ(Box().Line(0).GetText(), u"The Clan master cannot leave the clan unless all members have left.");
    quill::Packet done;
    done.Init(MessageId::ClanLeaveResult).WriteU8(0);
    Receive(std::move(done));
    EXPECT_EQ(Box().Line(0).GetText(), u"You've left the clan.");
    EXPECT_EQ(messenger->View(), MessengerView::Friends);
    EXPECT_EQ(connection().Directories().ClanMembers().Count(), 0u);
    EXPECT_EQ(connection().LocalPlayer().clanId, 0u);
    Press(Messenger::kClanTab);
    EXPECT_EQ(Box().Line(0).GetText(), u"This menu is not allowed currently.");
    EXPECT_EQ(messenger->View(), MessengerView::Friends);
}

TEST_F(MessengerMembersTest, TheClanStatusReachesTheHeaderAndTheClanMenuOpensItsDialogs) {
    TestClan clan;
    clan.money = 50000;
    FillLists({}, {Own(10)}, clan);
    ShowClanList();
    EXPECT_EQ(messenger->ClanMoneyLabel()->GetText(), u"50,000");
    quill::Packet status;
    status.Init(MessageId::ClanMemberStatus).WriteU32(clan.id).WriteU8(30).WriteU32(7).WriteI64(1234567);
    Receive(std::move(status));
    EXPECT_EQ(messenger->ClanMoneyLabel()->GetText(), u"1,234,567");
    EXPECT_EQ(messenger->CountLabel()->GetText(), u"[ 1/30]");
    EXPECT_EQ(host->Posted().back().id, quill::AppEventId::ShopRefresh1067);
    quill::Packet other;
    other.Init(MessageId::ClanMemberStatus).WriteU32(clan.id + 1).WriteU8(70).WriteU32(7).WriteI64(1);
    Receive(std::move(other));
    EXPECT_EQ(connection().Directories().Clan().capacity, 30) << "another clan's status is not ours";

    Press(Messenger::kClanName);
    EXPECT_TRUE(messenger->ClanMenu()->IsVisible());
    Press(Messenger::kEditInfo);
    EXPECT_FALSE(messenger->IsVisible());
    ASSERT_TRUE(messenger->Clan().IsVisible());
    EXPECT_FALSE(messenger->Clan().NameEntry()->IsEnabled()) << "an existing clan keeps its name";

    Press(Messenger::kClanChat);
    EXPECT_EQ(messenger->View(), MessengerView::Chat);
    EXPECT_EQ(messenger->CurrentChatMember(), 0);
}

TEST_F(MessengerMembersTest, AClanOfficerCannotEditTheClan) {
    FillLists({}, {Own(5)});
    ShowClanList();
    Press(Messenger::kEditInfo);
    EXPECT_EQ(Box().Line(0).GetText(), u"Clan master only allowed");
    EXPECT_FALSE(messenger->Clan().IsVisible());
}

}  // namespace
}  // namespace kestrovan::test
