#pragma once
// A connection of an InternetSession to one server, and the one HttpRequest that it owns. The error-report
// upload uses it in this order: Connect (service 2), OpenRequest ("POST", the page), AddHeader for each
// header line, SendRequest with the body. Every step reports failure as false and shows nothing.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "QuillLib/core/WString.h"
#include "QuillLib/engine/HttpRequest.h"
#include "QuillLib/engine/InternetHandle.h"
#include "platform/http/HttpConnectionHandle.h"

namespace quill {

class InternetSession;

class InternetConnection : public InternetHandle<platform::HttpConnectionHandle> {
public:
    // Service indices of Connect: 0 FTP (port 21), 1 gopher (70), 2 HTTP (80), 3 HTTPS (443).
    static constexpr uint32_t kHighestServiceIndex = 3;

    explicit InternetConnection(InternetSession& session);
    // The request's handle is closed before the connection's.
    ~InternetConnection() override;

    // Closes the held connection (and the request opened on it) first. False when the session is not open
    // or the index is above 3. An empty user or password means none; port 0 is the service's own.
    bool Connect(WStringView server, uint32_t serviceIndex, WStringView user = {}, WStringView password = {},
                 uint16_t port = 0);

    // False without a connection. Empty version and referrer take the defaults (HTTP/1.1, none).
    bool OpenRequest(WStringView verb, WStringView object, WStringView version = {}, WStringView referrer = {},
                     std::span<const WStringView> acceptTypes = {});

    void AddHeader(WStringView header);

    // False, without any traffic, when no request has been opened.
    bool SendRequest(const void* data, uint32_t length);
    // Sends it and keeps the answer within the limits; nothing when no request has been opened or it failed.
    std::optional<platform::HttpReply> ExchangeRequest(const void* data, uint32_t length,
                                                       const platform::HttpLimits& limits);

    InternetSession& Session() const { return session_; }
    HttpRequest& Request() const { return *request_; }

private:
    InternetSession& session_;
    std::unique_ptr<HttpRequest> request_;
};

}  // namespace quill
