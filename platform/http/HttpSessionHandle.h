#pragma once
// The opened internet service of a program: the user agent that its requests carry. Connections always go
// direct: no proxy is consulted, not even one named in the environment. Closing the handle is deleting it.
#include <memory>
#include <string>

#include "platform/system/WString.h"

namespace platform {

class HttpSessionHandle {
public:
    // Null when the transfer library cannot be started.
    static std::unique_ptr<HttpSessionHandle> Open(WStringView agent);

    const std::string& Agent() const { return agent_; }

private:
    explicit HttpSessionHandle(std::string agent);

    std::string agent_;
};

}  // namespace platform
