#include "client/table/PlacementArea.h"

#include <cmath>

#include "QuillLib/math/Vector2D.h"

namespace kestrovan {
namespace {

constexpr float kDropMargin = 0.01f;
constexpr float kBaulkLine = -2.342f;  // in table units H
constexpr float kDRadius = 0.6569f;

bool IsTheD(int32_t area, quill::GameType gameMode) {
    return gameMode == quill::game_type::kSnooker && (area == 1 || area == 2);
}

// Behind the baulk line, then inside the half circle: a point beyond the arc slides onto it.
bool ClampIntoD(quill::Vec3& p, float unit) {
    const float baulk = kBaulkLine * unit;
    const float radius = kDRadius * unit;
    bool changed = false;
    if (p.x > baulk) {
        p.x = baulk;
        changed = true;
    }
    const float dx = baulk - p.x;
    const float dy = p.y;
    const float d = quill::Length2D(dx, dy);
    if (d > radius) {
        p.x = baulk - dx / d * radius;
        p.y = dy / d * radius;
        changed = true;
    }
    return changed;
}

bool ClampBelow(float& value, float limit) {
    if (value > limit) {
        value = limit;
        return true;
    }
    return false;
}

bool ClampAbove(float& value, float limit) {
    if (value < limit) {
        value = limit;
        return true;
    }
    return false;
}

bool ClampIntoRectangle(quill::Vec3& p, const PlacementBounds& b, float radius, float margin, int32_t area) {
    const float upperX = (area == 1 ? -0.5f * b.halfLength : b.halfLength - radius) - margin;
    bool changed = ClampBelow(p.x, upperX);
    changed = ClampAbove(p.x, radius - b.halfLength - margin) || changed;
    changed = ClampBelow(p.y, b.halfWidth - radius - margin) || changed;
    changed = ClampAbove(p.y, radius - b.halfWidth - margin) || changed;
    return changed;
}

double SquaredDistance(const quill::Vec3& a, const quill::Vec3& b) {
    return (a - b).LengthSquared();
}

}  // namespace

bool ClampToPlacementArea(quill::Vec3& p, const PlacementBounds& bounds, float radius, float margin, int32_t area,
                          quill::GameType gameMode) {
    bool changed = false;
    // A ball resting on the bed has its centre exactly one radius above it; only a ball above that (still
    // falling) is left where it is.
    if (!(p.z > radius + bounds.bedHeight)) {
        changed = IsTheD(area, gameMode) ? ClampIntoD(p, bounds.unit)
                                         : ClampIntoRectangle(p, bounds, radius, margin, area);
    }
    return ClampAbove(p.z, radius) || changed;
}

std::optional<quill::Vec3> ResolveHeldBallDrop(quill::Vec3 candidate, uint32_t heldBall,
                                               std::span<const quill::Vec3> positions, const PlacementBounds& bounds,
                                               float radius, int32_t area, quill::GameType gameMode) {
    const float contact = 2.0f * radius + kDropMargin;
    const double limit = static_cast<double>(contact) * contact;
    int32_t nearest = -1;
    double nearestDistance = 0.0;
    for (uint32_t i = 0; i < positions.size(); ++i) {
        const double distance = SquaredDistance(positions[i], candidate);
        if (i != heldBall && distance < limit && (nearest < 0 || distance < nearestDistance)) {
            nearest = static_cast<int32_t>(i);
            nearestDistance = distance;
        }
    }
    if (nearest < 0) {
        return candidate;
    }
    if (nearestDistance == 0.0) {
        return std::nullopt;  // dropped onto another ball's centre: no side to push it to
    }
    // Push the candidate out along the horizontal line from that ball's centre until they just touch.
    const quill::Vec3& other = positions[static_cast<uint32_t>(nearest)];
    const float dz = candidate.z - other.z;
    float dx = candidate.x - other.x;
    float dy = candidate.y - other.y;
    quill::Normalize2D(&dx, &dy);
    const float reach = std::sqrt(contact * contact - dz * dz);
    candidate.x = other.x + dx * reach;
    candidate.y = other.y + dy * reach;
    if (ClampToPlacementArea(candidate, bounds, radius, kDropMargin, area, gameMode)) {
        return std::nullopt;
    }
    for (uint32_t i = 0; i < positions.size(); ++i) {
        if (i != heldBall && i != static_cast<uint32_t>(nearest) && SquaredDistance(positions[i], candidate) < limit) {
            return std::nullopt;
        }
    }
    return candidate;
}

}  // namespace kestrovan
