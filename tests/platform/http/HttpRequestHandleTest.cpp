#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/http/HttpConnectionHandle.h"
#include "platform/http/HttpRequestHandle.h"
#include "platform/http/HttpSessionHandle.h"
#include "tests/support/http/HttpTestServer.h"
#include "tests/support/lookup/SilentNameServer.h"

namespace platform {
namespace {

class HttpRequestHandleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.Start());
        session_ = HttpSessionHandle::Open(u"TestAgent");
        ASSERT_NE(session_, nullptr);
    }

    std::unique_ptr<HttpConnectionHandle> Connect(InternetService service = InternetService::Http) {
        return HttpConnectionHandle::Open(*session_, u"127.0.0.1", server_.Port(), service);
    }

    kvtest::HttpTestServer server_;
    std::unique_ptr<HttpSessionHandle> session_;
};

TEST_F(HttpRequestHandleTest, PostSendsVerbObjectAgentHeadersAndBodyExactly) {
    auto connection = Connect();
    ASSERT_NE(connection, nullptr);
    auto request = HttpRequestHandle::Open(*connection, u"POST", u"/file/up.asp");
    ASSERT_NE(request, nullptr);
    const std::string body("a\0b\r\nc", 6);

    EXPECT_TRUE(
        request->Send(u"X-One: 1\r\nContent-Type: text/plain\r\n", body.data(), static_cast<uint32_t>(body.size())));

    ASSERT_TRUE(server_.WaitForRequests(1));
    const kvtest::RecordedHttpRequest recorded = server_.Requests()[0];
    EXPECT_EQ(recorded.requestLine, "POST /file/up.asp HTTP/1.1");
    EXPECT_EQ(recorded.Header("User-Agent"), "TestAgent");
    EXPECT_EQ(recorded.Header("X-One"), "1");
    EXPECT_EQ(recorded.Header("Content-Type"), "text/plain");
    EXPECT_EQ(recorded.HeaderCount("Content-Type"), 1u);
    EXPECT_EQ(recorded.Header("Content-Length"), "6");
    EXPECT_FALSE(recorded.Header("Expect").has_value());
    EXPECT_EQ(recorded.body, body);
}

TEST_F(HttpRequestHandleTest, BodyWithoutNamedContentTypeCarriesNone) {
    auto connection = Connect();
    auto request = HttpRequestHandle::Open(*connection, u"POST", u"x");
    EXPECT_TRUE(request->Send(u"", "abc", 3));

    ASSERT_TRUE(server_.WaitForRequests(1));
    const auto recorded = server_.Requests()[0];
    EXPECT_EQ(recorded.requestLine, "POST /x HTTP/1.1");
    EXPECT_FALSE(recorded.Header("Content-Type").has_value());
    EXPECT_EQ(recorded.body, "abc");
}

TEST_F(HttpRequestHandleTest, GetWithVersionReferrerAndAcceptTypes) {
    auto connection = Connect();
    const WStringView types[] = {u"text/html", u"image/*"};
    auto request = HttpRequestHandle::Open(*connection, u"", u"/page", u"HTTP/1.0", u"http://ref/", types);
    ASSERT_NE(request, nullptr);

    EXPECT_TRUE(request->Send(u"", nullptr, 0));

    ASSERT_TRUE(server_.WaitForRequests(1));
    const auto recorded = server_.Requests()[0];
    EXPECT_EQ(recorded.requestLine, "GET /page HTTP/1.0");
    EXPECT_EQ(recorded.Header("Referer"), "http://ref/");
    EXPECT_EQ(recorded.Header("Accept"), "text/html, image/*");
    EXPECT_TRUE(recorded.body.empty());
}

TEST_F(HttpRequestHandleTest, ServerErrorStatusStillCountsAsSent) {
    server_.SetResponseStatus(500, "Internal Server Error");
    auto connection = Connect();
    auto request = HttpRequestHandle::Open(*connection, u"POST", u"/");
    EXPECT_TRUE(request->Send(u"", "x", 1));
}

