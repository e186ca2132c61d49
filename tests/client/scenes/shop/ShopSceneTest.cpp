// The shop on the headless online App: activation (grids, balances, membership, the partner account, one
// blank scene), categories and paging, selecting and hovering cells, using, deleting and buying items with
// the requests they send, every answer on success and on an error code with the balances and lists after
// it, the membership dialog's request, and leaving for the lobby.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/app/SceneId.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/InProgressDialog.h"
#include "client/scenes/common/ItemPreview.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/shop/DeleteItemConfirm.h"
#include "client/scenes/shop/ItemUseConfirmWindow.h"
#include "client/scenes/shop/MembershipDialog.h"
#include "client/scenes/shop/NicknameChangeDialog.h"
#include "client/scenes/shop/ShopItemDetailPanel.h"
#include "client/scenes/shop/ShopPreviewPanel.h"
#include "client/ui/EditBox.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "platform/system/ScopedFpuMode.h"
#include "tests/client/scenes/shop/ShopScreen.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;
using Bytes = std::vector<uint8_t>;

constexpr uint32_t kChalkR = 4901;

quill::WString LineOf(NoticeBox& box, size_t n) {
    return box.Line(n).GetText();
}

size_t VisibleShopCells(const SceneShop& shop) {
    size_t shown = 0;
    for (size_t n = 0; n < SceneShop::kCells; ++n) shown += shop.ShopCell(n)->IsVisible() ? 1 : 0;
    return shown;
}

// ItemBuyResult for a purchase of a counted item.
quill::Packet BoughtChalk(int64_t key, int64_t cash, int64_t cueMoney, uint32_t bonus = 0) {
    return ShopAnswer(MessageId::ItemBuyResult, [&](quill::Packet& p) {
        p.WriteU8(1).WriteU8(0).WriteI64(cash).WriteI64(cueMoney).WriteU32(bonus).WriteU32(0);
        p.WriteI64(key).WriteU32(kChalkR).WriteU8(3).WriteU8(0).WriteU16(100).WriteU16(100);
    });
}

TEST_F(ShopScreen, ActivationFillsTheSaleGridBalancesAndMembership) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Activate();
    EXPECT_EQ(scene->View(), 0);
    EXPECT_TRUE(scene->ShopPanel()->IsVisible());
    EXPECT_FALSE(scene->MyItemsPanel()->IsVisible());
    EXPECT_EQ(scene->ShopCategory(), 7);
    EXPECT_TRUE(scene->ShopTab(7)->IsChecked());
    EXPECT_EQ(VisibleShopCells(*scene), SceneShop::kCells);
    EXPECT_GT(scene->SaleCount(), SceneShop::kCells);
    EXPECT_EQ(scene->BalanceLabel(0)->GetText(), u"100,000");
    EXPECT_EQ(scene->BalanceLabel(1)->GetText(), u"50,000");
    EXPECT_EQ(scene->BalanceLabel(2)->GetText(), u"0") << "no clan";
    EXPECT_EQ(scene->MembershipValueLabel()->GetText(), u"N/A");
    EXPECT_FALSE(scene->Detail()->IsVisible());
    EXPECT_FALSE(scene->LargePreview()->IsVisible());
    EXPECT_TRUE(scene->CashButton()->IsVisible());
    EXPECT_FALSE(Box().IsVisible());
    Activate();
    EXPECT_LE(scene->BlankScenesCreated(), 1) << "one blank scene serves every visit";
}

// The balances stand in the top bar at their places, and the cash figure is not covered by the cash button,
// which stands 35 pixels above the grids beside the view buttons, in either view.
TEST_F(ShopScreen, TheCashFigureStandsInTheTopBarClearOfTheCashButton) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Activate();
    const int32_t xs[] = {373, 580, 800};
    for (size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(scene->BalanceLabel(n)->GetRect().left, xs[n]);
        EXPECT_EQ(scene->BalanceLabel(n)->GetRect().top, 41);
    }
    const WidgetRect figure = scene->BalanceLabel(0)->GetRect();
    const WidgetRect button = scene->CashButton()->GetRect();
    EXPECT_EQ(button.left, 320);
    EXPECT_EQ(button.top, scene->ShopPanel()->GetRect().top - 35);
    EXPECT_EQ(button.Width(), 121);
    EXPECT_EQ(button.Height(), 33);
    const bool covered = button.left <= figure.right && figure.left <= button.right && button.top <= figure.bottom &&
                         figure.top <= button.bottom;
    EXPECT_FALSE(covered) << "button " << button.left << "," << button.top << " figure " << figure.left << ","
                          << figure.top;
    Button view;
    view.SetId(11);
    scene->OnEvent(&view, 0, 0);
    EXPECT_EQ(scene->View(), 1);
    EXPECT_TRUE(scene->CashButton()->IsVisible());
    EXPECT_TRUE(scene->CashButton()->GetParent()->IsVisible()) << "the owned items' view keeps the cash button";
}

