// The friend and clan dialogs on a headless App: friend requests answered from the head of their queue, the
// questions about a player and the requests they send, clan invitations, the player search and the found
// player, the clan dialog's checks and costs, and the boxes of the server's results.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "client/connection/JoinWithTarget.h"
#include "client/scenes/community/ClanDialog.h"
#include "client/scenes/community/ClanInviteDialog.h"
#include "client/scenes/community/DeleteFriendDialog.h"
#include "client/scenes/community/FindPlayerDialog.h"
#include "client/scenes/community/FoundPlayerDialog.h"
#include "client/scenes/community/FriendRequestDialog.h"
#include "client/scenes/community/MemberQuestionDialog.h"
#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/community/CommunityScreen.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

class FriendDialogsTest : public CommunityScreen {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    FriendDialogsTest() { FillLists({Online(1, u"Ann")}, {}); }
    FriendRequestDialog& RequestDialog() { return messenger->FriendRequest(); }
    void Request(uint32_t memberId, quill::WStringView nickname) {
        Receive(FriendRequestReceivedMessage(7000 + memberId, memberId, nickname));
    }
    static quill::PlayerState& Player(quill::PlayerState& state, int64_t userId, quill::WStringView nickname) {
        state.accountId = userId;
        state.name = quill::WString(nickname);
        return state;
    }
    void Result(MessageId id, std::initializer_list<uint8_t> bytes, quill::WStringView text = {}) {
        quill::Packet packet;
        packet.Init(id);
        for (uint8_t byte : bytes)
            packet.WriteU8(byte);
        if (!text.empty())
            packet.WriteWString(text);
        Receive(std::move(packet));
    }
    quill::WString BoxLine() { return Box().IsVisible() ? Box().Line(0).GetText() : u"(no box)"; }
};

TEST_F(FriendDialogsTest, RequestsWaitInTheirQueueAndEachAnswerGoesToTheOneShown) {
    Request(11, u"First");
    ASSERT_TRUE(RequestDialog().IsVisible());
    EXPECT_EQ(RequestDialog().Line(0)->GetText(), u"First has requested to add you as a friend.");
    EXPECT_EQ(RequestDialog().GetParent(), &Screen());
    Request(12, u"Second");
    Request(11, u"First");  // a second request of the same member is ignored
    EXPECT_EQ(messenger->Requests().Count(), 2u);
    EXPECT_EQ(RequestDialog().Line(0)->GetText(), u"First has requested to add you as a friend.");

    Click(*RequestDialog().YesButton());
    EXPECT_TRUE(RequestDialog().IsVisible()) << "the next request shows at once";
    EXPECT_EQ(RequestDialog().Line(0)->GetText(), u"Second has requested to add you as a friend.");
    Click(*RequestDialog().NoButton());
    EXPECT_FALSE(RequestDialog().IsVisible());
    const auto replies = Sent(MessageId::FriendRequestReply, 2);
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0], (std::vector<uint8_t>{0x17, 0x00, 0x1E, 0x00, 0x01, 0x0B, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x46,
                                                0x00, 0x69, 0x00, 0x72, 0x00, 0x73, 0x00, 0x74, 0x00, 0x00, 0x00}));
    EXPECT_EQ(replies[1][4], 0) << "refused";
    EXPECT_EQ(replies[1][5], 12);
    EXPECT_EQ(messenger->Requests().RecordsInUse(), 0);
}

TEST_F(FriendDialogsTest, ARequestInAGameRoomIsAnnouncedThereAndShownOnTheNextScreen) {
    Enter(SceneId::RoomGame);
    Request(11, u"Courier");
    EXPECT_FALSE(RequestDialog().IsVisible());
    EXPECT_EQ(messenger->LastAnnouncedRequester(), u"Courier");
    EXPECT_EQ(host->Sounds(), (std::vector<uint32_t>{Messenger::kAlarmSound}));
    EXPECT_EQ(host->Posted().back().id, quill::AppEventId::ChatNotify);

    // A second request while the dialog is hidden shows the head of the queue, not the newcomer.
    Enter(SceneId::Lobby);
    ASSERT_TRUE(RequestDialog().IsVisible());
    RequestDialog().SetVisible(false);
    Request(12, u"Latecomer");
    EXPECT_EQ(RequestDialog().Line(0)->GetText(), u"Courier has requested to add you as a friend.");
    Click(*RequestDialog().YesButton());
    EXPECT_EQ(Sent(MessageId::FriendRequestReply)[0][5], 11) << "the answer is for the request shown";
}