TEST_F(HttpRequestHandleTest, RefusesBadInputAndNonHttpConnections) {
    EXPECT_EQ(HttpConnectionHandle::Open(*session_, u"", 80, InternetService::Http), nullptr);
    auto ftp = Connect(InternetService::Ftp);
    ASSERT_NE(ftp, nullptr);
    EXPECT_EQ(HttpRequestHandle::Open(*ftp, u"GET", u"/"), nullptr);

    auto connection = Connect();
    auto request = HttpRequestHandle::Open(*connection, u"POST", u"/");
    EXPECT_FALSE(request->Send(u"", nullptr, 5));
    EXPECT_EQ(server_.Requests().size(), 0u);
}

TEST_F(HttpRequestHandleTest, UnreachableServerFails) {
    // A port that was just bound and released has no listener.
    uint16_t closedPort = 0;
    {
        kvtest::HttpTestServer other;
        ASSERT_TRUE(other.Start());
        closedPort = other.Port();
    }
    auto connection = HttpConnectionHandle::Open(*session_, u"127.0.0.1", closedPort, InternetService::Http);
    auto request = HttpRequestHandle::Open(*connection, u"GET", u"/");
    EXPECT_FALSE(request->Send(u"", nullptr, 0));
}

TEST_F(HttpRequestHandleTest, HttpsServiceSpeaksTls) {
    auto connection = Connect(InternetService::Https);
    EXPECT_EQ(connection->BaseUrl().rfind("https://127.0.0.1:", 0), 0u);
    auto request = HttpRequestHandle::Open(*connection, u"POST", u"/");

    // The plain server cannot answer a TLS handshake, so the send fails, but it has seen one begin.
    EXPECT_FALSE(request->Send(u"", "x", 1));
    ASSERT_TRUE(server_.WaitForRawConnections(1));
    const std::string hello = server_.RawConnections()[0];
    ASSERT_GE(hello.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(hello[0]), 0x16);  // TLS handshake record
    EXPECT_EQ(static_cast<unsigned char>(hello[1]), 0x03);
}

TEST_F(HttpRequestHandleTest, PortHookRedirectsFixedPorts) {
    const uint16_t port = server_.Port();
    SetHttpPortHook([port](uint16_t asked) { return asked == 80 ? port : asked; });
    auto connection = HttpConnectionHandle::Open(*session_, u"127.0.0.1", 80, InternetService::Http);
    SetHttpPortHook({});

    EXPECT_EQ(connection->BaseUrl(), "http://127.0.0.1:" + std::to_string(port));
    auto unhooked = HttpConnectionHandle::Open(*session_, u"::1", 80, InternetService::Http);
    EXPECT_EQ(unhooked->BaseUrl(), "http://[::1]:80");
}

// --- answers kept by Exchange ---

TEST_F(HttpRequestHandleTest, ExchangeKeepsAnAnswerThatArrivesInPiecesWithItsStatus) {
    std::string body(40000, 'a');
    for (size_t i = 0; i < body.size(); i += 7)
        body[i] = static_cast<char>('0' + i % 10);
    server_.ServeBody("/list", body.substr(0, 30000), 2);
    server_.SetResponseStatus(203, "Non-Authoritative");
    auto connection = Connect();
    auto request = HttpRequestHandle::Open(*connection, u"POST", u"/list", u"HTTP/1.0");

    const auto reply = request->Exchange(u"", "x=1", 3, {std::chrono::seconds(5), std::chrono::seconds(10), 32767});

    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->status, 203);
    EXPECT_EQ(reply->body, body.substr(0, 30000));
    EXPECT_FALSE(reply->cut);
    ASSERT_TRUE(server_.WaitForRequests(1));
    EXPECT_EQ(server_.Requests()[0].requestLine, "POST /list HTTP/1.0");
}

TEST_F(HttpRequestHandleTest, ExchangeCutsALongAnswerAtItsLimitAndKeepsErrorStatuses) {
    server_.ServeBody("/long", std::string(50000, 'b'), 3);
    server_.SetResponseStatus(404, "Not Found");
    auto connection = Connect();
    auto request = HttpRequestHandle::Open(*connection, u"POST", u"/long");

    const auto reply = request->Exchange(u"", "", 0, {std::chrono::seconds(5), std::chrono::seconds(10), 32767});

    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->status, 404);
    EXPECT_EQ(reply->body, std::string(32767, 'b'));
    EXPECT_TRUE(reply->cut);
}

