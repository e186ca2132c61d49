#pragma once
// The statistics of a cue beside the cue window: its name, the five figures of its model (power, balance,
// spin, miscue and squirt), and for a personal cue its upgrade points and endurance; other items show how
// long they last instead.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "client/ui/Image.h"

namespace kestrovan {

class TextLabel;

class CueStatPanel : public Image {
public:
    static constexpr size_t kStats = 5;

    CueStatPanel();

    // The item's name and figures; the panel is shown.
    void Show(const quill::InventoryItem& item);

    // The name a cue shows: a personal cue's own name, else its catalogue name.
    static quill::WString CueName(const quill::InventoryItem& item);

    TextLabel* Name() const { return name_; }
    TextLabel* StatName(size_t k) const { return statNames_[k]; }
    TextLabel* StatValue(size_t k) const { return statValues_[k]; }
    TextLabel* UpPointValue() const { return upPointValue_; }
    TextLabel* EnduranceCaption() const { return enduranceCaption_; }
    TextLabel* EnduranceValue() const { return enduranceValue_; }

private:
    void ShowStatistics(const quill::InventoryItem& item);
    void ShowEndurance(const quill::InventoryItem& item);

    TextLabel* name_ = nullptr;
    std::array<TextLabel*, kStats> statNames_{};
    std::array<TextLabel*, kStats> statValues_{};
    TextLabel* upPointCaption_ = nullptr;
    TextLabel* upPointValue_ = nullptr;
    TextLabel* enduranceCaption_ = nullptr;
    TextLabel* enduranceValue_ = nullptr;
};

}  // namespace kestrovan
