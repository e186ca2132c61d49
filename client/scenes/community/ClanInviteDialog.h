#pragma once
// "Invite Clan": a clan invites the player. Yes hides and answers ClanInviteAnswer with the clan's id; No only
// hides (the server is not answered).
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "client/scenes/community/CommunityQuestion.h"
#include "client/scenes/community/MessengerMessages.h"

namespace kestrovan {

class CommunityRequests;

class ClanInviteDialog : public CommunityQuestion<ClanInvitation> {
public:
    explicit ClanInviteDialog(CommunityRequests& requests);

    void SetInvitation(const ClanInvitation& invitation);
    ClanInvitation Invitation() const;
    TextLabel* Line(size_t n) const { return lines_[n]; }

    // Who invites, to which clan of how many members.
    void OnShow() override;

private:
    void OnAnswer(bool yes) override;

    CommunityRequests& requests_;
    TextLabel* lines_[3] = {};
};

}  // namespace kestrovan
