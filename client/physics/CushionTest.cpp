#include "client/physics/CushionTest.h"

#include "QuillLib/math/Vector2D.h"
#include "client/physics/PhysicsMath.h"

namespace kestrovan {

// How the jaws are laid out. Take the corner pocket 1 at (noseMinX, noseMinY) and its jaw on the cushion of side
// bit 1 (the cushion along y at x = noseMinX). Measured from the nose corner C = (noseMinX, noseMinY), the jaw
// runs from A on the nose line, pocketJaw1 along the cushion, to B on the back line, pocketJaw0 along it:
// A = (C.x, C.y + pocketJaw1) and B = (C.x - cushionWidth, C.y + pocketJaw0). The other corners mirror this with
// the pocket's signs (sx, sy), the direction from the table's centre towards the corner: on a cushion across x,
// A = (C.x, C.y - sy jaw1) and B = (C.x + sx width, C.y - sy jaw0); on a cushion across y,
// A = (C.x - sx jaw1, C.y) and B = (C.x - sx jaw0, C.y + sy width). A middle jaw of the pocket at
// M = ((noseMinX + noseMaxX) / 2, nose line) runs from A = (M.x +- pocketJaw4, M.y) to
// B = (M.x +- pocketJaw3, M.y + sy width), the sign being the side of the middle on which the ball lies.
//
// The cushion's body lies on one side of the line AB; the free side (the table and the pocket's mouth) is the one
// that holds the nose corner C (or M): C - A runs along the nose line towards the pocket, and the line AB slants
// back from the nose line towards the pocket, so C lies off the line on the free side. The jaw's perpendicular is
// therefore the unit normal of AB that has a positive product with C - A, and the signed distance of the ball's
// centre from AB along it is positive on the table's side, as the contact band needs it.
//
// A rounded nose end (kind 11) is an arc of radius rr about Q = A - rr n, n being the straight cushion's direction
// into the table, so the arc passes through A; with the kind-11 words it also passes through B (|B - Q| = rr to
// within 0.005), so the whole jaw face is that arc. The arc spans the sector from Q->A to Q->B. With
// sigma = cross(Q->A, Q->B), a point P lies past the line QB on B's side when cross(Q->B, Q->P) has the sign of
// sigma, and past the line QA on A's side when cross(Q->A, Q->P) has the opposite sign; between them it meets
// the arc.

namespace {

float Cross2(float ax, float ay, float bx, float by) {
    return ax * by - ay * bx;
}

bool IsSideBit(uint8_t side) {
    return side == 1 || side == 2 || side == 4 || side == 8;
}

uint8_t CornerPocket(int sx, int sy) {
    if (sy < 0) {
        return sx < 0 ? 1 : 3;
    }
    return sx < 0 ? 4 : 6;
}

}  // namespace

// The contact of one test before the touch check: horizontal distance d along (dirX, dirY) from the contact to
// the ball's centre, the vertical distance h and the contact's height above the cloth.
struct CushionTest::Band {
    float d = 0.0f;
    float h = 0.0f;
    float height = 0.0f;
    float dirX = 0.0f;
    float dirY = 0.0f;
};

struct CushionTest::Jaw {
    uint8_t pocket = 0;
    bool middle = false;
    int sx = 0;  // the pocket's direction from the table's centre (0 in x for a middle pocket)
    int sy = 0;
    float ax = 0.0f, ay = 0.0f;        // the end on the nose line
    float bx = 0.0f, by = 0.0f;        // the end on the back line
    float ux = 0.0f, uy = 0.0f;        // (B - A) normalised
    float length = 0.0f;               // |B - A|
    float perpX = 0.0f, perpY = 0.0f;  // the jaw's unit normal on the table's side
    float sideX = 0.0f, sideY = 0.0f;  // the straight cushion's direction into the table
    float roundRadius = 0.0f;
};

bool CushionTest::Test(const quill::Vec3& position, float radiusCm, uint8_t side, quill::Vec3* normalOut,
                       float* contactHeightOut, CushionFlags* flags) const {
    if (!IsSideBit(side)) {
        return false;
    }
    const float z = position.z;
    if (!(-radiusCm <= z && z <= radiusCm + geometry_.cushionTopHeight)) {
        return false;
    }
    Band band;
    Jaw jaw;
    if (hasPockets_ && FindJaw(side, position, &jaw)) {
        flags->jaw = jaw.pocket;
        if (IsOutsideJawReach(jaw, position)) {
            return false;
        }
        const bool inReach = roundedJawEnds_ ? RoundedJawBand(jaw, position, radiusCm, &band, flags)
                                             : JawBand(jaw, position, radiusCm, &band, flags);
        if (!inReach) {
            return false;
        }
    } else {
        StraightBand(side, position, &band, flags);
    }
    if (!(band.d * band.d + band.h * band.h < radiusCm * radiusCm)) {
        return false;
    }
    // On the nose edge the contact vector is never shorter horizontally than the radius.
    float d = band.d;
    if (flags->nose != 0 && d < radiusCm) {
        d = radiusCm;
    }
    *normalOut = quill::Vec3{band.dirX * d, band.dirY * d, band.h};
    *contactHeightOut = band.height;
    return true;
}

bool CushionTest::FindJaw(uint8_t side, const quill::Vec3& position, Jaw* jaw) const {
    const TableGeometry& g = geometry_;
    const float x = position.x;
    const float y = position.y;
    const bool acrossX = side == 1 || side == 2;
    if (acrossX) {
        jaw->sx = side == 1 ? -1 : 1;
        if (y - g.noseMinY < g.pocketJaw1) {
            jaw->sy = -1;
        } else if (g.noseMaxY - y < g.pocketJaw1) {
            jaw->sy = 1;
        } else {
            return false;
        }
    } else {
        jaw->sy = side == 4 ? -1 : 1;
        const float middleX = (g.noseMinX + g.noseMaxX) / 2.0f;
        if (x - g.noseMinX < g.pocketJaw1) {
            jaw->sx = -1;
        } else if (g.noseMaxX - x < g.pocketJaw1) {
            jaw->sx = 1;
        } else if (physmath::Fabs(x - middleX) < g.pocketJaw4) {
            jaw->sx = 0;
            jaw->middle = true;
        } else {
            return false;
        }
    }
    const float noseY = jaw->sy < 0 ? g.noseMinY : g.noseMaxY;
    float refX = 0.0f;
    float refY = noseY;
    if (jaw->middle) {
        const float middleX = (g.noseMinX + g.noseMaxX) / 2.0f;
        const float s = x < middleX ? -1.0f : 1.0f;
        jaw->pocket = jaw->sy < 0 ? 2 : 5;
        jaw->ax = middleX + s * g.pocketJaw4;
        jaw->ay = noseY;
        jaw->bx = middleX + s * g.pocketJaw3;
        jaw->by = noseY + static_cast<float>(jaw->sy) * g.cushionWidth;
        jaw->roundRadius = g.pocketJaw5;
        refX = middleX;
    } else {
        const float sx = static_cast<float>(jaw->sx);
        const float sy = static_cast<float>(jaw->sy);
        const float noseX = jaw->sx < 0 ? g.noseMinX : g.noseMaxX;
        jaw->pocket = CornerPocket(jaw->sx, jaw->sy);
        if (acrossX) {
            jaw->ax = noseX;
            jaw->ay = noseY - sy * g.pocketJaw1;
            jaw->bx = noseX + sx * g.cushionWidth;
            jaw->by = noseY - sy * g.pocketJaw0;
        } else {
            jaw->ax = noseX - sx * g.pocketJaw1;
            jaw->ay = noseY;
            jaw->bx = noseX - sx * g.pocketJaw0;
            jaw->by = noseY + sy * g.cushionWidth;
        }
        jaw->roundRadius = g.pocketJaw2;
        refX = noseX;
    }
    if (acrossX) {
        jaw->sideX = -static_cast<float>(jaw->sx);
    } else {
        jaw->sideY = -static_cast<float>(jaw->sy);
    }
    jaw->ux = jaw->bx - jaw->ax;
    jaw->uy = jaw->by - jaw->ay;
    quill::Normalize2D(&jaw->ux, &jaw->uy, &jaw->length);
    jaw->perpX = -jaw->uy;
    jaw->perpY = jaw->ux;
    if (jaw->perpX * (refX - jaw->ax) + jaw->perpY * (refY - jaw->ay) < 0.0f) {
        jaw->perpX = -jaw->perpX;
        jaw->perpY = -jaw->perpY;
    }
    return true;
}

bool CushionTest::IsOutsideJawReach(const Jaw& jaw, const quill::Vec3& position) const {
    const TableGeometry& g = geometry_;
    if (jaw.middle) {
        // Beyond the back line the ball is in the middle pocket's mouth.
        return jaw.sy < 0 ? position.y < g.noseMinY - g.cushionWidth : position.y > g.noseMaxY + g.cushionWidth;
    }
    // Past the line through both back ends the ball is in the corner pocket's mouth.
    const float fromNoseX = jaw.sx < 0 ? position.x - g.noseMinX : g.noseMaxX - position.x;
    const float fromNoseY = jaw.sy < 0 ? position.y - g.noseMinY : g.noseMaxY - position.y;
    return fromNoseX + fromNoseY < g.pocketJaw0 - g.cushionWidth;
}

void CushionTest::StraightBand(uint8_t side, const quill::Vec3& position, Band* band, CushionFlags* flags) const {
    const TableGeometry& g = geometry_;
    switch (side) {
        case 1:
            band->dirX = 1.0f;
            band->d = position.x - g.noseMinX;
            break;
        case 2:
            band->dirX = -1.0f;
            band->d = g.noseMaxX - position.x;
            break;
        case 4:
            band->dirY = 1.0f;
            band->d = position.y - g.noseMinY;
            break;
        default:
            band->dirY = -1.0f;
            band->d = g.noseMaxY - position.y;
            break;
    }
    const float h0 = position.z - g.cushionNoseHeight;
    const float slope = (g.cushionTopHeight - g.cushionNoseHeight) / g.cushionWidth;
    if (h0 > 0.0f && band->d / h0 < slope) {
        UpperFace(band->d, h0, band, flags);
        return;
    }
    flags->nose = 1;
    band->h = position.z - g.cushionNoseHeight;
    band->height = g.cushionNoseHeight;
}

void CushionTest::UpperFace(float d, float h0, Band* band, CushionFlags* flags) const {
    const TableGeometry& g = geometry_;
    const float rise = g.cushionTopHeight - g.cushionNoseHeight;
    const float width = g.cushionWidth;
    const float face = physmath::Sqrt(width * width + rise * rise);
    // The centre's distance from the face, split into the contact's horizontal and vertical offsets.
    const float distance = d * rise / face + h0 * width / face;
    band->d = distance * rise / face;
    band->h = distance * width / face;
    band->height = g.cushionNoseHeight + (h0 * rise / face - d * width / face) * rise / face;
    flags->upperFace = 1;
}

bool CushionTest::JawBand(const Jaw& jaw, const quill::Vec3& position, float radiusCm, Band* band,
                          CushionFlags* flags) const {
    const TableGeometry& g = geometry_;
    const float px = position.x;
    const float py = position.y;
    if ((px - jaw.bx) * jaw.ux + (py - jaw.by) * jaw.uy > 0.0f) {
        band->dirX = px - jaw.bx;
        band->dirY = py - jaw.by;
        quill::Normalize2D(&band->dirX, &band->dirY, &band->d);
        band->height = g.cushionTopHeight;
        band->h = position.z - band->height;
        return true;
    }
    const float qx = px - jaw.ax;
    const float qy = py - jaw.ay;
    if (qx * jaw.ux + qy * jaw.uy < 0.0f) {
        band->dirX = qx;
        band->dirY = qy;
        quill::Normalize2D(&band->dirX, &band->dirY, &band->d);
        band->height = g.cushionNoseHeight;
        band->h = position.z - band->height;
        flags->nose = 1;
        return true;
    }
    const float d = qx * jaw.perpX + qy * jaw.perpY;
    return FaceBand(jaw, d, jaw.perpX, jaw.perpY, position, radiusCm, band, flags);
}

bool CushionTest::RoundedJawBand(const Jaw& jaw, const quill::Vec3& position, float radiusCm, Band* band,
                                 CushionFlags* flags) const {
    const TableGeometry& g = geometry_;
    const float qx = jaw.ax - jaw.roundRadius * jaw.sideX;
    const float qy = jaw.ay - jaw.roundRadius * jaw.sideY;
    const float toAx = jaw.ax - qx;
    const float toAy = jaw.ay - qy;
    const float toBx = jaw.bx - qx;
    const float toBy = jaw.by - qy;
    const float toPx = position.x - qx;
    const float toPy = position.y - qy;
    const float sigma = Cross2(toAx, toAy, toBx, toBy);
    if (Cross2(toBx, toBy, toPx, toPy) * sigma > 0.0f) {
        band->dirX = position.x - jaw.bx;
        band->dirY = position.y - jaw.by;
        quill::Normalize2D(&band->dirX, &band->dirY, &band->d);
        band->height = g.cushionTopHeight;
        band->h = position.z - band->height;
        return true;
    }
    if (Cross2(toAx, toAy, toPx, toPy) * sigma < 0.0f) {
        band->dirX = position.x - jaw.ax;
        band->dirY = position.y - jaw.ay;
        quill::Normalize2D(&band->dirX, &band->dirY, &band->d);
        band->height = g.cushionNoseHeight;
        band->h = position.z - band->height;
        return true;
    }
    float dirX = toPx;
    float dirY = toPy;
    float fromCentre = 0.0f;
    quill::Normalize2D(&dirX, &dirY, &fromCentre);
    return FaceBand(jaw, fromCentre - jaw.roundRadius, dirX, dirY, position, radiusCm, band, flags);
}

bool CushionTest::FaceBand(const Jaw& jaw, float d, float dirX, float dirY, const quill::Vec3& position, float radiusCm,
                           Band* band, CushionFlags* flags) const {
    // A centre in front of the face by the radius or more touches nothing: tested first, so that a ball passing a
    // pocket's mouth spends no root or division on the face's edges.
    if (!(d <= 0.0f) && d >= radiusCm) {
        return false;
    }
    const TableGeometry& g = geometry_;
    const float qx = position.x - jaw.ax;
    const float qy = position.y - jaw.ay;
    const float t = qx * jaw.ux + qy * jaw.uy;
    const float fromA = quill::Length2D(qx, qy);
    // The face's lower edge drops from the nose height at A to the cloth a fifth of the way towards B; its upper
    // edge rises from the nose height towards the cushion's top.
    float lower = (1.0f - t / jaw.length / 0.2f) * g.cushionNoseHeight;
    if (lower < 0.0f) {
        lower = 0.0f;
    }
    const float upper = g.cushionNoseHeight + (g.cushionTopHeight - g.cushionNoseHeight) * t / fromA;
    const float z = position.z;
    band->dirX = dirX;
    band->dirY = dirY;
    if (d <= 0.0f) {
        UpperFace(0.0f, z - upper, band, flags);
        return true;
    }
    band->d = d;
    if (z < lower) {
        band->h = z - lower;
        band->height = lower;
    } else if (z <= upper) {
        band->h = 0.0f;
        band->height = z;
    } else {
        band->h = z - upper;
        band->height = upper;
    }
    return true;
}

}  // namespace kestrovan
