#pragma once
// "Del Friend": whether to delete a friend from the list; Yes sends FriendDelete with the friend's member id
// and hides, No hides. The server's FriendRemoved then takes the friend out of the list.
//
// Threads: see the table in client/app/Scene.h.
#include "client/scenes/community/CommunityQuestion.h"
#include "client/scenes/community/MemberSnapshot.h"

namespace kestrovan {

class CommunityRequests;

class DeleteFriendDialog : public CommunityQuestion<MemberSnapshot> {
public:
    explicit DeleteFriendDialog(CommunityRequests& requests);

    void Ask(const MemberSnapshot& member);
    TextLabel* Line() const { return line_; }

    void OnShow() override;

private:
    void OnAnswer(bool yes) override;

    CommunityRequests& requests_;
    TextLabel* line_ = nullptr;
};

}  // namespace kestrovan
