// Operator commands typed into a chat line, and the word split under them, long lines included.
#include <gtest/gtest.h>

#include <array>

#include "client/connection/OperatorCommand.h"
#include "client/connection/SplitWords.h"
#include "tests/client/connection/ConnectionFakes.h"

namespace kestrovan::test {
namespace {

using Action = OperatorCommand::Action;
using Bytes = std::vector<uint8_t>;

Bytes StringBytes(const WString& text) {
    Bytes bytes{static_cast<uint8_t>(text.size() * 2), static_cast<uint8_t>(text.size() * 2 >> 8)};
    for (char16_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

Bytes Concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

struct CommandCase {
    const char16_t* line;
    Action action;
    MessageId id = MessageId::ConnectionLost;
    Bytes payload = {};
};

TEST(OperatorCommand, ParsesEachCommandAndChecksItsArgument) {
    const CommandCase cases[] = {
        {u"/kick Lee", Action::Send, MessageId::OperatorCommandA, Concat({0, 0}, StringBytes(u"Lee"))},
        {u"/kick L", Action::Rejected},
        {u"/setchamp 300 2", Action::Send, MessageId::OperatorCommandA, {3, 0, 0, 1, 2}},
        {u"/setchamp 7 x", Action::Send, MessageId::OperatorCommandA, {3, 0, 7, 0, 0}},
        {u"/shutdown 59", Action::Rejected},
        {u"/shutdown", Action::Rejected},
        {u"/shutdown 60", Action::Send, MessageId::OperatorCommandA, {1, 0, 60, 0, 0, 0}},
        {u"/msg  Server  restarts soon ", Action::Send, MessageId::OperatorCommandA,
         Concat({2, 0}, StringBytes(u"Server  restarts soon "))},
        {u"/msg x", Action::Rejected},
        {u"/unban Ab", Action::Send, MessageId::OperatorCommandB, Concat({5, 0}, StringBytes(u"Ab"))},
        {u"/unban Abcdefghijkl", Action::Rejected},
        {u"/unblock A", Action::Send, MessageId::OperatorCommandB, Concat({6, 0}, StringBytes(u"A"))},
        {u"/unblock", Action::Rejected},
        {u"/go 12", Action::GoToRoom},
        {u"/J 12", Action::GoToRoom},
        {u"/Kick Lee", Action::NotACommand},
        {u"hello /kick Lee", Action::NotACommand},
        {u"", Action::NotACommand},
    };
    for (const CommandCase& test : cases) {
        SCOPED_TRACE(std::string(test.line, test.line + std::char_traits<char16_t>::length(test.line)));
        Packet request;
        const OperatorCommand command = OperatorCommand::Parse(test.line, request);
        EXPECT_EQ(command.action, test.action);
        if (test.action == Action::GoToRoom) {
            EXPECT_EQ(command.room, 12u);
        }
        if (test.action == Action::Send) {
            const Packet sent = Received(request);
            EXPECT_EQ(sent.Id(), test.id);
            const auto message = sent.ReceivedMessage();
            EXPECT_EQ(Bytes(message.begin() + 4, message.end()), test.payload);
        }
    }
}

TEST(OperatorCommand, ALineOfTwoThousandCharactersIsCutToWholeWords) {
    const WString longWord(2000, u'w');
    Packet request;
    EXPECT_EQ(OperatorCommand::Parse(u"/msg " + longWord, request).action, Action::Send);
    EXPECT_EQ(Received(request).ReceivedMessage().size(), 4 + 2 + StringBytes(WString(kMaxWordLength, u'w')).size());
    EXPECT_EQ(OperatorCommand::Parse(u"/kick " + longWord, request).action, Action::Send);
    EXPECT_EQ(OperatorCommand::Parse(u"/unban " + longWord, request).action, Action::Rejected);
    EXPECT_EQ(OperatorCommand::Parse(longWord + u" " + longWord, request).action, Action::NotACommand);

    std::array<WString, 3> words;
    EXPECT_EQ(SplitWords(longWord + u" a " + longWord + u" tail", words), 3u);
    EXPECT_EQ(words[0].size(), kMaxWordLength);
    EXPECT_EQ(words[1], u"a");
    EXPECT_EQ(words[2].size(), kMaxWordLength) << "the rest of the line, cut as well";
    EXPECT_EQ(SplitWords(u" \t ", words), 0u);
}

TEST(OperatorCommand, DecimalNumbersReadLikeTheRuntimeConversion) {
    EXPECT_EQ(ParseDecimal(u"  42abc"), 42);
    EXPECT_EQ(ParseDecimal(u"-17"), -17);
    EXPECT_EQ(ParseDecimal(u"x9"), 0);
    EXPECT_EQ(ParseDecimal(u"99999999999"), 2147483647);
    EXPECT_EQ(ParseDecimal(u"-99999999999"), -2147483647 - 1);
}

TEST_F(ConnectionTest, SlashCommandsAreNotChatAndGoToRoomIsPosted) {
    EXPECT_TRUE(connection_.HandleSlashCommand(u"/go 5"));
    EXPECT_TRUE(connection_.HandleSlashCommand(u"/shutdown 10"));
    EXPECT_TRUE(connection_.HandleSlashCommand(u"/kick Somebody"));  // sent, nothing connected to take it
    EXPECT_FALSE(connection_.HandleSlashCommand(u"hello"));
    EXPECT_EQ(host_.Events(), (std::vector<PostedEvent>{{ConnectionEvent::GoToRoom, 5}}));
}

}  // namespace
}  // namespace kestrovan::test
