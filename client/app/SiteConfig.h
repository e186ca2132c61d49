#pragma once
// The product's web site as the client reaches it: the one base address of its pages (the in-game pages, the
// event and cash pages, the download page, the shot gallery's service), and the partner portal's site for
// players who came through the portal (portal code 2). Both are read from the [Web] section of "config.ini"
// ("Site" and "PartnerSite", each an http or https address) and are never written back; a missing or
// unusable value keeps the default, a host of the reserved example domain, so that an unconfigured client
// reaches no real server.
//
// Threads: loaded once by the main thread before the others start; then only read.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "platform/system/ProfileDocument.h"

namespace kestrovan {

class SiteConfig {
public:
    static constexpr const char16_t* kDefaultSite = u"http://www.example.com";
    static constexpr const char16_t* kDefaultPartnerSite = u"http://partner.example.com";
    static constexpr uint8_t kPartnerPortal = 2;

    // Takes the [Web] values that are web addresses; a trailing '/' is dropped.
    void Load(const platform::ProfileDocument& profile);

    const quill::WString& Site() const { return site_; }
    const quill::WString& PartnerSite() const { return partnerSite_; }
    // The site of a portal code: the partner's for code 2, the product's own for any other.
    const quill::WString& SiteOfPortal(uint8_t portalCode) const;
    // The address of a path of the product's site ("/client/client_main.asp").
    quill::WString PageAddress(quill::WStringView path) const;

private:
    quill::WString site_ = kDefaultSite;
    quill::WString partnerSite_ = kDefaultPartnerSite;
};

}  // namespace kestrovan
