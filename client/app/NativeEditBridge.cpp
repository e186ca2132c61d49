#include "client/app/NativeEditBridge.h"

#include <algorithm>
#include <memory>

#include "QuillLib/core/ScopedLock.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

using platform::Message;
using quill::ScopedLock;
namespace Msg = platform::Msg;
namespace Vk = platform::Vk;

namespace {

// The bridge is created on first use and reached through this pointer, as edit boxes expect.
std::unique_ptr<NativeEditBridge> theBridge;

// The lParam of the Backspace character the bridge sends itself: one press of scan code 0x0E.
constexpr platform::LParam kBackspaceLParam = 0xE0001;

}  // namespace

NativeEditBridge& NativeEditBridge::Instance(platform::Window& mainWindow, quill::Lock& uiLock) {
    if (!theBridge) {
        theBridge.reset(new NativeEditBridge(mainWindow, uiLock));
    }
    return *theBridge;
}

void NativeEditBridge::DestroyInstance() { theBridge.reset(); }

NativeEditClient* NativeEditBridge::GetFocusWidget() {
    if (!theBridge) {
        return nullptr;
    }
    ScopedLock lock(theBridge->uiLock_);
    return theBridge->current_;
}

void NativeEditBridge::ClearFocus() {
    if (theBridge) {
        ScopedLock lock(theBridge->uiLock_);
        theBridge->ReleaseFocusFrom(theBridge->current_);
    }
}

NativeEditBridge::NativeEditBridge(platform::Window& window, quill::Lock& uiLock)
    : window_(window), uiLock_(uiLock), edit_(window) {
    control_ = window_.CreateChild([this](const Message& message) { return WindowProc(message); });
}

NativeEditBridge::~NativeEditBridge() { window_.DestroyChild(control_); }

void NativeEditBridge::SetFocusWidget(NativeEditClient* box) {
    ScopedLock lock(uiLock_);
    if (box == nullptr) {
        ReleaseFocusFrom(current_);
        return;
    }
    if (current_ != nullptr && current_ != box) {
        NativeEditClient* previous = current_;
        previous->HideCaret();
        current_ = nullptr;
        previous->Released();
    }
    current_ = box;
    const platform::WString text = box->GetText();
    SetText(text);
    FollowBinding();
    currentText_ = previousText_ = text;
    caret_ = anchor_ = static_cast<uint32_t>(text.size());
    edit_.SetSelection(anchor_, caret_);
    box->ShowCaret();
    if (box->InputMethodOff()) {
        SetImeNative(false);
    }
    imeOff_ = box->InputMethodOff();
}

void NativeEditBridge::ReleaseFocusFrom(NativeEditClient* box) {
    ScopedLock lock(uiLock_);
    if (box != nullptr && box != current_) {
        return;
    }
    NativeEditClient* released = current_;
    current_ = nullptr;
    if (released != nullptr) {
        released->HideCaret();
        released->Released();
    }
    FollowBinding();
}

// The window's focus is the main thread's: another thread leaves the move to the control's procedure.
void NativeEditBridge::FollowBinding() {
    if (!window_.OnMainThread()) {
        window_.PostMessage(control_, Msg::Null, 0, 0);
        return;
    }
    window_.SetFocus(current_ != nullptr ? control_ : platform::kMainWindow);
}

void NativeEditBridge::SetText(platform::WStringView text) {
    ScopedLock lock(uiLock_);
    edit_.SetText(text);
    ReadText();
    previousText_ = currentText_;
    ReadSelection();
}

void NativeEditBridge::SetCaret(uint32_t position) {
    ScopedLock lock(uiLock_);
    edit_.SetSelection(position, position);
}

// The box shows what was put in, so the bridge copies it at once.
void NativeEditBridge::ReplaceSelection(platform::WStringView text) {
    ScopedLock lock(uiLock_);
    edit_.ReplaceSelection(text);
    if (current_ != nullptr) {
        Synchronise();
    }
}

void NativeEditBridge::SetFont(platform::EditControl::TextMeasure measure) {
    ScopedLock lock(uiLock_);
    edit_.SetFont(std::move(measure));
}

void NativeEditBridge::SetImeNative(bool native) {
    ScopedLock lock(uiLock_);
    platform::ImeContext& ime = window_.Ime();
    uint32_t status = ime.ConversionStatus() & ~(platform::Ime::ConversionNative | platform::Ime::ConversionKatakana);
    if (native) {
        status |= platform::Ime::ConversionNative;
    }
    ime.SetConversionStatus(status);
}

