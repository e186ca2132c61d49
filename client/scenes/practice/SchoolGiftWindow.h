#pragma once
// The school's gift window: the cue the player receives when he completes the basics (page 12), turning in
// its preview, with an OK button (Enter) that closes the window. The school draws the preview's model while
// the window is shown and lets it go when the school is left.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class ItemPreview;

class SchoolGiftWindow : public PopupWindow {
public:
    static constexpr int32_t kOk = 2049;
    static constexpr uint32_t kGiftCue = 3050;

    SchoolGiftWindow();
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    // Centred on the screen, with the gift cue in the preview.
    void OnShow() override;

    ItemPreview* Preview() const { return preview_; }

private:
    ItemPreview* preview_ = nullptr;
};

}  // namespace kestrovan