TEST_F(FriendDialogsTest, QuestionsSendTheRequestOfTheirKind) {
    quill::PlayerState target;
    Player(target, 0x0102030405060708, u"Target");
    const struct {
        int32_t kind;
        const char16_t* line;
        MessageId sent;
    } questions[] = {
        {MessengerPopup::kAskFriend, u"Do you want to add Target as a friend?", MessageId::FriendRequest},
        {MessengerPopup::kInviteToClan, u"Do you want to invite Target to the clan?", MessageId::ClanInvite},
        {MessengerPopup::kBlock, u"Do you want to block Target?", MessageId::BlockUser},
        {MessengerPopup::kBan, u"Do you want to ban Target?", MessageId::BanUser},
        {MessengerPopup::kInviteToClanFromRoom, u"Do you want to invite Target to the clan?", MessageId::ClanInvite},
    };
    for (const auto& question : questions) {
        messenger->OpenUserDialog(target, question.kind);
        ASSERT_TRUE(messenger->Question().IsVisible());
        EXPECT_EQ(messenger->Question().Line()->GetText(), question.line);
        Click(*messenger->Question().YesButton());
        EXPECT_FALSE(messenger->Question().IsVisible());
    }
    messenger->AskAboutMember(target, 2);  // no question of that kind: nothing is sent
    Click(*messenger->Question().YesButton());
    messenger->AskAboutMember(target, MessengerPopup::kBlock);
    Click(*messenger->Question().NoButton());

    const std::vector<uint8_t> id{0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01};
    auto withHeader = [&](uint16_t message, std::vector<uint8_t> tail) {
        std::vector<uint8_t> bytes{static_cast<uint8_t>(4 + tail.size()), 0x00, static_cast<uint8_t>(message & 0xFF),
                                   static_cast<uint8_t>(message >> 8)};
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        return bytes;
    };
    std::vector<uint8_t> friendTail = id;
    for (uint8_t byte :
         {0x0C, 0x00, 0x54, 0x00, 0x61, 0x00, 0x72, 0x00, 0x67, 0x00, 0x65, 0x00, 0x74, 0x00, 0x00, 0x00})
        friendTail.push_back(byte);
    EXPECT_EQ(Sent(MessageId::FriendRequest)[0], withHeader(25, friendTail));
    EXPECT_EQ(Sent(MessageId::ClanInvite, 2), (std::vector<std::vector<uint8_t>>(2, withHeader(34, id))));
    EXPECT_EQ(Sent(MessageId::BlockUser)[0], withHeader(51, id));
    EXPECT_EQ(Sent(MessageId::BanUser)[0], withHeader(1169, id));
    EXPECT_EQ(SentCount(MessageId::BlockUser), 1u) << "No sends nothing";
}

TEST_F(FriendDialogsTest, DeletingAFriendFromAnotherListFindsHimByNickname) {
    quill::PlayerState lobbyUser;
    Player(lobbyUser, 5001, u"Ann");  // the lobby's record has no member id
    messenger->AskDeleteFriend(lobbyUser);
    ASSERT_TRUE(messenger->DeleteFriend().IsVisible());
    Click(*messenger->DeleteFriend().YesButton());
    EXPECT_EQ(Sent(MessageId::FriendDelete)[0], (std::vector<uint8_t>{0x08, 0x00, 0x1A, 0x00, 0x01, 0x00, 0x00, 0x00}));
    quill::PlayerState stranger;
    Player(stranger, 9, u"Nobody");
    messenger->AskDeleteFriend(stranger);
    EXPECT_FALSE(messenger->DeleteFriend().IsVisible());

    // The server's FriendRemoved takes him out, with a notice unless it is quiet.
    quill::Packet removed;
    removed.Init(MessageId::FriendRemoved).WriteU8(0).WriteU32(1).WriteWString(u"Ann");
    Receive(std::move(removed));
    EXPECT_EQ(Box().Title().GetText(), u"Ask Friend");
    EXPECT_EQ(BoxLine(), u"Ann has been deleted from your friends list.");
    EXPECT_EQ(connection().Directories().Friends().Count(), 0u);
}