TEST_F(HttpRequestHandleTest, ExchangeWithAStalledServerEndsAtTheTimeLimit) {
    server_.SetStalled(true);
    auto connection = Connect();
    auto request = HttpRequestHandle::Open(*connection, u"POST", u"/slow");
    const auto start = std::chrono::steady_clock::now();

    const auto reply = request->Exchange(u"", "a", 1, {std::chrono::seconds(5), std::chrono::milliseconds(400), 100});

    EXPECT_FALSE(reply.has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(server_.WaitForRequests(1));
}

// Another thread's cancel ends a transfer to a silent server long before its time limits, with no answer.
TEST_F(HttpRequestHandleTest, ACancelledExchangeEndsAtOnceWithNoAnswer) {
    server_.SetStalled(true);
    auto connection = Connect();
    auto request = HttpRequestHandle::Open(*connection, u"POST", u"/silent");
    std::atomic<bool> cancel{false};
    HttpLimits limits{std::chrono::seconds(60), std::chrono::seconds(120), 100};
    limits.cancel = &cancel;
    std::thread canceller([&] {
        server_.WaitForRequests(1);
        cancel = true;
    });
    const auto start = std::chrono::steady_clock::now();

    const auto reply = request->Exchange(u"", "a", 1, limits);

    canceller.join();
    EXPECT_FALSE(reply.has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30)) << "well before the limits";

    // A flag that stays false changes nothing.
    server_.SetStalled(false);
    server_.ServeBody("/answer", "yes");
    cancel = false;
    auto again = HttpRequestHandle::Open(*connection, u"POST", u"/answer");
    const auto answer = again->Exchange(u"", "a", 1, limits);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->body, "yes");
}

// A cancel ends a transfer whose name lookup gets no answer (its name server is silent) while the lookup still
// waits; answered once the request and its connection are gone, the lookup touches neither.
TEST_F(HttpRequestHandleTest, ACancelledExchangeDoesNotWaitForItsNameLookup) {
    using kvtest::SilentNameServer;
    auto connection = HttpConnectionHandle::Open(*session_, u"www.silent-name-server.test", 80, InternetService::Http);
    auto request = HttpRequestHandle::Open(*connection, u"POST", u"/shot");
    std::atomic<bool> cancel{false};
    HttpLimits limits{std::chrono::seconds(60), std::chrono::seconds(120), 100};
    limits.cancel = &cancel;
    const int begun = SilentNameServer::LookupsBegun();
    std::thread canceller([&] {
        SilentNameServer::WaitForLookups(begun + 1, std::chrono::seconds(20));
        cancel = true;
    });

    const auto reply = request->Exchange(u"", "a", 1, limits);

    const int waiting = SilentNameServer::LookupsWaiting();
    canceller.join();
    EXPECT_FALSE(reply.has_value());
    EXPECT_EQ(waiting, 1) << "the exchange ended while its lookup still waited";
    request.reset();
    connection.reset();
    SilentNameServer::Release();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the lookup's thread ends its part
}

TEST_F(HttpRequestHandleTest, PreconfiguredSessionsTakeTheEnvironmentsProxyAndDirectOnesDoNot) {
    const std::string proxy = "http://127.0.0.1:" + std::to_string(server_.Port());
    ::setenv("http_proxy", proxy.c_str(), 1);
    auto proxied = HttpSessionHandle::Open(u"Agent", InternetAccess::Preconfigured);
    auto viaProxy = HttpConnectionHandle::Open(*proxied, u"gallery.invalid", 80, InternetService::Http);
    auto request = HttpRequestHandle::Open(*viaProxy, u"POST", u"/shot");
    const auto reply = request->Exchange(u"", "", 0, {std::chrono::seconds(5), std::chrono::seconds(10), 100});
    auto direct = HttpConnectionHandle::Open(*session_, u"gallery.invalid", 80, InternetService::Http);
    const auto directReply = HttpRequestHandle::Open(*direct, u"POST", u"/shot")
                                 ->Exchange(u"", "", 0, {std::chrono::seconds(2), std::chrono::seconds(4), 100});
    ::unsetenv("http_proxy");

    ASSERT_TRUE(reply.has_value());
    ASSERT_TRUE(server_.WaitForRequests(1));
    EXPECT_EQ(server_.Requests()[0].requestLine, "POST http://gallery.invalid/shot HTTP/1.1");
    EXPECT_FALSE(directReply.has_value()) << "the reserved name resolves nowhere";
    EXPECT_EQ(server_.Requests().size(), 1u);
}

}  // namespace
}  // namespace platform
