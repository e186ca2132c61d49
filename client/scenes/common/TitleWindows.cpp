#include "client/scenes/common/TitleWindows.h"

#include "client/app/MessengerPopup.h"
#include "client/app/Scene.h"
#include "client/app/SceneManager.h"
#include "client/app/SettingsPopup.h"
#include "client/app/SharedPopups.h"
#include "client/app/SkillPopup.h"

namespace kestrovan {

namespace {

// The window's own opening; false when the program has no such window.
bool OpenShared(SceneManager& scenes, Widget& screen, TitleWindow window) {
    switch (window) {
        case TitleWindow::Messenger:
            if (MessengerPopup* messenger = scenes.GetMessenger()) {
                messenger->Toggle(screen);
                return true;
            }
            return false;
        case TitleWindow::Settings:
            if (SettingsPopup* settings = scenes.GetSettingsDialog()) {
                settings->Open(screen);
                return true;
            }
            return false;
        case TitleWindow::MyInfo:
            if (SkillPopup* myInfo = scenes.GetSkillPopup()) {
                // A screen with a game mode of its own (the game room's table) shows that mode's statistics.
                if (const auto* scene = dynamic_cast<const Scene*>(&screen); scene != nullptr && scene->ProfileGameMode() >= 0)
                    myInfo->SetSelectedMode(scene->ProfileGameMode());
                myInfo->Open(screen);
                return true;
            }
            return false;
    }
    return false;
}

}  // namespace

void OpenTitleWindow(SceneManager& scenes, Widget& screen, TitleWindow window) {
    if (OpenShared(scenes, screen, window)) return;
    if (SharedPopups* popups = scenes.Popups()) popups->ShowFeatureNotice(screen);
}

}  // namespace kestrovan
