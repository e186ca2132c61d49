#pragma once
// The in-game web pages of a screen (the lobby's notice, board, main and event pages, the shop's cash page):
// at most one page window at a time. Opening a page asks the application for the device's dialog-box mode
// and applies it at once, then makes a window for the page unless one is open; while one is, further
// requests make none. WebWindowClosed lets the window go and leaves the dialog-box mode.
//
// Threads: see the table in client/app/Scene.h; Open and OnWindowClosed run on the main thread (the screen's render
// pass and application events).
#include <cstdint>
#include <memory>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/ItemEvents.h"

namespace kestrovan {

class BrowserHostClass;
class ScreenServices;
class WebPageWindow;

class WebPages {
public:
    static constexpr const char16_t* kMainPage = u"/client/client_main.asp";
    static constexpr const char16_t* kChampionRegistration = u"/event/champion/clientreg.asp";
    static constexpr const char16_t* kCashPage = u"/cash/client_cash.asp";

    // The forwarding pages of a notice and of a board article (the inner address's '?' written "%3F").
    static quill::WString NoticePath(int32_t article);
    static quill::WString BoardPath(int32_t article);

    // poster: where the window posts WebWindowClosed (the App's event queue in the program).
    WebPages(ScreenServices& app, AppEventPoster poster);
    ~WebPages();
    WebPages(const WebPages&) = delete;
    WebPages& operator=(const WebPages&) = delete;

    // Main thread: a page of the product's site by its path.
    void Open(quill::WStringView path);
    // Main thread, on WebWindowClosed.
    void OnWindowClosed();
    bool HasWindow() const;

private:
    ScreenServices& app_;
    AppEventPoster poster_;
    std::unique_ptr<BrowserHostClass> hosts_;
    std::unique_ptr<WebPageWindow> window_;
};

}  // namespace kestrovan
