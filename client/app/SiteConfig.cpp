#include "client/app/SiteConfig.h"

#include <string>

#include "platform/browser/Browser.h"
#include "platform/system/CodePage.h"

namespace kestrovan {

namespace {

constexpr const char* kSection = "Web";

void ReadAddress(const platform::ProfileDocument& profile, const char* key, quill::WString& address) {
    std::string text;
    if (!profile.GetString(kSection, key, text)) return;
    quill::WString value = platform::Utf8ToUtf16(text);
    while (!value.empty() && value.back() == u'/') value.pop_back();
    if (platform::Browser::IsWebAddress(value)) address = value;
}

}  // namespace

void SiteConfig::Load(const platform::ProfileDocument& profile) {
    ReadAddress(profile, "Site", site_);
    ReadAddress(profile, "PartnerSite", partnerSite_);
}

const quill::WString& SiteConfig::SiteOfPortal(uint8_t portalCode) const {
    return portalCode == kPartnerPortal ? partnerSite_ : site_;
}

quill::WString SiteConfig::PageAddress(quill::WStringView path) const {
    return site_ + quill::WString(path);
}

}  // namespace kestrovan
