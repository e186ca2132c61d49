#include "client/table/CueClearance.h"

#include <algorithm>
#include <cmath>

#include "client/physics/TableGeometry.h"

namespace kestrovan {
namespace {

constexpr float kTipRadius = 0.602f;
constexpr float kConeGrowth = 1.014f / 137.0f;
constexpr float kRailClearance = 0.2f;

// The stick's radius at distance t along D from S.
float ConeRadius(const CueLine& cue, float t) {
    return (t + cue.offset) * kConeGrowth + kTipRadius;
}

// A sine that rounding (or a ball touching the cue's start) has pushed past 1 stays a valid angle.
float SafeAsin(float value) {
    return std::asin(std::clamp(value, -1.0f, 1.0f));
}

float Length2D(float x, float y) {
    const float square = x * x + y * y;
    return square > 0.0f ? std::sqrt(square) : 0.0f;
}

}  // namespace

void CueClearanceBall(const CueLine& cue, const quill::Vec3& centre, float radius, float& largest) {
    const quill::Vec3 d = centre - cue.start;
    const float t = d.x * cue.direction.x + d.y * cue.direction.y + d.z * cue.direction.z;
    if (!(t > 0.0f)) {
        return;
    }
    quill::Vec3 across;
    quill::Vec3::Cross(across, d, cue.direction);
    const float p = across.Length();
    const float c = ConeRadius(cue, t) + radius;
    const float room = c * c - p * p;
    if (room > 0.0f) {
        largest = std::max(largest, SafeAsin((std::sqrt(room) - cue.height) / t));
    }
}

void CueClearanceRoundNose(const CueLine& cue, float distance, float noseHeight, float& largest) {
    if (!(distance > 0.0f)) {
        return;
    }
    // The stick's underside at the edge lies its radius below the axis, which starts at the strike height.
    const float rise = noseHeight - (cue.start.z + cue.height) + ConeRadius(cue, distance);
    if (rise > 0.0f) {
        largest = std::max(largest, SafeAsin(rise / distance));
    }
}

bool CueClearanceSegment(const CueLine& cue, const RailSegment& rail, float& distance, float& height) {
    // S + t D = P0 + f (P1 - P0) in the bed plane.
    const float ex = rail.x1 - rail.x0;
    const float ey = rail.y1 - rail.y0;
    const float determinant = cue.direction.x * -ey - cue.direction.y * -ex;
    if (determinant == 0.0f) {
        return false;  // the cue runs along the rail
    }
    const float rx = rail.x0 - cue.start.x;
    const float ry = rail.y0 - cue.start.y;
    const float t = (rx * -ey - ry * -ex) / determinant;
    const float f = (cue.direction.x * ry - cue.direction.y * rx) / determinant;
    if (!(t > 0.0f) || !(f >= 0.0f && f <= 1.0f)) {
        return false;
    }
    distance = t;
    height = f < 0.5f ? rail.heights[0] + (rail.heights[1] - rail.heights[0]) * (f / 0.5f)
                      : rail.heights[1] + (rail.heights[2] - rail.heights[1]) * ((f - 0.5f) / 0.5f);
    return true;
}

void CueClearanceRail(const CueLine& cue, const RailSegment& rail, float& largest) {
    float distance = 0.0f;
    float height = 0.0f;
    if (CueClearanceSegment(cue, rail, distance, height)) {
        CueClearanceRoundNose(cue, distance, height, largest);
    }
}

void CueClearanceRails(const CueLine& cue, const TableGeometry& g, bool hasPockets, float& largest) {
    const float top = g.cushionTopHeight + kRailClearance;
    const auto rail = [&](float x0, float y0, float x1, float y1) {
        CueClearanceRail(cue, {x0, y0, x1, y1, {top, top, top}}, largest);
    };
    // The rails along x (the long ones), then those along y; with pockets each long rail is cut at the middle
    // pocket and every rail ends at the corner jaws.
    const float corner = hasPockets ? g.pocketJaw1 : 0.0f;
    for (const float y : {g.noseMinY, g.noseMaxY}) {
        if (hasPockets) {
            rail(g.noseMinX + corner, y, -g.pocketJaw4, y);
            rail(g.pocketJaw4, y, g.noseMaxX - corner, y);
        } else {
            rail(g.noseMinX, y, g.noseMaxX, y);
        }
    }
    for (const float x : {g.noseMinX, g.noseMaxX}) {
        rail(x, g.noseMinY + corner, x, g.noseMaxY - corner);
    }
}

float CueTipContactDepth(float x, float y, float h, float A, float R) {
    const float d = Length2D(x, y);
    if (h == 0.0f) {
        return (1.0f - std::sqrt(std::max(1.0f - d * d, 0.0f))) * R;
    }
    const float s = h / A <= d * R / (A + R) ? h : d * R * A / (A + R);
    const float rest = d - s / R;
    return (A - std::sqrt(std::max(A * A - s * s, 0.0f))) + (1.0f - std::sqrt(std::max(1.0f - rest * rest, 0.0f))) * R;
}

}  // namespace kestrovan
