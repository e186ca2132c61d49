#include "client/scenes/community/MemberSnapshot.h"

#include "QuillLib/gamedata/PlayerState.h"
#include "client/scenes/common/TextFields.h"

namespace kestrovan {

MemberSnapshot MemberSnapshot::Of(const quill::PlayerState& record) {
    MemberSnapshot member;
    member.memberId = record.userId;
    member.userId = record.accountId;
    member.nickname = CutToLength(record.name, kNicknameLength);
    member.channel = static_cast<int8_t>(record.channel);
    member.place = record.position;
    member.clanRank = record.clanRank;
    return member;
}

}  // namespace kestrovan