TEST_F(ShopScreen, APartnerAccountSeesNoCashItemAndIsTold) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Connection().LocalPlayer().accountKind = 2;
    scene->SelectShopCategory(1);
    Activate();
    EXPECT_EQ(scene->ShopCategory(), 7);
    EXPECT_FALSE(scene->CashButton()->IsVisible());
    EXPECT_FALSE(scene->MembershipValueLabel()->IsVisible());
    for (size_t n = 0; n < SceneShop::kCells; ++n) {
        const ShopItemCard* card = scene->ShopCell(n);
        if (card->IsVisible()) {
            EXPECT_NE(card->Row()->record->currency, 1u) << card->Row()->itemId;
        }
    }
    ASSERT_TRUE(Box().IsVisible());
    EXPECT_EQ(LineOf(Box(), 1), u"유료 서비스 이용이 불가능합니다.");
    EXPECT_EQ(LineOf(Box(), 2), u"큐머니 아이템만 구입 가능합니다.");
}

TEST_F(ShopScreen, CategoriesFilterAndTheScrollBarPagesByRowsOfFour) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Activate();
    scene->OnEvent(scene->ShopTab(4), 0, 0);
    EXPECT_EQ(scene->ShopCategory(), 4);
    EXPECT_TRUE(scene->ShopTab(4)->IsChecked());
    EXPECT_FALSE(scene->ShopTab(7)->IsChecked());
    for (size_t n = 0; n < SceneShop::kCells; ++n) {
        const uint32_t kind = scene->ShopCell(n)->Row()->record->category;
        EXPECT_TRUE(kind >= 4 && kind <= 6) << "the items tab takes kinds 4 to 6";
    }
    scene->SelectShopCategory(5);
    EXPECT_EQ(VisibleShopCells(*scene), 3u) << "the three chalks";
    EXPECT_EQ(scene->ShopScroll()->GetCount(), 1);
    scene->SelectShopCategory(1);
    const size_t cues = VisibleShopCells(*scene);
    EXPECT_EQ(cues, SceneShop::kCells);
    scene->ShopScroll()->SetPosition(1, false);
    scene->OnEvent(scene->ShopScroll(), 0, 0);
    EXPECT_EQ(scene->ShopFirstRow(), 5);
    EXPECT_EQ(scene->ShopCell(0)->Row()->itemId, ShopGrid::SaleRows(scene->ItemTexts())[4]->itemId);
    scene->SelectShopCategory(9);
    EXPECT_EQ(VisibleShopCells(*scene), 0u) << "an empty category hides every cell";
    EXPECT_EQ(scene->ShopScroll()->GetCount(), 1);
    scene->SelectShopCategory(8);
    ASSERT_TRUE(scene->ShopCell(0)->IsVisible());
    EXPECT_EQ(scene->ShopCell(0)->Row()->itemId, 11u) << "the recommended list";
}

TEST_F(ShopScreen, AClickSelectsACellAndHoverShowsAnotherUntilTheMouseLeaves) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Activate();
    ShopItemCard& first = *scene->ShopCell(0);
    ShopItemCard& second = *scene->ShopCell(1);
    scene->OnEvent(&first, 0, 0);
    EXPECT_EQ(scene->SelectedRow(), first.Row());
    EXPECT_TRUE(first.CardButton()->IsChecked());
    EXPECT_TRUE(scene->Detail()->IsVisible());
    EXPECT_EQ(scene->Detail()->Mode(), DetailMode::kCatalogue);
    EXPECT_TRUE(scene->LargePreview()->IsVisible());
    EXPECT_EQ(scene->LargePreview()->Preview()->ItemId(), first.Row()->itemId);
    EXPECT_TRUE(scene->Detail()->ButtonOf(ShopItemDetailPanel::kBuy)->IsVisible());
    EXPECT_FALSE(scene->Detail()->ButtonOf(ShopItemDetailPanel::kUse)->IsVisible());

    scene->OnEvent(&second, Button::kEnterEvent, 0);
    EXPECT_EQ(scene->Detail()->Row(), second.Row());
    EXPECT_EQ(scene->SelectedRow(), first.Row()) << "hovering selects nothing";
    scene->OnEvent(&second, Button::kLeaveEvent, 0);
    EXPECT_EQ(scene->Detail()->Row(), first.Row());
}

