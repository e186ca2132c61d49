// The community in the real program online, on a real X display: the stand-in server runs the login, lobby and
// community scripts; the player logs in, enters the first channel and, in the lobby, opens the messenger with
// F8: the friends online first (messenger.png). A line typed to a friend with the keyboard goes to the server
// and its echo shows (messenger_chat.png); with the messenger closed, a friend's line leaves the new-message icon
// blinking at the lobby's top left (icon_a.png and icon_b.png differ there); "View Info" on a friend
// shows the profile the server sends (profile.png), each of its figures with its caption. The screenshots are
// in the check's working folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "QuillLib/net/MessageId.h"
#include "tests/support/net/CommunityMessages.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/x11/FigureCaptions.h"
#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

using quill::MessageId;

// Where the messenger and its parts stand on the 1024 x 768 screen the first time it opens: centred.
constexpr int kMessengerX = (1024 - 325) / 2;
constexpr int kMessengerY = (768 - 185) / 2;
// A point of the messenger's face that, closed, shows the table: right of the room list's face (to x 559).
constexpr int kProbeX = kMessengerX + 250;
constexpr int kProbeY = kMessengerY + 100;
constexpr int kMemberRowX = kMessengerX + 95;
constexpr int kMemberRowY = kMessengerY + 24;
constexpr int kMemberRowStep = 18;
constexpr int kLineX = kMessengerX + 12;
constexpr int kLineY = kMessengerY + 46;
constexpr int kLineStep = 16;
constexpr int kProfileX = (1024 - 512) / 2;
constexpr int kProfileY = (768 - 504) / 2;

class CommunityOnline : public ProgramUnderX {
protected:
    // The program online, logged in and in the lobby of the first channel; false when it did not get there.
    bool ReachLobby() {
        if (StartOnline() <= 0)
            return false;
        kvtest::CommunityScript community;
        community.profile.mark = 95;  // the profile shows its mark
        kvtest::InstallCommunityScript(server(), community);
        kvtest::InstallLobbyScript(server());
        area_ = WaitForWindow();
        if (HasFailure())
            return false;
        return EnterFirstChannel(area_);
    }
    int X(int x) const { return area_.x + x; }
    int Y(int y) const { return area_.y + y; }
    int RowYellow(const Screenshot& shot, int row) const {
        return Count(shot, X(kMemberRowX + 10), Y(kMemberRowY + kMemberRowStep * row), X(kMemberRowX + 100), Y(kMemberRowY + kMemberRowStep * row + 15),
                     IsYellowish);
    }
    int LineLight(const Screenshot& shot, int line) const {
        return Count(shot, X(kLineX), Y(kLineY + kLineStep * line), X(kLineX + 200), Y(kLineY + kLineStep * line + 15),
                     IsLight);
    }
    // Clicks a friend's row and the entry of his menu (0 "Chat With", 1 "View Info"), which opens where the
    // row was clicked.
    void ChooseFromMenu(int row, int entry) {
        const int x = X(kMemberRowX + 60);
        const int y = Y(kMemberRowY + kMemberRowStep * row + 7);
        const Screenshot before = Capture(folder() / "menu.png");
        Click(x, y);
        WaitForScreen(folder() / "menu.png", [&](const Screenshot& shot) {
            return DifferingPixels(before, shot, x, y, x + 80, y + 50) > 100;
        });
        Click(x + 40, y + 10 + 20 * entry);
    }

    XWindowGeometry area_;
};

