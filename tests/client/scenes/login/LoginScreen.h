#pragma once
// The login screen on the headless online App (SceneHarness), with the login window's controls at hand.
#include "client/scenes/login/SceneLogin.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "tests/support/scenes/SceneHarness.h"

namespace kestrovan::test {

class LoginScreen : public SceneHarness<SceneLogin> {
protected:
    explicit LoginScreen(std::initializer_list<const char16_t*> words = {u"launcher"}) : SceneHarness(words) {
        Activate();
    }

    void TypeLogin(std::u16string_view id, std::u16string_view password) {
        login->IdBox()->SetText(id);
        login->PasswordBox()->SetText(password);
    }
    void PressLogin() { Routed(*login, login->LoginButton(), 0, 0); }
    bool LoginControlsEnabled() const {
        return login->LoginButton()->IsEnabled() && login->IdBox()->IsEnabled() && login->PasswordBox()->IsEnabled();
    }

    SceneLogin* login = scene;
};

}  // namespace kestrovan::test