TEST_F(FriendDialogsTest, AClanInvitationIsAnsweredOnlyByItsYes) {
    quill::Packet invitation;
    invitation.Init(MessageId::ClanInvitation).WriteWString(u"Boss").WriteU32(0x0A0B0C0D).WriteWString(u"Breakers");
    invitation.WriteU8(12);
    Receive(std::move(invitation));
    ClanInviteDialog& dialog = messenger->ClanInvite();
    ASSERT_TRUE(dialog.IsVisible());
    EXPECT_EQ(dialog.Line(0)->GetText(), u"Boss has invited you to the clan.");
    EXPECT_EQ(dialog.Line(1)->GetText(), u"Clan : Breakers  num of member : 12");
    EXPECT_EQ(dialog.Line(2)->GetText(), u"Do you want to join?");
    Click(*dialog.NoButton());
    EXPECT_EQ(SentCount(MessageId::ClanInviteAnswer), 0u);
    dialog.ShowOn(Screen());
    Click(*dialog.YesButton());
    EXPECT_EQ(Sent(MessageId::ClanInviteAnswer)[0],
              (std::vector<uint8_t>{0x09, 0x00, 0x2D, 0x00, 0x01, 0x0D, 0x0C, 0x0B, 0x0A}));
}

TEST_F(FriendDialogsTest, TheSearchTakesFourToTwelveBytesAndTheFoundPlayerOffersHisPlace) {
    Press(Messenger::kFindPlayer);
    FindPlayerDialog& find = messenger->FindPlayer();
    ASSERT_TRUE(find.IsVisible());
    for (const char16_t* refused : {u"abc", u"abcdefghijklm", u"가나다라마바a"}) {
        find.Entry()->SetText(refused);
        EXPECT_FALSE(find.Search());
        EXPECT_EQ(BoxLine(), u"Nickname length is 4 bytes to 12 bytes");
    }
    find.Entry()->SetText(u"가나다라마바");
    Button search;
    search.SetId(FindPlayerDialog::kSearch);
    find.OnEvent(&search, 0, 0);
    const auto request = Sent(MessageId::FindPlayer);
    ASSERT_EQ(request.size(), 1u);
    EXPECT_EQ(request[0].size(), 4u + 2 + 12 + 2);
    EXPECT_TRUE(find.IsVisible()) << "the dialog waits for the answer";

    Receive(FindPlayerResultMessage(0, 0, u"", 0, 0));
    EXPECT_EQ(BoxLine(), u"The relevant user does not exist or is offline.");
    Receive(FindPlayerResultMessage(1, 0x55, u"가나다라마바", 0, 0));
    EXPECT_FALSE(find.IsVisible());
    FoundPlayerDialog& found = messenger->FoundPlayer();
    ASSERT_TRUE(found.IsVisible());
    EXPECT_EQ(found.NicknameLabel()->GetText(), u"가나다라마바");

    // Only logged in (channel 0): "Join with" does nothing. In a channel's room it goes there.
    Button join;
    join.SetId(FoundPlayerDialog::kJoinWith);
    found.OnEvent(&join, 0, 0);
    EXPECT_TRUE(found.IsVisible());
    EXPECT_EQ(connection().JoinTarget().pending, 0);
    Receive(FindPlayerResultMessage(1, 0x55, u"Roomie", 2, 14));
    found.OnEvent(&join, 0, 0);
    EXPECT_FALSE(found.IsVisible());
    EXPECT_EQ(connection().JoinTarget().channel, 2);
    EXPECT_EQ(connection().JoinTarget().place, 14);
    EXPECT_EQ(host->Posted().back().id, quill::AppEventId::JoinWith);

    // "View Info" asks for any channel and stays; "Ask Friend" sends the request, never for the player himself.
    Receive(FindPlayerResultMessage(1, kOwnUserId, u"Carom", 3, 0));
    Button view;
    view.SetId(FoundPlayerDialog::kViewInfo);
    Button ask;
    ask.SetId(FoundPlayerDialog::kAskFriend);
    found.OnEvent(&view, 0, 0);
    found.OnEvent(&ask, 0, 0);
    found.OnEvent(&join, 0, 0);
    EXPECT_TRUE(found.IsVisible());
    EXPECT_EQ(Sent(MessageId::UserInfoRequest)[0][4], 0xFF);
    EXPECT_EQ(SentCount(MessageId::FriendRequest), 0u);
}

