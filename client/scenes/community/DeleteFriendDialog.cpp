#include "client/scenes/community/DeleteFriendDialog.h"

#include "client/scenes/community/CommunityRequests.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

DeleteFriendDialog::DeleteFriendDialog(CommunityRequests& requests)
    : CommunityQuestion(u"Del Friend", true), requests_(requests) {
    line_ = AddTextLine(84);
    AddAnswerButtons(u"Yes", u"No");
}

void DeleteFriendDialog::Ask(const MemberSnapshot& member) {
    SetSubject(member);
}

void DeleteFriendDialog::OnShow() {
    line_->SetTextF(u"Do you want to delete %s from your friends list?", GetSubject().nickname);
    CommunityDialog::OnShow();
}

void DeleteFriendDialog::OnAnswer(bool yes) {
    if (yes)
        requests_.SendFriendDelete(GetSubject().memberId);
}

}  // namespace kestrovan
