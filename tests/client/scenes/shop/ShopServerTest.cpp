// The shop against the stand-in game server's shop script, through the connection's dispatch thread: the
// login brings the inventory (an expired item left out of the owned grid), and items bought, given, used and
// deleted show in the owned grid as the server says; a pushed count of 0 takes an item away; the membership's
// answer changes the state and its built-in items; LeaveShop goes out before the switch to the lobby.
#include <gtest/gtest.h>

#include <algorithm>

#include "QuillLib/core/AppEventId.h"
#include "client/app/SceneId.h"
#include "client/scenes/common/ConnectionRequestSender.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/shop/NicknameChangeDialog.h"
#include "client/scenes/shop/ShopDecisions.h"
#include "client/scenes/shop/ShopItemDetailPanel.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/shop/ShopScreen.h"
#include "tests/support/net/GameServerScripts.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

class ShopOnline : public ShopScreen {
protected:
    ShopOnline() { scene->UseSender(std::make_unique<ConnectionRequestSender>(Connection())); }
    ~ShopOnline() override { Connection().StopDispatchThread(); }

    // Logs in to the script with the account and its items; true once the inventory has come.
    bool LogIn(const kvtest::LoginScript& login, const kvtest::ShopScript& shop = {}) {
        kvtest::InstallLoginScript(server, login);
        kvtest::InstallShopScript(server, shop);
        Connection().SetServerAddress(server.Host(), server.Port());
        Connection().StartDispatchThread();
        Connection().Connect();
        if (!server.WaitForMessage(MessageId::LoginRequest)) return false;
        // The login screen is not there: the connection's own handler fills the inventory, item by item.
        return Eventually([&] {
            return std::all_of(login.items.begin(), login.items.end(),
                               [this](const kvtest::TestOwnedItem& item) { return Owns(item.key); });
        });
    }

    kvtest::GameServerFixture server;
};

TEST_F(ShopOnline, BoughtGivenUsedAndDeletedItemsShowAsTheServerSays) {
    kvtest::LoginScript login;
    login.items = {{0x20, 4, 1101, 1, 0, 0, {}}, {0x21, 0, 4902, 3, 100, 100, {}}, {0x22, 0, 1102, 1, 7, 0, {}}};
    ASSERT_TRUE(LogIn(login, {.cash = 7000, .cueMoney = 40000}));
    Connection().LocalPlayer().cueMoney = 50000;
    Activate();
    EXPECT_TRUE(Owns(0x20)) << "the player keeps it until the lobby has told him";
    int32_t cell = -1;
    {
        const quill::ScopedLock turn = MainThreadTurn();
        scene->SetView(1);
        EXPECT_EQ(OwnedCellOf(0x20), -1);
        EXPECT_NE(OwnedCellOf(0x21), -1);

        // Buying the royal-R chalk: ItemBuy, the answer's balances and the item under the server's key.
        scene->SetView(0);
        scene->SelectShopCategory(5);
        cell = ShopCellOf(4901);
    }
    ASSERT_GE(cell, 0);
    Routed(*scene, scene->ShopCell(static_cast<size_t>(cell)), 0, 0);
    app.Scenes().OnMessage(quill::AppEventId::ItemDialogResult, 1, 0);
    Routed(*scene->Purchase(), scene->Purchase()->OkButton(), 0, 0);
    app.DrainPostedEvents();
    ASSERT_TRUE(server.WaitForMessage(MessageId::ItemBuy).has_value());
    ASSERT_TRUE(Eventually([&] { return Owns(0x100); }));
    EXPECT_TRUE(Eventually([&] { return scene->BalanceLabel(1)->GetText() == u"39,000"; }));
    {
        const quill::ScopedLock turn = MainThreadTurn();
        scene->SetView(1);
        EXPECT_NE(OwnedCellOf(0x100), -1) << "the owned grid lists the chalk";

        // Given to a friend: ItemGift's answer carries no item.
        scene->SetView(0);
        Routed(*scene, scene->ShopCell(static_cast<size_t>(cell)), 0, 0);
        app.Scenes().OnMessage(quill::AppEventId::ItemDialogResult, 2, 0);
        scene->Purchase()->RecipientBox()->SetText(u"Ann");
        Routed(*scene->Purchase(), scene->Purchase()->OkButton(), 0, 0);
    }
    app.DrainPostedEvents();
    ASSERT_TRUE(server.WaitForMessage(MessageId::ItemGift).has_value());
    EXPECT_TRUE(Eventually([&] { return Box().IsVisible() && Box().Line(0).GetText() == u"아이템을 선물하였습니다."; }));
    EXPECT_FALSE(Owns(0x101));

    // The waiting table put into use: ItemUseAlt, and the default table for every game type.
    ASSERT_TRUE(SelectOwned(0x22));
    app.Scenes().OnMessage(quill::AppEventId::ShopTab1079, 0, 0);
    app.Scenes().OnMessage(quill::AppEventId::ShopItemUse, 0x22, kUseRequestAlt);
    ASSERT_TRUE(server.WaitForMessage(MessageId::ItemUseAlt).has_value());
    EXPECT_TRUE(Eventually([&] { return TableInUse(3).key == 0x22; }));
    EXPECT_TRUE(Eventually([&] { return scene->FindOwned(0x22)->inUse == 1; }));

    // The bought chalk deleted; a pushed count of 0 takes the other chalk away.
    ASSERT_TRUE(SelectOwned(0x100));
    app.Scenes().OnMessage(quill::AppEventId::ShopTab1080, 0, 0);
    app.Scenes().OnMessage(quill::AppEventId::ShopSend105, 0, 0);
    ASSERT_TRUE(server.WaitForMessage(MessageId::ItemDelete).has_value());
    EXPECT_TRUE(Eventually([&] { return !Owns(0x100); }));
    server.Send(kvtest::ItemQuantityMessage(0x21, 0));
    EXPECT_TRUE(Eventually([&] { return !Owns(0x21); }));
    EXPECT_TRUE(Eventually([&] { return OwnedCellOf(0x21) == -1; }));

    // Back to the lobby: LeaveShop before the switch.
    app.Scenes().OnMessage(quill::AppEventId::JoinWith, 0, 0);
    ASSERT_TRUE(server.WaitForMessage(MessageId::LeaveShop).has_value());
    EXPECT_EQ(scene->NextSceneId(), SceneId::Lobby);
}

