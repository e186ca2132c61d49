#pragma once
// Where the six pockets of a table lie. Pockets are numbered 1 corner (minX, minY), 2 middle on the minY side,
// 3 corner (maxX, minY), 4 corner (minX, maxY), 5 middle on the maxY side, 6 corner (maxX, maxY); the pocketed
// byte of a ball, the jaw numbers of the cushion test and the pocket events all use these numbers.
#include <cstdint>

#include "client/physics/TableGeometry.h"

namespace kestrovan {

inline constexpr uint8_t kPocketCount = 6;

// How a ball's centre relates to a pocket's wall: beyond its reach, within reach but clear of the wall, or close
// enough to touch the circular wall or one of the straight sides (a middle pocket's jaws, a corner pocket's
// throat), at gap (cm) in the horizontal direction (dirX, dirY) from the centre towards it.
struct PocketWallContact {
    enum class Reach { Outside, Clear, NearWall, NearSide };
    Reach reach = Reach::Outside;
    float gap = 0.0f;
    float dirX = 0.0f;
    float dirY = 0.0f;

    bool IsNear() const { return reach == Reach::NearWall || reach == Reach::NearSide; }
    // Inside the circular wall the ball is within the pocket's reach at any height; near a straight side only an
    // actual contact puts it there.
    bool IsWithinReach() const { return reach == Reach::Clear || reach == Reach::NearWall; }
};

class PocketGeometry {
public:
    explicit PocketGeometry(const TableGeometry& geometry) : geometry_(geometry) {}

    static bool IsMiddle(uint8_t pocket) { return pocket == 2 || pocket == 5; }
    // The direction from the table's centre towards the pocket: -1 or +1 per axis (0 in x for a middle pocket).
    static int SignX(uint8_t pocket);
    static int SignY(uint8_t pocket);

    // The x of the middle pockets, halfway between the short nose lines.
    float MiddleX() const;
    // The centre of a pocket's capture circle (cornerPocketOffset / middlePocketOffset beyond the nose lines).
    void PocketCentre(uint8_t pocket, float* x, float* y) const;
    float PocketRadius(uint8_t pocket) const;
    // The centre and radius of the pocket's hole in the bed (pocketJaw6 to pocketJaw9).
    void HoleCentre(uint8_t pocket, float* x, float* y) const;
    float HoleRadius(uint8_t pocket) const;
    // The pocket's number when the bed zone bits (1 near noseMinX, 2 noseMaxX, 4 noseMinY, 8 noseMaxY) lie over
    // its hole; 0 for the other zones.
    static uint8_t HolePocketOfZone(uint8_t zone);

    // The wall of a pocket for a ball of radius r centred at (x, y).
    PocketWallContact WallContact(uint8_t pocket, float x, float y, float r) const;

private:
    // The point offset beyond the nose lines in the pocket's direction (x only for a corner pocket).
    void OffsetPoint(uint8_t pocket, float offset, float* x, float* y) const;
    PocketWallContact CircularWall(float cx, float cy, float radius, float x, float y, float r) const;
    PocketWallContact MiddleJaws(float x, float radius, float r) const;
    PocketWallContact CornerThroat(uint8_t pocket, float x, float y, float r) const;

    const TableGeometry& geometry_;
};

// The small look-ups are inline: the bed and pocket passes call them for every ball near a pocket in every
// sub-step.
inline int PocketGeometry::SignX(uint8_t pocket) {
    switch (pocket) {
        case 1:
        case 4:
            return -1;
        case 3:
        case 6:
            return 1;
        default:
            return 0;
    }
}

inline int PocketGeometry::SignY(uint8_t pocket) {
    return pocket <= 3 ? -1 : 1;
}

inline float PocketGeometry::MiddleX() const {
    return (geometry_.noseMinX + geometry_.noseMaxX) / 2.0f;
}

inline void PocketGeometry::OffsetPoint(uint8_t pocket, float offset, float* x, float* y) const {
    const int sx = SignX(pocket);
    if (sx < 0) {
        *x = geometry_.noseMinX - offset;
    } else if (sx > 0) {
        *x = geometry_.noseMaxX + offset;
    } else {
        *x = MiddleX();
    }
    *y = SignY(pocket) < 0 ? geometry_.noseMinY - offset : geometry_.noseMaxY + offset;
}

inline void PocketGeometry::PocketCentre(uint8_t pocket, float* x, float* y) const {
    OffsetPoint(pocket, IsMiddle(pocket) ? geometry_.middlePocketOffset : geometry_.cornerPocketOffset, x, y);
}

inline float PocketGeometry::PocketRadius(uint8_t pocket) const {
    return IsMiddle(pocket) ? geometry_.middlePocketRadius : geometry_.cornerPocketRadius;
}

inline void PocketGeometry::HoleCentre(uint8_t pocket, float* x, float* y) const {
    OffsetPoint(pocket, IsMiddle(pocket) ? geometry_.pocketJaw8 : geometry_.pocketJaw6, x, y);
}

inline float PocketGeometry::HoleRadius(uint8_t pocket) const {
    return IsMiddle(pocket) ? geometry_.pocketJaw9 : geometry_.pocketJaw7;
}

inline uint8_t PocketGeometry::HolePocketOfZone(uint8_t zone) {
    switch (zone) {
        case 5:
            return 1;
        case 4:
            return 2;
        case 6:
            return 3;
        case 9:
            return 4;
        case 8:
            return 5;
        case 10:
            return 6;
        default:
            return 0;
    }
}

}  // namespace kestrovan
