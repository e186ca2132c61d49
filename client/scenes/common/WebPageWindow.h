#pragma once
// A page of the product's web site, opened from the game. The page is shown by the desktop's own browser:
// the window hosts the system web-browser control in a browser host over the game window, activates it,
// asks it for its web-browser interface and navigates to the page, which hands the address to the desktop
// browser. Nothing is left to show inside the game, so the window closes at once: it lets go of the host and
// posts WebWindowClosed before the constructor returns, and its opener then deletes it. No login form is
// posted with the page: the site asks the player to sign in itself.
//
// Threads: the main thread, which owns the main window and its children.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/ItemEvents.h"
#include "platform/window/PixelRect.h"

namespace platform {
class Window;
}

namespace kestrovan {

class BrowserHostClass;

class WebPageWindow {
public:
    static constexpr int32_t kWidth = 1024;
    static constexpr int32_t kHeight = 768;
    static constexpr int32_t kBarHeight = 28;

    // gameArea: the game window's client area, over which the window is centred.
    WebPageWindow(BrowserHostClass& hosts, const platform::PixelRect& gameArea, quill::WStringView address,
                  const AppEventPoster& poster);

    // Whether the browser took the page.
    bool Opened() const { return opened_; }

private:
    quill::WString address_;
    bool opened_ = false;
};

}  // namespace kestrovan
