#pragma once
// The lobby's announcement of event coupons: a line the lobby sets, the note that coupons come at random at
// the end of a game, and two buttons. "Event page" opens the event page in the desktop browser, on the
// partner portal's site for players who came through it (portal code 2) and on the product's own site for
// the others; then, in mode 2, the program ends, and otherwise EventPageOpen is posted with the mode. Close
// only posts EventPageOpen with the mode. Either way the popup hides.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <atomic>
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class SiteConfig;
class TextLabel;

class EventPagePopup : public PopupWindow {
public:
    static constexpr int32_t kWidth = 316;
    static constexpr int32_t kHeight = 288;
    static constexpr int32_t kEventPage = 2052;
    static constexpr int32_t kQuitMode = 2;
    static constexpr const char16_t* kPagePath = u"/event/2009/event.asp";

    using PageOpener = std::function<void(quill::WStringView address)>;
    using Quitter = std::function<void()>;

    // portalCode: the portal the player came through (the launcher's connection mode), read when the page
    // opens; open: the desktop browser.
    EventPagePopup(const SiteConfig& site, std::function<uint8_t()> portalCode, PageOpener open, EventPoster poster,
                   Quitter quit);

    void SetLine(quill::WStringView text);
    void SetMode(int32_t mode) { mode_ = mode; }
    int32_t Mode() const { return mode_; }
    TextLabel* Line() const { return line_; }

    void OnShow() override;
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    void OpenEventPage();

    const SiteConfig& site_;
    std::function<uint8_t()> portalCode_;
    PageOpener open_;
    EventPoster poster_;
    Quitter quit_;
    TextLabel* line_ = nullptr;
    std::atomic<int32_t> mode_{0};
};

}  // namespace kestrovan