TEST_F(FriendDialogsTest, ResultsShowTheirTexts) {
    const struct {
        MessageId id;
        std::initializer_list<uint8_t> bytes;
        const char16_t* text;
        const char16_t* title;
        const char16_t* line;
    } results[] = {
        {MessageId::FriendRequestResult, {0}, nullptr, u"Ask Friend", u"Add friend is requested."},
        {MessageId::FriendRequestResult, {2}, u"Ann", u"Ask Friend", u"Ann has refused to become a friend."},
        {MessageId::FriendRequestResult, {3}, nullptr, u"Ask Friend", u"You can no longer add more friends."},
        {MessageId::FriendRequestResult, {4}, nullptr, u"Ask Friend", u"The opponent can no longer add more friends."},
        {MessageId::FriendRequestResult, {9}, nullptr, u"Ask Friend", u"Already registered or the request has failed."},
        {MessageId::FriendRequestAnswer, {1}, u"Ann", u"Ask Friend", u"Ann has been registered as a friend."},
        {MessageId::FriendRequestAnswer, {0}, u"Ann", u"Ask Friend", u"Ann has rejected your friend request."},
        {MessageId::ClanInviteResult,
         {2},
         nullptr,
         u"Invite Clan",
         u"This user is already registered to the other clan."},
        {MessageId::ClanInviteResult, {3}, nullptr, u"Invite Clan", u"The clan has exceeded its max capacity allowed."},
        {MessageId::ClanInviteResult, {0}, nullptr, u"Invite Clan", u""},
    };
    for (const auto& result : results) {
        Result(result.id, result.bytes, result.text != nullptr ? result.text : u"");
        EXPECT_EQ(Box().Title().GetText(), result.title);
        EXPECT_EQ(Box().Line(0).GetText(), result.line);
    }
    // A nickname far longer than its field is cut before it is shown.
    Result(MessageId::FriendRequestAnswer, {1}, quill::WString(1400, u'n'));
    EXPECT_EQ(Box().Line(0).GetText(), quill::WString(63, u'n') + u" has been registered as a friend.");
}

