#pragma once
// The repair of a personal cue: a tuning cue is repaired with cue money, normally (the server may take total
// durability) or advanced (three times the price, no risk); the custom cue is restored in full for 8,800
// cash once it is down to a tenth. Each button runs its checks and asks; the confirmation (CueRepairConfirm)
// sends CueRepair with the mode of the last button pressed.
//
// Threads: as WorkshopWindow.
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/shop/WorkshopWindow.h"

namespace kestrovan {

class CueRepairWindow : public WorkshopWindow {
public:
    static constexpr int32_t kAdvanced = 2052;

    explicit CueRepairWindow(WorkshopHost& host);

    void SetCue(const quill::InventoryItem& cue);
    void SendRepair();

    const std::optional<quill::InventoryItem>& Cue() const { return cue_; }
    uint8_t Mode() const { return mode_; }
    TextLabel* DurabilityLabel() const { return durability_; }
    TextLabel* CostLabel() const { return cost_; }
    TextLabel* AdvancedCostLabel() const { return advancedCost_; }
    Button* AdvancedButton() const { return advancedButton_; }

protected:
    bool OnClick(int32_t id) override;

private:
    void Confirm(bool advanced);

    std::optional<quill::InventoryItem> cue_;
    uint8_t mode_ = 0;
    TextLabel* title_ = nullptr;
    TextLabel* durability_ = nullptr;
    TextLabel* cost_ = nullptr;
    TextLabel* advancedCaption_ = nullptr;
    TextLabel* advancedCost_ = nullptr;
    Button* advancedButton_ = nullptr;
};

}  // namespace kestrovan
