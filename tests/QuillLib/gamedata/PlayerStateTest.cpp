#include <gtest/gtest.h>

#include <vector>

#include "QuillLib/gamedata/PlayerState.h"

namespace quill {
namespace {

InventoryItem MakeItem(uint32_t typeCode, uint32_t kind, uint32_t state = 0, uint32_t inUse = 0) {
    InventoryItem item;
    item.typeCode = typeCode;
    item.kind = kind;
    item.state = state;
    item.inUse = inUse;
    return item;
}

TEST(PlayerStateTest, ItemsAreAddedFoundAndRemovedByKeyPair) {
    PlayerState player;
    InventoryItem cue = MakeItem(3001, 1);
    InventoryItem chalk = MakeItem(4901, 5);
    InventoryItem book = MakeItem(4106, 4);
    EXPECT_EQ(player.AddItem(1, 2, &cue), 1);
    EXPECT_EQ(player.AddItem(1, 3, &chalk), 2);
    EXPECT_EQ(player.AddItem(7, 0, &book), 3);
    EXPECT_EQ(chalk.subKey, 3u);

    EXPECT_EQ(player.FindItem(1, 3), &chalk);
    EXPECT_EQ(player.FindItem(3, 1), nullptr);
    EXPECT_EQ(player.FindItemByType(4106), &book);

    EXPECT_EQ(player.RemoveItem(1, 2), &cue);
    EXPECT_EQ(player.ItemAt(0), &chalk);  // the gap is closed
    EXPECT_EQ(player.RemoveItem(1, 2), nullptr);
    EXPECT_TRUE(player.RemoveItemPtr(&book));
    EXPECT_FALSE(player.RemoveItemPtr(&book));
    EXPECT_EQ(player.ItemCount(), 1);
}

TEST(PlayerStateTest, InventoryStopsAtOneHundredItems) {
    PlayerState player;
    std::vector<InventoryItem> items(101);
    for (uint32_t i = 0; i < 100; ++i) {
        player.AddItem(i, 0, &items[i]);
    }
    EXPECT_EQ(player.AddItem(100, 0, &items[100]), 100);
    EXPECT_EQ(items[100].key, 0u);  // refused items are not touched
    EXPECT_EQ(player.FindItem(100, 0), nullptr);
    EXPECT_EQ(player.AddItem(5, 5, nullptr), 100);
}

TEST(PlayerStateTest, CurrentSelectionIsForgottenWhenItsItemGoes) {
    PlayerState player;
    InventoryItem chalk = MakeItem(4902, 5);
    InventoryItem cue = MakeItem(3003, 1);
    player.AddItem(1, 1, &chalk);
    player.AddItem(2, 2, &cue);

    EXPECT_EQ(player.SelectItem(1, 1), &chalk);
    EXPECT_EQ(player.GetCurrentCueType(), 4902);
    player.SelectItem(2, 2);  // not of the selectable kind
    EXPECT_EQ(player.GetCurrentCue(), nullptr);

    player.SelectItem(1, 1);
    player.RemoveItemPtr(&chalk);
    EXPECT_EQ(player.GetCurrentCue(), nullptr);
    EXPECT_EQ(player.GetCurrentCueType(), 0);
}

TEST(PlayerStateTest, DefaultSelectionSkipsCountedOutAndWaitingItems) {
    PlayerState player;
    InventoryItem waiting = MakeItem(4901, 5, 1, 0);
    InventoryItem countedOut = MakeItem(4902, 5, 3, 0);
    InventoryItem running = MakeItem(4903, 5, 1, 1);
    player.AddItem(1, 0, &waiting);
    player.AddItem(2, 0, &countedOut);
    EXPECT_EQ(player.ChooseDefaultCue(), &countedOut);  // the fallback: not waiting
    player.AddItem(3, 0, &running);
    EXPECT_EQ(player.ChooseDefaultCue(), &running);
    EXPECT_EQ(player.GetCurrentCue(), &running);

    PlayerState onlyWaiting;
    onlyWaiting.AddItem(1, 0, &waiting);
    EXPECT_EQ(onlyWaiting.ChooseDefaultCue(), nullptr);
}

TEST(PlayerStateTest, ItemsInUseGiveTheAimBonusAndMasse) {
    PlayerState player;
    InventoryItem book = MakeItem(4107, 4, 0, 0);
    InventoryItem masse = MakeItem(4108, 4, 0, 1);
    player.AddItem(1, 0, &book);
    player.AddItem(2, 0, &masse);
    EXPECT_EQ(player.GetAimItemBonus(), 0u);
    book.inUse = 1;
    EXPECT_EQ(player.GetAimItemBonus(), 10u);
    EXPECT_TRUE(player.HasMasseItem());
    masse.inUse = 2;
    EXPECT_FALSE(player.HasMasseItem());
}

TEST(PlayerStateTest, EquippedItemPerGameType) {
    PlayerState player;
    InventoryItem cue = MakeItem(3010, 1);
    player.AddItem(4, 9, &cue);
    player.equipped[3] = {4, 9, 3010};
    EXPECT_EQ(player.GetEquippedItem(3), &cue);
    EXPECT_EQ(player.GetEquippedItem(0), nullptr);
    EXPECT_EQ(player.GetEquippedItem(17), nullptr);
}

TEST(PlayerStateTest, FavouriteGameTypeNeedsMoreThanOneHundredGames) {
    PlayerState player;
    EXPECT_EQ(player.FavouriteGameType(), -1);
    player.playCountsA[12] = 60;
    player.playCountsB[12] = 40;
    EXPECT_EQ(player.FavouriteGameType(), -1);
    player.playCountsB[12] = 41;
    EXPECT_EQ(player.FavouriteGameType(), 12);
    player.playCountsA[3] = 101;
    EXPECT_EQ(player.FavouriteGameType(), 3);  // ties go to the lower type
}

TEST(PlayerStateTest, ResetsKeepWhatTheyMustKeep) {
    PlayerState player;
    InventoryItem chalk = MakeItem(4901, 5);
    player.AddItem(1, 0, &chalk);
    player.SelectItem(1, 0);
    player.seat = 3;
    player.ready = 1;
    player.gameCounters[1] = 7;
    player.status = 4;
    player.ratingByType[0] = 150;
    player.userId = 55;

    player.ResetGameFields();
    EXPECT_EQ(player.ready, 0);
    EXPECT_EQ(player.gameCounters[1], 0);
    EXPECT_EQ(player.seat, 3);

    player.ResetProfile();
    EXPECT_EQ(player.ItemCount(), 0);
    EXPECT_EQ(player.GetCurrentCue(), nullptr);
    EXPECT_EQ(player.userId, 0u);
    EXPECT_TRUE(player.IsStatus3Or4());
    EXPECT_EQ(player.ratingByType[0], 150);
}

}  // namespace
}  // namespace quill
