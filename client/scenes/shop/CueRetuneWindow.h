#pragma once
// The re-tune of the custom cue: its five option values distributed anew, exactly 150 points with at most 40
// per option, for 8,800 cash. Every show starts again from 0 values; the confirmation (CueOptionConfirm with
// value 1) sends CueRetune. The cash balance is not checked here: the server answers a shortage.
//
// Threads: as WorkshopWindow.
#include <array>
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/shop/CueRules.h"
#include "client/scenes/shop/WorkshopWindow.h"

namespace kestrovan {

class CueRetuneWindow : public WorkshopWindow {
public:
    static constexpr int32_t kFirstValueButton = 200;

    explicit CueRetuneWindow(WorkshopHost& host);

    void SetCue(const quill::InventoryItem& cue);
    void SendRetune();
    void OnShow() override;

    const std::optional<quill::InventoryItem>& Cue() const { return cue_; }
    int32_t PointsLeft() const { return pointsLeft_; }
    const CueOptions& Values() const { return values_; }
    TextLabel* EffectLabel(size_t option) const { return effects_[option]; }

protected:
    bool OnClick(int32_t id) override;

private:
    void Refresh();
    void Confirm();

    std::optional<quill::InventoryItem> cue_;
    int32_t pointsLeft_ = CueRules::kCustomPoints;
    CueOptions values_{};
    ItemPreview* preview_ = nullptr;
    TextLabel* name_ = nullptr;
    TextLabel* cash_ = nullptr;
    TextLabel* points_ = nullptr;
    std::array<TextLabel*, kCueOptionCount> valueLabels_{};
    std::array<TextLabel*, kCueOptionCount> effects_{};
};

}  // namespace kestrovan
