#include "client/scenes/common/WebPageWindow.h"

#include "client/app/BrowserHost.h"

namespace kestrovan {

namespace {

// The system web browser's class id, as the host window's text names the control to host.
constexpr const char16_t* kWebBrowserControl = u"{8856F961-340A-11D0-A96B-00C04FD705A2}";

}  // namespace

WebPageWindow::WebPageWindow(BrowserHostClass& hosts, const platform::PixelRect& gameArea,
                             quill::WStringView address, const AppEventPoster& poster)
    : address_(address) {
    const int32_t left = gameArea.left + (gameArea.Width() - kWidth) / 2;
    const int32_t top = gameArea.top + (gameArea.Height() - kHeight) / 2 + kBarHeight;
    const platform::WindowId host =
        hosts.CreateHostWindow(kWebBrowserControl, platform::PixelRect{left, top, left + kWidth, top + kHeight - kBarHeight});
    platform::Window& window = hosts.Window();
    window.SendMessage(host, BrowserHostMessage::Activate, 1, 0);
    BrowserControl* browser = nullptr;
    window.SendMessage(host, BrowserHostMessage::QueryControl, static_cast<platform::WParam>(InterfaceId::WebBrowser),
                       reinterpret_cast<platform::LParam>(&browser));
    // Without the browser's interface the page stays unopened; nothing is reported.
    if (browser != nullptr) opened_ = browser->Navigate(address_);
    hosts.DestroyHostWindow(host);
    if (poster) poster(quill::AppEventId::WebWindowClosed, 0, 0, 0);
}

}  // namespace kestrovan
