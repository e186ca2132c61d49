// The cue workshop against the stand-in game server's workshop script, through the connection's dispatch
// thread and the shared message boxes: the login brings personal cues and gems; a tuning cue is repaired (and
// loses total durability), given a part and upgraded (up, down, no change); the custom cue is re-tuned; a new
// custom cue is refused for money and then bought, and the workshop lists it.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/shop/CueOptionUpgradeWindow.h"
#include "client/scenes/shop/CuePartThumbnail.h"
#include "client/scenes/shop/CuePartsWindow.h"
#include "client/scenes/shop/CueRepairWindow.h"
#include "client/scenes/shop/CueRetuneWindow.h"
#include "client/scenes/shop/CueUpgradeWindow.h"
#include "client/scenes/shop/CueWorkshop.h"
#include "client/scenes/shop/PersonalCueBuyWindow.h"
#include "client/scenes/shop/PersonalCueSlot.h"
#include "client/scenes/shop/PersonalCueWindow.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/shop/ShopScreen.h"
#include "tests/support/net/WorkshopScript.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

class WorkshopOnline : public ShopScreen {
protected:
    WorkshopOnline() {
        TheItemModelCatalogue().AddStockModels(quill::TheCuePartCatalogue());
        scene->UseSender(std::make_unique<ConnectionRequestSender>(Connection()));
    }
    ~WorkshopOnline() override { Connection().StopDispatchThread(); }

    bool LogIn(const kvtest::WorkshopScript& script = {}) {
        kvtest::LoginScript login;
        kvtest::InstallLoginScript(server, login);
        kvtest::InstallShopScript(server);
        state = kvtest::InstallWorkshopScript(server, login, script);
        Connection().SetServerAddress(server.Host(), server.Port());
        Connection().StartDispatchThread();
        Connection().Connect();
        if (!server.WaitForMessage(MessageId::LoginRequest)) return false;
        // The connection's own handler fills the inventory, item by item.
        return Eventually([&] {
            bool all = script.gems == 0 || Owns(script.gemKey);
            for (const kvtest::TestPersonalCue& cue : script.cues) all = all && Owns(cue.key);
            for (const kvtest::TestOwnedItem& item : script.items) all = all && Owns(item.key);
            return all;
        });
    }
    CueWorkshop& Workshop() { return *scene->Workshop(); }
    PersonalCueWindow& Management() { return Workshop().Management(); }
    // A press as the routing delivers it.
    void Press(Widget& window, int32_t id) {
        Button button;
        button.SetId(id);
        Routed(window, &button, 0, 0);
    }
    // OK on a shared message box, as the player presses it: the box posts its event to the screen.
    void PressOk(NoticeBox& box) {
        Press(box, NoticeBox::kOkLeft);
        app.DrainPostedEvents();
    }
    // Opens the workshop (again) and the menu entry for the cue in slot n.
    void OpenEntry(size_t slot, int32_t entry) {
        const quill::ScopedLock turn = MainThreadTurn();
        Management().SetVisible(false);
        Press(*scene, SceneShop::kWorkshop);
        Routed(Management(), Management().Slot(slot)->GetButton(), 0, 0);
        Press(*Management().Menu(), entry);
    }
    std::optional<quill::InventoryItem> Cue(int64_t key) { return scene->FindOwned(key); }
    bool BoxSays(size_t line, quill::WStringView text) {
        return Eventually([&] { return Box().IsVisible() && Box().Line(line).GetText() == text; });
    }

    kvtest::GameServerFixture server;
    std::shared_ptr<kvtest::WorkshopState> state;
};

