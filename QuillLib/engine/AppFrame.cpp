#include "QuillLib/engine/AppFrame.h"

#include <atomic>

#include "platform/ui/MessageBox.h"

namespace quill {
namespace {

std::atomic<AppFrame*> currentFrame{nullptr};

}  // namespace

using platform::MsgBoxStyle::TaskModal;

AppFrame::AppFrame(Engine& engine, platform::WindowHandle window) : engine_(engine), window_(window) {
    currentFrame.store(this);
}

AppFrame::~AppFrame() {
    // A later frame may have taken over the global; only clear it when it still names this one.
    AppFrame* self = this;
    currentFrame.compare_exchange_strong(self, nullptr);
}

AppFrame* AppFrame::Current() {
    return currentFrame.load();
}

int AppFrame::ShowMessage(WStringView text) {
    return Show(text, TaskModal | platform::MsgBoxStyle::Ok);
}

int AppFrame::ShowWarning(WStringView text) {
    return Show(text, TaskModal | platform::MsgBoxStyle::IconWarning | platform::MsgBoxStyle::Ok);
}

int AppFrame::ShowError(WStringView text) {
    return Show(text, TaskModal | platform::MsgBoxStyle::IconError | platform::MsgBoxStyle::Ok);
}

bool AppFrame::AskYesNo(WStringView text) {
    const int answer = Show(text, TaskModal | platform::MsgBoxStyle::IconQuestion | platform::MsgBoxStyle::YesNo);
    return answer != platform::MsgBoxResult::Yes;
}

int AppFrame::Show(WStringView text, uint32_t style) {
    return platform::ShowMessageBox(window_, text, kCaption, style);
}

}  // namespace quill
