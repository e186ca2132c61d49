#include "platform/browser/headless/HeadlessBrowser.h"

namespace platform {

std::vector<WString> HeadlessBrowser::Opened() const {
    std::lock_guard lock(mutex_);
    return opened_;
}

bool HeadlessBrowser::Launch(WStringView address) {
    std::lock_guard lock(mutex_);
    opened_.emplace_back(address);
    return true;
}

}  // namespace platform
