#include "client/app/SystemBrowserControl.h"

#include <memory>

namespace kestrovan {

BrowserControlFactory SystemBrowserControl::Factory(platform::Browser& browser) {
    return [&browser](const ClassId& id) -> std::unique_ptr<BrowserControl> {
        if (id != kWebBrowserClassId) {
            return nullptr;
        }
        return std::make_unique<SystemBrowserControl>(browser);
    };
}

bool SystemBrowserControl::Supports(InterfaceId id) const {
    return id == InterfaceId::OleObject || id == InterfaceId::WebBrowser;
}

uint32_t SystemBrowserControl::ActivateInPlace(BrowserSite& site, const platform::PixelRect& /*rect*/) {
    if (site.CanInPlaceActivate() != HResult::Ok) {
        return HResult::Fail;
    }
    return site.OnInPlaceActivate();
}

}  // namespace kestrovan
