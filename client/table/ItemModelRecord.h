#pragma once
// The 3D model of one item type (a cue, a ball set, a table, chalk or a small item) and what the table, the shop
// and the previews read with it: the model resource's name and variant, a cue's statistics and tuning parts, a
// table's kind and cloth, a ball set's size class and ball count, a chalk's two statistics. Records of every kind
// share the head; the fields of the other kinds stay 0.
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/CuePartCatalogue.h"

namespace kestrovan {

enum class ItemModelKind : uint32_t {
    kCue = 1,
    kBallSet = 2,
    kTable = 3,
    kItem = 4,
    kChalk = 5,
    kSpecialItem = 6,
};

struct ItemModelRecord {
    // Model names hold at most this many UTF-16 units (a longer one is cut).
    static constexpr size_t kMaxNameLength = 31;
    static constexpr uint32_t kNoModelIndex = 0xFFFFFFFF;
    static constexpr uint32_t kPartSlots = 5;  // shaft, butt, joint, bumper, tip

    // A stock cue; its statistics are given in display units (half points, 2.5 % steps) and stored in record
    // units: power, spin and miscue as trunc(v / 0.5 + 0.5), balance and squirt as trunc(v / 2.5 + 0.5).
    static ItemModelRecord StockCue(uint32_t itemId, quill::WStringView modelName, uint32_t modelIndex, int8_t power,
                                    int8_t balance, int8_t spin, int8_t miscue, int8_t squirt);
    // A tuned cue: statistics in record units, its durability and its five default parts, each part's model id
    // taken from the parts catalogue. The balance of a tuned cue is not kept (nothing shows it).
    static ItemModelRecord TunedCue(uint32_t itemId, quill::WStringView modelName, uint32_t modelIndex, uint8_t power,
                                    uint8_t spin, uint8_t miscue, uint8_t squirt, uint32_t maxDurability,
                                    const std::array<int16_t, kPartSlots>& parts, quill::CuePartCatalogue& catalogue);
    static ItemModelRecord Table(uint32_t itemId, quill::WStringView modelName, uint32_t variant, uint32_t tableKind,
                                 uint32_t cloth);
    static ItemModelRecord BallSet(uint32_t itemId, quill::WStringView modelName, uint32_t variant,
                                   uint32_t ballCount, uint32_t flag);
    static ItemModelRecord Chalk(uint32_t itemId, quill::WStringView modelName, uint32_t modelIndex,
                                 int8_t spinBonus, int8_t miscueReduction);
    // A small item drawn from a shared item model (kItem or kSpecialItem).
    static ItemModelRecord Item(ItemModelKind kind, uint32_t itemId, quill::WStringView modelName,
                                uint32_t modelIndex);

    // Gives a copied tuned record one of the player's parts: the part id and, from the parts catalogue, its
    // model id (0 for a part the catalogue does not hold). A slot outside 0..4 changes nothing.
    void SetPart(uint32_t slot, int16_t partId, quill::CuePartCatalogue& catalogue);

    // What the physics takes of the item: a table's kind, a ball set's size class.
    uint32_t PhysicsProperty() const;

    // Head.
    uint32_t itemId = 0;
    ItemModelKind kind = ItemModelKind::kItem;
    quill::WString modelName;
    uint32_t modelIndex = 0;

    // Cue: custom 0 for a stock cue, 1 for a tuned one; statistics power, balance, spin, miscue, squirt.
    uint8_t custom = 0;
    std::array<int8_t, 5> stats{};
    uint32_t maxDurability = 0;  // thousandths; tuned cues
    std::array<int16_t, kPartSlots> partIds{};
    std::array<uint32_t, kPartSlots> partModelIds{};

    // Ball set.
    uint32_t ballSetVariant = 0;
    uint32_t ballCount = 0;
    uint32_t ballSetFlag = 0;

    // Table.
    uint32_t tableVariant = 0;
    uint32_t tableKind = 0;
    uint32_t cloth = 0;

    // Chalk, in percent: k1 how much the chalk level adds to the spin, k2 the chalk's quality.
    int8_t spinBonus = 0;
    int8_t miscueReduction = 0;
};

}  // namespace kestrovan
