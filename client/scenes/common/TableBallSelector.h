#pragma once
// The table and ball-set choice of the room dialogs: two lists of item types, one of tables and one of ball
// sets, filled for a game type from the type's defaults and the items the player owns (each list at most
// 20 entries), or holding just the room's own choice. Each list has a preview of its chosen item beside it,
// which the player may turn and zoom.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <vector>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/ui/Image.h"

namespace kestrovan {

class ComboBox;
class ItemPreview;

class TableBallSelector : public Image {
public:
    static constexpr size_t kMaxIds = 20;
    static constexpr int32_t kTableComboId = 1;
    static constexpr int32_t kBallComboId = 2;
    static constexpr int32_t kRows = 10;
    static constexpr uint32_t kTableKind = 3;
    static constexpr uint32_t kBallSetKind = 2;

    explicit TableBallSelector(quill::PlayerState& player);

    // fromInventory: the type's defaults and the owned items that may be used in it, with tableId and
    // ballId chosen when listed; otherwise just tableId and ballId.
    void Fill(quill::GameType type, bool fromInventory, uint16_t tableId, uint16_t ballId);

    // The chosen items; 0 when a list is empty.
    uint16_t TableItem() const;
    uint16_t BallSetItem() const;
    const std::vector<uint16_t>& TableIds() const { return tableIds_; }
    ItemPreview* TablePreview() const { return tablePreview_; }
    ItemPreview* BallPreview() const { return ballPreview_; }
    // Whether the two lists may be changed; the previews may be turned either way.
    void SetChoiceEnabled(bool enabled);

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    void FillFromInventory(quill::GameType type);
    static void AddId(std::vector<uint16_t>& ids, uint32_t id);
    static void FillCombo(ComboBox& combo, const std::vector<uint16_t>& ids);
    // The row of id in ids; the first row (or the second for members) when id is 0 or not listed.
    int32_t RowOf(const std::vector<uint16_t>& ids, uint16_t id) const;

    quill::PlayerState& player_;
    ComboBox* tableCombo_ = nullptr;
    ComboBox* ballCombo_ = nullptr;
    ItemPreview* tablePreview_ = nullptr;
    ItemPreview* ballPreview_ = nullptr;
    std::vector<uint16_t> tableIds_;
    std::vector<uint16_t> ballIds_;
    int32_t tableRow_ = 0;
    int32_t ballRow_ = 0;
    quill::GameType type_ = quill::game_type::kNone;
};

}  // namespace kestrovan
