#pragma once
// One item that a player owns. The records live in the game connection's item pool; the player profile
// only keeps pointers to them. This is the part of the record that the game data reads.
#include <cstdint>

namespace quill {

struct InventoryItem {
    static constexpr uint32_t kKindChalk = 5;  // the kind of the items the profile's current selection holds

    uint32_t key = 0;  // with subKey, the inventory's 64-bit identity of the item
    uint32_t subKey = 0;
    uint32_t typeCode = 0;  // the item type (ItemCatalogue id)
    uint32_t kind = 0;
    uint32_t inUse = 0;  // 1 while the item is in use
    uint32_t state = 0;  // 1: timed and not started yet, 3: counted
};

}  // namespace quill
