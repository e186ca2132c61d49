#include "client/scenes/gallery/HttpGalleryTransport.h"

#include "QuillLib/engine/InternetConnection.h"
#include "QuillLib/engine/InternetSession.h"
#include "platform/system/CodePage.h"

namespace kestrovan {

namespace {

constexpr uint32_t kHttpService = 2;
constexpr uint32_t kHttpsService = 3;

// The parts of a site address that a connection takes.
struct SiteHost {
    quill::WString host;
    uint32_t service = kHttpService;
    uint16_t port = 0;  // the service's own
};

SiteHost HostOf(quill::WStringView site) {
    SiteHost parts;
    if (const size_t scheme = site.find(u"://"); scheme != quill::WStringView::npos) {
        if (site.substr(0, scheme) == u"https")
            parts.service = kHttpsService;
        site.remove_prefix(scheme + 3);
    }
    site = site.substr(0, site.find(u'/'));
    // An IPv6 address is bracketed; the port follows the last colon outside the brackets.
    const size_t bracket = site.rfind(u']');
    const size_t colon = site.rfind(u':');
    if (colon != quill::WStringView::npos && (bracket == quill::WStringView::npos || colon > bracket)) {
        uint32_t port = 0;
        for (char16_t c : site.substr(colon + 1)) {
            const bool digit = c >= u'0' && c <= u'9';
            port = digit && port < 65536 ? port * 10 + static_cast<uint32_t>(c - u'0') : 65536;
        }
        if (port > 0 && port < 65536)
            parts.port = static_cast<uint16_t>(port);
        site = site.substr(0, colon);
    }
    if (site.size() >= 2 && site.front() == u'[' && site.back() == u']')
        site = site.substr(1, site.size() - 2);
    parts.host = quill::WString(site);
    return parts;
}

}  // namespace

HttpGalleryTransport::HttpGalleryTransport(quill::WString site, std::chrono::milliseconds connectTime,
                                           std::chrono::milliseconds totalTime)
    : site_(std::move(site)), connectTime_(connectTime), totalTime_(totalTime) {}

std::optional<std::string> HttpGalleryTransport::Post(std::string_view path, std::string_view body,
                                                      const std::atomic<bool>& cancel) {
    quill::InternetSession session(kAgent, platform::InternetAccess::Preconfigured);
    if (!session.Open())
        return std::nullopt;
    // The connection (and its request) close before the session: declared after it.
    quill::InternetConnection connection(session);
    const SiteHost site = HostOf(site_);
    if (!connection.Connect(site.host, site.service, {}, {}, site.port))
        return std::nullopt;
    if (!connection.OpenRequest(u"POST", platform::Utf8ToUtf16(path), u"HTTP/1.0"))
        return std::nullopt;
    connection.AddHeader(kHeader);
    platform::HttpLimits limits{connectTime_, totalTime_, kReplyBytes};
    limits.cancel = &cancel;
    std::optional<platform::HttpReply> reply =
        connection.ExchangeRequest(body.data(), static_cast<uint32_t>(body.size()), limits);
    if (!reply || reply->status < 200 || reply->status > 299 || reply->body.empty())
        return std::nullopt;
    return std::move(reply->body);
}

}  // namespace kestrovan
