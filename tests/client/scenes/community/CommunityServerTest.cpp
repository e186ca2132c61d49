// The community against the stand-in server and its community script, every message taking the
// connection's dispatch thread: the lists the login brings, presence pushed, chat echoed and answered,
// friend requests both ways, deleting a friend, the clan's creation, growth, invitations and leaving, the
// player search and a profile.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "client/scenes/community/ClanDialog.h"
#include "client/scenes/community/ClanInviteDialog.h"
#include "client/scenes/community/DeleteFriendDialog.h"
#include "client/scenes/community/FindPlayerDialog.h"
#include "client/scenes/community/FoundPlayerDialog.h"
#include "client/scenes/community/FriendRequestDialog.h"
#include "client/scenes/community/MemberListRow.h"
#include "client/scenes/community/MemberQuestionDialog.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/community/CommunityScreen.h"
#include "tests/support/net/GameServerScripts.h"

namespace kestrovan::test {
namespace {

using kvtest::CommunityScript;
using quill::MessageId;

class CommunityServerTest : public CommunityScreen {
protected:
    CommunityServerTest()
        : CommunityScreen(
              SceneId::Lobby, [](kvtest::GameServerFixture& server) { kvtest::InstallCommunityScript(server); }, true) {
        connection().LocalPlayer().channel = 1;
    }
    bool BoxSays(quill::WStringView line) {
        return Eventually([&] { return Box().IsVisible() && Box().Line(0).GetText() == line; });
    }
    quill::WString RowName(int32_t n) { return messenger->Row(n)->NicknameLabel()->GetText(); }
    quill::WString LastChatLine(uint32_t memberId) {
        const std::vector<ChatLine> lines = messenger->ChatLinesOf(memberId);
        return lines.empty() ? quill::WString() : lines.back().text;
    }
};

TEST_F(CommunityServerTest, TheLoginBringsTheListsAndPresenceAndChatFollow) {
    // The dispatch thread fills the clan's list before it sets the player's clan and rank under the tree's
    // lock: the wait ends once the clan is set, and both are read in a turn of the main thread.
    ASSERT_TRUE(Eventually([&] {
        return connection().Directories().Friends().Count() == 3 &&
               connection().Directories().ClanMembers().Count() == 2 && connection().LocalPlayer().clanId != 0;
    }));
    {
        const quill::ScopedLock turn = MainThreadTurn();
        EXPECT_EQ(connection().LocalPlayer().clanId, 900u);
        EXPECT_EQ(connection().LocalPlayer().clanRank, 10);
        messenger->Toggle(Screen());
        EXPECT_EQ(RowName(0), u"Ann");
        EXPECT_EQ(messenger->Row(0)->LocationLabel()->GetText(), u"Room12");
        EXPECT_EQ(messenger->Row(1)->LocationLabel()->GetText(), u"Ch.2");
        EXPECT_EQ(RowName(2), u"Cid");
    }

    // Presence pushed by the server: Cid logs in, Ann moves to the lobby, Ben logs out.
    server.Send(kvtest::MemberLoggedInMessage(1, TestMember{3, 1003, u"Cid", 1, 0, 0}));
    server.Send(kvtest::MemberLocationMessage(1, 1, 0));
    server.Send(kvtest::MemberLoggedOutMessage(1, 2, u"Ben"));
    ASSERT_TRUE(Eventually([&] { return RowName(2) == u"Ben"; })) << "the one who left goes last";
    EXPECT_EQ(messenger->Row(0)->LocationLabel()->GetText(), u"Lobby");
    EXPECT_TRUE(Eventually([&] {
        quill::ScopedLock hold(Screen().lock);
        return !Screen().notices.empty() && Screen().notices.back() == u"[Messanger] Ben has logged out.";
    }));

    // A line typed to Cid comes back as the echo; Cid's answer is pushed.
    {
        const quill::ScopedLock turn = MainThreadTurn();
        Routed(*messenger, messenger->Row(1), 0, 0);
        Press(Messenger::kChatWith);
        ASSERT_EQ(messenger->View(), MessengerView::Chat);
        messenger->ChatEntry()->SetText(u"hi Cid");
        Routed(*messenger, messenger->ChatEntry(), EditBox::kSubmitEvent, 0);
    }
    EXPECT_TRUE(Eventually([&] { return LastChatLine(3) == u"Carom : hi Cid"; }));
    server.Send(kvtest::ChatMessage(MessageId::MessengerChat, 1, 3, u"hello there"));
    EXPECT_TRUE(Eventually([&] { return LastChatLine(3) == u"Cid : hello there"; }));
    EXPECT_TRUE(Eventually([&] { return messenger->ChatLineLabel(2)->GetText() == u"Cid : hello there"; }));
}

TEST_F(CommunityServerTest, FriendRequestsGoBothWaysAndAFriendCanBeDeleted) {
    ASSERT_TRUE(Eventually([&] { return connection().Directories().Friends().Count() == 3; }));
    quill::PlayerState stranger;
    stranger.accountId = 4242;
    stranger.name = u"Stranger";
    {
        const quill::ScopedLock turn = MainThreadTurn();
        messenger->AskAboutMember(stranger, MessengerPopup::kAskFriend);
        Click(*messenger->Question().YesButton());
    }
    EXPECT_TRUE(BoxSays(u"Add friend is requested."));

    // A request the server pushes is answered from its dialog, and the new friend joins the list.
    server.Send(kvtest::FriendRequestReceivedMessage(7007, 7, u"Newcomer"));
    ASSERT_TRUE(Eventually([&] { return messenger->FriendRequest().IsVisible(); }));
    Click(*messenger->FriendRequest().YesButton());
    ASSERT_TRUE(Eventually([&] { return connection().Directories().Friends().Count() == 4; }));
    const auto reply = Sent(MessageId::FriendRequestReply);
    ASSERT_EQ(reply.size(), 1u);
    EXPECT_EQ(reply[0][4], 1);
    EXPECT_EQ(reply[0][5], 7);

    // Deleting a friend: asked, sent, and the server's FriendRemoved takes him out with a notice.
    {
        const quill::ScopedLock turn = MainThreadTurn();
        messenger->Toggle(Screen());
        Routed(*messenger, messenger->Row(0), 0, 0);
        Press(Messenger::kDelFriend);
        Click(*messenger->DeleteFriend().YesButton());
    }
    EXPECT_TRUE(BoxSays(u"Ann has been deleted from your friends list."));
    EXPECT_EQ(connection().Directories().Friends().Count(), 3u);
}

TEST_F(CommunityServerTest, TheClanIsCreatedGrownJoinedAndLeft) {
    ASSERT_TRUE(Eventually([&] { return connection().Directories().ClanMembers().Count() == 2; }));
    // Growing the clan: ClanSettings answered by the clan's new status.
    {
        const quill::ScopedLock turn = MainThreadTurn();
        messenger->Toggle(Screen());
        Press(Messenger::kClanTab);
        Press(Messenger::kEditInfo);
        ASSERT_TRUE(messenger->Clan().IsVisible());
        Routed(messenger->Clan(), messenger->Clan().CapacityList(), 2, 0);
        messenger->Clan().ChangeCapacity();
    }
    EXPECT_TRUE(Eventually([&] { return connection().Directories().Clan().capacity == 30; }));

    // Inviting a player: the server answers that the clan is full.
    quill::PlayerState player;
    player.accountId = 4343;
    player.name = u"Joiner";
    {
        const quill::ScopedLock turn = MainThreadTurn();
        messenger->AskAboutMember(player, MessengerPopup::kInviteToClan);
        Click(*messenger->Question().YesButton());
    }
    EXPECT_TRUE(BoxSays(u"The clan has exceeded its max capacity allowed."));

    // Leaving: the scene manager sends ClanLeave on the question's Yes; the answer empties the clan.
    app.Scenes().OnMessage(quill::AppEventId::MessengerControlSend, NoticeBox::kYes, 0);
    EXPECT_TRUE(BoxSays(u"You've left the clan."));
    EXPECT_EQ(connection().Directories().ClanMembers().Count(), 0u);

    // An invitation pushed by the server, answered Yes: the clan's list comes back.
    server.Send(kvtest::ClanInvitationMessage(u"Boss", 900, u"Cushions", 2));
    ASSERT_TRUE(Eventually([&] { return messenger->ClanInvite().IsVisible(); }));
    Click(*messenger->ClanInvite().YesButton());
    EXPECT_TRUE(Eventually([&] { return connection().Directories().ClanMembers().Count() == 2; }));

    // Creating a clan in the lobby: 100,000 gold and a name; the server makes the player its master.
    {
        const quill::ScopedLock turn = MainThreadTurn();
        app.Scenes().OnMessage(quill::AppEventId::MessengerControl, NoticeBox::kYes, 0);
        ASSERT_TRUE(messenger->Clan().IsVisible());
        messenger->Clan().NameEntry()->SetText(u"Breakers");
        messenger->Clan().CreateClan();
    }
    EXPECT_TRUE(BoxSays(u"The clan is created. You are a clan master."));
    EXPECT_EQ(connection().LocalPlayer().clanId, 901u);
    EXPECT_EQ(connection().LocalPlayer().cueMoney, 1000000 - 100000);
}

TEST_F(CommunityServerTest, ThePlayerSearchFindsAPlayerWhoseProfileShows) {
    {
        const quill::ScopedLock turn = MainThreadTurn();
        messenger->Toggle(Screen());
        Press(Messenger::kFindPlayer);
        messenger->FindPlayer().Entry()->SetText(u"Nobody");
        messenger->FindPlayer().Search();
    }
    EXPECT_TRUE(BoxSays(u"The relevant user does not exist or is offline."));
    {
        const quill::ScopedLock turn = MainThreadTurn();
        messenger->FindPlayer().Entry()->SetText(u"Seeker");
        messenger->FindPlayer().Search();
    }
    ASSERT_TRUE(Eventually([&] { return messenger->FoundPlayer().IsVisible(); }));
    EXPECT_FALSE(messenger->FindPlayer().IsVisible());
    EXPECT_EQ(messenger->FoundPlayer().NicknameLabel()->GetText(), u"Seeker");
    EXPECT_EQ(messenger->FoundPlayer().LocationLabel()->GetText(), u"Room 3  Channel 1");

    Button view;
    view.SetId(FoundPlayerDialog::kViewInfo);
    Routed(messenger->FoundPlayer(), &view, 0, 0);
    ASSERT_TRUE(Eventually([&] { return profile->IsVisible(); }));
    EXPECT_EQ(profile->NicknameLabel()->GetText(), u"Seeker");
    EXPECT_EQ(profile->GetParent(), &Screen());
}

}  // namespace
}  // namespace kestrovan::test
