#pragma once
// One HTTP request of the internet layer: verb, object, protocol version, referrer and accepted types,
// fixed when it is opened. Sending it makes one blocking transfer with the given extra headers and body.
// Like the Windows internet functions, a send succeeds when the server answered, whatever the status; the
// answer's body is read and dropped.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/system/WString.h"

namespace platform {

class HttpConnectionHandle;

class HttpRequestHandle {
public:
    // Null when the connection is not an HTTP one. An empty verb means "GET"; an empty version means
    // HTTP/1.1 ("HTTP/1.0" selects 1.0); an empty referrer sends none; accepted types go into one Accept
    // header.
    static std::unique_ptr<HttpRequestHandle> Open(const HttpConnectionHandle& connection, WStringView verb,
                                                   WStringView object, WStringView version = {},
                                                   WStringView referrer = {},
                                                   std::span<const WStringView> acceptTypes = {});

    // headers: lines of "Name: value", each ended by CR LF (a missing last CR LF is tolerated).
    // False when data is null while length is not 0, or when the server could not be reached, the
    // connection broke or no answer arrived.
    bool Send(WStringView headers, const void* data, uint32_t length) const;

private:
    HttpRequestHandle() = default;

    std::vector<std::string> HeaderLines(WStringView headers, bool hasBody) const;

    std::string agent_;
    std::string url_;
    std::string verb_;
    bool http10_ = false;
    std::string referrer_;
    std::string acceptHeader_;
    std::string user_;
    std::string password_;
};

}  // namespace platform
