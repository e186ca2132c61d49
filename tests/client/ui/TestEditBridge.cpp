#include "TestEditBridge.h"

#include <algorithm>

#include "client/ui/EditBox.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan::test {

namespace Msg = platform::Msg;
namespace Vk = platform::Vk;
using platform::Message;

TestEditBridge::TestEditBridge(platform::Window& window) : window_(window), edit_(window) {
    child_ = window_.CreateChild([this](const Message& message) { return WindowProc(message); });
}

TestEditBridge::~TestEditBridge() { window_.DestroyChild(child_); }

void TestEditBridge::SetFocusWidget(EditBox* box) {
    if (box == nullptr) {
        ReleaseFocusFrom(current_);
        return;
    }
    if (current_ != nullptr && current_ != box) {
        current_->HideCursor();
    }
    current_ = box;
    const platform::WString text = box->GetText();
    edit_.SetText(text);
    edit_.SetSelection(static_cast<long>(text.size()), static_cast<long>(text.size()));
    window_.SetFocus(child_);
    box->ShowCursor();
    if (box->InputMethodOff()) {
        window_.Ime().SetConversionStatus(0);
    }
}

void TestEditBridge::ReleaseFocusFrom(EditBox* box) {
    if (box != nullptr && box != current_) {
        return;
    }
    if (current_ != nullptr) {
        current_->HideCursor();
    }
    current_ = nullptr;
    window_.SetFocus(platform::kMainWindow);
}

void TestEditBridge::ReplaceSelection(platform::WStringView text) {
    edit_.ReplaceSelection(text);
    if (current_ != nullptr) {
        Synchronise();
    }
}

platform::LResult TestEditBridge::WindowProc(const Message& message) {
    if (current_ == nullptr) {
        return 0;
    }
    switch (message.id) {
        case Msg::KeyDown:
            if (OnKeyDown(message)) {
                return 1;
            }
            break;
        case Msg::KeyUp:
            if (message.wParam >= Vk::F1 && message.wParam <= Vk::F10) {
                current_->NotifyParent(static_cast<int32_t>(message.wParam));
            }
            return 0;
        case Msg::Char:
            if (OnCharacter(message)) {
                return 1;
            }
            break;
        case Msg::ImeNotify:
            // The user switched to native input: a box that keeps the input method off switches it back.
            if (message.wParam == platform::Ime::NotifySetConversionMode && current_->InputMethodOff()) {
                window_.Ime().SetConversionStatus(0);
            }
            return 0;
        case Msg::ImeComposition:
            // Handled here: the box shows each step, and the committed text is not sent again as characters.
            edit_.HandleMessage(message);
            Synchronise();
            return 1;
        default:
            break;
    }
    edit_.HandleMessage(message);
    if (current_ != nullptr && (message.id == Msg::KeyDown || message.id == Msg::Char ||
                                message.id == Msg::ImeEndComposition)) {
        Synchronise();
    }
    return 0;
}

bool TestEditBridge::OnKeyDown(const Message& message) {
    if (message.wParam == Vk::Up || message.wParam == Vk::Down) {
        current_->NotifyParent(static_cast<int32_t>(message.wParam));
        return true;
    }
    return false;
}

bool TestEditBridge::OnCharacter(const Message& message) {
    if (message.wParam == Vk::Tab) {
        current_->NotifyParent(Vk::Tab);
        return true;
    }
    if (message.wParam == Vk::Return) {
        current_->SubmitText(edit_.Text());
        return true;
    }
    return false;
}

void TestEditBridge::Synchronise() {
    platform::WString text = edit_.Text();
    const platform::EditControl::Selection selection = edit_.GetSelection();
    auto anchor = static_cast<int32_t>(selection.start);
    auto caret = static_cast<int32_t>(selection.end);
    if (!current_->ClampToMaxBytes(text)) {
        edit_.SetText(text);
        const auto length = static_cast<int32_t>(text.size());
        caret = std::min(caret, length);
        anchor = std::min(anchor, length);
        edit_.SetSelection(anchor, caret);
    }
    current_->SetTextAndSelection(text, caret, anchor);
}

}  // namespace kestrovan::test
