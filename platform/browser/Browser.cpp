#include "platform/browser/Browser.h"

#include <algorithm>

namespace platform {
namespace {

bool StartsWithNoCase(WStringView text, WStringView prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char16_t a, char16_t b) {
        auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; };
        return lower(a) == lower(b);
    });
}

}  // namespace

bool Browser::Open(WStringView address) { return IsWebAddress(address) && Launch(address); }

// A scheme of http or https followed by a host, and no control characters or blanks anywhere.
bool Browser::IsWebAddress(WStringView address) {
    WStringView rest;
    if (StartsWithNoCase(address, u"http://")) {
        rest = address.substr(7);
    } else if (StartsWithNoCase(address, u"https://")) {
        rest = address.substr(8);
    } else {
        return false;
    }
    const bool clean = std::none_of(address.begin(), address.end(), [](char16_t c) { return c <= u' ' || c == 0x7F; });
    return clean && !rest.empty() && rest.front() != u'/';
}

}  // namespace platform
