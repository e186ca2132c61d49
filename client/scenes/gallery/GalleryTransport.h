#pragma once
// The way the shot gallery reaches the product's web site: one form post of an 8-bit body to a path of the
// site, answered with the reply's bytes. The program posts over HTTP (HttpGalleryTransport); tests give
// canned replies.
//
// Threads: the game thread, which waits for the answer (the fetches are bounded in time by the transport).
#include <optional>
#include <string>
#include <string_view>

namespace kestrovan {

class GalleryTransport {
public:
    virtual ~GalleryTransport() = default;

    // The reply's bytes; nothing when the site could not be reached, refused the request or answered nothing.
    virtual std::optional<std::string> Post(std::string_view path, std::string_view body) = 0;
};

}  // namespace kestrovan
