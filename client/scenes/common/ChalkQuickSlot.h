#pragma once
// The chalk slot of the table screens: a button showing the player's current chalk, its level (0 to 100,
// in percent) and, for a counted chalk, the uses left. A press (or the 'C' key) chalks the cue: the level
// rises by 75 (at most 100) and UseChalk is posted for the screen to hand the level to the table; each shot
// uses some chalk up again (UseChalk). Below 75 percent the slot blinks while it is active, faster as the
// level falls.
//
// The item it shows is looked up from the player's profile by key on every use, so an item that left the
// inventory is never touched through a stale pointer.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <functional>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/ItemEvents.h"
#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class Image;
class ItemPreview;
class TextLabel;

class ChalkQuickSlot : public Widget {
public:
    static constexpr int32_t kButtonId = 20;
    static constexpr int32_t kHotKey = 67;  // 'C'
    static constexpr int32_t kSize = 67;
    static constexpr int32_t kFillSize = 66;
    static constexpr int32_t kFillSourceBottom = 1017;
    static constexpr int32_t kRefill = 75;
    static constexpr int32_t kFullLevel = 100;
    static constexpr int32_t kBlinkBelow = 75;
    static constexpr uint32_t kChalkSound = 6;
    static constexpr float kPreviewDistance = 40.0f;

    // The screens with a room (game room and practice) tell the player about chalk that only a timed item
    // provides; others pass no notice.
    using NoticeShower = std::function<void(quill::WStringView line1, quill::WStringView line2)>;

    // The text colour (red when empty, white when full) and the outline colour of a level, ARGB.
    struct LevelColours {
        uint32_t text = 0;
        uint32_t outline = 0;
    };
    static LevelColours ColoursOf(int32_t level);
    // The height in pixels of the empty part of the fill overlay.
    static int32_t EmptyHeightOf(int32_t level);

    ChalkQuickSlot(quill::PlayerState& player, AppEventPoster poster, NoticeShower notice = {});

    // The current chalk from the profile; refreshes the labels.
    void Reload();
    // Level 0 and inactive, then Reload.
    void Reset();
    // Caps the level at 100 and redraws the labels, colours and the fill overlay.
    void Refresh();
    // A shot used chalk: the level falls by the amount, not below 0.
    void UseChalk(int32_t amount);

    void SetActive(bool active) { active_ = active; }
    bool IsActive() const { return active_; }
    int32_t Level() const { return level_; }
    void SetLevel(int32_t level) { level_ = level; }
    // The chalk shown, or null.
    quill::InventoryItem* CurrentChalk() const;

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void Tick(uint32_t now) override;

    TextLabel* LevelLabel() const { return levelLabel_; }
    TextLabel* CountLabel() const { return countLabel_; }
    Image* FillOverlay() const { return fillOverlay_; }
    ItemPreview* Preview() const { return preview_; }

private:
    // The press of the button (or its key).
    void Chalk();
    // Without a chalk in use: the notice about timed chalk that waits to be switched on.
    void ExplainMissingChalk();
    static bool UsedUp(const quill::InventoryItem& item);

    quill::PlayerState& player_;
    AppEventPoster poster_;
    NoticeShower notice_;
    Button* button_ = nullptr;
    Image* fillOverlay_ = nullptr;
    ItemPreview* preview_ = nullptr;
    TextLabel* levelLabel_ = nullptr;
    TextLabel* countLabel_ = nullptr;
    int32_t level_ = 0;
    bool active_ = false;
    bool hasChalk_ = false;
    uint32_t chalkKey_ = 0;
    uint32_t chalkSubKey_ = 0;
    uint32_t ticks_ = 0;
};

}  // namespace kestrovan
