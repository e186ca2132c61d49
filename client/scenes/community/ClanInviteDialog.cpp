#include "client/scenes/community/ClanInviteDialog.h"

#include "QuillLib/core/ScopedLock.h"
#include "client/scenes/community/CommunityRequests.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

ClanInviteDialog::ClanInviteDialog(CommunityRequests& requests)
    : CommunityDialog(u"Invite Clan", false), requests_(requests) {
    lines_[0] = AddTextLine(60);
    lines_[1] = AddTextLine(84);
    lines_[2] = AddTextLine(108);
    lines_[2]->SetText(u"Do you want to join?");
    AddAnswerButtons(u"Yes", u"No");
}

void ClanInviteDialog::SetInvitation(const ClanInvitation& invitation) {
    quill::ScopedLock hold(GetWidgetLock());
    invitation_ = invitation;
}

ClanInvitation ClanInviteDialog::Invitation() const {
    quill::ScopedLock hold(GetWidgetLock());
    return invitation_;
}

void ClanInviteDialog::OnShow() {
    const ClanInvitation invitation = Invitation();
    lines_[0]->SetTextF(u"%s %s", invitation.inviter, u"has invited you to the clan.");
    lines_[1]->SetTextF(u"Clan : %s  num of member : %d", invitation.clanName,
                        static_cast<int>(invitation.memberCount));
    CommunityDialog::OnShow();
}

bool ClanInviteDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kAnswerYes) {
        SetVisible(false);
        requests_.SendClanInviteAnswer(Invitation().clanId);
        return true;
    }
    if (id == kAnswerNo) {
        SetVisible(false);
        return true;
    }
    return CommunityDialog::OnEvent(source, a, b);
}

}  // namespace kestrovan
