#include "client/scenes/shop/PictureWindow.h"

#include "client/app/SoundIds.h"
#include "client/scenes/common/BoxFace.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

PictureWindow::PictureWindow()
    : PopupWindow(0, 0, 579, 423, Face{}, sound_id::kWindowOpen, sound_id::kPopup) {
    // The packs hold no picture of this size: the window wears the boxes' face at its own size.
    StretchBoxFace(*this);
    AddButton(kClose, 254, 391, platform::Vk::Return, 85, u"Close", kCommonTexture, 0, 67, 24);
}

bool PictureWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    return ClosesOn(source, kClose) || PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
