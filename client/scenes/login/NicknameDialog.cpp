#include "client/scenes/login/NicknameDialog.h"

#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"
#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/ButtonCaption.h"
#include "client/scenes/common/DialogPlacement.h"
#include "client/scenes/common/TextEntry.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kLoginTexture = 4;

}  // namespace

NicknameDialog::NicknameDialog(AwaitedRequest& requests, std::function<void()> quit)
    : requests_(requests), quit_(std::move(quit)) {
    Create(0, 0, 383, 223, -1, -1);
    SetImage(kLoginTexture, 240, 460, -1, -1, 1.0f, 1.0f);
    SetSounds(30, 29);
    TextLabel* prompt = CreateTextLabel(25, 50, 340, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    prompt->SetText(u"Nickname");
    edit_ = AddTextEntry(*this, 25, 83, 130, 18, kMaxBytes, 0xFFFFFFFF);
    edit_->SetTextColors(0xFFFFFFFF, 0xFF000000);
    const auto addButton = [this](int32_t id, int32_t x, int32_t key, int32_t tileX, const char16_t* caption) {
        Button* button = CreateButton(x, 185, 85, 32, id, key, kCommonTexture, tileX, 0);
        SetCentredCaption(*button, caption);
        return button;
    };
    ok_ = addButton(PopupWindow::kOk, 80, platform::Vk::Return, 85, u"OK");
    cancel_ = addButton(kCancel, 230, -1, 255, u"Cancel");
    Show(false);
}

void NicknameDialog::Open() {
    CentreOnScreen(*this);
    SetVisible(true);
}

void NicknameDialog::OnShow() {
    Window::OnShow();
    CentreOnScreen(*this);
    edit_->SetFocus(true);
}

void NicknameDialog::EnableButtons(bool enabled) {
    ok_->SetEnabled(enabled);
    cancel_->SetEnabled(enabled);
}

// Enter in the edit box sends the nickname like OK does.
bool NicknameDialog::OnEvent(Widget* source, int32_t a, int32_t b) {
    if (source == cancel_) {
        SetVisible(false);
        if (quit_)
            quit_();
        return true;
    }
    if (source == ok_ || (source == edit_ && a == EditBox::kSubmitEvent)) {
        SendNickname();
        return true;
    }
    return Window::OnEvent(source, a, b);
}

// The buttons wait for the server's answer, which gives them back.
void NicknameDialog::SendNickname() {
    requests_.Send(
        [this](quill::Packet& packet) {
            packet.Init(quill::MessageId::NicknameCreate);
            packet.WriteWString(edit_->GetText());
        },
        [this] { EnableButtons(false); });
}

}  // namespace kestrovan
