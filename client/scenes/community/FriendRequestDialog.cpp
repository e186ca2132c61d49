#include "client/scenes/community/FriendRequestDialog.h"

#include "client/ui/TextLabel.h"

namespace kestrovan {

FriendRequestDialog::FriendRequestDialog(Answer answer)
    : CommunityQuestion(u"Ask Friend", false), answer_(std::move(answer)) {
    lines_[0] = AddTextLine(60);
    lines_[1] = AddTextLine(84);
    lines_[1]->SetText(u"Do you want to accept the friend request?");
    AddAnswerButtons(u"Accept", u"Refuse");
}

void FriendRequestDialog::SetRequest(const FriendRequestRecord& request) {
    SetSubject(request);
}

FriendRequestRecord FriendRequestDialog::Request() const {
    return GetSubject();
}

void FriendRequestDialog::OnShow() {
    lines_[0]->SetTextF(u"%s %s", Request().nickname, u"has requested to add you as a friend.");
    CommunityDialog::OnShow();
}

void FriendRequestDialog::OnAnswer(bool yes) {
    if (answer_)
        answer_(yes);
}

}  // namespace kestrovan
