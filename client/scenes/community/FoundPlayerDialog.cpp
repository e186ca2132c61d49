#include "client/scenes/community/FoundPlayerDialog.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/connection/GameConnection.h"
#include "client/connection/JoinWithTarget.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/community/CommunityHost.h"
#include "client/scenes/community/CommunityRequests.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

Button* AddCaptionedButton(Window& window, int32_t id, int32_t x, int32_t y, int32_t w, int32_t h, int32_t key,
                           int32_t srcX, int32_t srcY, quill::WStringView caption) {
    Button* button = window.CreateButton(x, y, w, h, id, key, kPopupThirdTexture, srcX, srcY);
    SetCentredCaption(*button, caption, kWhite);
    return button;
}

}  // namespace

FoundPlayerDialog::FoundPlayerDialog(CommunityHost& host, CommunityRequests& requests)
    : host_(host), requests_(requests) {
    Create(200, 200, kWidth, kHeight, -1, -1);
    SetImage(kPopupThirdTexture, 186, 562, kWidth, kHeight, 1.0f, 1.0f);
    SetSounds(sound_id::kPopup, 0);
    nickname_ = CreateTextLabel(130, 61, 190, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    nickname_->SetColors(0xFFFFFF00, 0);
    location_ = CreateTextLabel(130, 89, 190, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    location_->SetColors(0xFFFFFFFF, 0);
    AddCaptionedButton(*this, kViewInfo, 20, 125, 89, 24, -1, 780, 700, u"View Info");
    AddCaptionedButton(*this, kJoinWith, 120, 125, 89, 24, -1, 780, 700, u"Join with");
    AddCaptionedButton(*this, kAskFriend, 220, 125, 89, 24, -1, 780, 700, u"Ask Friend");
    AddCaptionedButton(*this, PopupWindow::kClose, 290, 10, 33, 34, platform::Vk::Escape, 880, 700, u"X");
    Show(false);
}

void FoundPlayerDialog::SetFound(const FoundPlayerRecord& found, quill::WStringView location) {
    found_ = found;
    nickname_->SetText(found.nickname);
    location_->SetText(location);
}

FoundPlayerRecord FoundPlayerDialog::Found() const {
    return found_;
}

bool FoundPlayerDialog::IsPlayerHimself(const FoundPlayerRecord& found) {
    return found.userId == host_.Connection().LocalPlayer().accountId;
}

void FoundPlayerDialog::JoinWith(const FoundPlayerRecord& found) {
    JoinWithTarget& target = host_.Connection().JoinTarget();
    target.Clear();
    target.pending = 1;
    target.channel = found.channel;
    target.place = static_cast<int16_t>(found.place);
    host_.PostEvent(quill::AppEventId::JoinWith, 0, 0, 0);
}

bool FoundPlayerDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    const FoundPlayerRecord found = Found();
    switch (source != nullptr ? source->GetId() : -1) {
        case kViewInfo:
            requests_.SendUserInfoRequest(CommunityRequests::kAnyChannel, found.userId, found.nickname);
            return true;
        case kJoinWith:
            if (!IsPlayerHimself(found) && static_cast<int8_t>(found.channel) > 0) {
                SetVisible(false);
                JoinWith(found);
            }
            return true;
        case kAskFriend:
            if (!IsPlayerHimself(found)) {
                SetVisible(false);
                requests_.SendFriendRequest(found.userId, found.nickname);
            }
            return true;
        case PopupWindow::kClose:
            SetVisible(false);
            return true;
        default:
            return Window::OnEvent(source, a, b);
    }
}

}  // namespace kestrovan