TEST_F(ShopScreen, OwnedItemsListByTabAndExpiredOnesAreLeftOut) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Own(20, 1101, 3, 1);
    Own(21, kChalkR, 5, 3, 0, 100, 100);
    Own(22, 4902, 5, 3, 0, 40, 100);
    Own(23, 1102, 3, 1, 4);
    Activate();
    scene->SetView(1);
    EXPECT_EQ(scene->OwnedItems().size(), 3u);
    EXPECT_EQ(OwnedCellOf(23), -1);
    scene->SelectMyItemsCategory(5);
    EXPECT_NE(OwnedCellOf(21), -1);
    EXPECT_EQ(OwnedCellOf(20), -1);
    scene->OnEvent(scene->MyItemsTab(9), 0, 0);
    EXPECT_NE(OwnedCellOf(22), -1) << "a chalk used from is in use";
    EXPECT_EQ(OwnedCellOf(21), -1);
    scene->OnEvent(scene->MyItemsTab(10), 0, 0);
    EXPECT_NE(OwnedCellOf(21), -1);
    EXPECT_NE(OwnedCellOf(20), -1);
}

TEST_F(ShopScreen, UsingAnItemAsksFirstThenSendsTheUseWithTheWholeKey) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Own(30, 1101, 3, 1, 0, 30, 0, 2);
    Activate();
    const int64_t key = 0x20000001E;
    ASSERT_TRUE(SelectOwned(key));
    EXPECT_EQ(scene->Detail()->Mode(), DetailMode::kOwned);
    EXPECT_EQ(scene->Detail()->State()->GetText(), u"미사용");
    EXPECT_EQ(scene->Detail()->Period()->GetText(), u"30일");
    scene->OnMessage(quill::AppEventId::ShopTab1079, 0, 0);
    ASSERT_TRUE(scene->UseQuestion()->IsVisible());
    for (Widget* child : scene->UseQuestion()->GetChildren())
        if (child->GetId() == ItemUseConfirmWindow::kUse) scene->UseQuestion()->OnEvent(child, 0, 0);
    app.DrainPostedEvents();
    const auto alt = Sent(MessageId::ItemUseAlt);
    ASSERT_EQ(alt.size(), 1u);
    EXPECT_EQ(alt[0], (Bytes{17, 0, 100, 0, 0x4D, 0x04, 0, 0, 3, 0x1E, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_TRUE(scene->InProgress()->IsVisible());

    // The answer hides the notice and puts the item into use.
    Receive(ShopAnswer(MessageId::ItemUseResult, [&](quill::Packet& p) {
        p.WriteU8(0).WriteI64(key).WriteU32(1101).WriteU8(1).WriteU8(0).WriteWString(u"2030-01-31");
    }));
    EXPECT_FALSE(scene->InProgress()->IsVisible());
    EXPECT_EQ(scene->FindOwned(key)->inUse, 1u);
    EXPECT_EQ(scene->Detail()->State()->GetText(), u"사용중");
    EXPECT_EQ(scene->Detail()->Period()->GetText(), u"2030-01-31");
    Receive(ShopAnswer(MessageId::ItemUseResult, [](quill::Packet& p) { p.WriteU8(3); }));
    EXPECT_EQ(LineOf(Box(), 0), u"아이템 사용에 실패하였습니다.");
}

TEST_F(ShopScreen, UseRefusalsAndAnItemNoLongerOwned) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Own(31, kChalkR, 5, 3, 0, 100, 100);
    Activate();
    ASSERT_TRUE(SelectOwned(31));
    scene->OnMessage(quill::AppEventId::ShopTab1079, 0, 0);
    EXPECT_EQ(LineOf(Box(), 0), u"사용할 때마다 소모되는 횟수형 아이템입니다.");
    EXPECT_FALSE(scene->UseQuestion()->IsVisible());
    scene->OnMessage(quill::AppEventId::ShopItemUse, 999, 1);
    EXPECT_EQ(LineOf(Box(), 0), u"아이템 정보가 맞지 않습니다.");
    EXPECT_EQ(LineOf(Box(), 1), u"다시 로그인 하세요.");
    EXPECT_TRUE(sent->sent.empty());
}

TEST_F(ShopScreen, TheNicknameItemOpensItsDialogAndSendsTheNewName) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Own(40, 4102, 4, 2, 0, 0, 0, 1);
    Activate();
    ASSERT_TRUE(SelectOwned(0x100000028));
    scene->OnMessage(quill::AppEventId::ShopTab1079, 0, 0);
    NicknameChangeDialog& dialog = *scene->NicknameDialog();
    ASSERT_TRUE(dialog.IsVisible());
    dialog.Edit()->SetText(u"Carom");
    for (Widget* child : dialog.GetChildren())
        if (child->GetId() == NicknameChangeDialog::kOk) dialog.OnEvent(child, 0, 0);
    EXPECT_EQ(LineOf(Box(), 0), u"현재 닉네임과 같습니다.");
    dialog.Edit()->SetText(u"Cue★Ace");
    for (Widget* child : dialog.GetChildren())
        if (child->GetId() == NicknameChangeDialog::kOk) dialog.OnEvent(child, 0, 0);
    app.DrainPostedEvents();
    const auto use = Sent(MessageId::ItemUse);
    ASSERT_EQ(use.size(), 1u);
    EXPECT_EQ(use[0][13], 1) << "the sub-key travels in the key's high half";
    EXPECT_TRUE(dialog.IsVisible()) << "the dialog stays until the answer";

    Receive(ShopAnswer(MessageId::NicknameItemResult, [](quill::Packet& p) { p.WriteU8(1); }));
    EXPECT_EQ(LineOf(SecondBox(), 0), u"이 닉네임은 사용할 수 없습니다.");
    Receive(ShopAnswer(MessageId::NicknameItemResult, [](quill::Packet& p) { p.WriteU8(0); }));
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(LineOf(Box(), 1), u"적용을 위해 재접속하여야 합니다.");
    EXPECT_EQ(Box().GetEventCode(), static_cast<int32_t>(quill::AppEventId::AppQuit));
}

