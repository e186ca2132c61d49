#include "QuillLib/engine/InternetConnection.h"

#include <array>

#include "QuillLib/engine/InternetSession.h"
#include "platform/http/InternetService.h"

namespace quill {
namespace {

struct ServiceEntry {
    uint16_t port;
    platform::InternetService service;
};

// Index 3 is the HTTPS port, so it is spoken with TLS: a plain request to it could never succeed.
constexpr std::array<ServiceEntry, InternetConnection::kHighestServiceIndex + 1> kServices{{
    {21, platform::InternetService::Ftp},
    {70, platform::InternetService::Gopher},
    {80, platform::InternetService::Http},
    {443, platform::InternetService::Https},
}};

}  // namespace

InternetConnection::InternetConnection(InternetSession& session)
    : session_(session), request_(std::make_unique<HttpRequest>(*this)) {}

InternetConnection::~InternetConnection() {
    request_.reset();
}

bool InternetConnection::Connect(WStringView server, uint32_t serviceIndex, WStringView user, WStringView password,
                                 uint16_t port) {
    request_->Close();
    CloseHandle();
    const platform::HttpSessionHandle* session = session_.GetHandle();
    if (session == nullptr || serviceIndex > kHighestServiceIndex) {
        return false;
    }
    const ServiceEntry& entry = kServices[serviceIndex];
    SetHandle(platform::HttpConnectionHandle::Open(*session, server, port != 0 ? port : entry.port, entry.service, user,
                                                   password));
    return HasHandle();
}

bool InternetConnection::OpenRequest(WStringView verb, WStringView object, WStringView version, WStringView referrer,
                                     std::span<const WStringView> acceptTypes) {
    const platform::HttpConnectionHandle* connection = GetHandle();
    if (connection == nullptr) {
        return false;
    }
    return request_->Open(*connection, verb, object, version, referrer, acceptTypes);
}

void InternetConnection::AddHeader(WStringView header) {
    request_->AddHeader(header);
}

bool InternetConnection::SendRequest(const void* data, uint32_t length) {
    return request_->Send(data, length);
}

std::optional<platform::HttpReply> InternetConnection::ExchangeRequest(const void* data, uint32_t length,
                                                                       const platform::HttpLimits& limits) {
    return request_->Exchange(data, length, limits);
}

}  // namespace quill
