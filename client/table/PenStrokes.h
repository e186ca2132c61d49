#pragma once
// The drawings players make on the table: 8 player slots of 50 strokes each, every stroke a fading line list,
// and the stroke each slot is drawing now. A point comes from the local player's mouse or from another player's
// relayed message; both only ever touch the stroke lists inside this object, whatever slot or stroke number
// they carry.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "QuillLib/math/Vec3.h"
#include "client/table/LineList.h"

namespace kestrovan {

class PenStrokes {
public:
    static constexpr int32_t kSlotCount = 8;
    static constexpr int32_t kStrokesPerSlot = 50;
    static constexpr uint32_t kPenColour = 0xaaffffff;
    static constexpr uint32_t kFadeBase = 0x40ffffff;
    static constexpr uint32_t kFadeWindow = 20;
    static constexpr uint32_t kFadeLength = 100;
    static constexpr int32_t kLastLocalStroke = 48;

    PenStrokes();
    PenStrokes(const PenStrokes&) = delete;
    PenStrokes& operator=(const PenStrokes&) = delete;

    // Adds a point to the slot's current stroke; the stroke number it went to, or empty for a slot outside 0..7.
    std::optional<uint8_t> AddLocalPoint(int32_t slot, const quill::Vec3& point);
    // Makes stroke the slot's current one and adds the point to it. False, with nothing changed, for a slot
    // outside 0..7 or a stroke outside 0..49.
    bool AddRemotePoint(int32_t slot, int32_t stroke, const quill::Vec3& point);
    // The slot's next stroke becomes its current one (at most stroke 48); false for a slot outside 0..7.
    bool StartNextStroke(int32_t slot);
    // Empties every stroke and sets every slot back to stroke 0.
    void Clear();

    int32_t CurrentStroke(int32_t slot) const;
    // The stroke of a slot, or null outside the ranges.
    const LineList* Stroke(int32_t slot, int32_t stroke) const;


private:
    static bool IsSlot(int32_t slot) { return slot >= 0 && slot < kSlotCount; }
    static bool IsStroke(int32_t stroke) { return stroke >= 0 && stroke < kStrokesPerSlot; }
    LineList& StrokeAt(int32_t slot, int32_t stroke) { return *strokes_[slot * kStrokesPerSlot + stroke]; }

    std::array<int32_t, kSlotCount> current_{};
    std::array<std::unique_ptr<LineList>, kSlotCount * kStrokesPerSlot> strokes_;
};

}  // namespace kestrovan
