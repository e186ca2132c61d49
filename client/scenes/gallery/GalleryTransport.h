#pragma once
// The way the shot gallery reaches the product's web site: one form post of an 8-bit body to a path of the
// site, answered with the reply's bytes. The program posts over HTTP (HttpGalleryTransport); tests give
// canned replies.
//
// Threads: the gallery's exchange threads (GalleryExchange), which wait for the answer; the transport bounds
// each post in time, and a post gives up at once when its cancel flag is raised.
#include <atomic>
#include <optional>
#include <string>
#include <string_view>

namespace kestrovan {

class GalleryTransport {
public:
    virtual ~GalleryTransport() = default;

    // The reply's bytes; nothing when the site could not be reached, refused the request or answered nothing,
    // or when cancel was raised meanwhile.
    virtual std::optional<std::string> Post(std::string_view path, std::string_view body,
                                            const std::atomic<bool>& cancel) = 0;
};

}  // namespace kestrovan
