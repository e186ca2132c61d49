#pragma once
// The built-in parts of the custom-cue workshop, one list per part type, and the fixed names of the part
// types and of the cue statistics. The lists never change after the built-in parts are registered;
// lookups take the catalogue's lock.
#include <array>
#include <cstdint>
#include <deque>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/gamedata/CuePartRecord.h"

namespace quill {

class CuePartCatalogue {
public:
    // Registers the built-in parts.
    CuePartCatalogue();
    CuePartCatalogue(const CuePartCatalogue&) = delete;
    CuePartCatalogue& operator=(const CuePartCatalogue&) = delete;

    // Appends a part to the list of its type; part types other than 0..4 are ignored (null).
    const CuePartRecord* Register(uint8_t partType, uint16_t partId, uint32_t modelIndex, uint8_t currency,
                                  uint32_t price, uint8_t valueA, uint8_t valueB, uint8_t requiredLevel);
    // The 68 built-in parts (8 shafts, 36 butts, 8 joints, 8 bumpers, 8 tips).
    void RegisterDefaults();
    const CuePartRecord* Find(uint8_t partType, uint16_t partId);
    uint32_t CountParts(uint8_t partType);

private:
    CriticalSectionLock lock_;
    std::array<std::deque<CuePartRecord>, CuePartRecord::kPartTypeCount> parts_;
};

// The process-wide workshop catalogue.
CuePartCatalogue& TheCuePartCatalogue();

// "shaft", "butt", "joint", "bumper", "cue tip" by part type; empty for other indices.
const char16_t* GetItemAttributeName(uint32_t index);
// "Shot power", "Power balance", "Spin up", "Miscue dec.", "Squirt dec."; empty for other indices.
const char16_t* GetItemStatName(uint32_t index);

}  // namespace quill
