#pragma once
// "Del Friend": whether to delete a friend from the list; Yes sends FriendDelete with the friend's member id
// and hides, No hides. The server's FriendRemoved then takes the friend out of the list.
//
// Threads: filled and shown on the main thread; the friend is kept under the widget lock.
#include "client/scenes/common/CommunityDialog.h"
#include "client/scenes/community/MemberSnapshot.h"

namespace kestrovan {

class CommunityRequests;

class DeleteFriendDialog : public CommunityDialog {
public:
    explicit DeleteFriendDialog(CommunityRequests& requests);

    void Ask(const MemberSnapshot& member);
    TextLabel* Line() const { return line_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;

private:
    MemberSnapshot Member() const;

    CommunityRequests& requests_;
    MemberSnapshot member_;
    TextLabel* line_ = nullptr;
};

}  // namespace kestrovan
