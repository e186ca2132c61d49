#include "platform/ui/MessageBox.h"

#include <atomic>

#include "platform/ui/HeadlessMessageBox.h"
#include "platform/ui/MessageBoxBackend.h"

namespace platform {
namespace {

// Until the window backend installs itself, boxes go to the console; never destroyed, so a box shown
// while the process exits still finds it.
MessageBoxBackend& DefaultBackend() {
    static HeadlessMessageBox* const backend = new HeadlessMessageBox(/*echoToConsole=*/true);
    return *backend;
}

std::atomic<MessageBoxBackend*> installedBackend{nullptr};

}  // namespace

int ShowMessageBox(WindowHandle owner, WStringView text, WStringView caption, uint32_t style) {
    return CurrentMessageBoxBackend().Show(MessageBoxRequest{owner, text, caption, style});
}

MessageBoxBackend& CurrentMessageBoxBackend() {
    MessageBoxBackend* backend = installedBackend.load();
    return backend != nullptr ? *backend : DefaultBackend();
}

MessageBoxBackend* SetMessageBoxBackend(MessageBoxBackend* backend) {
    return installedBackend.exchange(backend);
}

}  // namespace platform
