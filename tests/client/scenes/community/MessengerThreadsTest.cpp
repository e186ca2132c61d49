// The messenger between its threads: presence, locations, chat lines, requests and profiles arrive on a
// dispatch thread while the main thread shows what they opened and, under the App lock and the widget-tree lock
// as the widget tree routes, refreshes the lists, scrolls, opens and closes the window and the menus and reads
// the profile. Many rounds must end without a deadlock (the order: App lock, member-list lock, directory lock)
// and leave the lists whole.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "QuillLib/core/ScopedLock.h"
#include "client/scenes/community/FriendRequestDialog.h"
#include "client/scenes/community/MemberListRow.h"
#include "client/scenes/common/ProfileStatistics.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/community/CommunityScreen.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

constexpr int kRounds = 2000;
constexpr auto kDeadline = std::chrono::seconds(120);

class MessengerThreadsTest : public CommunityScreen {
protected:
    MessengerThreadsTest() {
        std::vector<TestMember> friends;
        std::vector<TestMember> clan{Own(10)};
        for (uint32_t id = 1; id <= 20; ++id) {
            friends.push_back(Offline(id, quill::Format(u"f%d", static_cast<int>(id))));
            clan.push_back(Offline(100 + id, quill::Format(u"c%d", static_cast<int>(id))));
        }
        FillLists(friends, clan);
    }

    // The message through the connection's dispatch, alone: the main loop's passes are the other thread's.
    void Dispatch(quill::Packet message) {
        quill::Packet packet = AsReceived(std::move(message));
        connection().Dispatch(&packet);
    }

    // One round of what the server pushes, through the connection's dispatch.
    void DispatchRound(int round) {
        const uint32_t id = 1 + static_cast<uint32_t>(round % 20);
        const quill::WString name = quill::Format(u"f%d", static_cast<int>(id));
        Dispatch(MemberLoggedInMessage(1, Online(id, name, 3, static_cast<uint16_t>(round % 7))));
        Dispatch(MemberLoggedInMessage(2, Online(100 + id, name, 2, 0)));
        quill::Packet location;
        location.Init(MessageId::MemberLocation).WriteU32(id).WriteU8(3).WriteU16(static_cast<uint16_t>(round % 5));
        Dispatch(std::move(location));
        Dispatch(ChatMessage(MessageId::MessengerChat, 1, id, u"ping"));
        Dispatch(ChatMessage(MessageId::MessengerChat, 3, 100 + id, u"clan ping"));
        if (round % 10 == 0) {
            TestProfile visitor;
            visitor.modes = {{10, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}}};
            quill::Packet packet = AsReceived(UserProfileMessage(visitor));
            app.Scenes().ShowUserProfile(nullptr, packet);  // as a screen's packet slot does
        }
        if (round % 7 == 0)
            Dispatch(FriendRequestReceivedMessage(9000 + round, 500 + static_cast<uint32_t>(round % 50), u"Asker"));
        if (round % 11 == 0) {
            quill::Packet invitation;
            invitation.Init(MessageId::ClanInvitation).WriteWString(u"Boss").WriteU32(5).WriteWString(u"Club");
            invitation.WriteU8(3);
            Dispatch(std::move(invitation));
        }
        if (round % 13 == 0)
            Dispatch(FindPlayerResultMessage(1, 0x55, name, 3, static_cast<uint16_t>(round % 4)));
        Dispatch(MemberLoggedOutMessage(1, id, name));
        Dispatch(MemberLoggedOutMessage(2, 100 + id, name));
    }

    // One pass of the main loop: what the server's messages opened, then what the player does, under the
    // widget-tree lock as routing holds it.
    void RoutingRound(int round) {
        MainLoopPass();
        const quill::ScopedLock turn = MainThreadTurn();
        messenger->RefreshMemberList();
        messenger->OnEvent(messenger->MemberScroll(), 1 + round % 14, 0);
        Press(round % 2 == 0 ? Messenger::kFriendsTab : Messenger::kClanTab);
        Click(*messenger->Row(round % Messenger::kRows));
        Press(Messenger::kChatTab);
        Press(Messenger::kMoreTabs);
        if (round % 25 == 0)
            messenger->Toggle(Screen());
        if (messenger->FriendRequest().IsVisible())
            Click(*messenger->FriendRequest().YesButton());
        profile->Refresh();
    }
};

TEST_F(MessengerThreadsTest, PresenceAgainstRefreshesEndsWithoutDeadlockAndKeepsTheLists) {
    {
        const quill::ScopedLock turn = MainThreadTurn();
        messenger->Toggle(Screen());
    }
    // The two threads play the dispatch thread and the main thread, held to the thread contract as those are;
    // the test's thread only waits for them meanwhile.
    ThreadContract& threads = app.Scenes().Threads();
    std::atomic<bool> stop{false};
    auto dispatch = std::async(std::launch::async, [&] {
        threads.Register(ProgramThread::Dispatch);
        for (int round = 0; round < kRounds && !stop; ++round)
            DispatchRound(round);
        threads.Unregister(ProgramThread::Dispatch);
    });
    auto routing = std::async(std::launch::async, [&] {
        threads.Register(ProgramThread::Main);
        for (int round = 0; round < kRounds && !stop; ++round)
            RoutingRound(round);
    });
    const bool dispatched = dispatch.wait_for(kDeadline) == std::future_status::ready;
    const bool routed = routing.wait_for(kDeadline) == std::future_status::ready;
    if (!dispatched || !routed) {
        ADD_FAILURE() << "the threads did not finish: a deadlock";
        std::abort();
    }
    threads.Register(ProgramThread::Main);
    const quill::ScopedLock turn = MainThreadTurn();
    // Everyone logged out again: the lists keep all their members, offline, and the chats their lines.
    EXPECT_EQ(connection().Directories().Friends().Count(), 20u);
    EXPECT_EQ(connection().Directories().ClanMembers().Count(), 21u);
    EXPECT_EQ(connection().Directories().RecordsInUse(), 41);
    Press(Messenger::kFriendsTab);
    messenger->OnEvent(messenger->MemberScroll(), 1, 0);
    EXPECT_EQ(messenger->Row(0)->NicknameLabel()->GetText(), u"f1");
    EXPECT_EQ(messenger->ChatLinesOf(0).size(), ChatPartner::kMaxLines);
}

}  // namespace
}  // namespace kestrovan::test
