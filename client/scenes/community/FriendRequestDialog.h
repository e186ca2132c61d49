#pragma once
// "Ask Friend": another player asks to become the player's friend. It shows the request at the head of the
// messenger's queue; accepting or refusing hides it and answers that request (the messenger then shows the
// next one).
//
// Threads: filled and shown by the messenger (dispatch or main thread); answered on the main thread.
// The request is kept under the widget lock.
#include <functional>

#include "client/scenes/common/CommunityDialog.h"
#include "client/scenes/community/FriendRequestQueue.h"

namespace kestrovan {

class FriendRequestDialog : public CommunityDialog {
public:
    using Answer = std::function<void(bool accept)>;

    explicit FriendRequestDialog(Answer answer);

    void SetRequest(const FriendRequestRecord& request);
    FriendRequestRecord Request() const;
    TextLabel* Line(size_t n) const { return lines_[n]; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // Line 1 names the requester.
    void OnShow() override;

private:
    Answer answer_;
    FriendRequestRecord request_;
    TextLabel* lines_[2] = {};
};

}  // namespace kestrovan
