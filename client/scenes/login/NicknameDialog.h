#pragma once
// The dialog a player without a nickname meets after logging in: an edit box for the nickname (at most 12
// bytes of the system code page), OK (2050, Enter) to send NicknameCreate and Cancel (2049) to end the
// program. The server's answer decides whether the nickname is taken; the dialog stays open until the next
// LoginResult closes it.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <functional>

#include "client/scenes/common/PopupWindow.h"
#include "client/ui/Window.h"

namespace kestrovan {

class AwaitedRequest;
class Button;
class EditBox;

class NicknameDialog : public Window {
public:
    static constexpr int32_t kCancel = 2049;
    static constexpr int32_t kMaxBytes = 12;

    // quit ends the program.
    // requests: the login screen's, whose notice says when the nickname could not be sent.
    NicknameDialog(AwaitedRequest& requests, std::function<void()> quit);

    // Centres the dialog, shows it and gives the edit box the keyboard.
    void Open();
    void EnableButtons(bool enabled);

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;

    EditBox* Edit() const { return edit_; }
    Button* OkButton() const { return ok_; }
    Button* CancelButton() const { return cancel_; }

private:
    void SendNickname();

    AwaitedRequest& requests_;
    std::function<void()> quit_;
    EditBox* edit_ = nullptr;
    Button* ok_ = nullptr;
    Button* cancel_ = nullptr;
};

}  // namespace kestrovan
