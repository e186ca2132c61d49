#include "client/scenes/community/FriendRequestDialog.h"

#include "QuillLib/core/ScopedLock.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

FriendRequestDialog::FriendRequestDialog(Answer answer)
    : CommunityDialog(u"Ask Friend", false), answer_(std::move(answer)) {
    lines_[0] = AddTextLine(60);
    lines_[1] = AddTextLine(84);
    lines_[1]->SetText(u"Do you want to accept the friend request?");
    AddAnswerButtons(u"Accept", u"Refuse");
}

void FriendRequestDialog::SetRequest(const FriendRequestRecord& request) {
    quill::ScopedLock hold(GetWidgetLock());
    request_ = request;
}

FriendRequestRecord FriendRequestDialog::Request() const {
    quill::ScopedLock hold(GetWidgetLock());
    return request_;
}

void FriendRequestDialog::OnShow() {
    lines_[0]->SetTextF(u"%s %s", Request().nickname, u"has requested to add you as a friend.");
    CommunityDialog::OnShow();
}

bool FriendRequestDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id != kAnswerYes && id != kAnswerNo)
        return CommunityDialog::OnEvent(source, a, b);
    SetVisible(false);
    if (answer_)
        answer_(id == kAnswerYes);
    return true;
}

}  // namespace kestrovan
