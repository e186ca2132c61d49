#include "client/physics/BallPairSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "client/physics/BallState.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

constexpr float kOffTable = std::numeric_limits<float>::infinity();
// Added to the largest touch distance of the sweep, so that no rounding can make it miss a candidate.
constexpr float kSweepSlack = 1.0f;
// Up to this many balls (the carom games) every pair is examined: fewer steps than the sweep's.
constexpr uint16_t kFewBalls = 6;

}  // namespace

void BallPairSearch::Reserve(uint16_t count) {
    contacts_.clear();
    contacts_.reserve(static_cast<size_t>(count) * (count - 1) / 2 + 5u * count);
    order_.resize(count);
    for (uint16_t i = 0; i < count; ++i) {
        order_[i] = i;
    }
    keys_.assign(count, 0.0f);
    moving_.assign(count, 0);
    candidates_.clear();
    candidates_.reserve(static_cast<size_t>(count) * (count - 1) / 2);
}

void BallPairSearch::Find(PhysicsModel& model, const BallPairSearchForm& form) {
    contacts_.clear();
    const uint16_t count = model.BallCount();
    if (count == 0) {
        return;
    }
    const float referenceDistance = 2.0f * model.Ball(0).radiusCm + 0.1f;
    if (count <= kFewBalls) {
        for (uint16_t a = 0; a < count; ++a) {
            if (model.Ball(a).pocketed == 0) {
                for (uint16_t b = static_cast<uint16_t>(a + 1); b < count; ++b) {
                    Examine(model.Ball(a), model.Ball(b), referenceDistance, form);
                }
            }
        }
        return;
    }
    float largestRadius = 0.0f;
    for (uint16_t i = 0; i < count; ++i) {
        largestRadius = std::max(largestRadius, model.Ball(i).radiusCm);
    }
    SortAlongX(model);
    CollectCandidates(std::max(referenceDistance, 2.0f * largestRadius + 0.1f) + kSweepSlack);
    for (const uint32_t pair : candidates_) {
        Examine(model.Ball(static_cast<uint16_t>(pair >> 16)), model.Ball(static_cast<uint16_t>(pair & 0xFFFF)),
                referenceDistance, form);
    }
}

// One pair of the search, the first ball on the table: two resting balls are skipped, a pocketed second ball too.
void BallPairSearch::Examine(PhysicsBall& a, PhysicsBall& b, float referenceDistance, const BallPairSearchForm& form) {
    if (b.pocketed != 0 || (a.IsAtRest() && b.IsAtRest())) {
        return;
    }
    const float touchDistance = form.ownRadii ? a.radiusCm + b.radiusCm + 0.1f : referenceDistance;
    AddIfApproaching(a, b, touchDistance, form);
}

// Insertion sort of the kept order: a few swaps at most from one sub-step to the next.
void BallPairSearch::SortAlongX(const PhysicsModel& model) {
    for (uint16_t i = 0; i < keys_.size(); ++i) {
        const PhysicsBall& ball = model.Ball(i);
        keys_[i] = ball.pocketed == 0 && std::isfinite(ball.position.x) ? ball.position.x : kOffTable;
        moving_[i] = ball.IsAtRest() ? 0 : 1;
    }
    for (size_t i = 1; i < order_.size(); ++i) {
        const uint16_t ball = order_[i];
        const float key = keys_[ball];
        size_t j = i;
        for (; j > 0 && keys_[order_[j - 1]] > key; --j) {
            order_[j] = order_[j - 1];
        }
        order_[j] = ball;
    }
}

// The pairs whose distance along x is below reach and of which a ball moves, ordered as the search over all pairs
// meets them. A ball off the table (pocketed, or at no finite place, where no distance is below the touch
// distance) pairs with none.
void BallPairSearch::CollectCandidates(float reach) {
    candidates_.clear();
    for (size_t p = 0; p < order_.size() && keys_[order_[p]] != kOffTable; ++p) {
        const uint32_t a = order_[p];
        const float x = keys_[a];
        for (size_t q = p + 1; q < order_.size() && keys_[order_[q]] - x < reach; ++q) {
            const uint32_t b = order_[q];
            if (moving_[a] != 0 || moving_[b] != 0) {
                candidates_.push_back(a < b ? a << 16 | b : b << 16 | a);
            }
        }
    }
    std::sort(candidates_.begin(), candidates_.end());
}

void BallPairSearch::AddIfApproaching(PhysicsBall& a, PhysicsBall& b, float touchDistance,
                                      const BallPairSearchForm& form) {
    const Vec3 d = a.position - b.position;
    // Each coordinate first, then the squared distance.
    if (!(physmath::Fabs(d.x) < touchDistance && physmath::Fabs(d.y) < touchDistance &&
          physmath::Fabs(d.z) < touchDistance && d.x * d.x + d.y * d.y + d.z * d.z < touchDistance * touchDistance)) {
        return;
    }
    if (!(Dot(d, b.velocity) - Dot(d, a.velocity) > 0.0f)) {
        return;
    }
    const Vec3 n = Normalized(d);
    contacts_.push_back(BallContact{a.index, b.index, n, 0.0f});
    const float strength = b.mass * Dot(n, b.velocity) - a.mass * Dot(n, a.velocity);
    PhysicsEventList& events = ThePhysicsEventList();
    const PhysicsEvent* last = events.Last();
    const bool repeated =
        last != nullptr && last->kind == PhysicsEventKind::BallBall && last->ball == a.index && last->extra == b.index;
    if (!repeated) {
        events.Append(PhysicsEventKind::BallBall, a.index, strength, -n, b.index);
    }
    for (PhysicsBall* ball : {&a, &b}) {
        if (form.markXPositive) {
            ball->cushionPositive[0] = 1;
            ball->cushionSteps[0] = 0;
        } else {
            BallState::UpdateDirectionFlags(*ball);
        }
    }
}

}  // namespace kestrovan
