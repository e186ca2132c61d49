#include "platform/http/HttpSessionHandle.h"

#include "platform/http/CurlLibrary.h"
#include "platform/system/CodePage.h"

namespace platform {

HttpSessionHandle::HttpSessionHandle(std::string agent, InternetAccess access)
    : agent_(std::move(agent)), access_(access) {}

std::unique_ptr<HttpSessionHandle> HttpSessionHandle::Open(WStringView agent, InternetAccess access) {
    if (CurlLibrary::Load() == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<HttpSessionHandle>(new HttpSessionHandle(Utf16ToUtf8(agent), access));
}

}  // namespace platform
