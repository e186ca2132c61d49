#include "client/scenes/common/InvitePopup.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/connection/JoinWithTarget.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

InvitePopup::InvitePopup(JoinWithTarget& target, EventPoster poster)
    : PopupWindow(200, 200, 400, 250, Face{}, sound_id::kPopup, 0), target_(target), poster_(std::move(poster)) {
    AddTitle(14, 7, 140, u"Invite");
    for (size_t n = 0; n < lines_.size(); ++n) {
        lines_[n] = AddLine(18, 84 + 30 * static_cast<int32_t>(n), 360, UiFontAt(UiFont::Regular12), 0);
    }
    lines_[2]->SetText(u"Do you want to accept the invitation?");
    AddButton(kYes, 77, 200, platform::Vk::Return, 340, u"Yes");
    AddButton(kNo, 237, 200, platform::Vk::Escape, 425, u"No");
}

void InvitePopup::SetInvitation(const Invitation& invitation) {
    WidgetToolkit::CheckTreeAccess("InvitePopup::SetInvitation");
    invitation_ = invitation;
    if (invitation_.hasPassword == 0)
        invitation_.password.clear();
}

void InvitePopup::OnShow() {
    CentreOnScreen(*this);
    Invitation invitation;
    invitation = invitation_;
    // The room number is signed: 0 and below mean the lobby.
    const auto room = static_cast<int16_t>(invitation.room);
    if (room > 0) {
        lines_[0]->SetTextF(u"%s has invited you from %d room of %d channel.", invitation.inviter,
                            static_cast<int>(room), static_cast<int>(invitation.channel));
    } else {
        lines_[0]->SetTextF(u"%s has invited you from the lobby of %d channel.", invitation.inviter,
                            static_cast<int>(invitation.channel));
    }
    if (invitation.hasGameDetails != 0) {
        lines_[1]->SetTextF(u"Type:%s  handi:%d  players:%d",
                            quill::GameShortName(static_cast<int8_t>(invitation.gameType)),
                            static_cast<int>(invitation.handicap), static_cast<int>(invitation.players));
        lines_[1]->Show(true);
    } else {
        lines_[1]->Show(false);
    }
    Window::OnShow();
}

void InvitePopup::Accept() {
    target_.pending = 1;
    target_.channel = invitation_.channel;
    target_.place = static_cast<int16_t>(invitation_.room);
    target_.hasPassword = invitation_.hasPassword;
    target_.password = invitation_.hasPassword != 0 ? invitation_.password : quill::WString();
    target_.targetKind = 0;
    target_.targetValue = 0;
    if (poster_)
        poster_(quill::AppEventId::JoinWith, 0, 0, 0);
    SetVisible(false);
}

bool InvitePopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    return Answers(source, kYes, kNo, [this] { Accept(); }) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
