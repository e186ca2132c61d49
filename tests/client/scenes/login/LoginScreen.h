#pragma once
// The login screen of a headless online App, built, made current and activated as the shell would after
// its load (the demo table needs the game data and is not made); server messages are handed to its packet
// slot on the test thread.
#include <thread>

#include "client/app/SceneId.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/login/SceneLogin.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "tests/client/scenes/login/LoginMessages.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {

class LoginScreen : public SceneTestApp {
protected:
    explicit LoginScreen(std::initializer_list<const char16_t*> words = {u"launcher"})
        : SceneTestApp(AppMode::Online, words) {
        // No game server unless a test gives one: port 1 is closed.
        app.Connection()->SetServerAddress(u"127.0.0.1", 1);
        app.Scenes().SetPopups(CreateScenePopups(app));
        auto scene = std::make_unique<SceneLogin>(app);
        login = scene.get();
        login->Init();
        app.Scenes().AddScene(std::move(scene));
        app.Scenes().SwitchTo(SceneId::Login);
        login->SetLoadWanted(false);
        login->SetReady(true);
        login->Activate();
    }

    NoticeBox& Box() { return *app.Scenes().GetMessageBox(); }
    NoticeBox& SecondBox() { return *app.Scenes().GetSecondMessageBox(); }
    void Receive(quill::Packet message) {
        quill::Packet packet = AsReceived(std::move(message));
        login->OnPacket(packet.Id(), packet);
    }
    void TypeLogin(std::u16string_view id, std::u16string_view password) {
        login->IdBox()->SetText(id);
        login->PasswordBox()->SetText(password);
    }
    void PressLogin() { login->OnEvent(login->LoginButton(), 0, 0); }
    bool LoginControlsEnabled() const {
        return login->LoginButton()->IsEnabled() && login->IdBox()->IsEnabled() && login->PasswordBox()->IsEnabled();
    }
    // Polls a condition that another thread makes true, within a generous bound.
    static bool Eventually(const std::function<bool()>& condition) {
        for (int waited = 0; waited < 10000; waited += 5) {
            if (condition())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return condition();
    }

    SceneLogin* login = nullptr;
};

}  // namespace kestrovan::test
