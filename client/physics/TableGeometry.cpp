#include "client/physics/TableGeometry.h"

#include <bit>

#include "client/physics/PhysicsBall.h"
#include "platform/system/ScopedFpuMode.h"

namespace kestrovan {

namespace {

struct KindLayout {
    float halfLength;
    float halfWidth;
    float cushionWidth;
    float railWidth;
    float cushionTopHeight;
    float cushionNoseHeight;
    uint32_t flagB;
    uint32_t clothSubType;
    uint32_t cushionMode;
};

// Kinds 0 to 11 in order. Kinds 1, 9, 10 and 11 have pockets.
constexpr KindLayout kKindLayouts[kTableKindCount] = {
    {120.0f, 60.0f, 5.03f, 10.87f, 5.25f, 4.2f, 0, 1, 0},    // 0
    {127.5f, 63.75f, 4.7f, 11.5f, 4.7f, 4.1f, 0, 1, 0},      // 1
    {120.0f, 60.0f, 5.03f, 10.87f, 5.25f, 3.95f, 0, 1, 0},   // 2
    {120.0f, 60.0f, 5.03f, 10.87f, 5.25f, 3.7f, 0, 4, 0},    // 3
    {120.0f, 60.0f, 5.03f, 10.87f, 5.25f, 3.7f, 1, 3, 1},    // 4
    {120.0f, 60.0f, 5.03f, 10.87f, 5.25f, 3.95f, 0, 0, 1},   // 5
    {142.24f, 71.12f, 5.03f, 10.87f, 5.25f, 3.7f, 1, 4, 0},  // 6
    {142.24f, 71.12f, 5.03f, 10.87f, 5.25f, 3.7f, 1, 4, 2},  // 7
    {142.24f, 71.12f, 5.03f, 10.87f, 5.25f, 3.7f, 1, 3, 2},  // 8
    {127.5f, 63.75f, 4.7f, 11.5f, 4.7f, 3.5f, 0, 1, 0},      // 9
    {127.5f, 63.75f, 4.7f, 11.5f, 4.7f, 3.5f, 0, 1, 0},      // 10
    {177.8f, 88.9f, 4.7f, 11.5f, 4.7f, 3.14f, 0, 1, 0},      // 11
};

bool HasPockets(uint32_t kind) {
    return kind == 1 || kind == 9 || kind == 10 || kind == 11;
}

void WritePocketWords(uint32_t kind, TableGeometry* out) {
    // Kind 1 stores its middle-pocket offsets as 5.4499969 (0x40AE6660), a few units in the last place below the
    // 5.45 of the other pocket kinds.
    const float middleOffset = kind == 1 ? std::bit_cast<float>(0x40AE6660u) : 5.45f;
    if (kind == 11) {
        out->pocketJaw0 = 1.322f;
        out->pocketJaw1 = 8.599f;
        out->pocketJaw2 = 7.991f;
        out->pocketJaw3 = 3.75f;
        out->pocketJaw4 = 8.45f;
        out->pocketJaw5 = 4.7f;
    } else {
        out->pocketJaw0 = 3.2f;
        out->pocketJaw1 = 8.9f;
        out->pocketJaw3 = 5.1f;
        out->pocketJaw4 = 6.8f;
    }
    out->cornerPocketOffset = 2.29f;
    out->cornerPocketRadius = 5.2f;
    out->middlePocketOffset = middleOffset;
    out->middlePocketRadius = 5.1f;
    out->pocketJaw6 = 4.5f;
    out->pocketJaw7 = 8.8f;
    out->pocketJaw8 = middleOffset;
    out->pocketJaw9 = 5.1f;
    out->pocketFloorHeight = -15.0f;
}

void WriteKindWords(uint32_t kind, TableGeometry* out) {
    const KindLayout& layout = kKindLayouts[kind];
    out->noseMinX = -layout.halfLength;
    out->noseMaxX = layout.halfLength;
    out->noseMinY = -layout.halfWidth;
    out->noseMaxY = layout.halfWidth;
    out->cushionWidth = layout.cushionWidth;
    out->railWidth = layout.railWidth;
    out->cushionTopHeight = layout.cushionTopHeight;
    out->cushionNoseHeight = layout.cushionNoseHeight;
    out->flagB = layout.flagB;
    out->clothSubType = layout.clothSubType;
    out->cushionMode = layout.cushionMode;
    if (kind == 11) {
        out->flagA = 1;
    }
    if (HasPockets(kind)) {
        WritePocketWords(kind, out);
    }
}

void WriteDerivedWords(TableGeometry* out) {
    out->floorHeight = -71.5f;
    out->cushionBackMinX = out->noseMinX - out->cushionWidth;
    out->cushionBackMaxX = out->noseMaxX + out->cushionWidth;
    out->cushionBackMinY = out->noseMinY - out->cushionWidth;
    out->cushionBackMaxY = out->noseMaxY + out->cushionWidth;
    out->frameMinX = out->cushionBackMinX - out->railWidth;
    out->frameMaxX = out->cushionBackMaxX + out->railWidth;
    out->frameMinY = out->cushionBackMinY - out->railWidth;
    out->frameMaxY = out->cushionBackMaxY + out->railWidth;
}

}  // namespace

uint8_t InitTableGeometry(uint32_t kind, TableGeometry* out, PhysicsModelCode modelCode) {
    const platform::ScopedFpuMode fpuMode;  // the derived lines are sums: their bits depend on the rounding
    if (kind == 8 && modelCode < kPhysicsModel10012) {
        kind = 7;
    }
    out->tableKind = kind;
    out->flagB = 0;
    out->clothSubType = 1;
    out->cushionMode = 0;
    out->flagA = 0;
    if (kind < kTableKindCount) {
        WriteKindWords(kind, out);
    }
    WriteDerivedWords(out);
    return HasPockets(kind) ? 1 : 0;
}

bool IsInsideOuterFrame(const PhysicsBall& ball, const TableGeometry& geometry, float margin) {
    const float e = ball.radiusCm + margin;
    const float x = ball.position.x;
    const float y = ball.position.y;
    return geometry.frameMinX - e < x && x < geometry.frameMaxX + e && geometry.frameMinY - e < y &&
           y < geometry.frameMaxY + e;
}

bool IsInsidePlayingArea(const PhysicsBall& ball, const TableGeometry& geometry, float margin) {
    const float e = ball.radiusCm + margin;
    const float x = ball.position.x;
    const float y = ball.position.y;
    return geometry.noseMinX + e < x && x < geometry.noseMaxX - e && geometry.noseMinY + e < y &&
           y < geometry.noseMaxY - e;
}

}  // namespace kestrovan
