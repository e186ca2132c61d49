#include "client/physics/PocketGeometry.h"

#include "QuillLib/math/Vector2D.h"

namespace kestrovan {

// A corner pocket is a circular wall about its centre c, reached through a straight throat along the corner's
// diagonal; the circle takes over past the line through c across the diagonal. A middle pocket is a circular
// wall about its centre, reached between two straight jaws at x = m -+ radius, the circle taking over once the
// ball has passed the centre's line.
PocketWallContact PocketGeometry::WallContact(uint8_t pocket, float x, float y, float r) const {
    float cx = 0.0f;
    float cy = 0.0f;
    PocketCentre(pocket, &cx, &cy);
    const float radius = PocketRadius(pocket);
    const float sx = static_cast<float>(SignX(pocket));
    const float sy = static_cast<float>(SignY(pocket));
    if (IsMiddle(pocket)) {
        if (sy * (y - cy) > 0.0f) {
            return CircularWall(cx, cy, radius, x, y, r);
        }
        return MiddleJaws(x - cx, radius, r);
    }
    if (sx * (x - cx) + sy * (y - cy) > 0.0f) {
        return CircularWall(cx, cy, radius, x, y, r);
    }
    return CornerThroat(pocket, x, y, r);
}

PocketWallContact PocketGeometry::CircularWall(float cx, float cy, float radius, float x, float y, float r) const {
    PocketWallContact contact;
    float dx = x - cx;
    float dy = y - cy;
    float length = 0.0f;
    quill::Normalize2D(&dx, &dy, &length);
    if (length > radius) {
        return contact;
    }
    contact.reach = PocketWallContact::Reach::Clear;
    if (length <= radius - r) {
        return contact;
    }
    contact.reach = PocketWallContact::Reach::NearWall;
    contact.gap = radius - length;
    contact.dirX = dx;
    contact.dirY = dy;
    return contact;
}

PocketWallContact PocketGeometry::MiddleJaws(float u, float radius, float r) const {
    PocketWallContact contact;
    if (u <= radius - r) {
        if (u >= r - radius) {
            contact.reach = PocketWallContact::Reach::Clear;
        } else if (u > -radius) {
            contact = {PocketWallContact::Reach::NearSide, u + radius, -1.0f, 0.0f};
        }
        return contact;
    }
    if (u < radius) {
        contact = {PocketWallContact::Reach::NearSide, radius - u, 1.0f, 0.0f};
    }
    return contact;
}

// The throat's first side is the line along the corner's diagonal through the back end of the jaw on the
// corner's short cushion, B = (cushion back x of the corner, nose y moved pocketJaw0 towards the table). With the
// corner's signs (sx, sy) (the direction from the table's centre to the corner), the distance of the ball's
// centre from that line, measured towards the throat's inside, is w = (-sx (x - Bx) + sy (y - By)) / sqrt(2):
// for pocket 1, a ball on the diagonal through the pocket's centre is (pocketJaw0 + cushionWidth) / sqrt(2) from
// the line. The direction from the centre towards the first side is (sx, -sy) / sqrt(2); the second side lies
// 2 x radius further in, towards (-sx, sy) / sqrt(2).
PocketWallContact PocketGeometry::CornerThroat(uint8_t pocket, float x, float y, float r) const {
    const TableGeometry& g = geometry_;
    const float radius = g.cornerPocketRadius;
    const int sx = SignX(pocket);
    const int sy = SignY(pocket);
    const float bx = sx < 0 ? g.cushionBackMinX : g.cushionBackMaxX;
    const float by = sy < 0 ? g.noseMinY + g.pocketJaw0 : g.noseMaxY - g.pocketJaw0;
    const float fsx = static_cast<float>(sx);
    const float fsy = static_cast<float>(sy);
    const float w = (-fsx * (x - bx) + fsy * (y - by)) / 1.41421354f;
    const float diagonal = 0.70710677f;
    PocketWallContact contact;
    if (w < r) {
        if (!(w < 0.0f)) {
            contact = {PocketWallContact::Reach::NearSide, w, fsx * diagonal, -fsy * diagonal};
        }
        return contact;
    }
    if (w <= 2.0f * radius - r) {
        contact.reach = PocketWallContact::Reach::Clear;
    } else if (w < 2.0f * radius) {
        contact = {PocketWallContact::Reach::NearSide, 2.0f * radius - w, -fsx * diagonal, fsy * diagonal};
    }
    return contact;
}

}  // namespace kestrovan