TEST_F(WorkshopOnline, ATuningCueIsRepairedGivenAPartAndUpgradedAsTheServerSays) {
    ASSERT_TRUE(LogIn());
    Activate();
    Press(*scene, SceneShop::kWorkshop);
    ASSERT_EQ(Management().CueCount(), 3);
    EXPECT_EQ(Management().Slot(0)->Cue()->key, 0x32u) << "the last listed first";
    EXPECT_EQ(Management().Slot(2)->NameLabel()->GetText(), u"Tuning one");

    // Repair (normal) of the tuning cue at 70 of 100: the server takes 3 points of its total.
    OpenEntry(2, PersonalCueWindow::kRepairEntry);
    Press(Workshop().Repair(), WorkshopWindow::kOk);
    PressOk(Box());
    ASSERT_TRUE(server.WaitForMessage(MessageId::CueRepair).has_value());
    EXPECT_TRUE(BoxSays(1, u"전체 내구도가 3만큼 감소하였습니다."));
    EXPECT_TRUE(Eventually([&] { return Cue(0x30)->durabilityCurrent == 97000; }));
    EXPECT_EQ(Management().DurabilityLabel()->GetText(), u"97/97");
    EXPECT_FALSE(Workshop().Repair().IsVisible());

    // A new shaft (part 4, 3,000 cash).
    OpenEntry(2, PersonalCueWindow::kPartsEntry);
    CuePartsWindow& parts = Workshop().Parts();
    Routed(parts, parts.Thumbnail(3)->GetButton(), 0, 0);
    ASSERT_EQ(parts.Chosen()[0], 3);
    Press(parts, WorkshopWindow::kOk);
    PressOk(Box());
    ASSERT_TRUE(server.WaitForMessage(MessageId::PartsBuy).has_value());
    EXPECT_TRUE(BoxSays(0, u"파츠 구입을 성공적으로 수행하였습니다."));
    EXPECT_TRUE(Eventually([&] { return Cue(0x30)->statValues[0] == 3; }));
    EXPECT_FALSE(parts.IsVisible());

    // Spin upgraded three times: up, down, no change.
    OpenEntry(2, PersonalCueWindow::kUpgradeEntry);
    CueOptionUpgradeWindow& option = Workshop().OptionUpgrade();
    Press(Workshop().Upgrade(), CueUpgradeWindow::kFirstOption + 2);
    const char16_t* outcomes[] = {u"업그레이드에 성공하였습니다. (+1)", u"업그레이드에 실패하였습니다. (-1)",
                                  u"업그레이드에 실패하였습니다."};
    const int expected[] = {7, 6, 6};
    for (int n = 0; n < 3; ++n) {
        Press(option, WorkshopWindow::kOk);
        PressOk(SecondBox());
        ASSERT_TRUE(server.WaitForMessage(MessageId::CueUpgrade).has_value());
        EXPECT_TRUE(BoxSays(0, outcomes[n])) << n;
        EXPECT_TRUE(Eventually([&] { return option.Terms().current == expected[n]; })) << n;
        const quill::ScopedLock turn = MainThreadTurn();
        Box().SetVisible(false);
    }
    EXPECT_TRUE(option.IsVisible());
    EXPECT_EQ(Cue(0x30)->upgradePoints, 2000);
}

TEST_F(WorkshopOnline, TheCustomCueIsRetunedAndANewOneRefusedThenBought) {
    kvtest::WorkshopScript script;
    script.buyResult = 2;
    ASSERT_TRUE(LogIn(script));
    Activate();
    OpenEntry(0, PersonalCueWindow::kUpgradeEntry);
    CueRetuneWindow& retune = Workshop().Retune();
    ASSERT_TRUE(retune.IsVisible());
    for (int32_t option = 4; option >= 1; --option)
        for (int n = 0; n < 40; ++n) Press(retune, CueRetuneWindow::kFirstValueButton + 2 * option + 1);
    Press(retune, WorkshopWindow::kOk);
    PressOk(SecondBox());
    ASSERT_TRUE(server.WaitForMessage(MessageId::CueRetune).has_value());
    EXPECT_TRUE(BoxSays(0, u"성능 옵션이 재설정되었습니다."));
    EXPECT_TRUE(Eventually([&] { return Cue(0x32)->statistics == CueOptions{0, 30, 40, 40, 40}; }));
    EXPECT_TRUE(Eventually([&] { return Connection().LocalPlayer().money == 100000 - 8800; }));

    // A new custom cue: refused for money, then bought.
    const quill::ItemRecord* custom = quill::TheItemCatalogue().FindById(3100);
    ASSERT_NE(custom, nullptr);
    PersonalCueBuyWindow& buy = Workshop().Purchase();
    const auto order = [&] {
        {
            const quill::ScopedLock turn = MainThreadTurn();
            ASSERT_TRUE(Workshop().OpenPurchase(*custom));
        }
        Press(buy, PersonalCueBuyWindow::kNext);
        for (int32_t option = 0; option < 4; ++option)
            for (int n = 0; n < 40; ++n) Press(buy, PersonalCueBuyWindow::kFirstValueButton + 2 * option + 1);
        for (int n = 0; n < 4; ++n) Press(buy, PersonalCueBuyWindow::kNext);
        Press(buy, PersonalCueBuyWindow::kBuy);
        PressOk(Box());
    };
    order();
    ASSERT_TRUE(server.WaitForMessage(MessageId::PersonalCueBuy).has_value());
    EXPECT_TRUE(BoxSays(0, u"Not enough money."));
    EXPECT_TRUE(buy.IsVisible()) << "the player may try again";
    {
        std::lock_guard<std::mutex> hold(state->mutex);
        state->script.buyResult = 0;
    }
    order();
    ASSERT_TRUE(server.WaitForMessage(MessageId::PersonalCueBuy).has_value());
    EXPECT_TRUE(Eventually([&] { return Cue(0x200).has_value(); }));
    EXPECT_TRUE(Eventually([&] { return !buy.IsVisible(); }));
    Press(*scene, SceneShop::kWorkshop);
    OpenEntry(0, PersonalCueWindow::kRepairEntry);
    EXPECT_EQ(Management().CueCount(), 4);
    EXPECT_EQ(Management().Slot(0)->Cue()->key, 0x200u) << "the new cue first";
}

}  // namespace
}  // namespace kestrovan::test
