#pragma once
// The cue window of the room: the player's cues, newest first, four at a time, the one equipped for the
// room's game type pressed, and the statistics of the cue under the mouse (or of the chosen one) beside
// them. A click chooses a cue and posts QuickSlotA; the room then changes the cue.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/ItemRecord.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/scenes/common/ItemQuickCell.h"
#include "client/scenes/common/SlidingItemWindow.h"

namespace kestrovan {

class CueStatPanel;
class ItemSelectCell;

class ItemSelectWindow : public SlidingItemWindow {
public:
    static constexpr size_t kCells = 4;
    static constexpr int32_t kFirstCellId = 100;
    static constexpr int32_t kScrollBarId = 92;

    ItemSelectWindow(quill::PlayerState& player, AppEventPoster poster, MouseReposter reposter = {});

    // The equipment slot (the room's game type) whose cue counts as equipped.
    void SetEquipSlot(uint32_t slot) { equipSlot_ = slot; }
    // The chosen cue while it is still owned; null otherwise.
    quill::InventoryItem* SelectedItem() const;
    int32_t CueCount() const { return cueCount_; }
    ItemSelectCell* Cell(size_t index) const { return cells_[index]; }
    CueStatPanel* Stats() const { return stats_; }

    void OnShow() override;

protected:
    void Refresh() override;
    // The hovered cue's statistics, or the chosen one's over an empty cell.
    void ShowHovered(size_t cell) override;
    void ShowChosen() override;
    // Chooses the cue and tells the screen (QuickSlotA, 1).
    void Choose(size_t cell) override;

private:
    quill::InventoryItem* ItemOf(const ItemSelectCell& cell) const;
    // The statistics of the item, or hidden without one.
    void ShowStats(const quill::InventoryItem* item);

    quill::PlayerState& player_;
    AppEventPoster poster_;
    std::array<ItemSelectCell*, kCells> cells_{};
    CueStatPanel* stats_ = nullptr;
    std::optional<ItemQuickCell::ItemKey> selected_;
    uint32_t equipSlot_ = 0;
    int32_t cueCount_ = 0;
};

}  // namespace kestrovan
