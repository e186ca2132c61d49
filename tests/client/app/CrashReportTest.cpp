#include "client/app/CrashReport.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "client/app/ErrorReportUpload.h"
#include "client/app/ProgramMain.h"
#include "platform/http/HttpConnectionHandle.h"
#include "platform/system/posix/CrashHandler.h"
#include "platform/ui/HeadlessMessageBox.h"
#include "platform/ui/MessageBox.h"
#include "tests/client/app/AppFixture.h"
#include "tests/support/http/HttpTestServer.h"

namespace kestrovan {
namespace {

constexpr const char* kPortVariable = "KESTROVAN_TEST_REPORT_PORT";

TEST(CrashReport, ExceptionNamesAndText) {
    EXPECT_STREQ(ExceptionName(0xC00000FD), "STACK_OVERFLOW");
    EXPECT_STREQ(ExceptionName(0xC0000027), "UNKNOWN");
    char text[64];
    EXPECT_EQ(FormatCrashText(text, sizeof(text), 0xC0000005, 0x12340), 41u);
    EXPECT_STREQ(text, "Exception: ACCESS_VIOLATION at 0x00012340");
    FormatCrashText(text, sizeof(text), 0, 0x7FFF12345678);
    EXPECT_STREQ(text, "Exception: UNKNOWN at 0x7FFF12345678");
    FormatCrashText(text, 12, 0xC0000005, 0);
    EXPECT_STREQ(text, "Exception: ");
    EXPECT_EQ(platform::ExceptionCodeOf(SIGFPE, FPE_INTDIV, false), 0xC0000094u);
    EXPECT_EQ(platform::ExceptionCodeOf(SIGSEGV, 0, true), 0xC00000FDu);
}

TEST(CrashReport, BodyLayout) {
    EXPECT_EQ(BuildErrorReportBody(std::nullopt, std::nullopt),
              "--7d72321d130552\r\nContent-Disposition: form-data; name=\"submit\"\r\n\r\nsubmit\r\n"
              "--7d72321d130552--\r\n");
    const std::string body = BuildErrorReportBody(std::string(), std::string("DUMP"));
    EXPECT_TRUE(body.starts_with(
              "--7d72321d130552\r\nContent-Disposition: form-data; name=\"file1\"; filename=\"StartLog.log\"\r\n"
              "Content-Type: */*\r\n\r\n--7d72321d130552\r\n"));
    // A file's bytes run straight into the next delimiter.
    EXPECT_NE(body.find("\r\n\r\nDUMP--7d72321d130552\r\n"), std::string::npos);
}

// The crashed program may hold a full screen while its helper reports: the box asks to stay above it.
TEST(CrashReport, TheReportBoxStaysAboveAFullScreen) {
    platform::HeadlessMessageBox boxes;
    platform::MessageBoxBackend* previous = platform::SetMessageBoxBackend(&boxes);
    setenv(kReportHostVariable, "127.0.0.1", 1);
    platform::SetHttpPortHook([](uint16_t) { return uint16_t{1}; });
    EXPECT_FALSE(RunCrashReport(u"Exception: ACCESS_VIOLATION at 0x00012340", false)) << "nothing listens";
    platform::SetHttpPortHook({});
    unsetenv(kReportHostVariable);
    platform::SetMessageBoxBackend(previous);
    const auto calls = boxes.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].caption, u"Crash Report");
    EXPECT_EQ(calls[0].style, platform::MsgBoxStyle::IconError | platform::MsgBoxStyle::TopMost);
    EXPECT_NE(calls[0].text.find(u"Exception: ACCESS_VIOLATION at 0x00012340"), std::u16string::npos);
}

// Runs in the report helper that the crash handler of CrashReport.ForkedChildCrashIsDumpedAndReported starts.
TEST(CrashReportHelper, Run) {
    const char* port = std::getenv(kPortVariable);
    if (std::getenv(platform::kCrashTextVariable) == nullptr || port == nullptr) GTEST_SKIP();
    const uint16_t testPort = static_cast<uint16_t>(std::atoi(port));
    platform::SetHttpPortHook([testPort](uint16_t) { return testPort; });
    EXPECT_EQ(RunCrashReportIfAsked(), 0);
}

TEST(CrashReport, ForkedChildCrashIsDumpedAndReported) {
    kvtest::HttpTestServer server;
    ASSERT_TRUE(server.Start());
    test::ScratchFolder folder;
    folder.Write("StartLog.log", "12:00:00 Init done...\n");
    folder.Write("ErrorDump.dmp", std::string(100000, 'x'));  // a longer dump of an earlier crash
    setenv(kReportHostVariable, "127.0.0.1", 1);
    setenv(kPortVariable, std::to_string(server.Port()).c_str(), 1);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();

    const pid_t child = fork();
    if (child == 0) {
        platform::InstallCrashHandler({(folder.Path() / "ErrorDump.dmp").string(),
                                       {self, "--gtest_filter=CrashReportHelper.Run"},
                                       &FormatCrashText});
        *reinterpret_cast<volatile int*>(uintptr_t{0x10}) = 1;
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    unsetenv(kPortVariable);
    unsetenv(kReportHostVariable);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);

    const std::string dump = folder.Read("ErrorDump.dmp");
    EXPECT_TRUE(dump.starts_with("Kestrovan crash dump\nsignal 11\ncode 0x00000000C0000005\naddress 0x0000000000000010"));
    EXPECT_EQ(dump.find("xxxxxxxx"), std::string::npos);  // the old, longer dump is gone

    ASSERT_TRUE(server.WaitForRequests(1));
    const kvtest::RecordedHttpRequest request = server.Requests()[0];
    EXPECT_EQ(request.requestLine, "POST /file/up_file_pro.asp HTTP/1.1");
    EXPECT_EQ(request.Header("Content-Type").value_or(""), "multipart/form-data; boundary=7d72321d130552");
    EXPECT_EQ(request.Header("Content-Transfer-Encoding").value_or(""), "binary");
    EXPECT_EQ(request.body, BuildErrorReportBody(std::string("12:00:00 Init done...\n"), dump));
}

}  // namespace
}  // namespace kestrovan