TEST_F(ShopOnline, MembershipNicknameAndRefusalsFromTheServer) {
    kvtest::LoginScript login;
    login.items = {{0x30, 0, 4102, 2, 1, 1, {}}};
    ASSERT_TRUE(LogIn(login, {.cash = 50000, .buyResult = 7}));
    Activate();

    // The nickname item: ItemUse with the new name, then the reconnect notice whose OK quits.
    ASSERT_TRUE(SelectOwned(0x30));
    app.Scenes().OnMessage(quill::AppEventId::ShopTab1079, 0, 0);
    ASSERT_TRUE(scene->NicknameDialog()->IsVisible());
    app.Scenes().OnMessage(quill::AppEventId::ShopItemUse, 0x30, kUseRequestPlain);
    ASSERT_TRUE(server.WaitForMessage(MessageId::ItemUse).has_value());
    EXPECT_TRUE(Eventually([&] { return Box().GetEventCode() == static_cast<int32_t>(quill::AppEventId::AppQuit); }));

    // A purchase the server refuses for its item pool.
    {
        const quill::ScopedLock turn = MainThreadTurn();
        scene->SelectShopCategory(5);
        Routed(*scene, scene->ShopCell(0), 0, 0);
    }
    app.Scenes().OnMessage(quill::AppEventId::ItemCheckPassed, 0, 0);
    ASSERT_TRUE(server.WaitForMessage(MessageId::ItemBuy).has_value());
    EXPECT_TRUE(Eventually([&] { return Box().Line(0).GetText() == u"아이템풀이 부족하여 구입할 수 없습니다."; }));

    // The basic membership for 30 days: its price taken from the cash, the state and its built-in chalk.
    app.Scenes().OnMessage(quill::AppEventId::MembershipBuy, 0, 0);
    ASSERT_TRUE(server.WaitForMessage(MessageId::MembershipRequest).has_value());
    EXPECT_TRUE(Eventually([&] { return Connection().MembershipState() == 1; }));
    EXPECT_TRUE(Eventually([&] { return scene->BalanceLabel(0)->GetText() == u"45,500"; }));
    EXPECT_TRUE(Eventually([&] { return Owns(2) && scene->FindOwned(2)->typeCode == 4902; }));
    EXPECT_EQ(scene->MembershipCaptionLabel()->GetText(), u"Std. Membership :");
}

}  // namespace
}  // namespace kestrovan::test
