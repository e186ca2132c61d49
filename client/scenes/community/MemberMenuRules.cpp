#include "client/scenes/community/MemberMenuRules.h"

#include "client/scenes/community/MessengerAlarm.h"

namespace kestrovan {

bool IsOwnMember(const MemberSnapshot& member, const OwnLocation& own) {
    return member.userId == own.userId;
}

bool CanInvite(const MemberSnapshot& member, const OwnLocation& own) {
    return member.channel >= 0 && own.channel >= 1 && own.place >= 0;
}

bool CanJoinWith(const MemberSnapshot& member) {
    return member.channel >= 1 && member.place >= 0;
}

MemberMenuState MemberMenuFor(const MemberSnapshot& member, const OwnLocation& own, int32_t view) {
    MemberMenuState state;
    state.invite = CanInvite(member, own);
    state.joinWith = CanJoinWith(member);
    state.deleteFriend = view != MessengerView::Clan;
    return state;
}

}  // namespace kestrovan
