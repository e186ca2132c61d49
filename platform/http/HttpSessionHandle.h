#pragma once
// The opened internet service of a program: the user agent that its requests carry and how they reach their
// servers. A direct session consults no proxy, not even one named in the environment; a preconfigured one
// takes the system's proxy settings, which here are the environment's (http_proxy, no_proxy and their
// kin). Closing the handle is deleting it.
#include <memory>
#include <string>

#include "platform/system/WString.h"

namespace platform {

enum class InternetAccess {
    Direct,
    Preconfigured,
};

class HttpSessionHandle {
public:
    // Null when the transfer library cannot be started.
    static std::unique_ptr<HttpSessionHandle> Open(WStringView agent, InternetAccess access = InternetAccess::Direct);

    const std::string& Agent() const { return agent_; }
    InternetAccess Access() const { return access_; }

private:
    HttpSessionHandle(std::string agent, InternetAccess access);

    std::string agent_;
    InternetAccess access_;
};

}  // namespace platform
