#pragma once
// The error report: the start log and the crash dump posted as one multipart form to the report page of the
// report server. The server takes the body exactly as it has always come: no line end between a file's
// bytes and the next delimiter, no preamble.
#include <optional>
#include <string>

namespace kestrovan {

inline constexpr const char16_t* kReportAgent = u"ErrorReport";
inline constexpr const char16_t* kReportPage = u"/file/up_file_pro.asp";
inline constexpr const char* kReportBoundary = "7d72321d130552";
// The report server of this deployment; the environment variable names another one.
inline constexpr const char16_t* kDefaultReportHost = u"report.kestrovan.com";
inline constexpr const char* kReportHostVariable = "KESTROVAN_REPORT_HOST";

// The header text of the post.
std::string ErrorReportHeaders();
// The body: each file given becomes its part, then the "submit" part and the closing delimiter.
std::string BuildErrorReportBody(const std::optional<std::string>& startLog, const std::optional<std::string>& dump);

// Posts "./StartLog.log" (withStartLog) and "./ErrorDump.dmp" (withDump). False when a wanted file cannot
// be read or any step of the request fails; the server's answer is not read.
bool UploadErrorReport(bool withStartLog, bool withDump);

}  // namespace kestrovan
