#pragma once
// A small HTTP server for tests, on 127.0.0.1 at a port the system chooses. It serves one connection at a
// time on its own thread, records each request (request line, header lines, body by Content-Length) and
// answers with a fixed status and a short body, or with the canned body set for the request's path (sent in
// pieces with a pause between them when asked, so that the client sees it arrive in several reads). A
// stalled server records the request and answers nothing until the client gives up. A connection whose first bytes are
// not an HTTP request (a TLS handshake, for instance) is recorded as raw bytes and closed.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kvtest {

struct RecordedHttpRequest {
    std::string requestLine;
    std::vector<std::string> headerLines;  // without their CR LF, in the order received
    std::string body;

    // The value of the first header of that name (any letter case), without leading blanks.
    std::optional<std::string> Header(std::string_view name) const;
    size_t HeaderCount(std::string_view name) const;
};

class HttpTestServer {
public:
    HttpTestServer();
    ~HttpTestServer();

    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    // Binds and starts serving; false when no socket could be bound.
    bool Start();
    uint16_t Port() const { return port_; }

    // The status line's code and reason of every later answer (200 "OK" by default).
    void SetResponseStatus(int code, std::string reason);
    // The body of every later answer to a request of that path (the request line's object, query included),
    // written in that many pieces, 100 ms apart.
    void ServeBody(std::string path, std::string body, size_t pieces = 1);
    // While set, requests are recorded and never answered; the connection stays open until the client closes.
    void SetStalled(bool stalled);

    // Waits until that many requests (or raw connections) have been recorded; false on time-out.
    bool WaitForRequests(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(20));
    bool WaitForRawConnections(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(20));

    std::vector<RecordedHttpRequest> Requests() const;
    std::vector<std::string> RawConnections() const;

private:
    void Serve();
    void HandleConnection(int socket);
    bool ReadRequest(int socket, std::string& received, RecordedHttpRequest& request, bool& recorded);
    // Whether the request was recorded already (a stalled answer records it before it waits).
    bool Answer(int socket, const RecordedHttpRequest& request);
    void Stall(int socket);

    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;

    mutable std::mutex mutex_;
    std::condition_variable recorded_;
    std::vector<RecordedHttpRequest> requests_;
    std::vector<std::string> rawConnections_;
    int statusCode_ = 200;
    std::string statusReason_ = "OK";
    struct CannedBody {
        std::string body;
        size_t pieces = 1;
    };
    std::map<std::string, CannedBody, std::less<>> bodies_;
    bool stalled_ = false;
};

}  // namespace kvtest
