#include "client/scenes/community/DeleteFriendDialog.h"

#include "QuillLib/core/ScopedLock.h"
#include "client/scenes/community/CommunityRequests.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

DeleteFriendDialog::DeleteFriendDialog(CommunityRequests& requests)
    : CommunityDialog(u"Del Friend", true), requests_(requests) {
    line_ = AddTextLine(84);
    AddAnswerButtons(u"Yes", u"No");
}

void DeleteFriendDialog::Ask(const MemberSnapshot& member) {
    quill::ScopedLock hold(GetWidgetLock());
    member_ = member;
}

MemberSnapshot DeleteFriendDialog::Member() const {
    quill::ScopedLock hold(GetWidgetLock());
    return member_;
}

void DeleteFriendDialog::OnShow() {
    line_->SetTextF(u"Do you want to delete %s from your friends list?", Member().nickname);
    CommunityDialog::OnShow();
}

bool DeleteFriendDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kAnswerYes) {
        requests_.SendFriendDelete(Member().memberId);
        SetVisible(false);
        return true;
    }
    if (id == kAnswerNo) {
        SetVisible(false);
        return true;
    }
    return CommunityDialog::OnEvent(source, a, b);
}

}  // namespace kestrovan
