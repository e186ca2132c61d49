#include "QuillLib/engine/HttpRequest.h"

namespace quill {

HttpRequest::HttpRequest(InternetConnection& connection) : connection_(connection) {}

bool HttpRequest::Open(const platform::HttpConnectionHandle& connection, WStringView verb, WStringView object,
                       WStringView version, WStringView referrer, std::span<const WStringView> acceptTypes) {
    SetHandle(platform::HttpRequestHandle::Open(connection, verb, object, version, referrer, acceptTypes));
    return HasHandle();
}

bool HttpRequest::Send(const void* data, uint32_t length) const {
    const platform::HttpRequestHandle* handle = GetHandle();
    return handle != nullptr && handle->Send(headers_, data, length);
}

std::optional<platform::HttpReply> HttpRequest::Exchange(const void* data, uint32_t length,
                                                         const platform::HttpLimits& limits) const {
    const platform::HttpRequestHandle* handle = GetHandle();
    if (handle == nullptr)
        return std::nullopt;
    return handle->Exchange(headers_, data, length, limits);
}

}  // namespace quill
