#include "platform/http/HttpSessionHandle.h"

#include <curl/curl.h>

#include <mutex>

#include "platform/system/CodePage.h"

namespace platform {
namespace {

// libcurl's global set-up is not thread-safe and is done once for the whole process; it is never undone,
// since transfers of other sessions may still be running at exit.
bool StartTransferLibrary() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] { started = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return started;
}

}  // namespace

HttpSessionHandle::HttpSessionHandle(std::string agent, InternetAccess access)
    : agent_(std::move(agent)), access_(access) {}

std::unique_ptr<HttpSessionHandle> HttpSessionHandle::Open(WStringView agent, InternetAccess access) {
    if (!StartTransferLibrary()) {
        return nullptr;
    }
    return std::unique_ptr<HttpSessionHandle>(new HttpSessionHandle(Utf16ToUtf8(agent), access));
}

}  // namespace platform
