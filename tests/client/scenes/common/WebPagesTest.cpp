// The in-game web pages: a page opens in the desktop browser through the browser host and its window ends at
// once; while a window is open no second one is made; its closing leaves the dialog-box mode. The site's
// address comes from [Web] of config.ini.
#include "client/scenes/common/WebPages.h"

#include <gtest/gtest.h>

#include <vector>

#include "client/app/SiteConfig.h"
#include "platform/browser/headless/HeadlessBrowser.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

class WebPagesTest : public SceneTestApp {
protected:
    std::vector<quill::WString> Opened() const {
        auto* browser = dynamic_cast<platform::HeadlessBrowser*>(app.Browser());
        return browser != nullptr ? browser->Opened() : std::vector<quill::WString>{};
    }

    std::vector<uint32_t> posted;
    WebPages pages{app, [this](uint32_t id, uint32_t, uint32_t, uint32_t) { posted.push_back(id); }};
};

TEST_F(WebPagesTest, TwoRequestsMakeOneWindowUntilItCloses) {
    ASSERT_NE(app.Browser(), nullptr);
    pages.Open(WebPages::kMainPage);
    pages.Open(WebPages::NoticePath(17));
    EXPECT_EQ(Opened(), (std::vector<quill::WString>{u"http://www.example.com/client/client_main.asp"}));
    EXPECT_EQ(posted, (std::vector<uint32_t>{quill::AppEventId::WebWindowClosed})) << "the window ends at once";
    EXPECT_TRUE(pages.HasWindow()) << "until its closing is handled";
    EXPECT_TRUE(app.DialogBoxModeWanted());

    pages.OnWindowClosed();
    EXPECT_FALSE(pages.HasWindow());
    EXPECT_FALSE(app.DialogBoxModeWanted());

    pages.Open(WebPages::BoardPath(5));
    EXPECT_EQ(Opened().back(),
              u"http://www.example.com/client/client_main.asp?forward_url=/client/board/client_board_view.asp%3FID=5");
    EXPECT_EQ(posted.size(), 2u);
    EXPECT_EQ(WebPages::NoticePath(17),
              u"/client/client_main.asp?forward_url=/client/notice/client_notice_view.asp%3FID=17");
}

TEST(SiteConfig, TakesWebAddressesFromTheWebSectionAndKeepsTheDefaultsOtherwise) {
    SiteConfig site;
    EXPECT_EQ(site.Site(), u"http://www.example.com");
    site.Load(platform::ProfileDocument("[Web]\nSite = https://games.example.org/\nPartnerSite=ftp://files\n"));
    EXPECT_EQ(site.Site(), u"https://games.example.org");
    EXPECT_EQ(site.PartnerSite(), u"http://partner.example.com") << "not a web address";
    EXPECT_EQ(site.PageAddress(u"/cash/client_cash.asp"), u"https://games.example.org/cash/client_cash.asp");
    EXPECT_EQ(site.SiteOfPortal(2), u"http://partner.example.com");
    EXPECT_EQ(site.SiteOfPortal(0), u"https://games.example.org");
    site.Load(platform::ProfileDocument("[web]\nsite=http://a b\n"));
    EXPECT_EQ(site.Site(), u"https://games.example.org") << "an address with a blank is refused";
}

}  // namespace
}  // namespace kestrovan::test
