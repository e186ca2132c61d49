#pragma once
// "Ask Friend": another player asks to become the player's friend. It shows the request at the head of the
// messenger's queue; accepting or refusing hides it and answers that request (the messenger then shows the
// next one).
//
// Threads: see the table in client/app/Scene.h.
#include <functional>

#include "client/scenes/community/CommunityQuestion.h"
#include "client/scenes/community/FriendRequestQueue.h"

namespace kestrovan {

class FriendRequestDialog : public CommunityQuestion<FriendRequestRecord> {
public:
    using Answer = std::function<void(bool accept)>;

    explicit FriendRequestDialog(Answer answer);

    void SetRequest(const FriendRequestRecord& request);
    FriendRequestRecord Request() const;
    TextLabel* Line(size_t n) const { return lines_[n]; }

    // Line 1 names the requester.
    void OnShow() override;

private:
    void OnAnswer(bool yes) override;

    Answer answer_;
    TextLabel* lines_[2] = {};
};

}  // namespace kestrovan
