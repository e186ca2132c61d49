#pragma once
// The shop's large preview beside the grids: one tall item preview that the player turns with the mouse
// (it does not turn by itself), showing the chosen catalogue item, a model record (the workshop's cue being
// composed), or an owned personal cue with its own parts.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/ui/Image.h"

namespace kestrovan {

class ItemPreview;
struct ItemModelRecord;

class ShopPreviewPanel : public Image {
public:
    static constexpr int32_t kPresetOffset = -3;
    // The panel stands right of the main panel and below the top bar's balances and their captions, which it
    // would otherwise cut through; its view begins 10 pixels lower.
    static constexpr int32_t kLeft = 572;
    static constexpr int32_t kTop = 62;
    static constexpr int32_t kViewTop = kTop + 10;

    ShopPreviewPanel();

    void SetItemId(uint32_t itemId);
    // The record stays the caller's while shown.
    void SetRecord(const ItemModelRecord* record);
    // The owned item's own look: a personal cue with its parts, any other item by its type.
    void SetOwnedCue(const quill::InventoryItem& item);
    // Resizes the preview's view to the room the screen leaves it (the screen's resize), never larger than the
    // panel was made, and the panel's face to hold it.
    void SetViewSize(int32_t width, int32_t height);

    ItemPreview* Preview() const { return preview_; }

private:
    ItemPreview* preview_ = nullptr;
};

}  // namespace kestrovan
