#pragma once
// A browser that opens nothing: it records the addresses it was asked to open, for tests and for running
// without a desktop.
#include <mutex>
#include <vector>

#include "platform/browser/Browser.h"

namespace platform {

class HeadlessBrowser : public Browser {
public:
    std::vector<WString> Opened() const;

protected:
    bool Launch(WStringView address) override;

private:
    mutable std::mutex mutex_;
    std::vector<WString> opened_;
};

}  // namespace platform
