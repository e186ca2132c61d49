#pragma once
// The 37-word description of a table (lengths in cm, origin at the table's centre on the cloth plane, x along the
// length, y across, z up), with the layouts of the twelve table kinds. The holder fills one per table item and
// copies it into its model; the words keep their order and size because a model copies the record whole.
#include <cstddef>
#include <cstdint>

#include "client/physics/PhysicsModelCode.h"

namespace kestrovan {

class PhysicsBall;

struct TableGeometry {
    float cushionBackMinX = 0.0f;  // 0-3: the nose lines moved outward by cushionWidth
    float cushionBackMaxX = 0.0f;
    float cushionBackMinY = 0.0f;
    float cushionBackMaxY = 0.0f;
    float railWidth = 0.0f;         // 4: the wooden rail behind the cushion
    float cushionTopHeight = 0.0f;  // 5: height of the cushion's top above the cloth
    float frameMinX = 0.0f;         // 6-9: the cushion backs moved outward by railWidth (the table's outer edge)
    float frameMaxX = 0.0f;
    float frameMinY = 0.0f;
    float frameMaxY = 0.0f;
    float noseMinX = 0.0f;  // 10-13: the cushion nose lines, bounds of the playing area
    float noseMaxX = 0.0f;
    float noseMinY = 0.0f;
    float noseMaxY = 0.0f;
    float cushionWidth = 0.0f;        // 14: depth of the cushion from nose to back
    float cushionNoseHeight = 0.0f;   // 15
    float floorHeight = 0.0f;         // 16: the room's floor, -71.5
    uint32_t flagA = 0;               // 17: 1 for kind 11 (rounded jaw ends)
    float pocketJaw0 = 0.0f;          // 18: corner jaw's end on the back line, from the corner
    float pocketJaw1 = 0.0f;          // 19: corner jaw's end on the nose line, from the corner
    float pocketJaw2 = 0.0f;          // 20: radius of a corner jaw's rounded nose end (kind 11)
    float pocketJaw3 = 0.0f;          // 21: middle jaw's end on the back line, from the middle
    float pocketJaw4 = 0.0f;          // 22: middle jaw's end on the nose line, from the middle
    float pocketJaw5 = 0.0f;          // 23: radius of a middle jaw's rounded nose end (kind 11)
    float cornerPocketOffset = 0.0f;  // 24: a corner pocket's centre lies this far beyond both nose lines
    float cornerPocketRadius = 0.0f;  // 25
    float middlePocketOffset = 0.0f;  // 26: a middle pocket's centre lies this far beyond its long nose line
    float middlePocketRadius = 0.0f;  // 27
    float pocketJaw6 = 0.0f;          // 28: the bed's corner hole: its centre's offset beyond both nose lines
    float pocketJaw7 = 0.0f;          // 29: and its radius
    float pocketJaw8 = 0.0f;          // 30: the bed's middle hole: its centre's offset beyond the long nose line
    float pocketJaw9 = 0.0f;          // 31: and its radius
    float pocketFloorHeight = 0.0f;   // 32: a pocketed ball's resting floor, -15.0
    uint32_t tableKind = 0;           // 33: the kind actually laid out
    uint32_t flagB = 0;               // 34
    uint32_t clothSubType = 0;        // 35
    uint32_t cushionMode = 0;         // 36
};

static_assert(sizeof(TableGeometry) == 37 * 4);
static_assert(offsetof(TableGeometry, flagA) == 17 * 4);
static_assert(offsetof(TableGeometry, pocketFloorHeight) == 32 * 4);

inline constexpr uint32_t kTableKindCount = 12;

// Fills out for the table kind and returns 1 for the kinds with pockets (1, 9, 10, 11), else 0. Kind 8 is laid
// out as kind 7 for models older than 0x10012; the code of the model that will use the table decides. A kind
// above 11 is no table kind: only the common words are written (the kind's own words stay as they were).
// Carom kinds leave the pocket words as they were.
uint8_t InitTableGeometry(uint32_t kind, TableGeometry* out, PhysicsModelCode modelCode = kDefaultPhysicsModelCode);

// Whether the ball's centre lies strictly inside the outer frame widened by its radius plus margin.
bool IsInsideOuterFrame(const PhysicsBall& ball, const TableGeometry& geometry, float margin);
// Whether the ball's centre lies strictly inside the nose lines shrunk by its radius plus margin.
bool IsInsidePlayingArea(const PhysicsBall& ball, const TableGeometry& geometry, float margin);

}  // namespace kestrovan
