#pragma once
// One HTTP request of the internet layer: verb, object, protocol version, referrer and accepted types,
// fixed when it is opened. Sending it makes one blocking transfer with the given extra headers and body.
// Like the Windows internet functions, a send succeeds when the server answered, whatever the status. Send
// reads the answer's body and drops it; Exchange keeps its beginning, with the status, for the caller.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/system/WString.h"

namespace platform {

class HttpConnectionHandle;

// How long a transfer may take and how much of the answer's body is kept.
struct HttpLimits {
    std::chrono::milliseconds connect{30000};
    // The whole transfer; 0: no bound beyond the stalled-answer one.
    std::chrono::milliseconds total{0};
    // The body is kept up to this many bytes; the transfer ends there.
    size_t replyBytes = 0;
    // When given, the transfer gives up (with no answer) within kCancelCheck of the flag becoming true, however
    // silent the server is: another thread's way of ending a transfer that it no longer wants.
    const std::atomic<bool>* cancel = nullptr;
    static constexpr std::chrono::milliseconds kCancelCheck{50};
};

// What the server answered: the status code of the final answer and the beginning of its body.
struct HttpReply {
    int status = 0;
    std::string body;
    bool cut = false;  // the body went on past the limit
};

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
    // The same transfer within the limits, keeping the answer; nothing when Send would have failed or the
    // time ran out. A body cut at the limit is an answer.
    std::optional<HttpReply> Exchange(WStringView headers, const void* data, uint32_t length,
                                      const HttpLimits& limits) const;

private:
    HttpRequestHandle() = default;

    std::optional<HttpReply> Transfer(WStringView headers, const void* data, uint32_t length, const HttpLimits& limits,
                                      std::string* kept) const;

    std::vector<std::string> HeaderLines(WStringView headers, bool hasBody) const;

    std::string agent_;
    bool usesProxy_ = false;
    std::string url_;
    std::string verb_;
    bool http10_ = false;
    std::string referrer_;
    std::string acceptHeader_;
    std::string user_;
    std::string password_;
};

}  // namespace platform