TEST_F(FriendDialogsTest, TheClanDialogChecksGoldNamesAndCapacity) {
    // Outside the lobby, or without 100,000 gold, no clan can be made.
    Enter(SceneId::RoomGame);
    messenger->OpenClanDialog();
    EXPECT_EQ(BoxLine(), u"Clan setting change can only be done");
    EXPECT_EQ(Box().Line(1).GetText(), u"at the lobby.");
    Enter(SceneId::Lobby);
    connection().LocalPlayer().cueMoney = 99999;
    app.Scenes().OnMessage(quill::AppEventId::MessengerControl, NoticeBox::kYes, 0);
    EXPECT_EQ(BoxLine(), u"100,000 gold is required to create a clan.");
    connection().LocalPlayer().cueMoney = 100000;
    app.Scenes().OnMessage(quill::AppEventId::MessengerControl, NoticeBox::kYes, 0);
    ClanDialog& dialog = messenger->Clan();
    ASSERT_TRUE(dialog.IsVisible());
    EXPECT_EQ(dialog.CostLabel()->GetText(), u"100,000");
    EXPECT_FALSE(dialog.CapacityList()->IsEnabled()) << "a new clan starts with ten players";

    dialog.NameEntry()->SetText(u"abc");
    dialog.CreateClan();
    EXPECT_EQ(BoxLine(), u"Clan name is 4 bytes to 12 bytes.");
    dialog.NameEntry()->SetText(u"당구클럽");
    Button ok;
    ok.SetId(PopupWindow::kOk);
    dialog.OnEvent(&ok, 0, 0);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(Sent(MessageId::ClanCreate)[0],
              (std::vector<uint8_t>{0x11, 0x00, 0x20, 0x00, 0x08, 0x00, 0xF9, 0xB2, 0x6C, 0xAD, 0x74, 0xD0, 0xFD, 0xB7,
                                    0x00, 0x00, 0x0A}));

    // The server's answer makes the player the master and takes the cost from his gold.
    quill::Packet created;
    created.Init(MessageId::ClanCreateResult).WriteU8(0).WriteU32(321).WriteWString(u"당구클럽").WriteU8(1).WriteU8(10);
    created.WriteU32(100000);
    quill::Packet createdPacket = AsReceived(std::move(created));
    messenger->OnClanCreateResult(createdPacket);
    MainLoopPass();
    EXPECT_EQ(BoxLine(), u"The clan is created. You are a clan master.");
    EXPECT_EQ(connection().LocalPlayer().clanId, 321u);
    EXPECT_EQ(connection().LocalPlayer().clanRank, 10);
    EXPECT_EQ(connection().LocalPlayer().cueMoney, 0);
    for (uint8_t code : {1, 2, 3, 4}) {
        quill::Packet refused;
        refused.Init(MessageId::ClanCreateResult).WriteU8(code);
        quill::Packet packet = AsReceived(std::move(refused));
        messenger->OnClanCreateResult(packet);
        MainLoopPass();
        EXPECT_EQ(Box().Title().GetText(), u"Error");
    }
    EXPECT_EQ(BoxLine(), u"Clan creation gold is running short.");
}

TEST_F(FriendDialogsTest, GrowingTheClanCostsTheTablesDifferenceFromItsMoney) {
    TestClan clan;
    clan.capacity = 20;
    clan.money = 299999;
    FillLists({}, {Own(10)}, clan);
    ClanDialog& dialog = messenger->Clan();
    dialog.SetClan(connection().Directories().Clan());
    EXPECT_EQ(dialog.CapacityList()->GetSelected(), 1);
    EXPECT_FALSE(dialog.CapacityList()->GetRow(1)->IsEnabled()) << "not above the present capacity";
    EXPECT_TRUE(dialog.CapacityList()->GetRow(3)->IsEnabled());
    EXPECT_EQ(dialog.CostLabel()->GetText(), u"0");
    dialog.OnEvent(dialog.CapacityList(), 3, 0);
    EXPECT_EQ(dialog.CostLabel()->GetText(), u"300,000") << "20 to 40 players";
    dialog.ChangeCapacity();
    EXPECT_EQ(BoxLine(), u"insufficient money..");
    connection().Directories().SetClanStatus(20, 0, 300000);
    dialog.ChangeCapacity();
    EXPECT_EQ(Sent(MessageId::ClanSettings)[0], (std::vector<uint8_t>{0x06, 0x00, 0x25, 0x00, 0x01, 0x28}));
    dialog.OnEvent(dialog.CapacityList(), 1, 0);
    dialog.ChangeCapacity();
    EXPECT_EQ(BoxLine(), u"No changed.");
    Enter(SceneId::RoomGame);
    dialog.ChangeCapacity();
    EXPECT_EQ(BoxLine(), u"Changing setting is allowed in only lobby.");
}

}  // namespace
}  // namespace kestrovan::test