TEST_F(ShopScreen, DeletingAsksAndTheAnswerReturnsTheRecordToThePool) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Own(1, 3001, 1);
    Own(50, kChalkR, 5, 3, 0, 100, 100);
    Activate();
    ASSERT_TRUE(SelectOwned(1));
    scene->OnMessage(quill::AppEventId::ShopTab1080, 0, 0);
    EXPECT_EQ(LineOf(Box(), 0), u"삭제할 수 없는 아이템입니다.");
    ASSERT_TRUE(SelectOwned(50));
    const auto confirmDelete = [&] {
        scene->OnMessage(quill::AppEventId::ShopTab1080, 0, 0);
        ASSERT_TRUE(scene->DeleteQuestion()->IsVisible());
        for (Widget* child : scene->DeleteQuestion()->GetChildren())
            if (child->GetId() == DeleteItemConfirm::kOk) scene->DeleteQuestion()->OnEvent(child, 0, 0);
        app.DrainPostedEvents();
    };
    sent->emptyPool = true;
    confirmDelete();
    EXPECT_FALSE(scene->InProgress()->IsVisible()) << "a delete that cannot go waits for nothing";
    EXPECT_EQ(LineOf(Box(), 0), AwaitedRequest::kNotSent);
    sent->emptyPool = false;
    confirmDelete();
    ASSERT_EQ(Sent(MessageId::ItemDelete).size(), 1u);
    EXPECT_EQ(Sent(MessageId::ItemDelete)[0], (Bytes{12, 0, 105, 0, 50, 0, 0, 0, 0, 0, 0, 0}));

    Receive(ShopAnswer(MessageId::ItemDeleteResult, [](quill::Packet& p) { p.WriteU8(1); }));
    EXPECT_EQ(LineOf(Box(), 0), u"사용중인 아이템 삭제 오류!");
    EXPECT_TRUE(scene->FindOwned(50).has_value());
    const int32_t inUse = Connection().Items().ItemsInUse();
    Receive(ShopAnswer(MessageId::ItemDeleteResult, [](quill::Packet& p) { p.WriteU8(0).WriteI64(50); }));
    EXPECT_FALSE(scene->FindOwned(50).has_value());
    EXPECT_EQ(Connection().Items().ItemsInUse(), inUse - 1);
    EXPECT_FALSE(scene->SelectedOwned().has_value());
    EXPECT_FALSE(scene->Detail()->IsVisible());
    EXPECT_EQ(OwnedCellOf(50), -1);
}