// Main thread. The bridge's own Msg::Null (a binding changed on another thread) only moves the focus.
platform::LResult NativeEditBridge::WindowProc(const Message& message) {
    ScopedLock lock(uiLock_);
    if (current_ == nullptr || message.id == Msg::Null) {
        FollowBinding();
        return 0;
    }
    if (HandleMessage(message)) {
        return 1;
    }
    const platform::LResult result = edit_.HandleMessage(message);
    // The caret keys move the caret without another message: the box must see where it went.
    if (message.id == Msg::KeyDown && current_ != nullptr) {
        Synchronise();
    }
    return result;
}

bool NativeEditBridge::HandleMessage(const Message& message) {
    const auto key = static_cast<uint32_t>(message.wParam);
    switch (message.id) {
        case Msg::KillFocus:
            current_->HideCaret();
            return false;
        case Msg::ContextMenu:
            return true;
        case Msg::KeyDown:
            return OnKeyDown(message);
        case Msg::KeyUp:
            if (key == Vk::Snapshot) {
                return true;
            }
            if (key >= Vk::F1 && key <= Vk::F10) {
                current_->NotifyParent(key);
            }
            return false;
        case Msg::Char:
            return OnCharacter(message);
        case Msg::SysKeyDown:
        case Msg::SysKeyUp:
            return key == Vk::Menu;
        case Msg::ImeEndComposition:
            Synchronise();
            return false;
        case Msg::ImeComposition:
            // The box draws the composition inline, so it gets each step of it.
            edit_.HandleMessage(message);
            Synchronise();
            return true;
        case Msg::MouseWheel:
            window_.PostMessage(platform::kMainWindow, message.id, message.wParam, message.lParam);
            return false;
        case Msg::ImeNotify:
            if (key == platform::Ime::NotifySetConversionMode) {
                // Only a box that keeps the input method off turns it back; elsewhere the user's choice holds.
                if (imeOff_) {
                    SetImeNative(false);
                }
            } else {
                Synchronise();
            }
            return false;
        default:
            return false;
    }
}

bool NativeEditBridge::OnKeyDown(const Message& message) {
    switch (message.wParam) {
        case Vk::Back: {
            Message pending;
            window_.PeekMessage(pending, platform::MessageFilter{control_, Msg::Char, Msg::Char}, true);
            edit_.HandleMessage(Message{control_, Msg::Char, Vk::Back, kBackspaceLParam, message.time});
            Synchronise();
            return true;
        }
        case Vk::Up:
        case Vk::Down:
            current_->NotifyParent(static_cast<uint32_t>(message.wParam));
            return true;
        case Vk::Delete:
            edit_.HandleMessage(message);
            Synchronise();
            return true;
        default:
            return false;
    }
}

bool NativeEditBridge::OnCharacter(const Message& message) {
    switch (message.wParam) {
        case Vk::Tab:
            current_->NotifyParent(Vk::Tab);
            return true;
        case Vk::Return:
            current_->SubmitText(currentText_);
            return true;
        case Vk::Escape:
            if (currentText_.empty()) {
                ClearFocus();
            } else {
                SetText(u"");
                Synchronise();
            }
            return false;
        default:
            edit_.HandleMessage(message);
            Synchronise();
            return true;
    }
}

void NativeEditBridge::Synchronise() {
    ReadSelection();
    ReadText();
    if (current_->ClampToMaxBytes(currentText_)) {
        edit_.SetText(currentText_);
        const auto length = static_cast<uint32_t>(currentText_.size());
        caret_ = std::min(caret_, length);
        anchor_ = std::min(anchor_, length);
        edit_.SetSelection(anchor_, caret_);
    }
    current_->SetTextAndSelection(currentText_, caret_, anchor_);
    previousText_ = currentText_;
}

// The control answers the selection as its lower and upper end: the caret is taken as the upper end, the
// anchor as the lower.
void NativeEditBridge::ReadSelection() {
    const platform::EditControl::Selection selection = edit_.GetSelection();
    anchor_ = static_cast<uint32_t>(selection.start);
    caret_ = static_cast<uint32_t>(selection.end);
}

void NativeEditBridge::ReadText() {
    currentText_ = edit_.Text();
    if (currentText_.size() > kTextCapacity - 1) {
        currentText_.resize(kTextCapacity - 1);
    }
}

}  // namespace kestrovan
