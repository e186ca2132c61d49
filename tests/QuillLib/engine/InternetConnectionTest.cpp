#include <gtest/gtest.h>

#include <string>

#include "QuillLib/engine/InternetConnection.h"
#include "QuillLib/engine/InternetSession.h"
#include "platform/http/HttpConnectionHandle.h"
#include "tests/support/http/HttpTestServer.h"

namespace quill {
namespace {

// Requests to the fixed HTTP port go to the test's loopback server instead.
class InternetConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.Start());
        const uint16_t port = server_.Port();
        platform::SetHttpPortHook([port](uint16_t asked) { return asked == 80 ? port : asked; });
    }
    void TearDown() override { platform::SetHttpPortHook({}); }

    kvtest::HttpTestServer server_;
    InternetSession session_{u"ErrorReport"};
    InternetConnection connection_{session_};
};

TEST_F(InternetConnectionTest, ErrorReportUploadSequence) {
    using namespace std::string_literals;
    const std::string body =
        "--XyZ\r\nContent-Disposition: form-data; name=\"file\"\r\n\r\n\x01\x02\x00z\r\n--XyZ--\r\n"s;
    ASSERT_EQ(body[56], '\0') << "the body carries a zero byte";

    connection_.AddHeader(u"X-Early: yes\r\n");  // headers added before the request is opened are kept
    ASSERT_TRUE(session_.Open());
    ASSERT_TRUE(connection_.Connect(u"127.0.0.1", 2));
    ASSERT_TRUE(connection_.OpenRequest(u"POST", u"/file/up_file_pro.asp"));
    connection_.AddHeader(u"Content-Type: multipart/form-data; boundary=XyZ\r\n");
    ASSERT_TRUE(connection_.SendRequest(body.data(), static_cast<uint32_t>(body.size())));

    ASSERT_TRUE(server_.WaitForRequests(1));
    const kvtest::RecordedHttpRequest request = server_.Requests()[0];
    EXPECT_EQ(request.requestLine, "POST /file/up_file_pro.asp HTTP/1.1");
    EXPECT_EQ(request.Header("User-Agent"), "ErrorReport");
    EXPECT_EQ(request.Header("X-Early"), "yes");
    EXPECT_EQ(request.Header("Content-Type"), "multipart/form-data; boundary=XyZ");
    EXPECT_EQ(request.Header("Content-Length"), std::to_string(body.size()));
    EXPECT_EQ(request.body, body);
}

TEST_F(InternetConnectionTest, RefusesWithoutSessionOrRequestHandle) {
    EXPECT_FALSE(connection_.Connect(u"127.0.0.1", 2)) << "the session is not open";
    EXPECT_FALSE(connection_.OpenRequest(u"POST", u"/p"));
    EXPECT_FALSE(connection_.SendRequest("b", 1));

    ASSERT_TRUE(session_.Open());
    ASSERT_TRUE(connection_.Connect(u"127.0.0.1", 2));
    EXPECT_FALSE(connection_.SendRequest("b", 1)) << "no request opened yet";

    ASSERT_TRUE(connection_.OpenRequest(u"POST", u"/p"));
    ASSERT_TRUE(connection_.SendRequest("c", 1));
    ASSERT_TRUE(server_.WaitForRequests(1));
    EXPECT_EQ(server_.Requests().size(), 1u);
    EXPECT_EQ(server_.Requests()[0].body, "c");
}

TEST_F(InternetConnectionTest, ServiceIndicesPickPortsAndSchemesAndAnInvalidOneClosesTheConnection) {
    ASSERT_TRUE(session_.Open());
    ASSERT_TRUE(connection_.Connect(u"example.test", 3));
    EXPECT_EQ(connection_.GetHandle()->BaseUrl(), "https://example.test:443");
    ASSERT_TRUE(connection_.Connect(u"example.test", 0));
    EXPECT_EQ(connection_.GetHandle()->Service(), platform::InternetService::Ftp);
    EXPECT_FALSE(connection_.OpenRequest(u"GET", u"/")) << "not an HTTP connection";

    ASSERT_TRUE(connection_.Connect(u"127.0.0.1", 2));
    ASSERT_TRUE(connection_.OpenRequest(u"POST", u"/p"));
    EXPECT_FALSE(connection_.Connect(u"127.0.0.1", 4));
    EXPECT_FALSE(connection_.HasHandle());
    EXPECT_FALSE(connection_.Request().HasHandle()) << "the request went with its connection";
}

}  // namespace
}  // namespace quill
