// The cue workshop inside the shop on the headless online App: the personal-cue window's slots, info panel and
// menu; the checks, confirmations and requests of repair, re-tune, option upgrade and parts purchase; and the
// server's answers applied to the cue and the windows.
#include <gtest/gtest.h>

#include <array>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/InProgressDialog.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/shop/CueOptionUpgradeWindow.h"
#include "client/scenes/shop/CuePartThumbnail.h"
#include "client/scenes/shop/CuePartsWindow.h"
#include "client/scenes/shop/CueRepairWindow.h"
#include "client/scenes/shop/CueRetuneWindow.h"
#include "client/scenes/shop/CueUpgradeWindow.h"
#include "client/scenes/shop/CueWorkshop.h"
#include "client/scenes/shop/PersonalCueSlot.h"
#include "client/scenes/shop/PersonalCueWindow.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/shop/ShopScreen.h"

namespace kestrovan::test {
namespace {

using quill::AppEventId::CueOptionConfirm;
using quill::AppEventId::CuePartsConfirm;
using quill::AppEventId::CueRepairConfirm;
using quill::MessageId;
using Bytes = std::vector<uint8_t>;

constexpr uint32_t kOk = NoticeBox::kOkLeft;

// The control of that id inside the window (depth first), or null.
Widget* FindControl(Widget& parent, int32_t id) {
    for (Widget* child : parent.GetChildren()) {
        if (child->GetId() == id && child->GetKind() == WidgetKind::Button) return child;
        if (Widget* found = FindControl(*child, id)) return found;
    }
    return nullptr;
}

class WorkshopScreen : public ShopScreen {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    CueWorkshop& Workshop() { return *scene->Workshop(); }
    PersonalCueWindow& Management() { return Workshop().Management(); }

    // A personal cue owned by the player: options, parts, durability (thousandths) and upgrade points.
    quill::InventoryItem& OwnCue(uint32_t key, uint32_t type, uint32_t current, uint32_t total,
                                 quill::WStringView name = u"My cue") {
        quill::InventoryItem& cue = Own(key, type, 1);
        cue.customFlag = 1;
        cue.durabilityCurrent = current;
        cue.durabilityTotal = total;
        cue.name = quill::WString(name);
        return cue;
    }