TEST_F(ShopScreen, AnItemCountedDownToZeroLeavesNoBinding) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Own(60, 4902, 5, 3, 0, 2, 100);
    Activate();
    ASSERT_TRUE(SelectOwned(60));
    Receive(ShopAnswer(MessageId::ItemQuantity, [](quill::Packet& p) { p.WriteU8(0).WriteI64(60).WriteU16(1); }));
    EXPECT_EQ(scene->FindOwned(60)->remaining, 1);
    EXPECT_EQ(scene->SelectedOwned(), 60);
    Receive(ShopAnswer(MessageId::ItemQuantity, [](quill::Packet& p) { p.WriteU8(0).WriteI64(60).WriteU16(0); }));
    EXPECT_FALSE(scene->FindOwned(60).has_value());
    EXPECT_FALSE(scene->SelectedOwned().has_value());
    EXPECT_FALSE(scene->Detail()->IsVisible());
    EXPECT_FALSE(scene->Detail()->OwnedKey().has_value());
    EXPECT_EQ(OwnedCellOf(60), -1);
}

TEST_F(ShopScreen, BuyingAChalkSendsItemBuyAndTheAnswerListsIt) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Activate();
    scene->SelectShopCategory(5);
    const int32_t cell = ShopCellOf(kChalkR);
    ASSERT_GE(cell, 0);
    scene->OnEvent(scene->ShopCell(static_cast<size_t>(cell)), 0, 0);
    scene->OnMessage(quill::AppEventId::ItemDialogResult, 1, 0);
    PurchaseDialog& dialog = *scene->Purchase();
    ASSERT_TRUE(dialog.IsVisible());
    EXPECT_EQ(dialog.Item().id, kChalkR);
    // With no packet free the purchase cannot go: no in-progress notice (its only button ends the program) waits
    // for an answer that cannot come; the notice box says so, and the dialog takes another try.
    sent->emptyPool = true;
    dialog.OnEvent(dialog.OkButton(), 0, 0);
    app.DrainPostedEvents();
    EXPECT_FALSE(scene->InProgress()->IsVisible());
    EXPECT_EQ(LineOf(Box(), 0), AwaitedRequest::kNotSent);
    EXPECT_TRUE(dialog.OkButton()->IsEnabled());
    sent->emptyPool = false;
    dialog.OnEvent(dialog.OkButton(), 0, 0);
    app.DrainPostedEvents();
    const auto buy = Sent(MessageId::ItemBuy);
    ASSERT_EQ(buy.size(), 1u);
    EXPECT_EQ(buy[0][4] | buy[0][5] << 8, static_cast<int>(kChalkR));
    EXPECT_TRUE(scene->InProgress()->IsVisible());

    Receive(ShopAnswer(MessageId::ItemBuyResult, [](quill::Packet& p) { p.WriteU8(1).WriteU8(2); }));
    EXPECT_EQ(LineOf(Box(), 0), u"Not enough money.");
    Receive(BoughtChalk(0x70, 100000, 49000, 2000));
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_FALSE(scene->InProgress()->IsVisible());
    EXPECT_EQ(LineOf(Box(), 0), u"아이템을 구입하였습니다.");
    EXPECT_EQ(LineOf(Box(), 2), u"큐머니 2,000원이 추가로 지급되었습니다.");
    EXPECT_EQ(scene->BalanceLabel(1)->GetText(), u"49,000");
    ASSERT_TRUE(scene->FindOwned(0x70).has_value());
    EXPECT_EQ(scene->FindOwned(0x70)->remaining, 100);
    scene->SetView(1);
    EXPECT_NE(OwnedCellOf(0x70), -1);
}

TEST_F(ShopScreen, SuspendedItemsAndTunedCuesAreNotSoldThroughThePurchase) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Activate();
    for (uint32_t id : {4111u, 3100u}) {
        scene->SelectShopCategory(id == 4111u ? 4 : 1);
        int32_t cell = ShopCellOf(id);
        for (int32_t page = 1; cell < 0 && page < 10; ++page) {
            scene->ShopScroll()->SetPosition(page, false);
            scene->OnEvent(scene->ShopScroll(), 0, 0);
            cell = ShopCellOf(id);
        }
        ASSERT_GE(cell, 0) << id;
        scene->OnEvent(scene->ShopCell(static_cast<size_t>(cell)), 0, 0);
        scene->OnMessage(quill::AppEventId::ItemDialogResult, 1, 0);
        EXPECT_FALSE(scene->Purchase()->IsVisible()) << id;
    }
    EXPECT_TRUE(sent->sent.empty());
}

