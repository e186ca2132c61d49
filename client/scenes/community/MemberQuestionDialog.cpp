#include "client/scenes/community/MemberQuestionDialog.h"

#include "client/app/MessengerPopup.h"
#include "client/scenes/community/CommunityRequests.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

MemberQuestionDialog::MemberQuestionDialog(CommunityRequests& requests)
    : CommunityQuestion(u"Question", true), requests_(requests) {
    line_ = AddTextLine(84);
    AddAnswerButtons(u"Yes", u"No");
}

void MemberQuestionDialog::Ask(const MemberSnapshot& member, int32_t kind) {
    SetSubject(MemberQuestion{member, kind});
}

int32_t MemberQuestionDialog::Kind() const {
    return GetSubject().kind;
}

MemberSnapshot MemberQuestionDialog::Member() const {
    return GetSubject().member;
}

void MemberQuestionDialog::OnShow() {
    const MemberSnapshot member = Member();
    switch (Kind()) {
        case MessengerPopup::kAskFriend:
            line_->SetTextF(u"Do you want to add %s as a friend?", member.nickname);
            break;
        case MessengerPopup::kInviteToClan:
        case MessengerPopup::kInviteToClanFromRoom:
            line_->SetTextF(u"Do you want to invite %s to the clan?", member.nickname);
            break;
        case MessengerPopup::kBlock:
            line_->SetTextF(u"Do you want to block %s?", member.nickname);
            break;
        case MessengerPopup::kBan:
            line_->SetTextF(u"Do you want to ban %s?", member.nickname);
            break;
        default:
            break;
    }
    CommunityDialog::OnShow();
}

void MemberQuestionDialog::SendRequest() {
    const MemberSnapshot member = Member();
    switch (Kind()) {
        case MessengerPopup::kAskFriend:
            requests_.SendFriendRequest(member.userId, member.nickname);
            break;
        case MessengerPopup::kInviteToClan:
        case MessengerPopup::kInviteToClanFromRoom:
            requests_.SendClanInvite(member.userId);
            break;
        case MessengerPopup::kBlock:
            requests_.SendBlockUser(member.userId);
            break;
        case MessengerPopup::kBan:
            requests_.SendBanUser(member.userId);
            break;
        default:
            break;
    }
}

void MemberQuestionDialog::OnAnswer(bool yes) {
    if (yes)
        SendRequest();
}

}  // namespace kestrovan
