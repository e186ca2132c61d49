#include "client/scenes/common/WebPages.h"

#include "QuillLib/core/Format.h"
#include "client/app/BrowserHost.h"
#include "client/app/ScreenServices.h"
#include "client/app/SiteConfig.h"
#include "client/app/SystemBrowserControl.h"
#include "client/scenes/common/WebPageWindow.h"
#include "platform/browser/Browser.h"
#include "platform/window/Window.h"

namespace kestrovan {

quill::WString WebPages::NoticePath(int32_t article) {
    return quill::Format(u"/client/client_main.asp?forward_url=/client/notice/client_notice_view.asp%%3FID=%d", article);
}

quill::WString WebPages::BoardPath(int32_t article) {
    return quill::Format(u"/client/client_main.asp?forward_url=/client/board/client_board_view.asp%%3FID=%d", article);
}

WebPages::WebPages(ScreenServices& app, AppEventPoster poster) : app_(app), poster_(std::move(poster)) {}

WebPages::~WebPages() = default;

// The dialog-box mode is asked for here and applied by the next frame step.
void WebPages::Open(quill::WStringView path) {
    app_.RequestDialogBoxMode(true);
    if (window_ != nullptr || app_.Browser() == nullptr) return;
    // The browser host class is registered with the first page.
    if (hosts_ == nullptr) {
        hosts_ = std::make_unique<BrowserHostClass>(app_.MainWindow(), SystemBrowserControl::Factory(*app_.Browser()));
    }
    window_ = std::make_unique<WebPageWindow>(*hosts_, app_.GetWindowRect(), app_.Site().PageAddress(path), poster_);
}

void WebPages::OnWindowClosed() {
    window_.reset();
    app_.RequestDialogBoxMode(false);
}

bool WebPages::HasWindow() const {
    return window_ != nullptr;
}

}  // namespace kestrovan
