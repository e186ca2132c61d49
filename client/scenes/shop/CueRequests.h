#pragma once
// The cue workshop's requests, written into a pooled packet (the answers are read by ShopAnswers). A personal
// cue is named by its 64-bit item id, the key as the low word and the sub-key as the high one.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/Packet.h"
#include "client/scenes/shop/CueRules.h"

namespace kestrovan {

// PersonalCueBuy (112): a new personal cue as configured in the purchase window.
struct PersonalCueOrder {
    uint32_t modelId = 0;
    uint32_t totalDurability = 0;  // thousandths, from the model's record
    quill::WString name;
    CueOptions options{};
    CueParts parts{};
};

class CueRequests {
public:
    static constexpr uint8_t kUpgradeNormal = 1;
    static constexpr uint8_t kUpgradeGem = 2;
    static constexpr uint8_t kRepairNormal = 0;
    static constexpr uint8_t kRepairAdvanced = 1;

    static int64_t ItemIdOf(const quill::InventoryItem& cue) {
        return static_cast<int64_t>((static_cast<uint64_t>(cue.subKey) << 32) | cue.key);
    }

    static void WritePersonalCueBuy(quill::Packet& packet, const PersonalCueOrder& order);
    // PartsBuy (115): only the part types whose chosen part differs from the present one.
    static void WritePartsBuy(quill::Packet& packet, int64_t itemId, const CueParts& chosen, const CueParts& present);
    static void WriteUpgrade(quill::Packet& packet, uint8_t mode, int64_t itemId, uint8_t option);  // 117
    static void WriteRepair(quill::Packet& packet, uint8_t mode, int64_t itemId);                    // 119
    static void WriteRetune(quill::Packet& packet, int64_t itemId, const CueOptions& options);       // 121
};

}  // namespace kestrovan
