// The invitation window and its list: the server's list read to the end of its message (a count that
// promises more, a nickname longer than any record), the one-to-eight rule counted over the users that may be
// chosen, the ten-second block of an invited user, the five-second throttle of the refresh, and the rows.
#include <gtest/gtest.h>

#include <variant>

#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/room/InviteList.h"
#include "client/scenes/room/InviteRow.h"
#include "client/scenes/room/InviteWindow.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/Panel.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "tests/support/scenes/RecordingSender.h"
#include "tests/support/scenes/SceneTestApp.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan::test {
namespace {

void AppendUser(std::vector<uint8_t>& out, uint32_t key, int64_t id, uint16_t level, const std::u16string& nick,
                uint16_t number) {
    const auto put = [&out](uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    put(key, 4);
    put(static_cast<uint64_t>(id), 8);
    put(level, 2);
    put(nick.size() * 2, 2);
    for (char16_t c : nick) put(c, 2);
    put(0, 2);
    put(number, 2);
}

std::vector<uint8_t> ListPayload(uint16_t announced, uint32_t users) {
    std::vector<uint8_t> payload{static_cast<uint8_t>(announced), static_cast<uint8_t>(announced >> 8)};
    for (uint32_t n = 1; n <= users; ++n) AppendUser(payload, n, 1000 + n, static_cast<uint16_t>(n), u"User", 7);
    return payload;
}

TEST(InviteList, TheReaderStopsAtTheEndOfTheMessageAndKeepsLongNicknamesWhole) {
    auto packet = ReceivedMessage(quill::MessageId::InvitableUsersList, ListPayload(60000, 3));
    std::vector<InvitableUser> users = InviteList::Read(*packet);
    ASSERT_EQ(users.size(), 3u) << "a count of 60000 with three records reads three";
    EXPECT_EQ(users[2].userKey, 3u);
    EXPECT_EQ(users[2].userId, 1003);
    EXPECT_EQ(users[2].number, 7);

    // The last record cut short is dropped.
    std::vector<uint8_t> cut = ListPayload(2, 2);
    cut.resize(cut.size() - 3);
    EXPECT_EQ(InviteList::Read(*ReceivedMessage(quill::MessageId::InvitableUsersList, cut)).size(), 1u);

    // A nickname of 400 characters (more than the 13 a fixed record held) is kept whole.
    std::vector<uint8_t> longName{1, 0};
    AppendUser(longName, 9, 9, 9, std::u16string(400, u'n'), 1);
    users = InviteList::Read(*ReceivedMessage(quill::MessageId::InvitableUsersList, longName));
    ASSERT_EQ(users.size(), 1u);
    EXPECT_EQ(users[0].nickname.size(), 400u);

    EXPECT_TRUE(InviteList::Read(*ReceivedMessage(quill::MessageId::InvitableUsersList, {})).empty());
}

TEST(InviteList, OneToEightChosenUsersAreInvitedAndBlockedForTenSeconds) {
    InviteList list;
    auto packet = ReceivedMessage(quill::MessageId::InvitableUsersList, ListPayload(10, 10));
    list.Replace(InviteList::Read(*packet), 0);
    EXPECT_EQ(std::get<quill::WString>(list.Invite(0)), u"Select more than 1 person you wish to invite.");
    for (size_t i = 0; i < 9; ++i) list.Select(i, true);
    EXPECT_EQ(std::get<quill::WString>(list.Invite(0)), u"No more than 8 people can be invited.");
    list.Select(8, false);
    auto choice = list.Invite(5000);
    ASSERT_TRUE(std::holds_alternative<std::vector<int64_t>>(choice));
    EXPECT_EQ(std::get<std::vector<int64_t>>(choice).size(), 8u);
    EXPECT_FALSE(list.At(0).enabled);
    EXPECT_FALSE(list.At(0).selected);

    quill::Packet request;
    InviteList::WriteInvitation(request, {1001, 1002});
    request.Finish();
    const auto bytes = request.Bytes();
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()),
              (std::vector<uint8_t>{21, 0, 0xAC, 4, 2, 0xE9, 3, 0, 0, 0, 0, 0, 0, 0xEA, 3, 0, 0, 0, 0, 0, 0}));

    // A blocked user cannot be chosen; the block ends at the first pass 11 seconds on.
    list.Select(0, true);
    EXPECT_FALSE(list.At(0).selected);
    EXPECT_FALSE(list.ExpireRecent(5000 + 10999));
    EXPECT_FALSE(list.At(0).enabled);
    EXPECT_TRUE(list.ExpireRecent(5000 + 11000));
    EXPECT_TRUE(list.At(0).enabled);

    // Blocking a chosen user takes the choice back: only users that may be chosen are counted and sent.
    list.Select(9, true);
    auto again = list.Invite(20000);
    ASSERT_TRUE(std::holds_alternative<std::vector<int64_t>>(again));
    EXPECT_EQ(std::get<std::vector<int64_t>>(again), std::vector<int64_t>{1010});
}

class InviteWindowTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    InviteWindowTest() {
        root.Create(0, 0, 1024, 768, -1, -1);
        InviteWindow::Services services{&sender, [this](quill::WStringView text) { notices.emplace_back(text); },
                                        [this] { return now; }};
        window = static_cast<InviteWindow*>(root.AddChild(std::make_unique<InviteWindow>(services), false));
    }
    void Press(int32_t id) {
        for (Widget* child : window->GetChildren()) {
            if (child->GetId() == id) window->OnEvent(child, 0, 0);
        }
    }

    Panel root;
    RecordingSender sender;
    std::vector<quill::WString> notices;
    uint32_t now = 100000;
    InviteWindow* window = nullptr;
};

TEST_F(InviteWindowTest, OpeningAsksForTheListAndTheRowsShowIt) {
    window->SetVisible(true);
    ASSERT_EQ(sender.Of(quill::MessageId::InvitableUsersRequest).size(), 1u);
    EXPECT_EQ(sender.sent[0], (std::vector<uint8_t>{5, 0, 0xAA, 4, 0}));
    EXPECT_TRUE(window->WaitLabel()->IsVisible());

    window->OnList(*ReceivedMessage(quill::MessageId::InvitableUsersList, ListPayload(0, 0)));
    EXPECT_TRUE(window->EmptyLabel()->IsVisible());
    EXPECT_FALSE(window->WaitLabel()->IsVisible());
    EXPECT_FALSE(window->Row(0)->IsVisible());

    window->OnList(*ReceivedMessage(quill::MessageId::InvitableUsersList, ListPayload(12, 12)));
    EXPECT_FALSE(window->EmptyLabel()->IsVisible());
    EXPECT_EQ(window->Scroll()->GetCount(), 6) << "12 users less six";
    EXPECT_EQ(window->Row(0)->Nickname()->GetText(), u"User");
    EXPECT_EQ(window->Row(6)->Number()->GetText(), u"7");
    EXPECT_EQ(window->Row(2)->LevelIcon()->GetSourceRect().left, 44) << "level 3";

    // A row's toggle chooses its user; Invite sends the chosen and thanks.
    window->Row(1)->Toggle()->SetChecked(true);
    window->OnEvent(window->Row(1)->Toggle(), 1, 0);
    Press(InviteWindow::kInviteId);
    const auto invited = sender.Of(quill::MessageId::InvitePlayers);
    ASSERT_EQ(invited.size(), 1u);
    EXPECT_EQ(invited[0][4], 1);
    EXPECT_EQ(invited[0][5], 0xEA) << "user 2's id, 1002";
    EXPECT_EQ(notices.back(), u"Invitation message has been sent.");
    EXPECT_FLOAT_EQ(window->Row(1)->Nickname()->GetAlpha(), InviteRow::kFaint);
    EXPECT_FALSE(window->Row(1)->Toggle()->IsEnabled());

    // The window's ticks lift the block after ten seconds.
    now += 11000;
    for (uint32_t tick = 0; tick < InviteWindow::kExpireEveryTicks; ++tick) window->Tick(now);
    EXPECT_TRUE(window->Row(1)->Toggle()->IsEnabled());
    EXPECT_FLOAT_EQ(window->Row(1)->Nickname()->GetAlpha(), 1.0f);

    // Scrolling shows the users from the bar's position on.
    window->OnEvent(window->Scroll(), 6, 0);
    EXPECT_EQ(window->List().ScrollOffset(), 6);
    EXPECT_EQ(window->Row(6)->LevelIcon()->GetSourceRect().left, 11 * 22);
}

TEST_F(InviteWindowTest, TheRefreshWaitsFiveSecondsAndALevelZeroIconStaysOnTheStrip) {
    window->SetVisible(true);
    now += 2500;
    Press(InviteWindow::kRefreshId);
    EXPECT_EQ(notices.back(), u"Try again in 3 seconds");
    now += 2499;
    Press(InviteWindow::kRefreshId);
    EXPECT_EQ(notices.back(), u"Try again in 1 seconds");
    EXPECT_EQ(sender.Of(quill::MessageId::InvitableUsersRequest).size(), 1u) << "never twice within five seconds";
    now += 1;
    Press(InviteWindow::kRefreshId);
    EXPECT_EQ(sender.Of(quill::MessageId::InvitableUsersRequest).size(), 2u);

    std::vector<uint8_t> payload{1, 0};
    AppendUser(payload, 1, 1, 0, u"New", 1);
    window->OnList(*ReceivedMessage(quill::MessageId::InvitableUsersList, payload));
    EXPECT_EQ(window->Row(0)->LevelIcon()->GetSourceRect().left, 0) << "level 0 shows the first icon";

    // A request that cannot be sent starts no wait: the notice says so, and the refresh asks again at once.
    sender.emptyPool = true;
    now += 5000;
    Press(InviteWindow::kRefreshId);
    EXPECT_FALSE(window->WaitLabel()->IsVisible());
    EXPECT_EQ(notices.back(), AwaitedRequest::kNotSent);
    sender.emptyPool = false;
    Press(InviteWindow::kRefreshId);
    EXPECT_EQ(sender.Of(quill::MessageId::InvitableUsersRequest).size(), 3u);
}

}  // namespace
}  // namespace kestrovan::test
