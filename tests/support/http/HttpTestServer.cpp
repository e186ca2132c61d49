#include "tests/support/http/HttpTestServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <thread>

namespace kvtest {
namespace {

constexpr int kPollMs = 50;
// A client that goes quiet in the middle of a request is given up on after this long.
constexpr auto kReadTimeout = std::chrono::seconds(20);

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Reads what is available, waiting at most until the deadline; false when the peer closed or time ran out.
bool ReadMore(int socket, std::string& received, std::chrono::steady_clock::time_point deadline) {
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd poller{socket, POLLIN, 0};
        if (poll(&poller, 1, kPollMs) <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t count = recv(socket, buffer, sizeof buffer, 0);
        if (count <= 0) {
            return false;
        }
        received.append(buffer, static_cast<size_t>(count));
        return true;
    }
    return false;
}

bool LooksLikeHttp(std::string_view received) {
    return !received.empty() && std::isupper(static_cast<unsigned char>(received.front()));
}

std::vector<std::string> SplitHeaderBlock(std::string_view block) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= block.size()) {
        size_t end = block.find("\r\n", start);
        if (end == std::string_view::npos) {
            end = block.size();
        }
        lines.emplace_back(block.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace

std::optional<std::string> RecordedHttpRequest::Header(std::string_view name) const {
    for (const std::string& line : headerLines) {
        const size_t colon = line.find(':');
        if (colon != std::string::npos && EqualIgnoringCase(std::string_view(line).substr(0, colon), name)) {
            const size_t value = line.find_first_not_of(' ', colon + 1);
            return value == std::string::npos ? std::string() : line.substr(value);
        }
    }
    return std::nullopt;
}

size_t RecordedHttpRequest::HeaderCount(std::string_view name) const {
    return static_cast<size_t>(std::count_if(headerLines.begin(), headerLines.end(), [&](const std::string& line) {
        const size_t colon = line.find(':');
        return colon != std::string::npos && EqualIgnoringCase(std::string_view(line).substr(0, colon), name);
    }));
}

HttpTestServer::HttpTestServer() = default;

HttpTestServer::~HttpTestServer() {
    stopping_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    if (listener_ >= 0) {
        close(listener_);
    }
}

bool HttpTestServer::Start() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0) {
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 8) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return false;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void HttpTestServer::SetResponseStatus(int code, std::string reason) {
    std::lock_guard lock(mutex_);
    statusCode_ = code;
    statusReason_ = std::move(reason);
}

void HttpTestServer::ServeBody(std::string path, std::string body, size_t pieces) {
    std::lock_guard lock(mutex_);
    bodies_[std::move(path)] = CannedBody{std::move(body), std::max<size_t>(pieces, 1)};
}

void HttpTestServer::SetStalled(bool stalled) {
    std::lock_guard lock(mutex_);
    stalled_ = stalled;
}

bool HttpTestServer::WaitForRequests(size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return recorded_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

bool HttpTestServer::WaitForRawConnections(size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return recorded_.wait_for(lock, timeout, [&] { return rawConnections_.size() >= count; });
}

std::vector<RecordedHttpRequest> HttpTestServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<std::string> HttpTestServer::RawConnections() const {
    std::lock_guard lock(mutex_);
    return rawConnections_;
}

void HttpTestServer::Serve() {
    while (!stopping_) {
        pollfd poller{listener_, POLLIN, 0};
        if (poll(&poller, 1, kPollMs) <= 0) {
            continue;
        }
        const int connection = accept(listener_, nullptr, nullptr);
        if (connection >= 0) {
            HandleConnection(connection);
            close(connection);
        }
    }
}

void HttpTestServer::HandleConnection(int socket) {
    std::string received;
    RecordedHttpRequest request;
    bool recorded = false;
    const bool complete = ReadRequest(socket, received, request, recorded);
    std::lock_guard lock(mutex_);
    if (complete && !recorded) {
        requests_.push_back(std::move(request));
    } else if (!received.empty() && !LooksLikeHttp(received)) {
        rawConnections_.push_back(std::move(received));
    }
    recorded_.notify_all();
}

bool HttpTestServer::ReadRequest(int socket, std::string& received, RecordedHttpRequest& request, bool& recorded) {
    const auto deadline = std::chrono::steady_clock::now() + kReadTimeout;
    size_t headerEnd = std::string::npos;
    while ((headerEnd = received.find("\r\n\r\n")) == std::string::npos) {
        if (!ReadMore(socket, received, deadline) || (received.size() >= 1 && !LooksLikeHttp(received))) {
            return false;
        }
    }
    std::vector<std::string> lines = SplitHeaderBlock(std::string_view(received).substr(0, headerEnd));
    request.requestLine = lines.front();
    request.headerLines.assign(lines.begin() + 1, lines.end());

    size_t bodyLength = 0;
    if (const std::optional<std::string> length = request.Header("Content-Length")) {
        std::from_chars(length->data(), length->data() + length->size(), bodyLength);
    }
    const size_t bodyStart = headerEnd + 4;
    while (received.size() - bodyStart < bodyLength) {
        if (!ReadMore(socket, received, deadline)) {
            return false;
        }
    }
    request.body = received.substr(bodyStart, bodyLength);
    recorded = Answer(socket, request);
    return true;
}

namespace {

// The object of a request line "VERB /object HTTP/x.y".
std::string_view RequestObject(std::string_view line) {
    const size_t start = line.find(' ');
    if (start == std::string_view::npos)
        return {};
    const size_t end = line.find(' ', start + 1);
    return line.substr(start + 1, end == std::string_view::npos ? std::string_view::npos : end - start - 1);
}

}  // namespace

bool HttpTestServer::Answer(int socket, const RecordedHttpRequest& request) {
    std::string response;
    CannedBody canned{"OK", 1};
    bool stalled = false;
    {
        std::lock_guard lock(mutex_);
        response = "HTTP/1.1 " + std::to_string(statusCode_) + " " + statusReason_ + "\r\n";
        if (const auto found = bodies_.find(RequestObject(request.requestLine)); found != bodies_.end()) {
            canned = found->second;
        }
        stalled = stalled_;
    }
    if (stalled) {
        // Recorded before the wait, so that a test sees the request while its client still waits.
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
            recorded_.notify_all();
        }
        Stall(socket);
        return true;
    }
    response += "Content-Length: " + std::to_string(canned.body.size()) + "\r\nConnection: close\r\n\r\n";
    send(socket, response.data(), response.size(), MSG_NOSIGNAL);
    const size_t piece = (canned.body.size() + canned.pieces - 1) / canned.pieces;
    for (size_t at = 0; at < canned.body.size(); at += piece) {
        if (at > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const size_t count = std::min(piece, canned.body.size() - at);
        send(socket, canned.body.data() + at, count, MSG_NOSIGNAL);
    }
    return false;
}

// Waits until the client closes its end (or the server stops), reading and dropping whatever it sends.
void HttpTestServer::Stall(int socket) {
    while (!stopping_) {
        pollfd poller{socket, POLLIN, 0};
        if (poll(&poller, 1, kPollMs) <= 0)
            continue;
        char buffer[256];
        if (recv(socket, buffer, sizeof buffer, 0) <= 0)
            return;
    }
}

}  // namespace kvtest
