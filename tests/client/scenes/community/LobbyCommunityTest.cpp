// The community on the lobby of a headless App linked to the stand-in server: the lobby opens the messenger
// (its button, F8 in its chat, Tab into the messenger's chat), its player menu asks the messenger's questions
// and shows the player's own profile, profiles and the clan's creation reach their windows over it, and
// the messenger names where each friend is from the lobby's channel. Server messages take the connection's
// dispatch path.
#include <gtest/gtest.h>

#include "client/scenes/common/PlayerListRow.h"
#include "client/scenes/community/BlinkingIcon.h"
#include "client/scenes/community/DeleteFriendDialog.h"
#include "client/scenes/community/MemberListRow.h"
#include "client/scenes/community/MemberQuestionDialog.h"
#include "client/scenes/community/Messenger.h"
#include "client/scenes/community/ProfileWindow.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"
#include "tests/client/scenes/community/CommunityMessageNames.h"
#include "tests/client/scenes/lobby/LobbyScreen.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;
namespace Vk = platform::Vk;

class LobbyCommunity : public LobbyScreen {
protected:
    LobbyCommunity() {
        app.Connection()->LocalPlayer().channel = kChannel;
        app.Connection()->LocalPlayer().name = u"Carom";
        messenger = static_cast<Messenger*>(app.Scenes().GetMessenger());
        profile = static_cast<ProfileWindow*>(app.Scenes().GetProfilePopup());
        const quill::ScopedLock turn = MainThreadTurn();
        messenger->AttachToScreen(*lobby);
    }
    // Through the connection's handlers, then the lobby's packet slot, then a pass of the main loop.
    void Dispatch(quill::Packet message) {
        Receive(std::move(message));
        app.Scenes().PollCurrentScene();
    }
    static void Click(Widget& control) { control.GetParent()->OnEvent(&control, 0, 0); }
    void PressLobby(int32_t id) {
        Button button;
        button.SetId(id);
        lobby->OnEvent(&button, 0, 0);
    }
    static TestMember Friend(uint32_t id, quill::WStringView nickname, uint8_t channel, uint16_t place) {
        return TestMember{id, 0x1000 + id, quill::WString(nickname), channel, place, 0};
    }

    Messenger* messenger = nullptr;
    ProfileWindow* profile = nullptr;
};

TEST_F(LobbyCommunity, TheLobbyOpensTheMessengerAndItsRowsSayWhereFriendsAre) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    Dispatch(FriendListMessage({Friend(1, u"Here", kChannel, 12), Friend(2, u"There", 5, 0),
                                Friend(3, u"Shop", kChannel, 0xFFFA), Friend(4, u"Gone", 0xFF, 0xFFFD),
                                Friend(5, u"Lobby", kChannel, 0)}));
    PressLobby(SceneLobby::kMessenger);
    ASSERT_TRUE(messenger->IsVisible());
    EXPECT_EQ(messenger->GetParent(), lobby);
    const std::vector<std::pair<quill::WString, quill::WString>> rows{
        {u"Here", u"Room12"}, {u"There", u"Ch.5"}, {u"Shop", u"Shop"}, {u"Lobby", u"Lobby"}, {u"Gone", u"Offline"}};
    for (size_t n = 0; n < rows.size(); ++n) {
        EXPECT_EQ(messenger->Row(static_cast<int32_t>(n))->NicknameLabel()->GetText(), rows[n].first);
        EXPECT_EQ(messenger->Row(static_cast<int32_t>(n))->LocationLabel()->GetText(), rows[n].second);
    }

    // F8 in the lobby's chat closes it again; a friend's line while closed leaves the icon on the lobby.
    lobby->OnEvent(lobby->ChatInput(), Vk::F8, 0);
    EXPECT_FALSE(messenger->IsVisible());
    Dispatch(ChatMessage(MessageId::MessengerChat, 1, 2, u"over here"));
    EXPECT_TRUE(messenger->NewMessageIcon()->IsVisible());
    EXPECT_EQ(messenger->NewMessageIcon()->GetParent(), lobby);
    lobby->OnEvent(lobby->ChatInput(), Vk::F8, 0);
    EXPECT_EQ(messenger->View(), MessengerView::Chat);

    // Tab in the lobby's chat passes the keyboard to the messenger's chat entry.
    messenger->ReleaseChatFocus();
    lobby->OnEvent(lobby->ChatInput(), Vk::Tab, 0);
    EXPECT_TRUE(messenger->ChatEntry()->IsFocused());
}

TEST_F(LobbyCommunity, ThePlayerMenuAsksTheMessengersQuestionsAndShowsOnesOwnProfile) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    Dispatch(FriendListMessage({Friend(9, u"you", kChannel, 0)}));
    Receive(UserAdded(0x77, u"me", 9));
    Receive(UserAdded(0x88, u"you", 8, 4));
    lobby->OnEvent(lobby->UserRow(1), 0, 0);
    lobby->OnEvent(lobby->ContextEntry(2), 0, 0);
    ASSERT_TRUE(messenger->Question().IsVisible());
    EXPECT_EQ(messenger->Question().Kind(), MessengerPopup::kAskFriend);
    EXPECT_EQ(messenger->Question().Line()->GetText(), u"Do you want to add you as a friend?");
    Click(*messenger->Question().YesButton());
    const std::vector<uint8_t> request = Sent(MessageId::FriendRequest);
    ASSERT_GE(request.size(), 12u);
    EXPECT_EQ(request[4], 0x88);

    // In the friends tab the same entry deletes the friend, found by his nickname in the friend list.
    PressLobby(SceneLobby::kFriendsTab);
    lobby->OnEvent(lobby->UserRow(0), 0, 0);
    lobby->OnEvent(lobby->ContextEntry(2), 0, 0);
    ASSERT_TRUE(messenger->DeleteFriend().IsVisible());
    Click(*messenger->DeleteFriend().YesButton());
    EXPECT_EQ(Sent(MessageId::FriendDelete), (std::vector<uint8_t>{8, 0, 0x1A, 0, 9, 0, 0, 0}));

    // "View Info" on one's own row shows one's own profile and asks the server nothing.
    PressLobby(SceneLobby::kLobbyUsersTab);
    lobby->OnEvent(lobby->UserRow(0), 0, 0);
    lobby->OnEvent(lobby->ContextEntry(0), 0, 0);
    EXPECT_TRUE(profile->IsVisible());
    EXPECT_EQ(profile->NicknameLabel()->GetText(), u"Carom");
    EXPECT_EQ(CountSent(MessageId::UserInfoRequest), 0u);
}

TEST_F(LobbyCommunity, ProfilesAndTheClansCreationReachTheirWindowsOverTheLobby) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    TestProfile visitor;
    visitor.nickname = u"Visitor";
    Dispatch(UserProfileMessage(visitor));
    ASSERT_TRUE(profile->IsVisible());
    EXPECT_EQ(profile->GetParent(), lobby);
    EXPECT_EQ(profile->NicknameLabel()->GetText(), u"Visitor");

    quill::Packet created;
    created.Init(MessageId::ClanCreateResult).WriteU8(3);
    Dispatch(std::move(created));
    EXPECT_TRUE(Box().IsVisible());
    EXPECT_EQ(Box().Line(0).GetText(), u"There is already a clan using the same name.");
}

}  // namespace
}  // namespace kestrovan::test
