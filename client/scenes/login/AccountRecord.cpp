#include "client/scenes/login/AccountRecord.h"

#include "QuillLib/gamedata/PlayerState.h"

namespace kestrovan {

namespace {

quill::WString ReadCut(quill::Packet& packet, size_t length) {
    return CutToLength(packet.ReadWString(), length);
}

int32_t CapSkill(uint32_t value) {
    const auto skill = static_cast<int32_t>(value);
    return skill > AccountRecord::kSkillCap ? AccountRecord::kSkillCap : skill;
}

}  // namespace

bool AccountRecord::Read(quill::Packet& packet, AccountRecord& r) {
    const uint16_t errorsBefore = packet.ErrorCount();
    r.userId = packet.ReadU32();
    r.accountId = packet.ReadI64();
    r.nickname = ReadCut(packet, kNicknameLength);
    r.loginId = ReadCut(packet, kLoginIdLength);
    r.value2 = packet.ReadU32();
    r.value3 = packet.ReadU8();
    r.value4 = packet.ReadU32();
    r.value5 = packet.ReadU32();
    r.value6 = packet.ReadU8();
    r.cash = packet.ReadI64();
    r.cueMoney = packet.ReadI64();
    r.extraMoney = packet.ReadI64();
    r.membership = packet.ReadU8();
    if (r.membership != 0) {
        r.membershipText = ReadCut(packet, kMembershipTextLength);
        r.membershipDays = packet.ReadU16();
    }
    r.connectionValue = packet.ReadU32();
    r.connectionFlag = packet.ReadU8();
    r.level = packet.ReadU16();
    r.experience = packet.ReadU32();
    r.skillPoints = packet.ReadU16();
    r.value9 = packet.ReadU32();
    r.value10 = packet.ReadU16();
    r.value11 = packet.ReadU16();
    r.grade = static_cast<int16_t>(packet.ReadU16());
    r.value12 = packet.ReadU16();
    r.value13 = packet.ReadU16();
    r.value14 = packet.ReadU8();
    r.age = packet.ReadU16();
    r.tutorialDone = packet.ReadU8();
    for (int32_t& skill : r.skills)
        skill = CapSkill(packet.ReadU32());
    for (quill::WString& line : r.profileLines)
        line = ReadCut(packet, kProfileLineLength);
    for (quill::WString& text : r.chatTexts)
        text = ReadCut(packet, kChatTextLength);
    r.value16 = packet.ReadU8();
    r.value17 = packet.ReadU8();
    r.options = packet.ReadU32();
    r.status = packet.ReadU8();
    if (r.status == kStatusWithText)
        r.statusText = packet.ReadWString();
    return packet.ErrorCount() == errorsBefore;
}

void AccountRecord::ApplyTo(quill::PlayerState& profile) const {
    profile.userId = userId;
    profile.accountId = accountId;
    profile.name = nickname;
    profile.loginId = loginId;
    profile.money = cash;
    profile.cueMoney = cueMoney;
    profile.extraMoney = extraMoney;
    profile.membershipGrade = membership;
    profile.level = level;
    profile.experience = experience;
    profile.skillPoints = skillPoints;
    profile.grade = grade;
    profile.age = age;
    profile.tutorialDone = tutorialDone;
    profile.skills = skills;
    profile.profileLines = profileLines;
    profile.chatTexts = chatTexts;
    profile.status = status;
    profile.statusText = statusText;
}

}  // namespace kestrovan
