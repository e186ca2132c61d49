#pragma once
// A connection of the internet layer to one server, port and service, with optional credentials. Making it
// does no network traffic: the server is first reached when a request on it is sent. It keeps copies of what
// its requests need, so it stays valid even if its session handle is closed first.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/http/InternetService.h"
#include "platform/system/WString.h"

namespace platform {

class HttpSessionHandle;

class HttpConnectionHandle {
public:
    // Null when the server name is empty. An empty user or password means none.
    static std::unique_ptr<HttpConnectionHandle> Open(const HttpSessionHandle& session, WStringView server,
                                                      uint16_t port, InternetService service, WStringView user = {},
                                                      WStringView password = {});

    const std::string& Agent() const { return agent_; }
    bool UsesProxy() const { return usesProxy_; }
    InternetService Service() const { return service_; }
    bool IsHttp() const { return service_ == InternetService::Http || service_ == InternetService::Https; }
    const std::string& User() const { return user_; }
    const std::string& Password() const { return password_; }

    // "scheme://server:port" for an HTTP connection; IPv6 addresses are bracketed.
    std::string BaseUrl() const;

private:
    HttpConnectionHandle() = default;

    std::string agent_;
    bool usesProxy_ = false;
    std::string server_;
    uint16_t port_ = 0;
    InternetService service_ = InternetService::Http;
    std::string user_;
    std::string password_;
};

// Tests direct the fixed ports of the services to their loopback server: every connection opened while a
// hook is installed uses the port the hook returns for the asked one. An empty function removes the hook.
void SetHttpPortHook(std::function<uint16_t(uint16_t port)> hook);

}  // namespace platform
