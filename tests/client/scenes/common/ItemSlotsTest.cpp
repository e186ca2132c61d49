// The chalk slot and the item bar over a player's profile: chalk levels, colours and the fill, refills and
// what a counted chalk allows, the bar's filter, order, captions, scrolling and clicks; and the game type
// names the dialogs show.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "tests/support/scenes/SceneTestApp.h"

namespace kestrovan::test {
namespace {

struct PostedEvent {
    uint32_t id, wParam, lParam;
};

TEST(GameTypeNames, NamesAndSlotsOfEveryTypeAndNothingOutsideTheTable) {
    EXPECT_EQ(GameTypeShortName(0), u"4balls");
    EXPECT_EQ(GameTypeLongName(2), u"1cushion gamble");
    EXPECT_EQ(GameTypeShortName(13), u"14-1 st.");
    EXPECT_EQ(GameTypeLongName(16), u"snooker");
    EXPECT_EQ(GameTypeSlot(16), 14);
    EXPECT_EQ(GameTypeSlot(12), 12);
    for (quill::GameType type : {1, 7, 8, 9, 14, 15}) {
        EXPECT_TRUE(GameTypeShortName(type).empty()) << type;
        EXPECT_EQ(GameTypeSlot(type), -1) << type;
        EXPECT_FALSE(GameTypeOffered(type)) << type;
    }
    // A server may send any byte: outside 0..16 nothing is read past the tables.
    for (quill::GameType type : {-1, 17, 255, -128}) {
        EXPECT_TRUE(GameTypeLongName(type).empty()) << type;
        EXPECT_EQ(GameTypeSlot(type), -1) << type;
    }
}

// A profile with items made in the test; the widgets need the toolkit of the test App.
class ItemSlotsTest : public SceneTestApp {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    quill::InventoryItem* AddItem(uint32_t key, uint32_t typeCode, uint32_t kind, uint32_t state = 1,
                                  int16_t remaining = 0, int16_t total = 0) {
        auto item = std::make_unique<quill::InventoryItem>();
        item->typeCode = typeCode;
        item->kind = kind;
        item->state = state;
        item->remaining = remaining;
        item->secondCount = total;
        item->inUse = 1;
        player.AddItem(key, 0, item.get());
        items.push_back(std::move(item));
        return items.back().get();
    }
    AppEventPoster Recorder() {
        return [this](uint32_t id, uint32_t w, uint32_t l, uint32_t) { events.push_back({id, w, l}); };
    }

    quill::PlayerState player;
    std::vector<std::unique_ptr<quill::InventoryItem>> items;
    std::vector<PostedEvent> events;
};

TEST_F(ItemSlotsTest, ChalkLevelColoursAndFillFollowTheLevel) {
    EXPECT_EQ(ChalkQuickSlot::ColoursOf(0).text, 0xFFFF0000u) << "red when empty";
    EXPECT_EQ(ChalkQuickSlot::ColoursOf(0).outline, 0xFFFFFFFFu);
    EXPECT_EQ(ChalkQuickSlot::ColoursOf(100).text, 0xFFFFFFFFu) << "white when full";
    EXPECT_EQ(ChalkQuickSlot::ColoursOf(100).outline, 0xFFFFFF00u);
    EXPECT_EQ(ChalkQuickSlot::ColoursOf(50).text, 0xFFFF8080u);
    EXPECT_EQ(ChalkQuickSlot::EmptyHeightOf(0), 66);
    EXPECT_EQ(ChalkQuickSlot::EmptyHeightOf(75), 16);
    EXPECT_EQ(ChalkQuickSlot::EmptyHeightOf(100), 0);

    ChalkQuickSlot slot(player, Recorder());
    AddItem(7, 4903, quill::InventoryItem::kKindChalk, 3, 40, 100);
    player.ChooseDefaultCue();
    slot.SetLevel(30);
    slot.Reload();
    EXPECT_EQ(slot.LevelLabel()->GetText(), u"30%");
    EXPECT_EQ(slot.CountLabel()->GetText(), u"(40/100)");
    EXPECT_EQ(slot.FillOverlay()->GetSourceRect().top, 1017 - 46);
    slot.SetLevel(150);
    slot.Refresh();
    EXPECT_EQ(slot.Level(), 100) << "capped";
    slot.UseChalk(130);
    EXPECT_EQ(slot.Level(), 0) << "never below 0";
}

TEST_F(ItemSlotsTest, APressRefillsByUpToSeventyFiveUnlessFullOrUsedUp) {
    ChalkQuickSlot slot(player, Recorder());
    Button* button = nullptr;
    for (Widget* child : slot.GetChildren()) {
        if (child->GetId() == ChalkQuickSlot::kButtonId) button = static_cast<Button*>(child);
    }
    ASSERT_NE(button, nullptr);
    const auto press = [&] { slot.OnEvent(button, 0, 0); };

    press();
    EXPECT_TRUE(events.empty()) << "no chalk, nothing to refill";
    EXPECT_EQ(slot.LevelLabel()->GetText(), u"");

    quill::InventoryItem* chalk = AddItem(7, 4903, quill::InventoryItem::kKindChalk, 3, 2, 100);
    player.ChooseDefaultCue();
    slot.Reload();
    for (const auto& [from, to] : {std::pair{30, 100}, {25, 100}, {10, 85}}) {
        slot.SetLevel(from);
        events.clear();
        press();
        EXPECT_EQ(slot.Level(), to) << from;
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].id, quill::AppEventId::UseChalk);
    }
    slot.SetLevel(100);
    events.clear();
    press();
    EXPECT_TRUE(events.empty()) << "full chalk is not refilled";

