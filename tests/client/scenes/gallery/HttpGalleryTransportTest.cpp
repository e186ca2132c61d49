// The gallery's posts over HTTP against the loopback server: what goes on the wire, replies read whole
// across several reads or cut at their limit, and the answers that count as no reply (an error status, an
// empty body, a silent site, no site).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "client/scenes/gallery/HttpGalleryTransport.h"
#include "tests/support/http/HttpTestServer.h"

namespace kestrovan {
namespace {

using namespace std::chrono_literals;

const std::atomic<bool> kGoOn{false};

class HttpGalleryTransportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.Start()); }

    quill::WString Site() const { return u"http://127.0.0.1:" + quill::WString(Digits(server_.Port())); }
    static std::u16string Digits(uint16_t port) {
        const std::string text = std::to_string(port);
        return std::u16string(text.begin(), text.end());
    }

    kvtest::HttpTestServer server_;
};

TEST_F(HttpGalleryTransportTest, PostsAnHttp10FormWithTheGalleryAgentAndReadsTheReply) {
    server_.ServeBody("/shot/shot_list_T.asp", "3<BR>2<BR>0<BR>");
    HttpGalleryTransport transport(Site());

    const auto reply = transport.Post("/shot/shot_list_T.asp", "Page_list=0", kGoOn);

    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(*reply, "3<BR>2<BR>0<BR>");
    ASSERT_TRUE(server_.WaitForRequests(1));
    const kvtest::RecordedHttpRequest request = server_.Requests()[0];
    EXPECT_EQ(request.requestLine, "POST /shot/shot_list_T.asp HTTP/1.0");
    EXPECT_EQ(request.Header("User-Agent"), "Shot Gallery");
    EXPECT_EQ(request.Header("Content-type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(request.Header("Content-Length"), "11");
    EXPECT_EQ(request.body, "Page_list=0");
}

TEST_F(HttpGalleryTransportTest, RepliesInSeveralPiecesAreReadWholeAndLongOnesCutAtTheLimit) {
    const std::string whole(40000, 'w');
    server_.ServeBody("/two", whole.substr(0, 30000), 2);
    server_.ServeBody("/long", whole, 2);
    HttpGalleryTransport transport(Site());

    EXPECT_EQ(transport.Post("/two", "a=1", kGoOn), whole.substr(0, 30000));
    EXPECT_EQ(transport.Post("/long", "a=1", kGoOn), std::string(HttpGalleryTransport::kReplyBytes, 'w'));
}

TEST_F(HttpGalleryTransportTest, ErrorPagesEmptyRepliesSilentAndMissingSitesAreNoReply) {
    server_.ServeBody("/empty", "");
    HttpGalleryTransport transport(Site(), 2s, 500ms);
    EXPECT_FALSE(transport.Post("/empty", "a", kGoOn).has_value());

    server_.SetResponseStatus(404, "Not Found");
    server_.ServeBody("/gone", "<html>not here</html>");
    EXPECT_FALSE(transport.Post("/gone", "a", kGoOn).has_value());

    server_.SetResponseStatus(200, "OK");
    server_.SetStalled(true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(transport.Post("/slow", "a", kGoOn).has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << "the total time limit ends the wait";
    server_.SetStalled(false);

    uint16_t closedPort = 0;
    {
        kvtest::HttpTestServer other;
        ASSERT_TRUE(other.Start());
        closedPort = other.Port();
    }
    HttpGalleryTransport nowhere(u"http://127.0.0.1:" + Digits(closedPort), 2s, 2s);
    EXPECT_FALSE(nowhere.Post("/x", "a", kGoOn).has_value());
}

// A post to a silent site given up by its cancel flag ends at once, long before its limits.
TEST_F(HttpGalleryTransportTest, ACancelledPostEndsAtOnce) {
    server_.SetStalled(true);
    HttpGalleryTransport transport(Site());
    std::atomic<bool> cancel{false};
    std::thread canceller([&] {
        server_.WaitForRequests(1);
        cancel = true;
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(transport.Post("/silent", "a", cancel).has_value());
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, HttpGalleryTransport::kTotalTime / 2);
}

}  // namespace
}  // namespace kestrovan
