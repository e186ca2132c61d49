// The lobby under the program's three threads at once: while the stand-in server floods it with what shows, hides
// and fills its widgets (room rows, the user list, chat lines, the ranking chart, the messenger's friends), the
// main thread draws it and sweeps the mouse over it and the game thread updates it. In the test build the thread
// contract ends the test on a widget changed without the widget-tree lock; under ThreadSanitizer any race shows.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "client/scenes/lobby/LobbyChatLog.h"
#include "client/scenes/lobby/RankingChart.h"
#include "tests/client/scenes/lobby/LobbyScreen.h"
#include "tests/support/net/CommunityMessages.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/net/PlayerMessages.h"
#include "tests/support/scenes/ScreenThreads.h"

namespace kestrovan::test {
namespace {

constexpr int kRounds = 150;

kvtest::TestMember Friend(uint32_t id) {
    kvtest::TestMember member;
    member.memberId = id;
    member.userId = id;
    member.nickname = quill::Format(u"friend%u", id);
    return member;
}

// One round of the flood: rooms come and go, users arrive and leave, a chat line, a ranking page and a friend
// logging in and out.
void SendRound(kvtest::GameServerFixture& server, int round) {
    const auto number = static_cast<uint16_t>(1 + round % 40);
    server.Send(RoomEntry(number, 1, 2, static_cast<uint8_t>(round % 3 == 0 ? 2 : 0)));
    if (round % 4 == 3) server.Send(kvtest::RoomRemovedMessage(static_cast<uint16_t>(1 + (round + 20) % 40)));
    server.Send(UserAdded(2000 + round % 30, quill::Format(u"user%d", round % 30).c_str(),
                          static_cast<uint32_t>(round)));
    if (round % 2 == 1) server.Send(kvtest::LobbyUserLeftMessage(2000 + (round + 15) % 30));
    server.Send(kvtest::LobbyChatMessage(u"Banker", quill::Format(u"line %d", round)));
    const uint8_t shown = static_cast<uint8_t>(1 + round % 6);
    std::vector<kvtest::TestRanking> rows;
    for (uint8_t row = 0; row < shown; ++row) rows.push_back({static_cast<uint16_t>(row + 1), u"Ann", 10, row});
    server.Send(kvtest::TournamentScheduleMessage(rows));
    server.Send(round % 2 == 0 ? kvtest::MemberLoggedInMessage(1, Friend(501))
                               : kvtest::MemberLoggedOutMessage(1, 501, u"friend501"));
}

class LobbyUnderLoad : public LobbyScreen {
protected:
    LobbyUnderLoad() : LobbyScreen(true) {}
};

TEST_F(LobbyUnderLoad, TheServersFloodTheDrawingAndTheMouseShareTheWidgetsSafely) {
    ASSERT_TRUE(connected);
    kvtest::InstallPlayerScript(server);
    Enter();
    server.Send(kvtest::FriendListMessage({Friend(501), Friend(502)}));
    ScreenThreads threads(app);
    // The ranking chart is opened as My Info's tournament button and the status window's race button open it.
    app.Scenes().OnMessage(quill::AppEventId::TournamentInfoOpen, 0, 0);
    app.Scenes().OnMessage(quill::AppEventId::TournamentPopupClose, 1, 0);

    for (int round = 0; round < kRounds; ++round) {
        SendRound(server, round);
        threads.MainPass();
    }
    server.Send(kvtest::LobbyChatMessage(u"Banker", u"the end"));
    ASSERT_TRUE(threads.PassUntil([&] {
        const std::vector<LobbyChatLine> lines = lobby->ChatLines();
        return !lines.empty() && lines.back().text.ends_with(u"the end");
    }));
    EXPECT_GT(lobby->UserCount(), 0);
}

}  // namespace
}  // namespace kestrovan::test
