#pragma once
// The option list of a tuning cue: its five values and effects, a button per option that opens the option
// upgrade window for it, and the guide lines.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/shop/CueRules.h"
#include "client/scenes/shop/WorkshopWindow.h"

namespace kestrovan {

class CueOptionUpgradeWindow;

class CueUpgradeWindow : public WorkshopWindow {
public:
    static constexpr int32_t kFirstOption = 100;

    // option: the option window, a sibling on the same screen.
    CueUpgradeWindow(WorkshopHost& host, CueOptionUpgradeWindow& option);

    void SetCue(const quill::InventoryItem& cue);
    const std::optional<quill::InventoryItem>& Cue() const { return cue_; }
    CueOptionUpgradeWindow& OptionWindow() const { return option_; }
    TextLabel* ValueLabel(size_t option) const { return values_[option]; }

protected:
    bool OnClick(int32_t id) override;

private:
    CueOptionUpgradeWindow& option_;
    std::optional<quill::InventoryItem> cue_;
    ItemPreview* preview_ = nullptr;
    std::array<TextLabel*, kCueOptionCount> values_{};
    std::array<TextLabel*, kCueOptionCount> effects_{};
};

}  // namespace kestrovan
