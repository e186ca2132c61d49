// The community in the game room of a headless App linked to the stand-in server: the player board's menu
// asks the messenger's questions (a friend, cut the chat, kick, a clan invitation) and shows the player's own
// profile on the table's game mode; a profile the server sends comes over the room on that mode too; the
// title bar's messenger button opens the messenger on the room.
#include <gtest/gtest.h>

#include "client/connection/GameConnection.h"
#include "client/scenes/community/MemberQuestionDialog.h"
#include "client/scenes/community/Messenger.h"
#include "client/scenes/community/ProfileWindow.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/community/CommunityMessageNames.h"
#include "tests/support/net/CommunityMessages.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/scenes/SceneHarness.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

constexpr int32_t kRoomMode = 4;
constexpr int64_t kOwnId = 500;
constexpr int64_t kOtherId = 0x600000001;

class RoomCommunity : public SceneHarness<SceneRoomGame> {
protected:
    RoomCommunity() {
        app.SetScreenSize({1024, 768});
        app.Scenes().ResizeAll(1024, 768);
        quill::RoomInfo& room = Connection().GetRoomInfo();
        room.gameType = kRoomMode;
        room.title = u"Friday pool";
        scene->SetLoadWanted(false);
        quill::PlayerState& local = Connection().LocalPlayer();
        local.accountId = kOwnId;
        local.name = u"Carom";
        local.clanId = 900;
        local.clanRank = 10;
        Connection().SetTaggedText(3, u"2030", 0);  // a membership: the master may kick
        messenger = static_cast<Messenger*>(app.Scenes().GetMessenger());
        profile = static_cast<ProfileWindow*>(app.Scenes().GetProfilePopup());

        server.GreetWithHello();
        Connection().SetServerAddress(server.Host(), server.Port());
        Connection().StartDispatchThread();
        Connection().Connect();
        connected = server.WaitForMessage(MessageId::LoginRequest).has_value();
        // The dispatch thread has answered the greeting: the test delivers the server's messages itself.
        Connection().StopDispatchThread();
        const quill::ScopedLock turn = MainThreadTurn();
        EXPECT_EQ(scene->LoadResources(nullptr, nullptr), 1) << "no packs";
        Activate();

        // The board with the player and one other, as the room's model has them.
        Seat(1, u"Carom", kOwnId);
        Seat(2, u"Other", kOtherId);
        board().SetMaster(true);
        board().Refresh(model, room);
    }
    ~RoomCommunity() override { Connection().StopDispatchThread(); }

    GameConnection& Connection() { return *app.Connection(); }
    PlayerBoard& board() { return *scene->Board(); }
    void Seat(uint8_t seat, const char16_t* name, int64_t accountId) {
        quill::PlayerState& player = model.players[seat];
        player.seat = static_cast<int8_t>(seat);
        player.team = static_cast<int8_t>(seat);
        player.name = name;
        player.accountId = accountId;
        model.teams[seat].id = seat;
        model.teams[seat].AddMember(&player, 0, 1);
    }
    // The row's menu and one of its entries (0 View Info, 1 Ask Friend, 2 Kick User, 3 Cut Chat, 4 Invite Clan).
    void Choose(size_t row, size_t entry) {
        Routed(board(), board().Row(row), 0, 0);
        Routed(board(), board().MenuEntry(entry), 0, 0);
    }
    // The question's Yes; the request the server got.
    std::vector<uint8_t> Answer(MessageId id) {
        Routed(messenger->Question(), messenger->Question().YesButton(), 0, 0);
        const std::optional<kvtest::ServerMessage> sent = server.WaitForMessage(id);
        return sent ? sent->bytes : std::vector<uint8_t>{};
    }

    kvtest::GameServerFixture server;
    bool connected = false;
    quill::GameModel model;
    Messenger* messenger = nullptr;
    ProfileWindow* profile = nullptr;
};

TEST_F(RoomCommunity, ThePlayerBoardsMenuAsksTheMessengersQuestionsAboutTheOtherPlayer) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    const struct {
        size_t entry;
        int32_t kind;
        const char16_t* line;
        MessageId request;
    } questions[] = {
        {1, MessengerPopup::kAskFriend, u"Do you want to add Other as a friend?", MessageId::FriendRequest},
        {3, MessengerPopup::kBlock, u"Do you want to block Other?", MessageId::BlockUser},
        {2, MessengerPopup::kBan, u"Do you want to ban Other?", MessageId::BanUser},
        {4, MessengerPopup::kInviteToClanFromRoom, u"Do you want to invite Other to the clan?", MessageId::ClanInvite},
    };
    for (const auto& question : questions) {
        SCOPED_TRACE(question.kind);
        Choose(1, question.entry);
        ASSERT_TRUE(messenger->Question().IsVisible());
        EXPECT_EQ(messenger->Question().GetParent(), scene) << "over the room";
        EXPECT_EQ(messenger->Question().Kind(), question.kind);
        EXPECT_EQ(messenger->Question().Line()->GetText(), question.line);
        const std::vector<uint8_t> request = Answer(question.request);
        ASSERT_GE(request.size(), 12u);
        EXPECT_EQ(std::vector<uint8_t>(request.begin() + 4, request.begin() + 12),
                  (std::vector<uint8_t>{1, 0, 0, 0, 6, 0, 0, 0}))
            << "the other player's user id";
    }
}

TEST_F(RoomCommunity, ProfilesComeOverTheRoomOnTheTablesGameMode) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    // "View Info" on oneself: one's own profile, the table's mode chosen, nothing asked of the server.
    profile->SetSelectedMode(10);
    Choose(0, 0);
    ASSERT_TRUE(profile->IsVisible());
    EXPECT_EQ(profile->GetParent(), scene);
    EXPECT_EQ(profile->NicknameLabel()->GetText(), u"Carom");
    EXPECT_EQ(profile->SelectedMode(), kRoomMode);
    profile->Show(false);

    // On anyone else the server is asked; its profile comes on the table's mode as well.
    Choose(1, 0);
    ASSERT_TRUE(server.WaitForMessage(MessageId::UserInfoRequest).has_value());
    profile->SetSelectedMode(10);
    TestProfile other;
    other.nickname = u"Other";
    Receive(UserProfileMessage(other));
    app.Scenes().PollCurrentScene();
    ASSERT_TRUE(profile->IsVisible());
    EXPECT_EQ(profile->GetParent(), scene);
    EXPECT_EQ(profile->NicknameLabel()->GetText(), u"Other");
    EXPECT_EQ(profile->SelectedMode(), kRoomMode);
}

TEST_F(RoomCommunity, TheTitleBarsMessengerButtonOpensTheMessengerOnTheRoom) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Routed(*scene, scene->TopButton(SceneRoomGame::kMessenger), 0, 0);
    EXPECT_TRUE(messenger->IsVisible());
    EXPECT_EQ(messenger->GetParent(), scene);
    Routed(*scene, scene->TopButton(SceneRoomGame::kMessenger), 0, 0);
    EXPECT_FALSE(messenger->IsVisible());
}

}  // namespace
}  // namespace kestrovan::test
