// The room's chat typed on a German keyboard layout, switched to while the program runs, the X server's
// auto-repeat on: '@' typed with AltGr (the right Alt) reaches the chat line, and the left Alt's chat macro still
// sends the slot's text alone; back on the US layout the right Alt sends a macro as the left does. The layout is
// US again at the end, for any check run after this one on the same display.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "QuillLib/net/MessageId.h"
#include "tests/client/program_x11/RoomUnderX.h"

namespace kv::test {
namespace {

using namespace std::chrono_literals;
using quill::MessageId;

class KeyboardLayout : public RoomUnderX {
protected:
    void TearDown() override {
        EXPECT_EQ(std::system("setxkbmap us"), 0);
        RoomUnderX::TearDown();
    }
    // The text of the room's chat line the server received as the count-th (from 1).
    quill::WString ChatLine(size_t count) {
        if (!server().WaitForMessages(MessageId::RoomChatSend, count)) return u"(no line)";
        std::vector<kvtest::ServerMessage> received = server().Received();
        std::erase_if(received, [](const kvtest::ServerMessage& m) { return m.id != MessageId::RoomChatSend; });
        quill::Packet packet = received.at(count - 1).Read();
        packet.ReadU8();  // the team mark
        return packet.ReadWString();
    }
};

TEST_F(KeyboardLayout, AtTypedWithAltGrReachesTheChatAndAltStillSendsTheMacros) {
    JoinScriptedRoom();
    ASSERT_FALSE(HasFailure());
    x.SetAutoRepeat(300, 30);
    ASSERT_EQ(std::system("setxkbmap de"), 0);
    ASSERT_EQ(x.SymbolAt("RALT"), "ISO_Level3_Shift") << "the German layout's right Alt is AltGr";
    const size_t lines = server().CountReceived(MessageId::RoomChatSend);

    // Return gives the chat entry the keyboard; "ab", AltGr+Q ('@'), "cd", and Return sends the line.
    PressKey("Return");
    std::this_thread::sleep_for(500ms);
    Type("ab");
    x.KeyAt("RALT", true);
    std::this_thread::sleep_for(100ms);
    PressKey("q");
    std::this_thread::sleep_for(100ms);
    x.KeyAt("RALT", false);
    Type("cd");
    PressKey("Return");
    EXPECT_EQ(ChatLine(lines + 1), u"ab@cd");

    // Past the chat's spam guard (3 s), the entry left by its Return: Alt+1 sends slot 1's text ("chat", the
    // login script's), and nothing else.
    std::this_thread::sleep_for(3500ms);
    x.Key("Alt_L", true);
    PressKey("1");
    x.Key("Alt_L", false);
    EXPECT_EQ(ChatLine(lines + 2), u"chat");

    // Back on the US layout, which has no AltGr, the right Alt is Alt: with 2 it sends slot 2's text.
    ASSERT_EQ(std::system("setxkbmap us"), 0);
    ASSERT_EQ(x.SymbolAt("RALT"), "Alt_R");
    std::this_thread::sleep_for(3500ms);
    x.KeyAt("RALT", true);
    PressKey("2");
    x.KeyAt("RALT", false);
    EXPECT_EQ(ChatLine(lines + 3), u"chat");
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(server().CountReceived(MessageId::RoomChatSend), lines + 3);
    EXPECT_EQ(CloseAndWait(30s), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
