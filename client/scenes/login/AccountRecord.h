#pragma once
// The account record that a successful LoginResult carries after its result byte, read field by field in
// the server's order, and what the client does with it: the local player's profile, the connection's
// membership and value fields, and the options word for the settings. Texts longer than their fields are
// cut to them (never inside a character); the five skill values are capped at 100000 (a signed compare, as
// the server's own).
//
// The numbered values whose use no screen has settled yet are kept in the record as received.
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/FieldReader.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/common/TextFields.h"

namespace quill {
class PlayerState;
}

namespace kestrovan {

struct AccountRecord {
    static constexpr size_t kNicknameLength = 12;
    static constexpr size_t kLoginIdLength = 15;
    static constexpr size_t kMembershipTextLength = 41;
    static constexpr size_t kProfileLineLength = 61;
    static constexpr size_t kChatTextLength = 40;
    static constexpr int32_t kSkillCap = 100000;
    static constexpr uint8_t kStatusWithText = 3;

    uint32_t userId = 0;    // the member id that user lists key on
    int64_t accountId = 0;  // the 64-bit user id
    quill::WString nickname;
    quill::WString loginId;
    uint32_t value2 = 0;
    uint8_t value3 = 0;
    uint32_t value4 = 0;
    uint32_t value5 = 0;
    uint8_t value6 = 0;
    int64_t cash = 0;
    int64_t cueMoney = 0;
    int64_t extraMoney = 0;
    uint8_t membership = 0;         // 0 none, 1 basic, 2 standard, 3 plus
    quill::WString membershipText;  // only with a membership
    uint16_t membershipDays = 0;    // only with a membership
    uint32_t connectionValue = 0;
    uint8_t connectionFlag = 0;
    uint16_t level = 0;
    uint32_t experience = 0;
    uint16_t skillPoints = 0;
    uint32_t value9 = 0;
    uint16_t value10 = 0;
    uint16_t value11 = 0;
    int16_t grade = 0;
    uint16_t value12 = 0;
    uint16_t value13 = 0;
    uint8_t value14 = 0;
    uint16_t age = 0;  // 0: not given
    uint8_t tutorialDone = 0;  // the u8 after the age: 1 or more once the player has done the tutorial
    std::array<int32_t, 5> skills{};
    std::array<quill::WString, 4> profileLines;
    std::array<quill::WString, 6> chatTexts;
    uint8_t value16 = 0;
    uint8_t value17 = 0;
    uint32_t options = 0;
    uint8_t status = 0;
    quill::WString statusText;  // only with status 3

    // The record's one description on the wire (QuillLib/net/FieldReader.h), which Read, the tests' builders
    // and the fuzz target follow.
    static void Layout(auto& io, auto& m) {
        io(m.userId, m.accountId);
        io.Text(m.nickname, kNicknameLength);
        io.Text(m.loginId, kLoginIdLength);
        io(m.value2, m.value3, m.value4, m.value5, m.value6, m.cash, m.cueMoney, m.extraMoney, m.membership);
        if (m.membership != 0) {
            io.Text(m.membershipText, kMembershipTextLength);
            io(m.membershipDays);
        }
        io(m.connectionValue, m.connectionFlag, m.level, m.experience, m.skillPoints, m.value9, m.value10);
        io(m.value11, m.grade, m.value12, m.value13, m.value14, m.age, m.tutorialDone, m.skills);
        for (auto& line : m.profileLines) io.Text(line, kProfileLineLength);
        for (auto& text : m.chatTexts) io.Text(text, kChatTextLength);
        io(m.value16, m.value17, m.options, m.status);
        if (m.status == kStatusWithText) io(m.statusText);
    }

    // Reads the record at the packet's cursor; false (the record then holds what was read before the end)
    // when the message ends before the record does.
    static bool Read(quill::Packet& packet, AccountRecord& record);
    // Puts the identity, money, progress, skills and texts into the profile.
    void ApplyTo(quill::PlayerState& profile) const;
};

}  // namespace kestrovan
