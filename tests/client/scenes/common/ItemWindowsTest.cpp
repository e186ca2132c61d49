// The room's item windows: sliding in and out (also when closed half way), the cue window's list, chosen cue
// and statistics, and the purchase window's offers for cash and gold accounts and its two actions.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "QuillLib/gamedata/ItemCatalogue.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "client/scenes/common/CueStatPanel.h"
#include "client/scenes/common/ItemSelectCell.h"
#include "client/scenes/common/ItemSelectWindow.h"
#include "client/scenes/common/PurchaseGiftWindow.h"
#include "client/scenes/common/PurchaseItemCard.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

struct Posted {
    uint32_t id, wParam;
};

class ItemWindowsTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    ItemWindowsTest() { root.Create(0, 0, 1024, 768, -1, -1); }

    quill::InventoryItem* AddCue(uint32_t key, uint32_t typeCode, uint8_t custom = 0) {
        auto item = std::make_unique<quill::InventoryItem>();
        item->typeCode = typeCode;
        item->kind = quill::ItemRecord::kCue;
        item->customFlag = custom;
        player.AddItem(key, 0, item.get());
        items.push_back(std::move(item));
        return items.back().get();
    }
    AppEventPoster Recorder() {
        return [this](uint32_t id, uint32_t w, uint32_t, uint32_t) { posted.push_back({id, w}); };
    }
    // Ticks until the window stops sliding; the number of ticks.
    static int SlideToRest(SlidingItemWindow& window) {
        int ticks = 0;
        while (window.SlideState() != SlidingItemWindow::Slide::kIdle && ticks < 100) {
            window.Tick(0);
            ++ticks;
        }
        return ticks;
    }

    Panel root;
    quill::PlayerState player;
    std::vector<std::unique_ptr<quill::InventoryItem>> items;
    std::vector<Posted> posted;
};

TEST_F(ItemWindowsTest, AWindowSlidesInAndOutAndAClosedHalfWayReturnsFromWhereItIs) {
    auto* window = static_cast<ItemSelectWindow*>(
        root.AddChild(std::make_unique<ItemSelectWindow>(player, Recorder()), false));
    window->SetVisible(true);
    EXPECT_EQ(window->GetRect().left, -SlidingItemWindow::kTravel) << "starts off the screen";
    EXPECT_EQ(SlideToRest(*window), 20) << "476 pixels at 25 a tick";
    EXPECT_EQ(window->GetRect().left, 0);
    EXPECT_EQ(window->SlideOffset(), SlidingItemWindow::kTravel);

    window->SetVisible(false);
    window->SetVisible(true);
    for (int i = 0; i < 6; ++i) window->Tick(0);
    EXPECT_EQ(window->SlideOffset(), 150);
    window->Close();
    EXPECT_EQ(SlideToRest(*window), 6) << "back out from 150";
    EXPECT_EQ(window->SlideOffset(), 0);
    EXPECT_FALSE(window->IsVisible());
}

TEST_F(ItemWindowsTest, TheCueWindowListsCuesNewestFirstAndChoosesOne) {
    AddCue(1, 3000);
    quill::InventoryItem* equipped = AddCue(2, 3001);
    for (uint32_t key = 3; key <= 6; ++key) AddCue(key, 3000);
    player.equipped[10] = {2, 0, 3001};
    auto* window = static_cast<ItemSelectWindow*>(
        root.AddChild(std::make_unique<ItemSelectWindow>(player, Recorder()), false));
    window->SetEquipSlot(10);
    window->SetVisible(true);
    EXPECT_EQ(window->CueCount(), 6);
    EXPECT_EQ(window->Scroll()->GetCount(), 3);
    EXPECT_EQ(window->Cell(0)->Item()->key, 6u) << "newest first";
    EXPECT_EQ(window->SelectedItem(), equipped);
    EXPECT_TRUE(window->Stats()->IsVisible()) << "the equipped cue's statistics";

    window->OnEvent(window->Scroll(), 3, 0);  // position 2
    EXPECT_EQ(window->Cell(0)->Item()->key, 4u);
    EXPECT_TRUE(window->Cell(2)->GetButton()->IsChecked()) << "the equipped cue stays pressed";
    EXPECT_EQ(window->Cell(3)->Item()->key, 1u);

    window->OnEvent(window->Cell(0), 0, 0);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].id, quill::AppEventId::QuickSlotA);
    EXPECT_EQ(posted[0].wParam, 1u);
    EXPECT_EQ(window->SelectedItem()->key, 4u);
    EXPECT_TRUE(window->Cell(0)->GetButton()->IsChecked());
    EXPECT_FALSE(window->Cell(2)->GetButton()->IsChecked());
}

