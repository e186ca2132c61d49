#pragma once
// One thing that happened during a strike or a simulation call, as the rules and the collision sounds read it.
// The record keeps its 28-byte layout (kind, ball, strength, vector, extra) because readers address the two
// extra bytes separately: the side bit and the upper-face flag of a cushion contact, or a pocket number.
#include <cstddef>
#include <cstdint>

#include "QuillLib/math/Vec3.h"

namespace kestrovan {

enum class PhysicsEventKind : uint32_t {
    BallBall = 0,       // strength: the pair's approach measure; extra: the second ball
    Cushion = 1,        // strength: mass x approach speed; extraLow: side bit, extraHigh: upper-face flag
    BedImpact = 2,      // strength: mass x impact speed
    RailTop = 3,        // strength: mass x impact speed
    FloorImpact = 4,    // strength: -(vertical speed x mass)
    PocketWall = 5,     // strength: normal speed x mass; extraLow: pocket number
    Pocketed = 6,       // strength: -(mass x vertical speed); extraLow: pocket number
    CueContactEnd = 7,  // the cue's contact time has run out
    Miscue = 8,         // strength: the slipping share of the contact time, (0, 1]
    FloorRest = 13,     // a ball on the floor has come to rest
};

struct PhysicsEvent {
    PhysicsEventKind kind = PhysicsEventKind::BallBall;
    uint16_t ball = 0;
    float strength = 0.0f;
    quill::Vec3 vector;
    uint16_t extra = 0;  // low byte first: extraLow is byte 24 of the record, extraHigh byte 25

    uint8_t ExtraLow() const { return static_cast<uint8_t>(extra & 0xFF); }
    uint8_t ExtraHigh() const { return static_cast<uint8_t>(extra >> 8); }
    void SetExtraBytes(uint8_t low, uint8_t high) { extra = static_cast<uint16_t>(low | (high << 8)); }
};

static_assert(sizeof(PhysicsEvent) == 28);
static_assert(offsetof(PhysicsEvent, strength) == 8);
static_assert(offsetof(PhysicsEvent, vector) == 12);
static_assert(offsetof(PhysicsEvent, extra) == 24);

// The name of a kind as the probe and the logs print it ("Unknown" for the unused values).
const char* PhysicsEventKindName(PhysicsEventKind kind);

}  // namespace kestrovan
