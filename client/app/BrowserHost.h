#pragma once
// A window that hosts a browser control: on creation it reads the control's class id from its window text
// and makes the control, activates it in place on request (or on a double click), keeps it sized to the
// window, and releases it on destruction. As the control's container site it answers the site services
// minimally: what it does not offer answers "not implemented". Main thread only.
//
// Its messages: Msg::Create, Msg::Destroy, Msg::Size, Msg::EraseBackground, Msg::LButtonDblClk and the
// host's own QueryControl (wParam an InterfaceId, lParam a BrowserControl** that gets the control when it
// offers the interface), Activate (wParam 1 activates, 0 deactivates; lParam non-zero refuses the in-place
// interfaces), Nothing, and DataAdvise (wParam a format index or -1, lParam the direction).
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "client/app/BrowserControl.h"
#include "platform/system/WString.h"
#include "platform/window/Message.h"
#include "platform/window/Window.h"

namespace kestrovan {

namespace BrowserHostMessage {
inline constexpr uint32_t QueryControl = 0x401;
inline constexpr uint32_t Activate = 0x402;
inline constexpr uint32_t Nothing = 0x403;
inline constexpr uint32_t DataAdvise = 0x406;
}  // namespace BrowserHostMessage

class BrowserHost : public BrowserSite {
public:
    static constexpr size_t kDataAdviseSlots = 100;
    static constexpr size_t kWindowTextLimit = 1000;

    // The class id of a text in its braced form; nothing when the text is not one.
    static std::optional<ClassId> ParseClassId(platform::WStringView text);

    BrowserHost(platform::Window& window, platform::WindowId self, platform::WString windowText,
                BrowserControlFactory factory);
    ~BrowserHost() override;

    platform::LResult HandleMessage(const platform::Message& message);

    // The container site.
    uint32_t QueryInterface(InterfaceId id);
    uint32_t CanInPlaceActivate() override;
    uint32_t OnInPlaceActivate() override { return HResult::Ok; }

    bool Active() const { return active_; }
    bool InPlaceActivated() const { return inPlaceActivated_; }
    uint32_t References() const { return references_; }

private:
    void Create();
    void Release();
    void Activate(bool activate, bool noInPlace);
    void Deactivate();
    platform::LResult OnSize(platform::LParam lParam);
    platform::LResult OnQueryControl(platform::WParam interfaceId, platform::LParam out);
    platform::LResult OnDataAdvise(int index, uint32_t direction);

    platform::Window& window_;
    const platform::WindowId self_;
    const platform::WString windowText_;
    BrowserControlFactory factory_;
    std::unique_ptr<BrowserControl> control_;
    platform::PixelRect clientRect_;
    uint32_t references_ = 0;
    bool active_ = false;
    bool noInPlace_ = false;
    bool inPlaceActivated_ = false;
    bool activating_ = false;
    uint32_t adviseConnection_ = 0;
    std::array<uint32_t, kDataAdviseSlots> dataConnections_{};
};

// The window class of browser hosts: makes host windows as children of the main window. A host that gets
// Msg::Destroy releases its control; the child goes with DestroyHostWindow.
class BrowserHostClass {
public:
    BrowserHostClass(platform::Window& window, BrowserControlFactory factory);

    platform::WindowId CreateHostWindow(platform::WStringView windowText, const platform::PixelRect& clientRect);
    void DestroyHostWindow(platform::WindowId host);
    // The window whose children the hosts are; their messages go through it.
    platform::Window& Window() const { return window_; }

private:
    platform::Window& window_;
    BrowserControlFactory factory_;
};

}  // namespace kestrovan
