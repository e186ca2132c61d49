#include "client/scenes/login/AccountRecord.h"

#include <algorithm>

#include "QuillLib/gamedata/PlayerState.h"

namespace kestrovan {

bool AccountRecord::Read(quill::Packet& packet, AccountRecord& record) {
    quill::FieldReader io(packet);
    io(record);
    // A signed compare, as the server's own: a value sent above 2^31 reads as negative and is kept.
    for (int32_t& skill : record.skills) skill = std::min(skill, kSkillCap);
    return io.Holds();
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
