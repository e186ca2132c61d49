#include "client/scenes/lobby/LobbyImageWindow.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/ui/Image.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kTexture = 8;
constexpr int32_t kOkTile = 85;

}  // namespace

LobbyImageWindow::LobbyImageWindow(EventPoster poster)
    : PopupWindow(0, 0, kWidth, kHeight, Face{kTexture, 0, 0}, sound_id::kWindowOpen, sound_id::kPopup),
      poster_(std::move(poster)) {
    picture_ = CreateImage(20, 20, kWidth - 40, kHeight - 80, kTexture, 0, 0);
    picture_->SetAcceptsMouse(false);
    AddButton(kClose, (kWidth - kButtonWidth) / 2, kHeight - 48, platform::Vk::Return, kOkTile, u"Close");
}

bool LobbyImageWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source != nullptr && source->GetId() == kClose) {
        SetVisible(false);
        if (poster_) poster_(quill::AppEventId::LobbyEvent1073, 0, 0, 0);
        return true;
    }
    return PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
