#include "client/scenes/common/RoomPasswordPopup.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/TextEntry.h"
#include "client/ui/EditBox.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

RoomPasswordPopup::RoomPasswordPopup(EventPoster poster)
    : PopupWindow(0, 0, 286, 184, Face{kPopupTexture, 427, 392}, sound_id::kDialogOpen, sound_id::kDialogClose),
      poster_(std::move(poster)) {
    edit_ = AddTextEntry(*this, 110, 70, 100, 18, kMaxLength, 0xFFFFFFFF, EntryBackground{kPopupTexture, 5, 40});
    edit_->SetMasked(true);
    AddButton(kOk, 35, 130, platform::Vk::Return, 85, u"OK");
    AddButton(kCancel, 165, 130, platform::Vk::Escape, 170, u"Cancel");
}

quill::WString RoomPasswordPopup::Password() const {
    return password_;
}

void RoomPasswordPopup::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    edit_->SetText(u"");
    edit_->SetFocus(true);
}

void RoomPasswordPopup::Accept() {
    password_ = edit_->GetText();
    SetVisible(false);
    if (poster_)
        poster_(quill::AppEventId::RoomPasswordEntered, 0, 0, 0);
}

bool RoomPasswordPopup::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == edit_ && a == EditBox::kSubmitEvent) {
        Accept();
        return true;
    }
    return Answers(source, kOk, kCancel, [this] { Accept(); }) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
