#include "client/scenes/common/TitleWindows.h"

#include "client/app/SceneManager.h"
#include "client/app/SharedPopups.h"

namespace kestrovan {

void OpenTitleWindow(SceneManager& scenes, Widget& screen, TitleWindow window) {
    switch (window) {
        case TitleWindow::Settings:
        case TitleWindow::MyInfo:
        case TitleWindow::Messenger:
            if (SharedPopups* popups = scenes.Popups())
                popups->ShowFeatureNotice(screen);
            break;
    }
}

}  // namespace kestrovan