TEST_F(ShopScreen, MembershipAnswersAndTheDialogsRequest) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Activate();
    Receive(ShopAnswer(MessageId::MembershipResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(90000).WriteI64(60000).WriteU32(0).WriteU8(0);
    }));
    EXPECT_FALSE(Box().IsVisible()) << "state 0 shows no notice";
    EXPECT_EQ(scene->BalanceLabel(0)->GetText(), u"90,000");
    Receive(ShopAnswer(MessageId::MembershipResult, [](quill::Packet& p) { p.WriteU8(4); }));
    EXPECT_EQ(LineOf(Box(), 0), u"이미 Kestrovan클럽에 가입된 사용자입니다.");
    Box().SetVisible(false);
    Receive(ShopAnswer(MessageId::MembershipResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(80200).WriteI64(60000).WriteU32(300000).WriteU8(2).WriteWString(u"2030-02-01").WriteU16(1);
    }));
    EXPECT_EQ(LineOf(Box(), 1), u"만료 일자는 2030-02-01 입니다.");
    EXPECT_EQ(LineOf(Box(), 2), u"보너스 큐머니 300,000 원이 충전되었습니다.");
    EXPECT_EQ(scene->MembershipCaptionLabel()->GetText(), u"Std. Membership :");
    EXPECT_EQ(Connection().MembershipState(), 2);
    EXPECT_NE(Connection().LocalPlayer().FindItemByType(4901), nullptr) << "the membership's built-in chalk";

    Connection().SetTaggedText(0, u"", 0);
    MembershipDialog& dialog = *scene->Membership();
    dialog.Open();
    ASSERT_TRUE(dialog.IsVisible());
    EXPECT_TRUE(dialog.KindButton(3)->IsChecked()) << "no membership starts on the plus kind";
    for (int32_t id : {MembershipDialog::kStandard, MembershipDialog::kDays90, MembershipDialog::kBuy})
        for (Widget* child : dialog.GetChildren())
            if (child->GetId() == id) dialog.OnEvent(child, 0, 0);
    app.DrainPostedEvents();
    const auto request = Sent(MessageId::MembershipRequest);
    ASSERT_EQ(request.size(), 1u);
    EXPECT_EQ(request[0], (Bytes{12, 0, 83, 0, 1, 0, 2, 2, 0, 0, 0, 0}));
}

TEST_F(ShopScreen, DefaultItemAnswersBindTheItemPerGameType) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Own(70, 1101, 3, 1);
    Activate();
    Receive(ShopAnswer(MessageId::DefaultItemResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteU8(3).WriteI64(70).WriteU32(1101).WriteU8(1).WriteU8(0).WriteWString(u"2030-03-01");
    }));
    const quill::PlayerState& player = Connection().LocalPlayer();
    EXPECT_EQ(player.equippedTable[3].key, 70u);
    EXPECT_EQ(player.equippedTable[3].typeCode, 1101);
    EXPECT_EQ(player.equipped[3].key, 0u) << "only the table binding";
    EXPECT_EQ(LineOf(SecondBox(), 0), u"해당 종목에 기본당구대로 지정되었습니다.");
    Receive(ShopAnswer(MessageId::GameDefaultItemResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteU8(12).WriteU8(4).WriteI64(70).WriteU32(1101).WriteU8(1).WriteU8(0).WriteWString(u"x");
    }));
    EXPECT_EQ(player.equippedBallSet[12].key, 70u);
    EXPECT_EQ(player.equippedBallSet[11].key, 0u);
    // The table now bound cannot be deleted.
    ASSERT_TRUE(SelectOwned(70));
    scene->OnMessage(quill::AppEventId::ShopTab1080, 0, 0);
    EXPECT_NE(LineOf(Box(), 0).find(u"종목에 사용중이어서 삭제할 수 없습니다."), quill::WString::npos);
}

TEST_F(ShopScreen, ToLobbySendsLeaveShopThenSwitchesAndLeavingLetsGo) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Own(80, kChalkR, 5, 3, 0, 100, 100);
    Activate();
    for (Widget* child : scene->GetChildren())
        if (child->GetId() == SceneShop::kToLobby) scene->OnEvent(child, 0, 0);
    ASSERT_EQ(Sent(MessageId::LeaveShop).size(), 1u);
    EXPECT_EQ(Sent(MessageId::LeaveShop)[0], (Bytes{5, 0, 0x79, 0x04, 0}));
    EXPECT_TRUE(scene->IsChangePending());
    EXPECT_EQ(scene->NextSceneId(), SceneId::Lobby);
    scene->OnLeave(nullptr, nullptr);
    EXPECT_TRUE(scene->OwnedItems().empty());
    EXPECT_EQ(scene->LoadResources(nullptr, nullptr), 1) << "a load after the leave is allowed";
}