    void Click(Widget& window, int32_t id) {
        Widget* control = FindControl(window, id);
        ASSERT_NE(control, nullptr) << "control " << id;
        window.OnEvent(control, 0, 0);
    }
    // Opens the workshop and the menu entry for the cue in slot n.
    void OpenEntry(size_t slot, int32_t entry) {
        scene->OnEvent(FindControl(*scene, SceneShop::kWorkshop), 0, 0);
        Management().OnEvent(Management().Slot(slot)->GetButton(), 0, 0);
        Click(*Management().Menu(), entry);
    }
    void Confirm(uint32_t event, uint32_t value) { scene->OnMessage(event, kOk, value); }
    quill::WString NoticeLine(size_t n) { return Box().Line(n).GetText(); }
};

TEST_F(WorkshopScreen, SlotsShowThePersonalCuesLastFirstAndTheInfoOfTheChosenOne) {
    TheItemModelCatalogue().AddStockModels(quill::TheCuePartCatalogue());  // as the program registers them
    Activate();
    scene->OnEvent(FindControl(*scene, SceneShop::kWorkshop), 0, 0);
    EXPECT_TRUE(Management().IsVisible());
    EXPECT_TRUE(Management().EmptyText()->IsVisible());
    EXPECT_FALSE(Management().Slot(0)->IsVisible());
    EXPECT_FALSE(Management().InfoPanel()->IsVisible());
    Management().SetVisible(false);

    quill::InventoryItem& first = OwnCue(1, 3101, 12345, 100000, u"first");
    first.statistics = {7, 4, 0, 0, 3};
    first.statValues = {1, 5, 0, 2, 0};
    Own(2, 4901, 5);  // chalk, not a cue
    for (uint32_t key = 3; key <= 6; ++key) OwnCue(key, 3100, 1000000, 1000000, u"later");
    OwnCue(7, 3102, 50000, 100000, u"last");
    scene->OnEvent(FindControl(*scene, SceneShop::kWorkshop), 0, 0);
    EXPECT_FALSE(Management().EmptyText()->IsVisible());
    EXPECT_EQ(Management().CueCount(), 6);
    EXPECT_EQ(Management().Slot(0)->Cue()->key, 7u);
    EXPECT_EQ(Management().Slot(3)->Cue()->key, 4u) << "four slots, newest first";
    EXPECT_EQ(Management().Selected(), 0u);
    EXPECT_TRUE(Management().PointsLabel()->IsVisible()) << "a tuning cue shows its points";

    Management().SetVisible(false);
    for (uint32_t key = 3; key <= 7; ++key) Connection().FreeItem(Connection().LocalPlayer().RemoveItem(key, 0));
    scene->OnEvent(FindControl(*scene, SceneShop::kWorkshop), 0, 0);
    // A toggle's click carries its check state after the click.
    Management().OnEvent(Management().Slot(0)->GetButton(), 1, 0);
    EXPECT_EQ(Management().DurabilityLabel()->GetText(), u"12/100");
    // A tuning cue whose type has no model of its own in the catalogue shows as the tuned cue with its parts.
    ASSERT_NE(Management().Slot(0)->Preview()->Record(), nullptr) << "the cue of type 3101 in its slot";
    EXPECT_EQ(Management().Slot(0)->Preview()->Record()->partIds, (std::array<int16_t, 5>{1, 5, 0, 2, 0}));
    EXPECT_EQ(Management().EffectLabel(0)->GetText(), u"+3");
    EXPECT_EQ(Management().EffectLabel(1)->GetText(), u"10%");
    EXPECT_EQ(Management().EffectLabel(4)->GetText(), u"7%");
    EXPECT_TRUE(Management().Menu()->IsVisible());
    EXPECT_EQ(Management().ThirdEntry()->GetCaption()->GetText(), u"업그레이드");
}

TEST_F(WorkshopScreen, TheMenuOpensTheWindowOfTheCuesFamily) {
    OwnCue(1, 3100, 1000000, 1000000);
    Activate();
    OpenEntry(0, PersonalCueWindow::kUpgradeEntry);
    EXPECT_EQ(Management().ThirdEntry()->GetCaption()->GetText(), u"성능재설정");
    EXPECT_TRUE(Workshop().Retune().IsVisible()) << "the custom cue is re-tuned";
    EXPECT_FALSE(Workshop().Upgrade().IsVisible());
    EXPECT_FALSE(Management().PointsLabel()->IsVisible());
    OpenEntry(0, PersonalCueWindow::kRepairEntry);
    EXPECT_TRUE(Workshop().Repair().IsVisible());
    EXPECT_FALSE(Workshop().Repair().AdvancedButton()->IsVisible());
    OpenEntry(0, PersonalCueWindow::kPartsEntry);
    EXPECT_TRUE(Workshop().Parts().IsVisible());
}

TEST_F(WorkshopScreen, RepairChecksThresholdAndMoneyAndSendsTheLastButtonsMode) {
    OwnCue(0x21, 3101, 80001, 100000);
    Activate();
    OpenEntry(0, PersonalCueWindow::kRepairEntry);
    CueRepairWindow& repair = Workshop().Repair();
    EXPECT_EQ(repair.CostLabel()->GetText(), u"2,850 (큐머니)");
    EXPECT_EQ(repair.AdvancedCostLabel()->GetText(), u"8,550 (큐머니)");
    Click(repair, WorkshopWindow::kOk);
    EXPECT_EQ(NoticeLine(0), u"내구도가 80% 미만일 때만 수리 가능합니다.");
    EXPECT_TRUE(Sent(MessageId::CueRepair).empty());

    Connection().LocalPlayer().FindItem(0x21, 0)->durabilityCurrent = 80000;
    OpenEntry(0, PersonalCueWindow::kRepairEntry);
    Connection().LocalPlayer().cueMoney = 8000;
    Click(repair, CueRepairWindow::kAdvanced);
    EXPECT_EQ(NoticeLine(0), u"Not enough money.") << "the advanced cost is 9,000";
    Click(repair, WorkshopWindow::kOk);
    EXPECT_EQ(Box().Title().GetText(), u"튜닝큐 수리");
    EXPECT_EQ(Box().GetEventCode(), static_cast<int32_t>(CueRepairConfirm));
    scene->OnMessage(CueRepairConfirm, NoticeBox::kCancel, 1);
    EXPECT_TRUE(Sent(MessageId::CueRepair).empty()) << "cancel sends nothing";
    Confirm(CueRepairConfirm, 1);
    ASSERT_EQ(Sent(MessageId::CueRepair).size(), 1u);
    EXPECT_EQ(Sent(MessageId::CueRepair)[0], (Bytes{13, 0, 119, 0, 0, 0x21, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(scene->InProgress()->IsVisible()) << "the shop waits for the answer";

    // A repair that cannot be sent leaves no in-progress notice waiting for an answer: the notice box says so.
    scene->InProgress()->SetVisible(false);
    sent->emptyPool = true;
    Confirm(CueRepairConfirm, 1);
    EXPECT_EQ(Sent(MessageId::CueRepair).size(), 1u);
    EXPECT_FALSE(scene->InProgress()->IsVisible());
    EXPECT_EQ(NoticeLine(0), AwaitedRequest::kNotSent);
}

TEST_F(WorkshopScreen, TheCustomCueIsRepairedForCashAtATenth) {
    OwnCue(5, 3100, 100000, 1000000);
    Connection().LocalPlayer().money = 8799;
    Activate();
    OpenEntry(0, PersonalCueWindow::kRepairEntry);
    EXPECT_EQ(Workshop().Repair().CostLabel()->GetText(), u"8,800 (캐시)");
    Click(Workshop().Repair(), WorkshopWindow::kOk);
    EXPECT_EQ(NoticeLine(0), u"Not enough cash.");
    Connection().LocalPlayer().money = 8800;
    Click(Workshop().Repair(), WorkshopWindow::kOk);
    EXPECT_EQ(Box().Title().GetText(), u"커스텀큐 수리");
}

TEST_F(WorkshopScreen, RetuneSpendsExactly150PointsBeforeAsking) {
    OwnCue(9, 3100, 1000000, 1000000);
    Activate();
    OpenEntry(0, PersonalCueWindow::kUpgradeEntry);
    CueRetuneWindow& retune = Workshop().Retune();
    EXPECT_EQ(retune.PointsLeft(), 150);
    for (int32_t option = 0; option < 4; ++option)
        for (int n = 0; n < 41; ++n) Click(retune, CueRetuneWindow::kFirstValueButton + 2 * option + 1);
    EXPECT_EQ(retune.Values(), (CueOptions{40, 40, 40, 30, 0}));
    Click(retune, CueRetuneWindow::kFirstValueButton + 6);
    EXPECT_EQ(retune.PointsLeft(), 1);
    Click(retune, WorkshopWindow::kOk);
    EXPECT_EQ(NoticeLine(0), u"성능 포인트가 아직 남아 있습니다.");
    Click(retune, CueRetuneWindow::kFirstValueButton + 9);
    EXPECT_EQ(retune.EffectLabel(3)->GetText(), u"+14%");
    Click(retune, WorkshopWindow::kOk);
    EXPECT_EQ(SecondBox().Title().GetText(), u"성능 재조정");
    Confirm(CueOptionConfirm, 1);
    ASSERT_EQ(Sent(MessageId::CueRetune).size(), 1u);
    EXPECT_EQ(Sent(MessageId::CueRetune)[0], (Bytes{17, 0, 121, 0, 9, 0, 0, 0, 0, 0, 0, 0, 40, 40, 40, 29, 1}));

    Receive(ShopAnswer(MessageId::CueRetuneResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(91200).WriteI64(9);
        for (uint8_t v : {40, 40, 40, 29, 1}) p.WriteU8(v);
    }));
    EXPECT_FALSE(retune.IsVisible());
    EXPECT_EQ(retune.Cue()->statistics, (CueOptions{40, 40, 40, 29, 1}));
    EXPECT_EQ(Management().EffectLabel(0)->GetText(), u"+20");
    EXPECT_EQ(NoticeLine(0), u"성능 옵션이 재설정되었습니다.");
    retune.SetVisible(true);
    EXPECT_EQ(retune.PointsLeft(), 150) << "every show starts again";
}

TEST_F(WorkshopScreen, UpgradeChecksLimitMoneyAndPointsThenSendsTheOption) {
    quill::InventoryItem& cue = OwnCue(0x30, 3101, 100000, 100000);
    cue.statistics = {20, 0, 19, 0, 0};  // the butt 0 allows power 20
    cue.statValues = {0, 0, 0, 0, 4};    // the tip 4 allows spin 30
    cue.upgradePoints = 1999;
    Connection().LocalPlayer().cueMoney = 8599;
    Activate();
    OpenEntry(0, PersonalCueWindow::kUpgradeEntry);
    ASSERT_TRUE(Workshop().Upgrade().IsVisible());
    CueOptionUpgradeWindow& option = Workshop().OptionUpgrade();
    Click(Workshop().Upgrade(), CueUpgradeWindow::kFirstOption + 0);
    EXPECT_TRUE(option.IsVisible());
    EXPECT_EQ(option.PartLabel()->GetText(), u"butt 1번");
    EXPECT_EQ(option.NextLabel()->GetText(), u"21  +10.5");
    Click(option, WorkshopWindow::kOk);
    EXPECT_EQ(NoticeLine(1), u"상위 등급의 파츠가 필요합니다.");

    Click(Workshop().Upgrade(), CueUpgradeWindow::kFirstOption + 2);
    EXPECT_EQ(option.PartLabel()->GetText(), u"cue tip 5번");
    EXPECT_EQ(option.RateLabel()->GetText(), u"71% (Kestrovan클럽 86%)");
    EXPECT_EQ(option.CostLabel()->GetText(), u"8,600 (큐머니)");
    Click(option, WorkshopWindow::kOk);
    EXPECT_EQ(NoticeLine(0), u"업그레이드에 필요한 큐머니가 부족합니다.");
    Connection().LocalPlayer().cueMoney = 8600;
    Click(option, WorkshopWindow::kOk);
    EXPECT_EQ(NoticeLine(0), u"큐의 업그레이드 포인트가 부족합니다.") << "1.999 points, 2 needed";
    Connection().LocalPlayer().FindItem(0x30, 0)->upgradePoints = 2000;
    Management().SetVisible(false);
    OpenEntry(0, PersonalCueWindow::kUpgradeEntry);
    Click(Workshop().Upgrade(), CueUpgradeWindow::kFirstOption + 2);
    Click(option, WorkshopWindow::kOk);
    EXPECT_EQ(SecondBox().Title().GetText(), u"튜닝큐 업그레이드");
    Confirm(CueOptionConfirm, 2);
    ASSERT_EQ(Sent(MessageId::CueUpgrade).size(), 1u);
    EXPECT_EQ(Sent(MessageId::CueUpgrade)[0], (Bytes{14, 0, 117, 0, 1, 0x30, 0, 0, 0, 0, 0, 0, 0, 2}));

    Receive(ShopAnswer(MessageId::CueUpgradeResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(100000).WriteI64(0).WriteI64(0x30).WriteU8(1).WriteI64(0);
        for (uint8_t v : {20, 0, 20, 0, 0}) p.WriteU8(v);
    }));
    EXPECT_TRUE(option.IsVisible()) << "the upgrade windows stay open";
    EXPECT_EQ(option.Terms().current, 20);
    EXPECT_EQ(Workshop().Upgrade().ValueLabel(2)->GetText(), u"20");
    EXPECT_EQ(NoticeLine(0), u"업그레이드에 성공하였습니다. (+1)");
}

TEST_F(WorkshopScreen, PartsPageByTypeTotalPerCurrencyAndBuyOnlyTheChanges) {
    OwnCue(0x40, 3101, 100000, 100000);
    Activate();
    OpenEntry(0, PersonalCueWindow::kPartsEntry);
    CuePartsWindow& parts = Workshop().Parts();
    Click(parts, WorkshopWindow::kOk);
    EXPECT_EQ(NoticeLine(0), u"변경 내용이 없습니다.");

    Click(parts, CuePartsWindow::kFirstTab + 1);
    for (int n = 0; n < 8; ++n) Click(parts, CuePartsWindow::kNextPage);
    EXPECT_EQ(parts.PageStart(1), 33);
    EXPECT_FALSE(parts.NextPage()->IsVisible()) << "the ninth page is the last";
    EXPECT_TRUE(parts.Thumbnail(3)->IsVisible());
    Click(parts, CuePartsWindow::kFirstThumbnail + 3);  // butt 35: 15,000 cash
    EXPECT_EQ(parts.Chosen()[1], 35);
    EXPECT_EQ(parts.PriceLabel()->GetText(), u"15,000 (캐시)");
    Click(parts, CuePartsWindow::kFirstTab + 0);
    Click(parts, CuePartsWindow::kFirstThumbnail + 1);  // shaft 1: 10,000, the included currency
    EXPECT_EQ(parts.Totals(), (CueMoneyTotals{15000, 10000}));
    Click(parts, CuePartsWindow::kFirstThumbnail + 0);  // back to the present shaft
    EXPECT_EQ(parts.PriceLabel()->GetText(), u"변경 안함");
    EXPECT_EQ(parts.Totals(), (CueMoneyTotals{15000, 0}));

    Click(parts, WorkshopWindow::kOk);
    EXPECT_EQ(Box().Title().GetText(), u"파츠 구입");
    Confirm(CuePartsConfirm, 0);
    ASSERT_EQ(Sent(MessageId::PartsBuy).size(), 1u);
    EXPECT_EQ(Sent(MessageId::PartsBuy)[0], (Bytes{16, 0, 115, 0, 0x40, 0, 0, 0, 0, 0, 0, 0, 1, 1, 35, 0}));

    Receive(ShopAnswer(MessageId::PartsBuyResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(85000).WriteI64(50000).WriteI64(0x40);
        for (uint16_t v : {0, 35, 0, 0, 0}) p.WriteU16(v);
        for (uint8_t v : {1, 2, 3, 4, 5}) p.WriteU8(v);
        p.WriteU32(90000).WriteU32(150000);
    }));
    EXPECT_FALSE(parts.IsVisible());
    const quill::InventoryItem* cue = Connection().LocalPlayer().FindItem(0x40, 0);
    EXPECT_EQ(cue->statValues[1], 35);
    EXPECT_EQ(cue->durabilityCurrent, 90000u) << "current, then total";
    EXPECT_EQ(cue->durabilityTotal, 150000u);
    EXPECT_EQ(Management().DurabilityLabel()->GetText(), u"90/150");

    OpenEntry(0, PersonalCueWindow::kPartsEntry);
    Click(parts, CuePartsWindow::kFirstTab + 2);
    Click(parts, CuePartsWindow::kFirstThumbnail + 2);
    Click(parts, CuePartsWindow::kReset);
    EXPECT_EQ(parts.Totals(), CueMoneyTotals{});
}

TEST_F(WorkshopScreen, ARepairAnswerRestoresTheCueAndReportsALoss) {
    OwnCue(0x50, 3101, 10000, 100000);
    Activate();
    OpenEntry(0, PersonalCueWindow::kRepairEntry);
    Receive(ShopAnswer(MessageId::CueRepairResult, [](quill::Packet& p) {
        p.WriteU8(0).WriteI64(100000).WriteI64(36500).WriteI64(0x50).WriteU32(97000);
    }));
    EXPECT_FALSE(Workshop().Repair().IsVisible());
    EXPECT_EQ(Management().DurabilityLabel()->GetText(), u"97/97");
    EXPECT_EQ(NoticeLine(1), u"전체 내구도가 3만큼 감소하였습니다.");
}

}  // namespace
}  // namespace kestrovan::test
