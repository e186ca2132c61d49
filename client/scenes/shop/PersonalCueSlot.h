#pragma once
// One of the four cue places of the personal-cue window: a button over a live preview of the cue with its
// own parts, and the cue's name (with a shadow) at its foot. Hovering turns the preview.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class ItemPreview;
class TextLabel;

class PersonalCueSlot : public Widget {
public:
    static constexpr int32_t kWidth = 58;
    static constexpr int32_t kHeight = 258;

    PersonalCueSlot(int32_t x, int32_t y, int32_t id);

    void SetCue(const quill::InventoryItem& item);
    void Clear();
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

    const std::optional<quill::InventoryItem>& Cue() const { return cue_; }
    ItemPreview* Preview() const { return preview_; }
    Button* GetButton() const { return button_; }
    TextLabel* NameLabel() const { return name_; }

private:
    Button* button_ = nullptr;
    ItemPreview* preview_ = nullptr;
    TextLabel* shadow_ = nullptr;
    TextLabel* name_ = nullptr;
    std::optional<quill::InventoryItem> cue_;
};

}  // namespace kestrovan