TEST_F(CommunityOnline, CommunityTheMessengerChatsAlarmsAndShowsAProfileInTheLobby) {
    ASSERT_TRUE(ReachLobby()) << ReadFile(folder() / "StartLog.log");
    // Let the lobby settle, then F8 opens the messenger: Ann and Ben online before Cid.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    PressKey("F8");
    const Screenshot list = WaitForScreenAtRest(
        folder() / "messenger.png", {{X(kMemberRowX + 10), Y(kMemberRowY), 90, 4 * kMemberRowStep}},
        [&](const Screenshot& shot) { return IsSlate(shot.At(X(kProbeX), Y(kProbeY))) && RowYellow(shot, 2) > 10; });
    ASSERT_TRUE(IsSlate(list.At(X(kProbeX), Y(kProbeY)))) << "the messenger: see messenger.png";
    EXPECT_GT(RowYellow(list, 0), 10) << "Ann";
    EXPECT_GT(RowYellow(list, 1), 10) << "Ben";
    EXPECT_GT(RowYellow(list, 2), 10) << "Cid, offline, last";
    EXPECT_EQ(RowYellow(list, 3), 0) << "three friends";
    // Its close button (11 x 11 at (304, 4)) shows its cross, and its list's step buttons (15 x 15 at (300, 27)
    // and (300, 145)) their arrows: up wider at the foot, down wider at the top.
    EXPECT_GT(Count(list, X(kMessengerX + 304), Y(kMessengerY + 4), X(kMessengerX + 315), Y(kMessengerY + 15), IsLight),
              8)
        << "the close button's cross: see messenger.png";
    const auto arrowInk = [&](int y, int rows) {
        return Count(list, X(kMessengerX + 300), Y(kMessengerY + y), X(kMessengerX + 315), Y(kMessengerY + y + rows),
                     IsLight);
    };
    EXPECT_GT(arrowInk(27 + 8, 7), arrowInk(27, 8)) << "the up arrow: see messenger.png";
    EXPECT_GT(arrowInk(27, 15), 6) << "the up arrow: see messenger.png";
    EXPECT_GT(arrowInk(145, 8), arrowInk(145 + 8, 7)) << "the down arrow: see messenger.png";
    EXPECT_GT(arrowInk(145, 15), 6) << "the down arrow: see messenger.png";

    // "Chat With" Ann; a line typed with the keyboard goes to the server, and its echo shows in white.
    ChooseFromMenu(0, 0);
    WaitForScreen(folder() / "messenger_chat.png", [&](const Screenshot& shot) { return LineLight(shot, 0) > 5; });
    Type("hello");
    PressKey("Return");
    const auto sent = server().WaitForMessage(MessageId::MessengerChatSend);
    ASSERT_TRUE(sent.has_value()) << "see messenger.png";
    quill::Packet packet = sent->Read();
    EXPECT_EQ(packet.ReadU8(), 1) << "a friend's chat";
    EXPECT_EQ(packet.ReadU32(), 1u) << "Ann";
    EXPECT_EQ(packet.ReadWString(), u"hello");
    const Screenshot chat =
        WaitForScreen(folder() / "messenger_chat.png", [&](const Screenshot& shot) { return LineLight(shot, 1) > 5; });
    EXPECT_GT(LineLight(chat, 1), 5) << "the echo \"Carom : hello\": see messenger_chat.png";

    // Closed, a line from Ben leaves the icon at the lobby's top left, blinking.
    // (The line is sent once the messenger is gone: open, it would only mark Ben's tab.)
    PressKey("F8");
    const Screenshot closed = WaitForScreen(folder() / "closed.png", [&](const Screenshot& shot) {
        return !IsSlate(shot.At(X(kProbeX), Y(kProbeY)));
    });
    ASSERT_FALSE(IsSlate(closed.At(X(kProbeX), Y(kProbeY)))) << "F8 closes: see closed.png";
    server().Send(kvtest::ChatMessage(MessageId::MessengerChat, 1, 2, u"are you there"));
    const Screenshot lit = WaitForScreen(folder() / "icon_a.png", [&](const Screenshot& shot) {
        return Count(shot, X(4), Y(20), X(48), Y(60), [](uint32_t rgb) {
                   return (rgb >> 16 & 0xFF) > 180 && (rgb >> 8 & 0xFF) > 140 && (rgb & 0xFF) < 120;
               }) > 100;
    });
    // Dimmed a second later (on a busy machine the frames may come slowly: it is waited for).
    const Screenshot dimmed = WaitForScreen(folder() / "icon_b.png", [&](const Screenshot& shot) {
        return DifferingPixels(lit, shot, X(4), Y(20), X(48), Y(60)) > 200;
    });
    EXPECT_GT(DifferingPixels(lit, dimmed, X(4), Y(20), X(48), Y(60)), 200)
        << "the icon blinks: see icon_a.png, icon_b.png";
    EXPECT_EQ(DifferingPixels(lit, dimmed, X(300), Y(700), X(700), Y(760)), 0) << "nothing else changed below";

    // Opened again it shows the chat; the friends' tab, Ann's menu and "View Info": her profile comes.
    PressKey("F8");
    WaitForScreen(folder() / "reopened.png",
                  [&](const Screenshot& shot) { return IsSlate(shot.At(X(kProbeX), Y(kProbeY))); });
    Click(X(kMessengerX + 103 + 32), Y(kMessengerY + 5 + 8));
    WaitForScreen(folder() / "reopened.png", [&](const Screenshot& shot) { return RowYellow(shot, 0) > 10; });
    ChooseFromMenu(0, 1);
    ASSERT_TRUE(server().WaitForMessage(MessageId::UserInfoRequest).has_value()) << "see profile.png";
    const Screenshot profile = WaitForScreenAtRest(
        folder() / "profile.png", {{X(kProfileX), Y(kProfileY), 512, 504}}, [&](const Screenshot& shot) {
            return Count(shot, X(kProfileX + 130), Y(kProfileY + 45), X(kProfileX + 230), Y(kProfileY + 65), IsLight) >
                   3;
        });
    EXPECT_TRUE(IsSlate(profile.At(X(kProfileX + 30), Y(kProfileY + 150)))) << "the profile window: see profile.png";
    EXPECT_GT(Count(profile, X(kProfileX + 130), Y(kProfileY + 45), X(kProfileX + 230), Y(kProfileY + 65), IsLight), 3)
        << "Ann's nickname";
    // Each figure has its caption before it in the window's picture: the header's nickname, level and money, and
    // the statistics of the mode shown.
    const auto caption = [&](int x, int y) { return CaptionLight(profile, X(kProfileX + x), Y(kProfileY + y)); };
    for (const FigurePlace& figure : kStatisticsFigures) {
        EXPECT_GT(caption(figure.x, figure.y), 10)
            << "the caption of the figure at (" << figure.x << ", " << figure.y << "): see profile.png";
    }
    EXPECT_GT(caption(130, 45), 10) << "the nickname's caption";
    EXPECT_GT(caption(357, 70), 10) << "the level's caption";
    EXPECT_GT(caption(310, 98), 10) << "the money's caption";
    // The level badge shows level 5, the mark a gold star, and the tabs one face but the chosen one's.
    EXPECT_GT(BadgePixels(profile, X(kProfileX + 357), Y(kProfileY + 66)), 150) << "the level badge: see profile.png";
    const auto gold = [](uint32_t rgb) {
        return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 150 && (rgb & 0xFF) < 110;
    };
    EXPECT_GT(Count(profile, X(kProfileX + 8), Y(kProfileY + 44), X(kProfileX + 31), Y(kProfileY + 59), gold), 40)
        << "the mark: see profile.png";
    EXPECT_EQ(Count(profile, X(kProfileX + 8), Y(kProfileY + 44), X(kProfileX + 31), Y(kProfileY + 59), IsAccent), 0)
        << "no piece of a teal face in the mark: see profile.png";
    EXPECT_LE(UnchosenTabSpread(profile, X(kProfileX), Y(kProfileY + 277)), 6) << "the tabs' faces: see profile.png";

    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
