#pragma once
// Which entries of the messenger's member menu a member gets: "Invite" needs the member online and the
// player in a channel's lobby or room; "Join with" needs the member in a channel's lobby or room; "Del
// Friend" is only for the friend list. A click on the player's own row opens no menu.
#include <cstdint>

#include "client/scenes/community/MemberSnapshot.h"

namespace kestrovan {

struct MemberMenuState {
    bool invite = false;
    bool joinWith = false;
    bool deleteFriend = false;
};

// The player's own location, as the connection keeps it.
struct OwnLocation {
    int64_t userId = 0;
    int8_t channel = 0;
    int16_t place = 0;
};

bool IsOwnMember(const MemberSnapshot& member, const OwnLocation& own);
bool CanInvite(const MemberSnapshot& member, const OwnLocation& own);
bool CanJoinWith(const MemberSnapshot& member);
// The entries for a member of the list that view shows.
MemberMenuState MemberMenuFor(const MemberSnapshot& member, const OwnLocation& own, int32_t view);

}  // namespace kestrovan
