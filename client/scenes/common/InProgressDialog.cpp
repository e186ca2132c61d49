#include "client/scenes/common/InProgressDialog.h"

namespace kestrovan {

InProgressDialog::InProgressDialog(std::function<void()> quit)
    : WaitingPopup(u"In progress. Please wait a moment.", u"The game will end if you close this window.", kCancel, 170),
      quit_(std::move(quit)) {}

bool InProgressDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (ClosesOn(source, kCancel)) {
        if (quit_)
            quit_();
        return true;
    }
    return PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
