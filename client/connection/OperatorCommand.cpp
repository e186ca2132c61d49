#include "client/connection/OperatorCommand.h"

#include <array>

#include "client/connection/SplitWords.h"

namespace kestrovan {
namespace {

using quill::MessageId;
using quill::Packet;
using quill::WString;
using quill::WStringView;
using Action = OperatorCommand::Action;

// Sub-commands of the two operator requests.
constexpr uint16_t kKick = 0;
constexpr uint16_t kShutdown = 1;
constexpr uint16_t kMessage = 2;
constexpr uint16_t kSetChampion = 3;
constexpr uint16_t kUnban = 5;
constexpr uint16_t kUnblock = 6;

constexpr int32_t kShortestShutdownSeconds = 60;
constexpr int32_t kLargestChampionSlot = 254;
constexpr size_t kLongestName = 11;

bool LengthWithin(WStringView text, size_t shortest, size_t longest) {
    return text.size() >= shortest && text.size() <= longest;
}

OperatorCommand Sent() {
    return {Action::Send, 0};
}

OperatorCommand Rejected() {
    return {Action::Rejected, 0};
}

// "/setchamp a b": a slot above 254 goes as 0 with the flag set.
OperatorCommand SetChampion(WStringView first, WStringView second, Packet& request) {
    int32_t slot = ParseDecimal(first);
    uint8_t flag = 0;
    if (slot > kLargestChampionSlot) {
        slot = 0;
        flag = 1;
    }
    request.Init(MessageId::OperatorCommandA).WriteU16(kSetChampion);
    request.WriteU8(static_cast<uint8_t>(slot)).WriteU8(flag).WriteU8(static_cast<uint8_t>(ParseDecimal(second)));
    return Sent();
}

// "/msg text": the whole rest of the line after the command goes out.
OperatorCommand Message(WStringView line, WStringView first, Packet& request) {
    if (first.size() < 2) {
        return Rejected();
    }
    std::array<WString, 2> words;
    SplitWords(line, words);
    request.Init(MessageId::OperatorCommandA).WriteU16(kMessage).WriteWString(words[1]);
    return Sent();
}

OperatorCommand NamedRequest(MessageId id, uint16_t command, WStringView name, size_t shortest, size_t longest,
                             Packet& request) {
    if (!LengthWithin(name, shortest, longest)) {
        return Rejected();
    }
    request.Init(id).WriteU16(command).WriteWString(name);
    return Sent();
}

}  // namespace

OperatorCommand OperatorCommand::Parse(WStringView line, Packet& request) {
    std::array<WString, 4> words;  // the fourth takes the rest, so the first three are single words
    SplitWords(line, words);
    const WString& command = words[0];
    const WString& first = words[1];
    if (command == u"/kick") {
        return NamedRequest(MessageId::OperatorCommandA, kKick, first, 2, kMaxWordLength, request);
    }
    if (command == u"/setchamp") {
        return SetChampion(first, words[2], request);
    }
    if (command == u"/shutdown") {
        if (first.empty() || ParseDecimal(first) < kShortestShutdownSeconds) {
            return Rejected();
        }
        request.Init(MessageId::OperatorCommandA).WriteU16(kShutdown).WriteU32(static_cast<uint32_t>(ParseDecimal(first)));
        return Sent();
    }
    if (command == u"/msg") {
        return Message(line, first, request);
    }
    if (command == u"/unban") {
        return NamedRequest(MessageId::OperatorCommandB, kUnban, first, 2, kLongestName, request);
    }
    if (command == u"/unblock") {
        return NamedRequest(MessageId::OperatorCommandB, kUnblock, first, 1, kLongestName, request);
    }
    if (command == u"/go" || command == u"/GO" || command == u"/j" || command == u"/J") {
        return {Action::GoToRoom, static_cast<uint32_t>(ParseDecimal(first))};
    }
    return {};
}

}  // namespace kestrovan
