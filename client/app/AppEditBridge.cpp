#include "client/app/AppEditBridge.h"

#include "QuillLib/core/ScopedLock.h"
#include "client/app/NativeEditBridge.h"
#include "client/ui/EditBox.h"

namespace kestrovan {

using quill::ScopedLock;

AppEditBridge::AppEditBridge(NativeEditBridge& native) : native_(native) {}

AppEditBridge::~AppEditBridge() {
    ReleaseFocusFrom(nullptr);
}

bool AppEditBridge::IsBound() const {
    return client_.box != nullptr && NativeEditBridge::GetFocusWidget() == &client_;
}

// One client stands for whichever box is bound, so the native bridge never tells boxes apart: the box
// that loses the focus to another hides its caret here. The client holds a box only while the native
// bridge has it bound: however the focus goes (Enter or Esc in the box, a window shown, a screen that
// clears it), the native bridge's release empties the client, so no box is kept past its life.
void AppEditBridge::SetFocusWidget(EditBox* box) {
    ScopedLock lock(native_.UiLock());
    if (box == nullptr) {
        ReleaseFocusFrom(nullptr);
        return;
    }
    if (client_.box != nullptr && client_.box != box)
        client_.box->HideCursor();
    client_.box = box;
    native_.SetFocusWidget(&client_);
}

void AppEditBridge::ReleaseFocusFrom(EditBox* box) {
    ScopedLock lock(native_.UiLock());
    if (box != nullptr && box != client_.box)
        return;
    if (NativeEditBridge::GetFocusWidget() == &client_) {
        native_.ReleaseFocusFrom(&client_);
    }
    client_.box = nullptr;
}

EditBox* AppEditBridge::GetFocusWidget() const {
    ScopedLock lock(native_.UiLock());
    return IsBound() ? client_.box : nullptr;
}

void AppEditBridge::SetText(platform::WStringView text) {
    ScopedLock lock(native_.UiLock());
    native_.SetText(text);
}

void AppEditBridge::SetSelection(int32_t anchor, int32_t caret) {
    ScopedLock lock(native_.UiLock());
    native_.Control().SetSelection(anchor, caret);
}

void AppEditBridge::ReplaceSelection(platform::WStringView text) {
    ScopedLock lock(native_.UiLock());
    native_.ReplaceSelection(text);
}

int32_t AppEditBridge::CharFromPos(int32_t x) const {
    ScopedLock lock(native_.UiLock());
    return static_cast<int32_t>(native_.Control().CharFromPos(x));
}

void AppEditBridge::SetFont(TextMeasure measure) {
    ScopedLock lock(native_.UiLock());
    native_.SetFont(std::move(measure));
}

platform::WString AppEditBridge::BoxClient::GetText() const {
    return box != nullptr ? box->GetText() : u"";
}

bool AppEditBridge::BoxClient::InputMethodOff() const {
    return box != nullptr && box->InputMethodOff();
}

void AppEditBridge::BoxClient::ShowCaret() {
    if (box != nullptr)
        box->ShowCursor();
}

void AppEditBridge::BoxClient::HideCaret() {
    if (box != nullptr)
        box->HideCursor();
}

void AppEditBridge::BoxClient::Released() {
    box = nullptr;
}

bool AppEditBridge::BoxClient::ClampToMaxBytes(platform::WString& text) const {
    return box != nullptr && !box->ClampToMaxBytes(text);
}

void AppEditBridge::BoxClient::SetTextAndSelection(const platform::WString& text, uint32_t caret, uint32_t anchor) {
    if (box != nullptr)
        box->SetTextAndSelection(text, static_cast<int32_t>(caret), static_cast<int32_t>(anchor));
}

void AppEditBridge::BoxClient::NotifyParent(uint32_t code) {
    if (box != nullptr)
        box->NotifyParent(static_cast<int32_t>(code));
}

void AppEditBridge::BoxClient::SubmitText(const platform::WString& text) {
    if (box != nullptr)
        box->SubmitText(text);
}

}  // namespace kestrovan