TEST_F(ShopScreen, TheCashButtonOpensTheInGamePageOnTheMainThread) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Activate();
    scene->OnEvent(scene->CashButton(), 0, 0);
    EXPECT_EQ(scene->WebWindowsOpened(), 0) << "nothing before the main thread's pass";
    scene->Render(nullptr, false);
    EXPECT_EQ(scene->WebWindowsOpened(), 1);
}

}  // namespace
}  // namespace kestrovan::test

namespace kestrovan::test {
namespace {

using quill::MessageId;

TEST_F(ShopScreen, TheWorkshopsAnswersCoinGiftsAndReconnectingUses) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    quill::InventoryItem& cue = Own(90, 3100, 1);
    cue.customFlag = 1;
    cue.durabilityCurrent = 100000;
    cue.durabilityTotal = 100000;
    Activate();
    Receive(ShopAnswer(MessageId::PartsBuyResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(90000).WriteI64(40000).WriteI64(90);
        for (uint16_t part = 1; part <= 5; ++part) p.WriteU16(part);
        for (uint8_t stat = 1; stat <= 5; ++stat) p.WriteU8(stat);
        p.WriteU32(80000).WriteU32(120000);
    }));
    EXPECT_EQ(LineOf(Box(), 0), u"파츠 구입을 성공적으로 수행하였습니다.");
    EXPECT_EQ(scene->FindOwned(90)->statValues[4], 5);
    EXPECT_EQ(scene->FindOwned(90)->durabilityTotal, 120000u);
    EXPECT_EQ(scene->BalanceLabel(1)->GetText(), u"40,000");
    Receive(ShopAnswer(MessageId::PartsBuyResult, [](quill::Packet& p) { p.WriteU8(5); }));
    EXPECT_EQ(LineOf(Box(), 0), u"잘못된 파츠 번호가 있습니다.");

    Receive(ShopAnswer(MessageId::CueUpgradeResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(1).WriteI64(2).WriteI64(90).WriteU8(1).WriteI64(7000);
        for (uint8_t stat = 0; stat < 5; ++stat) p.WriteU8(9);
    }));
    EXPECT_EQ(LineOf(Box(), 0), u"업그레이드에 성공하였습니다. (+1)");
    EXPECT_EQ(scene->FindOwned(90)->upgradePoints, 7000);
    Receive(ShopAnswer(MessageId::CueUpgradeResult, [](quill::Packet& p) { p.WriteU8(4); }));
    EXPECT_EQ(LineOf(Box(), 0), u"큐의 업그레이트 포인트가 부족합니다.");

    // A repair that lost 2,100 thousandths: the loss rounds up to 3 points.
    Receive(ShopAnswer(MessageId::CueRepairResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(1).WriteI64(2).WriteI64(90).WriteU32(117900);
    }));
    EXPECT_EQ(LineOf(Box(), 1), u"전체 내구도가 3만큼 감소하였습니다.");
    EXPECT_EQ(scene->FindOwned(90)->durabilityCurrent, 117900u);
    Receive(ShopAnswer(MessageId::CueRepairResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(1).WriteI64(2).WriteI64(90).WriteU32(117900);
    }));
    EXPECT_EQ(LineOf(Box(), 1), u"내구도가 완전히 복원되었습니다.");
    Receive(ShopAnswer(MessageId::CueRetuneResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(500).WriteI64(90);
        for (uint8_t stat = 0; stat < 5; ++stat) p.WriteU8(3);
    }));
    EXPECT_EQ(LineOf(Box(), 0), u"성능 옵션이 재설정되었습니다.");
    EXPECT_EQ(scene->BalanceLabel(0)->GetText(), u"500");
    Receive(ShopAnswer(MessageId::CueRetuneResult, [](quill::Packet& p) { p.WriteU8(9); }));
    EXPECT_EQ(LineOf(Box(), 0), u"처리에 오류가 있습니다.");

    Receive(ShopAnswer(MessageId::CoinGiftResult, [](quill::Packet& p) { p.WriteU8(0).WriteU32(100).WriteWString(u"Ann"); }));
    EXPECT_EQ(LineOf(Box(), 0), u"Ann 님에게 코인을 선물하였습니다.");
    Receive(ShopAnswer(MessageId::CoinGiftResult, [](quill::Packet& p) { p.WriteU8(2); }));
    EXPECT_EQ(LineOf(Box(), 0), u"받는 사람이 잘못되었습니다.");
    Receive(ShopAnswer(MessageId::ItemUseReconnect, [](quill::Packet& p) { p.WriteU8(2); }));
    EXPECT_EQ(LineOf(SecondBox(), 0), u"DB처리 중 오류입니다.");
    Receive(ShopAnswer(MessageId::ItemUseReconnect, [](quill::Packet& p) { p.WriteU8(0); }));
    EXPECT_EQ(Box().GetEventCode(), static_cast<int32_t>(quill::AppEventId::AppQuit));
    // A truncated answer is dropped without a box.
    Box().SetVisible(false);
    Receive(ShopAnswer(MessageId::CueRepairResult, [](quill::Packet& p) { p.WriteU8(0).WriteU32(1); }));
    EXPECT_FALSE(Box().IsVisible());
}

