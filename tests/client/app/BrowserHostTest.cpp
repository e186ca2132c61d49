// The browser host's state machine with a recording control, and the system browser control that opens
// pages in the desktop's browser (recorded by the headless browser).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestWindow.h"
#include "client/app/BrowserHost.h"
#include "client/app/DeviceErrorDialog.h"
#include "client/app/SiteConfig.h"
#include "client/app/SystemBrowserControl.h"
#include "platform/browser/headless/HeadlessBrowser.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan {
namespace {

constexpr const char16_t* kWebBrowserText = u"{8856F961-340A-11D0-A96B-00C04FD705A2}";

class RecordingControl : public BrowserControl {
public:
    explicit RecordingControl(std::vector<std::string>& log) : log_(log) {}
    ~RecordingControl() override { log_.push_back("Released"); }

    bool Supports(InterfaceId id) const override { return id == InterfaceId::WebBrowser; }
    uint32_t Advise() override { return 7; }
    void Unadvise(uint32_t connection) override { log_.push_back("Unadvise" + std::to_string(connection)); }
    bool HasView() const override { return true; }
    bool HasData() const override { return true; }
    uint32_t ActivateInPlace(BrowserSite& site, const platform::PixelRect& rect) override {
        log_.push_back("Activate" + std::to_string(rect.Width()) + "x" + std::to_string(rect.Height()));
        return site.CanInPlaceActivate();
    }
    void UIDeactivate() override { log_.push_back("UIDeactivate"); }
    void InPlaceDeactivate() override { log_.push_back("InPlaceDeactivate"); }
    void SetObjectRects(const platform::PixelRect& position, const platform::PixelRect&) override {
        log_.push_back("Rects" + std::to_string(position.Width()));
    }
    std::vector<uint32_t> DataFormats(uint32_t) const override { return {1, 13}; }
    uint32_t DataAdvise(uint32_t format) override { return 100 + format; }
    void DataUnadvise(uint32_t connection) override { log_.push_back("DUnadvise" + std::to_string(connection)); }
    bool Navigate(platform::WStringView) override { return true; }

private:
    std::vector<std::string>& log_;
};

class BrowserHostTest : public ::testing::Test {
protected:
    platform::WindowId MakeHost(platform::WStringView text) {
        return hosts.CreateHostWindow(text, platform::PixelRect{0, 0, 640, 480});
    }
    platform::LResult Send(platform::WindowId host, uint32_t id, platform::WParam w = 0, platform::LParam l = 0) {
        return app.window->SendMessage(host, id, w, l);
    }

