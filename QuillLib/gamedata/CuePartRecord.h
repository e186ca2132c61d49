#pragma once
// One part of the custom-cue workshop: a shaft, butt, joint, bumper or cue tip, with its model, price and
// the pair of values the workshop reads.
#include <cstdint>

namespace quill {

struct CuePartRecord {
    enum PartType : uint8_t { kShaft = 0, kButt = 1, kJoint = 2, kBumper = 3, kTip = 4 };
    static constexpr uint8_t kPartTypeCount = 5;

    uint8_t partType = 0;
    uint16_t partId = 0;
    uint32_t modelIndex = 0;  // the part's model, as the custom cue stores it
    uint8_t currency = 1;     // 2 for the two basic parts of each type
    uint32_t price = 0;
    uint8_t requiredLevel = 0;
    uint8_t valueA = 0;
    uint8_t valueB = 0;
};

}  // namespace quill
