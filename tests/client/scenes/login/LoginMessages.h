#pragma once
// Server messages of the login conversation, built as the game server sends them, for the login screen's
// tests: the account record of a successful LoginResult, the channel list and the short answers.
#include <cstdint>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan::test {

// The fields of an account record that the tests choose; the others are written as small fixed values.
struct TestAccount {
    uint32_t userId = 77;
    int64_t accountId = 0x100000002;
    quill::WString nickname = u"Carom";
    quill::WString loginId = u"player";
    int64_t cash = 5000;
    uint8_t membership = 0;
    quill::WString membershipText = u"2030-01-01";
    uint16_t level = 12;
    int16_t grade = 0;
    uint16_t age = 30;
    std::array<uint32_t, 5> skills{1, 2, 3, 4, 5};
    uint32_t options = 0x800;
    uint8_t status = 0;
};

struct TestChannel {
    uint8_t number;
    uint16_t users;
    uint16_t capacity;
    uint16_t extra;
    uint16_t kind;
};

// LoginResult 0 with the account record.
quill::Packet LoginResultMessage(const TestAccount& account);
// A message of that id with a one-field payload of the given width (1, 2 or 4 bytes); several fields each.
quill::Packet ShortMessage(quill::MessageId id, std::initializer_list<std::pair<uint32_t, int>> fields);
quill::Packet ChannelListMessage(const std::vector<TestChannel>& channels);

// The message as a receiver holds it: its cursor on the first payload byte.
quill::Packet AsReceived(quill::Packet message);

}  // namespace kestrovan::test