    test::AppTestWindow app;
    std::vector<std::string> log;
    BrowserHostClass hosts{*app.window, [this](const ClassId& id) -> std::unique_ptr<BrowserControl> {
                               if (id != kWebBrowserClassId) return nullptr;
                               return std::make_unique<RecordingControl>(log);
                           }};
};

TEST_F(BrowserHostTest, DoubleClickActivatesAndResizeReactivatesAtTheNewSize) {
    const platform::WindowId host = MakeHost(kWebBrowserText);
    EXPECT_EQ(log, (std::vector<std::string>{"Rects640"}));  // created inactive
    Send(host, platform::Msg::LButtonDblClk);
    app.Pump();
    EXPECT_EQ(log.back(), "Activate640x480");

    log.clear();
    Send(host, platform::Msg::Size, 0, platform::MakePointLParam(800, 600));
    EXPECT_EQ(log, (std::vector<std::string>{"UIDeactivate", "InPlaceDeactivate", "Activate800x600", "Rects800"}));

    EXPECT_EQ(Send(host, BrowserHostMessage::DataAdvise, static_cast<platform::WParam>(-1), 1), 2);
    EXPECT_EQ(Send(host, BrowserHostMessage::DataAdvise, 1, 1), 1);
    EXPECT_EQ(Send(host, BrowserHostMessage::DataAdvise, 2, 1), 0);  // only two formats
    EXPECT_EQ(Send(host, platform::Msg::EraseBackground), 1);

    BrowserControl* control = nullptr;
    EXPECT_EQ(static_cast<uint32_t>(Send(host, BrowserHostMessage::QueryControl,
                                         static_cast<platform::WParam>(InterfaceId::WebBrowser),
                                         reinterpret_cast<platform::LParam>(&control))),
              HResult::Ok);
    EXPECT_NE(control, nullptr);
    EXPECT_EQ(static_cast<uint32_t>(Send(host, BrowserHostMessage::QueryControl,
                                         static_cast<platform::WParam>(InterfaceId::Dispatch),
                                         reinterpret_cast<platform::LParam>(&control))),
              HResult::NoInterface);
    EXPECT_EQ(control, nullptr);

    log.clear();
    hosts.DestroyHostWindow(host);
    EXPECT_EQ(log, (std::vector<std::string>{"UIDeactivate", "InPlaceDeactivate", "Unadvise7", "DUnadvise113",
                                             "Released"}));
}

TEST_F(BrowserHostTest, TextThatIsNotAClassIdLeavesTheWindowEmpty) {
    for (const char16_t* text : {u"Shell.Explorer", u"{8856F961-340A-11D0-A96B-00C04FD705A}", u"",
                                 u"{8856F961_340A-11D0-A96B-00C04FD705A2}", u"{00000000-0000-0000-0000-000000000000}"}) {
        const platform::WindowId host = MakeHost(text);
        Send(host, BrowserHostMessage::Activate, 1, 0);
        EXPECT_EQ(Send(host, BrowserHostMessage::DataAdvise, static_cast<platform::WParam>(-1), 1), 0);
        hosts.DestroyHostWindow(host);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(BrowserHost::ParseClassId(kWebBrowserText), kWebBrowserClassId);
}

TEST(BrowserHostSite, AnswersItsInterfacesAndRefusesInPlaceOnesWhenAsked) {
    test::AppTestWindow app;
    BrowserHost host(*app.window, 9, kWebBrowserText, [](const ClassId&) { return nullptr; });
    EXPECT_EQ(host.QueryInterface(InterfaceId::OleClientSite), HResult::Ok);
    EXPECT_EQ(host.QueryInterface(InterfaceId::OleInPlaceFrame), HResult::Ok);
    EXPECT_EQ(host.QueryInterface(InterfaceId::OleObject), HResult::NoInterface);
    EXPECT_EQ(host.References(), 2u);
    EXPECT_EQ(host.CanInPlaceActivate(), HResult::False);  // not while it is not activating
    EXPECT_FALSE(host.InPlaceActivated());
}

TEST(SystemBrowser, OpensOnlyWebAddressesAndTheDriverLinkGoesToTheDownloadPage) {
    platform::HeadlessBrowser browser;
    SystemBrowserControl control(browser);
    EXPECT_TRUE(control.Navigate(u"https://www.kestrovan.com/event.asp?id=3"));
    EXPECT_FALSE(control.Navigate(u"file:///etc/passwd"));
    EXPECT_FALSE(control.Navigate(u"http://"));
    EXPECT_FALSE(control.Navigate(u"http://a b"));
    EXPECT_FALSE(control.Navigate(u"-help"));
    EXPECT_EQ(browser.Opened().size(), 1u);

    test::AppTestWindow app;
    EXPECT_EQ(DeviceErrorLinkText(2), u"Go to download DirectX 9.0c.");
    EXPECT_EQ(DeviceErrorLinkText(8), u"Go to download the recent graphic driver.");
    EXPECT_FALSE(DeviceErrorLinkText(5).has_value());

    const SiteConfig site;
    EXPECT_EQ(ShowDeviceErrorDialog(*app.window, browser, site, 5), DeviceErrorDialogId::Ok);
    ASSERT_EQ(app.backend->Prompts().size(), 1u);
    EXPECT_EQ(app.backend->Prompts()[0].title, u"Error - Kestrovan");
    EXPECT_EQ(app.backend->Prompts()[0].buttons.size(), 1u);  // no link for code 5

    app.backend->ScriptPromptAnswer(DeviceErrorDialogId::Link);
    EXPECT_EQ(ShowDeviceErrorDialog(*app.window, browser, site, 3), DeviceErrorDialogId::Ok);
    EXPECT_EQ(app.backend->Prompts()[1].buttons.size(), 2u);
    EXPECT_EQ(browser.Opened().back(), u"http://www.example.com/down/down_01.asp");
}

}  // namespace
}  // namespace kestrovan