    chalk->remaining = 0;
    slot.SetLevel(20);
    press();
    EXPECT_EQ(slot.Level(), 20) << "a counted chalk with no uses left cannot refill";
    EXPECT_TRUE(events.empty());

    // The chalk leaves the inventory: the slot forgets it instead of reading a freed record.
    player.RemoveItem(7, 0);
    items.clear();
    EXPECT_EQ(slot.CurrentChalk(), nullptr);
    slot.Refresh();
    EXPECT_EQ(slot.LevelLabel()->GetText(), u"No Chalk");
    EXPECT_FALSE(slot.CountLabel()->IsVisible());
}

TEST_F(ItemSlotsTest, TheBarListsConsumablesNewestFirstAndPostsTheClickedKind) {
    ItemQuickBar bar(player, Recorder());
    AddItem(1, 3000, 1);                                             // a cue: not listed
    AddItem(2, 4903, quill::InventoryItem::kKindChalk, 3, 5, 10);    // chalk
    AddItem(3, 4150, 4);                                             // a listed item type
    AddItem(4, 4510, 6, 1);                                          // a boost
    bar.Refresh();
    EXPECT_EQ(bar.ListedCount(), 3u);
    ASSERT_TRUE(bar.Cell(0)->Item().has_value());
    EXPECT_EQ(bar.Cell(0)->Item()->key, 4u) << "newest first";
    EXPECT_EQ(bar.Cell(2)->Item()->key, 2u);
    EXPECT_FALSE(bar.Cell(3)->IsVisible());
    EXPECT_EQ(bar.Scroll()->GetCount(), 1) << "nine or fewer items keep a range of one";

    EXPECT_TRUE(ItemQuickBar::ItemCaption(*items[1]).ends_with(u" (5/10)"));
    EXPECT_TRUE(ItemQuickBar::ItemCaption(*items[3]).ends_with(u" (기간제)"));

    bar.OnEvent(bar.Cell(2), Button::kEnterEvent, 0);
    EXPECT_TRUE(bar.Caption()->IsVisible());
    EXPECT_FLOAT_EQ(bar.GetAlpha(), 1.0f);
    bar.OnEvent(bar.Cell(2), Button::kLeaveEvent, 0);
    EXPECT_FALSE(bar.Caption()->IsVisible());
    EXPECT_FLOAT_EQ(bar.GetAlpha(), 0.5f);

    bar.OnEvent(bar.Cell(2), 0, 0);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].id, quill::AppEventId::QuickSlotB);
    EXPECT_EQ(events[0].wParam, quill::InventoryItem::kKindChalk);
    EXPECT_EQ(bar.ClickedItem(), items[1].get());
    player.RemoveItem(2, 0);
    EXPECT_EQ(bar.ClickedItem(), nullptr) << "a clicked item that left the inventory is not used";
}

TEST_F(ItemSlotsTest, ScrollingSkipsTheFirstItemsAndTheRangeCoversTheRest) {
    ItemQuickBar bar(player, Recorder());
    for (uint32_t key = 1; key <= 14; ++key) AddItem(key, 4903, quill::InventoryItem::kKindChalk);
    bar.Refresh();
    EXPECT_EQ(bar.Scroll()->GetCount(), 5);
    bar.OnEvent(bar.Scroll(), 4, 0);  // position 3, reported plus one
    EXPECT_EQ(bar.ScrollOffset(), 4);
    EXPECT_EQ(bar.Cell(0)->Item()->key, 11u) << "the first three (keys 14 to 12) are skipped";
    EXPECT_TRUE(bar.Cell(9)->IsVisible());
    EXPECT_EQ(bar.Cell(9)->Item()->key, 2u);
}

}  // namespace
}  // namespace kestrovan::test