TEST_F(ShopScreen, ARepairsLossReadsTheSameOnAThreadThatRoundsTowardZero) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    quill::InventoryItem& cue = Own(90, 3102, 1);
    cue.customFlag = 1;
    cue.durabilityCurrent = 50000;
    cue.durabilityTotal = 100000;
    Activate();
    const platform::ScopedFpuMode physicsMode;  // the mode the physics leaves on its thread
    // 1,100 thousandths lost: 1.1 + 0.9 is exactly two points.
    Receive(ShopAnswer(MessageId::CueRepairResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(1).WriteI64(2).WriteI64(90).WriteU32(98900);
    }));
    EXPECT_EQ(LineOf(Box(), 1), u"전체 내구도가 2만큼 감소하였습니다.");
    // 1,099 thousandths lost is not yet two.
    Receive(ShopAnswer(MessageId::CueRepairResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(1).WriteI64(2).WriteI64(90).WriteU32(97801);
    }));
    EXPECT_EQ(LineOf(Box(), 1), u"전체 내구도가 1만큼 감소하였습니다.");
}

TEST_F(ShopScreen, DeletingTheCurrentChalkSelectsAnotherAndASecondBuildOrLoadStops) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    Own(95, kChalkR, 5, 3, 0, 100, 100);
    Own(96, 4902, 5, 3, 0, 100, 100);
    quill::PlayerState& player = Connection().LocalPlayer();
    player.SelectItem(95, 0);
    Activate();
    Receive(ShopAnswer(MessageId::ItemDeleteResult, [](quill::Packet& p) { p.WriteU8(0).WriteI64(95); }));
    ASSERT_NE(player.GetCurrentCue(), nullptr);
    EXPECT_EQ(player.GetCurrentCue()->key, 96u) << "another chalk is current";

    const char* reported = nullptr;
    quill::SetBreakHook([&reported](const char* file, int) {
        reported = file;
        throw 1;
    });
    EXPECT_THROW(scene->Init(), int);
    EXPECT_STREQ(reported, "SceneShop");
    reported = nullptr;
    EXPECT_EQ(scene->LoadResources(nullptr, nullptr), 1);
    EXPECT_THROW(scene->LoadResources(nullptr, nullptr), int) << "a second load without a leave";
    quill::SetBreakHook({});
    EXPECT_STREQ(reported, "SceneShop");
}

TEST_F(ShopScreen, SymbolsGoInUntilTheNicknameTakesElevenBytes) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    NicknameChangeDialog& dialog = *scene->NicknameDialog();
    dialog.Open();
    Widget* star = nullptr;
    for (Widget* child : dialog.GetChildren())
        if (child->GetId() == NicknameChangeDialog::kFirstSymbol + 6) star = child;
    ASSERT_NE(star, nullptr);
    dialog.Edit()->SetText(u"abcdefgh");
    dialog.Edit()->SetCaret(8);
    dialog.OnEvent(star, 0, 0);
    EXPECT_EQ(dialog.Edit()->GetText(), u"abcdefgh☆") << "at the caret; 10 bytes";
    dialog.Edit()->SetText(u"abcdefghijk");
    dialog.OnEvent(star, 0, 0);
    EXPECT_EQ(dialog.Edit()->GetText(), u"abcdefghijk");
    EXPECT_EQ(LineOf(Box(), 0), u"Nickname length limit : 12bytes.");
}

}  // namespace
}  // namespace kestrovan::test
