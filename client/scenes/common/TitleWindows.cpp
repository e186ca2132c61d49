#include "client/scenes/common/TitleWindows.h"

#include "client/app/MessengerPopup.h"
#include "client/app/SceneManager.h"
#include "client/app/SharedPopups.h"

namespace kestrovan {

void OpenTitleWindow(SceneManager& scenes, Widget& screen, TitleWindow window) {
    switch (window) {
        case TitleWindow::Messenger:
            if (MessengerPopup* messenger = scenes.GetMessenger()) {
                messenger->Toggle(screen);
                break;
            }
            [[fallthrough]];
        case TitleWindow::Settings:
        case TitleWindow::MyInfo:
            if (SharedPopups* popups = scenes.Popups())
                popups->ShowFeatureNotice(screen);
            break;
    }
}

}  // namespace kestrovan
