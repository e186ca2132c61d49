#pragma once
// The prompt shown when the graphics device cannot be created or configured: the device layer's error
// text and, for the failures that newer graphics software can cure, a link that opens the product's
// download page in the browser. Main thread.
#include <cstdint>
#include <optional>

#include "platform/browser/Browser.h"
#include "platform/system/WString.h"
#include "platform/window/Window.h"

namespace kestrovan {

class SiteConfig;

// The page of the product's web site that offers the graphics software.
inline constexpr const char16_t* kDownloadPage = u"/down/down_01.asp";

namespace DeviceErrorDialogId {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Link = 1006;
}  // namespace DeviceErrorDialogId

// The link text of an error code: the graphics software for codes 1 and 2, the driver for 3 and 8.
std::optional<platform::WString> DeviceErrorLinkText(uint32_t code);

// Shows the prompt and returns how it ended: 1 (OK, or the link was followed) or 2 (closed). The link opens
// the download page of the site.
int ShowDeviceErrorDialog(platform::Window& owner, platform::Browser& browser, const SiteConfig& site, uint32_t code);

}  // namespace kestrovan
