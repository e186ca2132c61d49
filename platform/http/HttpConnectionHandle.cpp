#include "platform/http/HttpConnectionHandle.h"

#include "platform/http/HttpSessionHandle.h"
#include "platform/system/CodePage.h"
#include "platform/system/Hook.h"

namespace platform {
namespace {

Hook<uint16_t(uint16_t)>& PortHook() {
    static auto* const hook = new Hook<uint16_t(uint16_t)>();
    return *hook;
}

uint16_t EffectivePort(uint16_t port) {
    const auto hook = PortHook().Get();
    return hook ? (*hook)(port) : port;
}

}  // namespace

void SetHttpPortHook(std::function<uint16_t(uint16_t port)> hook) {
    PortHook().Set(std::move(hook));
}

std::unique_ptr<HttpConnectionHandle> HttpConnectionHandle::Open(const HttpSessionHandle& session, WStringView server,
                                                                 uint16_t port, InternetService service,
                                                                 WStringView user, WStringView password) {
    if (server.empty()) {
        return nullptr;
    }
    std::unique_ptr<HttpConnectionHandle> connection(new HttpConnectionHandle());
    connection->agent_ = session.Agent();
    connection->usesProxy_ = session.Access() == InternetAccess::Preconfigured;
    connection->server_ = Utf16ToUtf8(server);
    connection->port_ = EffectivePort(port);
    connection->service_ = service;
    connection->user_ = Utf16ToUtf8(user);
    connection->password_ = Utf16ToUtf8(password);
    return connection;
}

std::string HttpConnectionHandle::BaseUrl() const {
    const bool ipv6Address = server_.find(':') != std::string::npos;
    std::string url = service_ == InternetService::Https ? "https://" : "http://";
    url += ipv6Address ? "[" + server_ + "]" : server_;
    url += ':';
    url += std::to_string(port_);
    return url;
}

}  // namespace platform