TEST_F(ItemWindowsTest, StatisticsOfStockAndPersonalCues) {
    CueStatPanel panel;
    quill::InventoryItem stock;
    stock.kind = 1;
    stock.typeCode = 3000;
    panel.Show(stock);
    EXPECT_EQ(panel.StatName(0)->GetText(), u"Shot Power");
    EXPECT_TRUE(panel.StatValue(1)->GetText().ends_with(u"%"));
    EXPECT_TRUE(panel.StatValue(0)->GetText().starts_with(u"+"));
    EXPECT_EQ(panel.EnduranceCaption()->GetText(), u"Limited time");
    EXPECT_FALSE(panel.UpPointValue()->IsVisible());

    quill::InventoryItem tuned = stock;
    tuned.typeCode = 3102;
    tuned.customFlag = 1;
    tuned.customText = u"My cue";
    tuned.upgradePoints = 12345;
    tuned.durabilityCurrent = 800000;
    tuned.durabilityTotal = 1000000;
    panel.Show(tuned);
    EXPECT_EQ(panel.Name()->GetText(), u"My cue");
    EXPECT_EQ(panel.UpPointValue()->GetText(), u"12");
    EXPECT_EQ(panel.EnduranceCaption()->GetText(), u"Endurance");
    EXPECT_EQ(panel.EnduranceValue()->GetText(), u"800/1000");
}

TEST_F(ItemWindowsTest, ThePurchaseWindowOffersWhatTheAccountMayPayAndPostsTheAction) {
    bool noCash = false;
    auto* window = static_cast<PurchaseGiftWindow*>(
        root.AddChild(std::make_unique<PurchaseGiftWindow>(Recorder(), [&] { return noCash; }), false));
    window->SetVisible(true);
    size_t listed = 0;
    size_t forGold = 0;
    for (uint32_t id : PurchaseGiftWindow::kOfferIds) {
        if (const quill::ItemRecord* record = quill::TheItemCatalogue().FindById(id)) {
            ++listed;
            forGold += record->currency != 1 ? 1 : 0;
        }
    }
    EXPECT_EQ(window->OfferCount(), static_cast<int32_t>(listed));
    EXPECT_FALSE(window->PurchaseButton()->IsVisible());
    EXPECT_FALSE(window->Line(0)->IsVisible());

    window->OnEvent(window->Card(1), Button::kEnterEvent, 0);
    EXPECT_TRUE(window->Line(0)->IsVisible());
    EXPECT_EQ(window->Line(1)->GetText(), u"Please refer to the item shop to see the details.");
    window->OnEvent(window->Card(1), Button::kLeaveEvent, 0);
    EXPECT_FALSE(window->Line(0)->IsVisible()) << "nothing chosen yet";

    window->OnEvent(window->Card(1), 0, 0);
    EXPECT_EQ(window->SelectedOffer(), window->Card(1)->Item());
    EXPECT_TRUE(window->PurchaseButton()->IsVisible());
    EXPECT_TRUE(window->GiftButton()->IsVisible());
    window->OnEvent(window->PurchaseButton(), 0, 0);
    window->OnEvent(window->GiftButton(), 0, 0);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].id, quill::AppEventId::ItemDialogResult);
    EXPECT_EQ(posted[0].wParam, 1u);
    EXPECT_EQ(posted[1].wParam, 2u);

    window->SetVisible(false);
    noCash = true;
    window->SetVisible(true);
    EXPECT_EQ(window->OfferCount(), static_cast<int32_t>(forGold));
    EXPECT_EQ(window->SelectedOffer(), nullptr);
}

}  // namespace
}  // namespace kestrovan::test
