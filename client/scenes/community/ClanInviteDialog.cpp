#include "client/scenes/community/ClanInviteDialog.h"

#include "client/scenes/community/CommunityRequests.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

ClanInviteDialog::ClanInviteDialog(CommunityRequests& requests)
    : CommunityQuestion(u"Invite Clan", false), requests_(requests) {
    lines_[0] = AddTextLine(60);
    lines_[1] = AddTextLine(84);
    lines_[2] = AddTextLine(108);
    lines_[2]->SetText(u"Do you want to join?");
    AddAnswerButtons(u"Yes", u"No");
}

void ClanInviteDialog::SetInvitation(const ClanInvitation& invitation) {
    SetSubject(invitation);
}

ClanInvitation ClanInviteDialog::Invitation() const {
    return GetSubject();
}

void ClanInviteDialog::OnShow() {
    const ClanInvitation invitation = Invitation();
    lines_[0]->SetTextF(u"%s %s", invitation.inviter, u"has invited you to the clan.");
    lines_[1]->SetTextF(u"Clan : %s  num of member : %d", invitation.clanName,
                        static_cast<int>(invitation.memberCount));
    CommunityDialog::OnShow();
}

void ClanInviteDialog::OnAnswer(bool yes) {
    if (yes)
        requests_.SendClanInviteAnswer(Invitation().clanId);
}

}  // namespace kestrovan
