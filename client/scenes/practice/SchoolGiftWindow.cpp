#include "client/scenes/practice/SchoolGiftWindow.h"

#include "client/app/SoundIds.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/ItemPreview.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

SchoolGiftWindow::SchoolGiftWindow() : PopupWindow(200, 200, 500, 300, Face{22, 0, 0}, sound_id::kWindowOpen, 0) {
    AddButton(kOk, 350, 243, platform::Vk::Return, 255, u"OK");
    preview_ = static_cast<ItemPreview*>(AddChild(std::make_unique<ItemPreview>(21, 52, 115, 219, true), true));
}

bool SchoolGiftWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    return ClosesOn(source, kOk) || PopupWindow::OnEvent(source, a, b);
}

void SchoolGiftWindow::OnShow() {
    PopupWindow::OnShow();
    CentreOnScreen(*this);
    preview_->SetItemId(kGiftCue);
}

}  // namespace kestrovan
