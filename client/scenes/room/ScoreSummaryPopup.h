#pragma once
// A passing popup of four short texts in two columns and two rows: shown at full opacity, it fades over its
// third second and hides itself.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "client/scenes/room/ShowTimer.h"
#include "client/ui/Window.h"

namespace kestrovan {

class TextLabel;

class ScoreSummaryPopup : public Window {
public:
    static constexpr uint32_t kFadeFromMs = 2000;
    static constexpr uint32_t kHideAtMs = 3000;

    ScoreSummaryPopup();

    void Clear();
    // Fills one label; rows and columns beyond the second are ignored.
    void Set(size_t column, size_t row, quill::WStringView text);
    TextLabel* Label(size_t column, size_t row) const { return labels_[column][row]; }

    // Full opacity, centred horizontally; the time starts at the next tick.
    void OnShow() override;
    void Tick(uint32_t now) override;

private:
    std::array<std::array<TextLabel*, 2>, 2> labels_{};
    ShowTimer shown_;
};

}  // namespace kestrovan
