#include "client/app/ErrorReportUpload.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "QuillLib/engine/InternetConnection.h"
#include "QuillLib/engine/InternetSession.h"
#include "platform/system/CodePage.h"
#include "platform/system/Path.h"

namespace kestrovan {

namespace {

constexpr uint32_t kHttpService = 2;

std::string Delimiter() {
    return std::string("--") + kReportBoundary + "\r\n";
}

void AppendFilePart(std::string& body, const char* name, const char* fileName, const std::string& bytes) {
    body += Delimiter();
    body += std::string("Content-Disposition: form-data; name=\"") + name + "\"; filename=\"" + fileName + "\"\r\n";
    body += "Content-Type: */*\r\n\r\n";
    body += bytes;
}

// The whole file, or nothing when it cannot be opened or read to its end.
std::optional<std::string> ReadWholeFile(const char16_t* path) {
    FILE* file = platform::OpenFile(path, "rb");
    if (file == nullptr) return std::nullopt;
    std::string bytes;
    std::array<char, 65536> buffer;
    size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) bytes.append(buffer.data(), got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return bytes;
}

quill::WString ReportHost() {
    const char* host = std::getenv(kReportHostVariable);
    return host != nullptr && *host != '\0' ? platform::Utf8ToUtf16(host) : quill::WString(kDefaultReportHost);
}

}  // namespace

std::string ErrorReportHeaders() {
    return std::string("Content-Transfer-Encoding: binary\r\nContent-Type: multipart/form-data; boundary=") +
           kReportBoundary + "\r\n";
}

std::string BuildErrorReportBody(const std::optional<std::string>& startLog, const std::optional<std::string>& dump) {
    std::string body;
    if (startLog) AppendFilePart(body, "file1", "StartLog.log", *startLog);
    if (dump) AppendFilePart(body, "file2", "ErrorDump.dmp", *dump);
    body += Delimiter();
    body += "Content-Disposition: form-data; name=\"submit\"\r\n\r\nsubmit\r\n";
    body += std::string("--") + kReportBoundary + "--\r\n";
    return body;
}

bool UploadErrorReport(bool withStartLog, bool withDump) {
    quill::InternetSession session(kReportAgent);
    if (!session.Open()) return false;
    quill::InternetConnection connection(session);
    if (!connection.Connect(ReportHost(), kHttpService)) return false;
    const quill::WStringView accept[] = {u"*/*"};
    if (!connection.OpenRequest(u"POST", kReportPage, {}, {}, accept)) return false;
    std::optional<std::string> startLog;
    std::optional<std::string> dump;
    if (withStartLog && !(startLog = ReadWholeFile(u"./StartLog.log"))) return false;
    if (withDump && !(dump = ReadWholeFile(u"./ErrorDump.dmp"))) return false;
    connection.AddHeader(platform::Utf8ToUtf16(ErrorReportHeaders()));
    const std::string body = BuildErrorReportBody(startLog, dump);
    return connection.SendRequest(body.data(), static_cast<uint32_t>(body.size()));
}

}  // namespace kestrovan
