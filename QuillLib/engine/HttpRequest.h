#pragma once
// The HTTP request of an InternetConnection: its handle and the header text collected for it. Headers may
// be added before the request is opened; they stay until the request object is destroyed and go with every
// send.
#include <cstdint>
#include <optional>
#include <span>

#include "QuillLib/core/WString.h"
#include "QuillLib/engine/InternetHandle.h"
#include "platform/http/HttpRequestHandle.h"

namespace platform {
class HttpConnectionHandle;
}

namespace quill {

class InternetConnection;

class HttpRequest : public InternetHandle<platform::HttpRequestHandle> {
public:
    explicit HttpRequest(InternetConnection& connection);

    // Opens the request on the connection's handle, replacing an earlier one. True when it opened.
    bool Open(const platform::HttpConnectionHandle& connection, WStringView verb, WStringView object,
              WStringView version, WStringView referrer, std::span<const WStringView> acceptTypes);
    void Close() { CloseHandle(); }

    // Appends the text unchanged; each header line carries its own CR LF.
    void AddHeader(WStringView header) { headers_ += header; }
    const WString& Headers() const { return headers_; }

    // False without a request handle; otherwise sends the whole header text and the body.
    bool Send(const void* data, uint32_t length) const;
    // The same, keeping the answer within the limits; nothing without a request handle or on failure.
    std::optional<platform::HttpReply> Exchange(const void* data, uint32_t length,
                                                const platform::HttpLimits& limits) const;

    InternetConnection& Connection() const { return connection_; }

private:
    InternetConnection& connection_;
    WString headers_;
};

}  // namespace quill
