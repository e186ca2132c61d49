#pragma once
// The gallery's web service over HTTP: each post opens the internet service with the agent "Shot Gallery"
// and the system's proxy settings, connects to the site's host, posts the body as an HTTP/1.0 form
// ("Content-type: application/x-www-form-urlencoded") without caching, reads the reply up to kReplyBytes and
// closes the request, the connection and the service, in that order. An answer whose status is not 2xx
// (an error page) is no reply. The connection may take kConnectTime and the whole exchange kTotalTime, and a
// raised cancel flag ends it at once, so that a silent site holds no thread for long; tests shorten both.
//
// Threads: the thread that posts (a gallery exchange's); each post uses handles of its own.
#include <chrono>
#include <cstddef>

#include "QuillLib/core/WString.h"
#include "client/scenes/gallery/GalleryTransport.h"

namespace kestrovan {

class HttpGalleryTransport : public GalleryTransport {
public:
    static constexpr const char16_t* kAgent = u"Shot Gallery";
    static constexpr const char16_t* kHeader = u"Content-type: application/x-www-form-urlencoded\r\n";
    static constexpr size_t kReplyBytes = 32767;
    static constexpr std::chrono::milliseconds kConnectTime{10000};
    static constexpr std::chrono::milliseconds kTotalTime{20000};

    // site: the site's base address ("http://host[:port]", as SiteConfig holds it).
    explicit HttpGalleryTransport(quill::WString site, std::chrono::milliseconds connectTime = kConnectTime,
                                  std::chrono::milliseconds totalTime = kTotalTime);

    std::optional<std::string> Post(std::string_view path, std::string_view body,
                                    const std::atomic<bool>& cancel) override;

private:
    quill::WString site_;
    std::chrono::milliseconds connectTime_;
    std::chrono::milliseconds totalTime_;
};

}  // namespace kestrovan
