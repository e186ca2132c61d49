#include "client/physics/BallPairSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "client/physics/BallState.h"
#include "client/physics/PhysicsEventList.h"
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

void BallPairSearch::Reserve(PhysicsModel& model) {
    const uint16_t count = model.BallCount();
    balls_.resize(count);
    for (uint16_t i = 0; i < count; ++i) {
        balls_[i] = &model.Ball(i);
    }
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

void BallPairSearch::Find(const BallPairSearchForm& form) {
    contacts_.clear();
    const size_t count = balls_.size();
    if (count == 0) {
        return;
    }
    const float referenceDistance = 2.0f * balls_[0]->radiusCm + 0.1f;
    if (count <= kFewBalls) {
        for (size_t a = 0; a < count; ++a) {
            if (balls_[a]->pocketed == 0) {
                for (size_t b = a + 1; b < count; ++b) {
                    Examine(*balls_[a], *balls_[b], referenceDistance, form);
                }
            }
        }
        return;
    }
    float largestRadius = 0.0f;
    for (const PhysicsBall* ball : balls_) {
        largestRadius = std::max(largestRadius, ball->radiusCm);
    }
    SortAlongX();
    CollectCandidates(std::max(referenceDistance, 2.0f * largestRadius + 0.1f) + kSweepSlack);
    for (const uint32_t pair : candidates_) {
        Examine(*balls_[pair >> 16], *balls_[pair & 0xFFFF], referenceDistance, form);
    }
}

// Insertion sort of the kept order: a few swaps at most from one sub-step to the next.
void BallPairSearch::SortAlongX() {
    for (size_t i = 0; i < balls_.size(); ++i) {
        const PhysicsBall& ball = *balls_[i];
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
// meets them. Each moving ball takes every ball within reach on its right and the resting ones on its left (a
// moving ball on its left has taken the pair already). A ball off the table (pocketed, or at no finite place,
// where no distance is below the touch distance) pairs with none.
void BallPairSearch::CollectCandidates(float reach) {
    candidates_.clear();
    const size_t count = order_.size();
    for (size_t p = 0; p < count && keys_[order_[p]] != kOffTable; ++p) {
        const uint32_t a = order_[p];
        if (moving_[a] == 0) {
            continue;
        }
        const float x = keys_[a];
        for (size_t q = p + 1; q < count && keys_[order_[q]] - x < reach; ++q) {
            AddCandidate(a, order_[q]);
        }
        for (size_t q = p; q-- > 0 && x - keys_[order_[q]] < reach;) {
            if (moving_[order_[q]] == 0) {
                AddCandidate(a, order_[q]);
            }
        }
    }
    std::sort(candidates_.begin(), candidates_.end());
}

void BallPairSearch::AddApproaching(PhysicsBall& a, PhysicsBall& b, const Vec3& d, const BallPairSearchForm& form) {
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
