#pragma once
// One item that a player owns. The records live in the game connection's item pool; the player profile
// only keeps pointers to them. The connection fills them from the server's inventory and gift messages;
// the game data reads the first fields.
#include <array>
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace quill {

struct InventoryItem {
    static constexpr uint32_t kKindChalk = 5;  // the kind of the items the profile's current selection holds
    // The values of inUse.
    static constexpr uint32_t kStatusInUse = 1;
    static constexpr uint32_t kStatusExpired = 4;
    // A personal cue (customFlag set) has a type code from this one up.
    static constexpr uint32_t kCustomCueType = 3100;

    uint32_t key = 0;  // with subKey, the inventory's 64-bit identity of the item
    uint32_t subKey = 0;
    uint32_t typeCode = 0;  // the item type (ItemCatalogue id)
    uint32_t kind = 0;
    uint32_t inUse = 0;  // the status: 0, 1 while the item is in use, 4 expired
    uint32_t state = 0;  // 1: timed and not started yet, 3: counted

    // What the connection keeps beside them.
    uint8_t itemClass = 0;     // 99 marks an item that stands in for a membership's built-in one
    uint32_t secondValue = 0;  // the catalogue's period unit, which says how the counts are meant
    int16_t remaining = 0;     // -1: no limit
    int16_t secondCount = 0;
    uint8_t customFlag = 0;  // a personal cue with statistics and parts of its own
    uint32_t currentCount = 0;
    std::array<uint8_t, 5> statistics{};    // a cue's five statistics
    std::array<uint16_t, 5> statValues{};   // a personal cue's five tuning parts
    WString name;
    WString sender;
    WString description;

    // A personal cue's own record.
    uint32_t durabilityCurrent = 0;  // thousandths
    uint32_t durabilityTotal = 0;
    WString customText;
    int64_t upgradePoints = 0;  // thousandths
    int64_t cueValue = 0;

    // Counted items (state 2 or 3) lose or regain uses; the count of any other item stays.
    bool IsCounted() const { return state == 2 || state == 3; }
    void ConsumeCount(int16_t uses) {
        if (IsCounted()) remaining = static_cast<int16_t>(remaining - uses);
    }
    void RestoreCount(int16_t uses) {
        if (IsCounted()) remaining = static_cast<int16_t>(remaining + uses);
    }
};

}  // namespace quill
