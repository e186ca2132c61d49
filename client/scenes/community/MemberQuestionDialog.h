#pragma once
// "Question": whether to ask a player to be a friend (kind 1), invite him to the clan (3 and 6), block (4) or
// ban (5) him; Yes sends the request of the kind and hides, No hides.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "client/scenes/community/CommunityQuestion.h"
#include "client/scenes/community/MemberSnapshot.h"

namespace kestrovan {

class CommunityRequests;

// The player asked about and what is asked of him.
struct MemberQuestion {
    MemberSnapshot member;
    int32_t kind = 0;
};

class MemberQuestionDialog : public CommunityQuestion<MemberQuestion> {
public:
    explicit MemberQuestionDialog(CommunityRequests& requests);

    void Ask(const MemberSnapshot& member, int32_t kind);
    int32_t Kind() const;
    MemberSnapshot Member() const;
    TextLabel* Line() const { return line_; }

    // The question of the kind, naming the player; another kind leaves the line as it was.
    void OnShow() override;

private:
    void OnAnswer(bool yes) override;
    void SendRequest();

    CommunityRequests& requests_;
    TextLabel* line_ = nullptr;
};

}  // namespace kestrovan
