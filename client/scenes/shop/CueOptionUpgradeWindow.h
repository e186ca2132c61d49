#pragma once
// One option of a tuning cue raised by a point: the part that limits it and the limit, the value now and
// next, the upgrade points needed, the success rate and the cue-money cost (normal mode), or a gem (gem mode,
// always successful; its button stays hidden, as no way to it is offered). The confirmation
// (CueOptionConfirm with value 2) sends CueUpgrade.
//
// Threads: as WorkshopWindow.
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/shop/CueRules.h"
#include "client/scenes/shop/WorkshopWindow.h"

namespace kestrovan {

class CuePartPreview;

class CueOptionUpgradeWindow : public WorkshopWindow {
public:
    static constexpr int32_t kNormalMode = 1;
    static constexpr int32_t kGemMode = 2;

    explicit CueOptionUpgradeWindow(WorkshopHost& host);

    void SetOption(const quill::InventoryItem& cue, size_t option);
    void SendUpgrade();
    void Refresh();
    void OnShow() override;

    const std::optional<quill::InventoryItem>& Cue() const { return cue_; }
    size_t Option() const { return option_; }
    int32_t Mode() const { return mode_; }
    const CueUpgradeTerms& Terms() const { return terms_; }
    TextLabel* PartLabel() const { return part_; }
    TextLabel* RateLabel() const { return rate_; }
    TextLabel* CostLabel() const { return cost_; }
    TextLabel* NextLabel() const { return next_; }

protected:
    bool OnClick(int32_t id) override;

private:
    void SetMode(int32_t mode);
    void Confirm();

    std::optional<quill::InventoryItem> cue_;
    size_t option_ = 0;
    int32_t mode_ = kNormalMode;
    CueUpgradeTerms terms_;
    int32_t gems_ = 0;
    Button* normalButton_ = nullptr;
    Button* gemButton_ = nullptr;
    TextLabel* part_ = nullptr;
    CuePartPreview* partPreview_ = nullptr;
    TextLabel* limit_ = nullptr;
    TextLabel* current_ = nullptr;
    TextLabel* next_ = nullptr;
    TextLabel* points_ = nullptr;
    TextLabel* needed_ = nullptr;
    TextLabel* rate_ = nullptr;
    TextLabel* cost_ = nullptr;
    TextLabel* gemText_ = nullptr;
};

}  // namespace kestrovan
