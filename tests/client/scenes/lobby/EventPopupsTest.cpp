// The event coupon popup (which site's event page it opens, the mode it posts or the quit) and the gold
// shortage popup (the required amount, the way to the practice room it stores), and the lobby's two large
// picture windows (what their buttons post).
#include <gtest/gtest.h>

#include <vector>

#include "client/app/SiteConfig.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/lobby/EventPagePopup.h"
#include "client/scenes/room/GoldShortagePopup.h"
#include "client/scenes/lobby/LobbyImageWindow.h"
#include "client/scenes/lobby/LobbyPageWindow.h"
#include "client/ui/Image.h"
#include "client/ui/Panel.h"
#include "client/ui/TextLabel.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

struct Posted {
    uint32_t id, wParam;
    bool operator==(const Posted&) const = default;
};

class EventPopupsTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    EventPopupsTest() {
        root.Create(0, 0, 1024, 768, -1, -1);
        const auto poster = [this](uint32_t id, uint32_t wParam, uint32_t, uint32_t) {
            posted.push_back({id, wParam});
        };
        auto event = std::make_unique<EventPagePopup>(
            site, [this] { return portal; }, [this](quill::WStringView address) { opened.emplace_back(address); },
            poster, [this] { ++quits; });
        eventPopup = static_cast<EventPagePopup*>(root.AddChild(std::move(event), false));
        auto gold = std::make_unique<GoldShortagePopup>(*app.Connection(), poster);
        goldPopup = static_cast<GoldShortagePopup*>(root.AddChild(std::move(gold), false));
    }

    void Press(Widget& popup, int32_t id) {
        for (Widget* child : popup.GetChildren()) {
            if (child->GetId() == id) {
                popup.OnEvent(child, 0, 0);
                return;
            }
        }
        ADD_FAILURE() << "no control " << id;
    }

    Panel root;
    SiteConfig site;
    uint8_t portal = 0;
    EventPagePopup* eventPopup = nullptr;
    GoldShortagePopup* goldPopup = nullptr;
    std::vector<Posted> posted;
    std::vector<quill::WString> opened;
    int quits = 0;
};

TEST_F(EventPopupsTest, TheEventPageOpensOnThePortalsSiteAndTheModeDecidesWhatFollows) {
    eventPopup->SetLine(u"You have 3 event coupons.");
    eventPopup->SetMode(1);
    eventPopup->SetVisible(true);
    EXPECT_EQ(eventPopup->Line()->GetText(), u"You have 3 event coupons.");
    Press(*eventPopup, EventPagePopup::kClose);
    EXPECT_TRUE(opened.empty()) << "closing opens no page";
    EXPECT_EQ(posted, (std::vector<Posted>{{quill::AppEventId::EventPageOpen, 1}}));
    EXPECT_FALSE(eventPopup->IsVisible());

    eventPopup->SetVisible(true);
    Press(*eventPopup, EventPagePopup::kEventPage);
    EXPECT_EQ(opened, (std::vector<quill::WString>{u"http://www.example.com/event/2009/event.asp"}));
    EXPECT_EQ(posted.back(), (Posted{quill::AppEventId::EventPageOpen, 1}));

    // A player of the partner portal gets the partner's site; mode 2 ends the program instead of posting.
    portal = 2;
    eventPopup->SetMode(2);
    posted.clear();
    eventPopup->SetVisible(true);
    Press(*eventPopup, EventPagePopup::kEventPage);
    EXPECT_EQ(opened.back(), u"http://partner.example.com/event/2009/event.asp");
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(posted.empty());
    EXPECT_FALSE(eventPopup->IsVisible());
}

TEST_F(EventPopupsTest, GoldShortageShowsTheAmountAndLeadsToThePracticeRoom) {
    app.Connection()->JoinTarget().password = u"old";
    goldPopup->SetShortage(12000, 0xFE);
    goldPopup->SetVisible(true);
    EXPECT_EQ(goldPopup->RequiredLine()->GetText(), u"This match requires 12,000 gold.");
    goldPopup->SetShortage(-5, 3);
    goldPopup->SetVisible(false);
    goldPopup->SetVisible(true);
    EXPECT_EQ(goldPopup->RequiredLine()->GetText(), u"This match requires -5 gold.");

    Press(*goldPopup, GoldShortagePopup::kNo);
    EXPECT_TRUE(posted.empty());
    EXPECT_EQ(app.Connection()->JoinTarget().pending, 0);

    goldPopup->SetShortage(12000, 0xFE);
    goldPopup->SetVisible(true);
    Press(*goldPopup, GoldShortagePopup::kYes);
    EXPECT_EQ(posted, (std::vector<Posted>{{quill::AppEventId::JoinWith, 0}}));
    const JoinWithTarget& target = app.Connection()->JoinTarget();
    EXPECT_EQ(target.pending, 1);
    EXPECT_EQ(target.channel, 0);
    EXPECT_EQ(target.place, JoinWithTarget::kPracticeRoom);
    EXPECT_EQ(target.hasPassword, 0);
    EXPECT_TRUE(target.password.empty());
    EXPECT_EQ(target.targetKind, 1u);
    EXPECT_EQ(target.targetValue, 0xFFFFFFFEu) << "the target byte taken as a signed number";
    EXPECT_FALSE(goldPopup->IsVisible());
}

TEST_F(EventPopupsTest, PictureWindowsCloseAndTheirButtonsPostTheLobbysEvents) {
    const auto poster = [this](uint32_t id, uint32_t wParam, uint32_t, uint32_t) { posted.push_back({id, wParam}); };
    auto* image = static_cast<LobbyImageWindow*>(root.AddChild(std::make_unique<LobbyImageWindow>(poster), false));
    auto* page = static_cast<LobbyPageWindow*>(root.AddChild(std::make_unique<LobbyPageWindow>(poster), false));

    image->SetVisible(true);
    Press(*image, LobbyImageWindow::kClose);
    EXPECT_FALSE(image->IsVisible());
    EXPECT_EQ(posted, (std::vector<Posted>{{quill::AppEventId::LobbyEvent1073, 0}}));

    // Pictures stay hidden until a pair is shown, and then only that pair.
    posted.clear();
    for (size_t n = 0; n < LobbyPageWindow::kPairs; ++n) EXPECT_FALSE(page->LeftPicture(n)->IsVisible());
    page->ShowPair(3);
    for (size_t n = 0; n < LobbyPageWindow::kPairs; ++n) {
        EXPECT_EQ(page->LeftPicture(n)->IsVisible(), n == 3);
        EXPECT_EQ(page->RightPicture(n)->IsVisible(), n == 3);
    }
    page->ShowPair(LobbyPageWindow::kPairs);
    EXPECT_FALSE(page->RightPicture(3)->IsVisible());

    page->SetVisible(true);
    Press(*page, LobbyPageWindow::kClose);
    EXPECT_FALSE(page->IsVisible());
    EXPECT_TRUE(posted.empty()) << "Close only hides";
    page->SetVisible(true);
    Press(*page, LobbyPageWindow::kToShop);
    EXPECT_FALSE(page->IsVisible());
    EXPECT_EQ(posted, (std::vector<Posted>{{quill::AppEventId::LobbyListRequest, 0}}));
}

}  // namespace
}  // namespace kestrovan::test
