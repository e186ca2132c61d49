#include "client/rules/RespotPlanner.h"

#include <cmath>

#include "client/rules/RackLayout.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;

constexpr uint32_t kLastAxisTry = 6;  // tries beyond this leave the bed
constexpr int32_t kLastNineTry = 5;

// Alternating steps out from 0: 0, -1, +1, -2, +2, ... for t = 0, 1, 2, ...
float AlternatingStep(uint32_t t) {
    const auto magnitude = static_cast<float>((t + 1) / 2);
    return t % 2 == 0 ? magnitude : -magnitude;
}

}  // namespace

RespotPlanner::RespotPlanner(const PhysicsModel& model, quill::GameType gameType, uint16_t cueBall, float ballRadius)
    : model_(model),
      gameType_(gameType),
      cueBall_(cueBall),
      radius_(ballRadius),
      halfLength_(model.Geometry().noseMaxX),
      halfWidth_(model.Geometry().noseMaxY) {}

RespotPlanner::Spot RespotPlanner::SpotFor(uint32_t ball, uint32_t& tryCounter) const {
    Spot spot;
    if (!(radius_ > 0.0f)) {
        return spot;  // balls without a size: every search below would step by 0
    }
    bool found = false;
    if (gameType_ == type::kNineBall && ball == cueBall_) {
        found = FindNineBallCueSpot(ball, spot);
    } else if (gameType_ == type::kNineBall && ball == RackLayout::kNineBall) {
        found = FindNineSpot(ball, spot);
    } else if (gameType_ == type::kSnooker) {
        found = FindSnookerSpot(ball, spot);
    } else {
        found = FindAxisSpot(ball, tryCounter, spot);
    }
    if (!found) {
        spot.x = -halfLength_ / 2.0f;
        spot.y = FindAcrossSpot(ball, spot.x, kSpotClearance);
    }
    return spot;
}

RespotPlanner::Spot RespotPlanner::HeadSpot(uint32_t ball) const {
    const float x = -halfLength_ / 2.0f;
    if (!(radius_ > 0.0f)) {
        return {x, 0.0f};
    }
    return {x, FindAcrossSpot(ball, x, kHeadSpotClearance)};
}

bool RespotPlanner::IsSpotFree(uint32_t ball, float x, float y, float clearance) const {
    // Balls in the pockets or below the cloth are out of the way; balls already put back (still dropping
    // onto the cloth) count where they will land, so two balls are never dropped onto one spot.
    const float limit = clearance * radius_;
    for (uint16_t i = 0; i < model_.BallCount(); ++i) {
        const PhysicsBall& other = model_.Ball(i);
        if (i == ball || other.pocketed != 0 || other.position.z < 0.0f) {
            continue;
        }
        const float dx = other.position.x - x;
        const float dy = other.position.y - y;
        if (dx * dx + dy * dy < limit * limit) {
            return false;
        }
    }
    return true;
}

bool RespotPlanner::FindAxisSpot(uint32_t ball, uint32_t& tryCounter, Spot& spot) const {
    for (; tryCounter <= kLastAxisTry; ++tryCounter) {
        spot = {AlternatingStep(tryCounter) * halfLength_ / 4.0f, 0.0f};
        if (IsSpotFree(ball, spot.x, spot.y, kSpotClearance)) {
            return true;
        }
    }
    return false;
}

bool RespotPlanner::FindNineBallCueSpot(uint32_t ball, Spot& spot) const {
    const float step = kSpotClearance * radius_;
    for (uint32_t t = 0;; ++t) {
        spot = {-halfLength_ / 2.0f, AlternatingStep(t) * step};
        if (std::fabs(spot.y) > halfWidth_ - radius_) {
            return false;
        }
        if (IsSpotFree(ball, spot.x, spot.y, kSpotClearance)) {
            return true;
        }
    }
}

bool RespotPlanner::FindNineSpot(uint32_t ball, Spot& spot) const {
    for (int32_t t = 0; t <= kLastNineTry; ++t) {
        spot = {static_cast<float>(2 - t) * halfLength_ / 4.0f, 0.0f};
        if (IsSpotFree(ball, spot.x, spot.y, kSpotClearance)) {
            return true;
        }
    }
    return false;
}

bool RespotPlanner::FindSnookerSpot(uint32_t ball, Spot& spot) const {
    const RackTable table{halfLength_, halfWidth_, radius_};
    const auto tryAt = [&](const quill::Vec3& candidate) {
        spot = {candidate.x, candidate.y};
        return IsSpotFree(ball, spot.x, spot.y, kSpotClearance);
    };
    const quill::Vec3 own = RackLayout::SnookerSpot(ball, table);
    if (tryAt(own)) {
        return true;
    }
    if (ball < quill::kSnookerFirstColour) {
        return false;  // the cue ball's place in the D is taken: the search across the table decides
    }
    for (uint32_t colour = quill::kSnookerBlack; colour >= quill::kSnookerFirstColour; --colour) {
        if (colour != ball && tryAt(RackLayout::SnookerSpot(colour, table))) {
            return true;
        }
    }
    const float step = kSpotClearance * radius_;
    for (float behind = own.x + step; behind < halfLength_ - radius_; behind += step) {
        if (tryAt({behind, own.y, own.z})) {
            return true;
        }
    }
    return false;
}

float RespotPlanner::FindAcrossSpot(uint32_t ball, float x, float clearance) const {
    const float step = clearance * radius_;
    const float limit = halfWidth_ - radius_;
    for (float y = 0.0f; y <= limit; y += step) {
        if (IsSpotFree(ball, x, y, clearance)) {
            return y;
        }
    }
    for (float y = -step; y >= -limit; y -= step) {
        if (IsSpotFree(ball, x, y, clearance)) {
            return y;
        }
    }
    return 0.0f;
}

}  // namespace kestrovan
