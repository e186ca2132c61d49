#pragma once
// The web-browser control of this system: the page is shown by the desktop's own browser, not inside the
// game, so in-place activation takes the host's site and shows nothing, and navigating opens the page.
#include <vector>

#include "client/app/BrowserControl.h"
#include "platform/browser/Browser.h"

namespace kestrovan {

// The web-browser control's class id, "{8856F961-340A-11D0-A96B-00C04FD705A2}".
inline constexpr ClassId kWebBrowserClassId{0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

class SystemBrowserControl : public BrowserControl {
public:
    explicit SystemBrowserControl(platform::Browser& browser) : browser_(browser) {}

    // The factory of browser hosts: this control for its class id, none for any other.
    static BrowserControlFactory Factory(platform::Browser& browser);

    bool Supports(InterfaceId id) const override;
    uint32_t Advise() override { return 1; }
    void Unadvise(uint32_t /*connection*/) override {}
    bool HasView() const override { return false; }
    bool HasData() const override { return false; }
    uint32_t ActivateInPlace(BrowserSite& site, const platform::PixelRect& rect) override;
    void UIDeactivate() override {}
    void InPlaceDeactivate() override {}
    void SetObjectRects(const platform::PixelRect& /*position*/, const platform::PixelRect& /*clip*/) override {}
    std::vector<uint32_t> DataFormats(uint32_t /*direction*/) const override { return {}; }
    uint32_t DataAdvise(uint32_t /*format*/) override { return 0; }
    void DataUnadvise(uint32_t /*connection*/) override {}
    bool Navigate(platform::WStringView address) override { return browser_.Open(address); }

private:
    platform::Browser& browser_;
};

}  // namespace kestrovan
