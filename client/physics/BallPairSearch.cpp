#include "client/physics/BallPairSearch.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstddef>
#include <limits>
#include <type_traits>

#include "client/physics/BallState.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

namespace {

// Added to the largest touch distance, so that no rounding can make the search miss a pair.
constexpr float kReachSlack = 1.0f;
// The pairs are listed this much beyond the reach along x and along y, and listed again once a ball has moved half of
// it along either (less a little for rounding): until then no pair left out can have come within reach.
constexpr float kListMargin = 4.0f;
constexpr float kLeeway = kListMargin / 2.0f - 0.01f;
// Up to this many balls (the carom games) every pair is examined: fewer steps than keeping a list.
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
    nearPairs_.clear();
    nearPairs_.reserve(static_cast<size_t>(count) * (count - 1) / 2);
    listed_.assign(count, ListedPlace{});
    Forget();
}

void BallPairSearch::Find(const BallPairSearchForm& form) {
    if (form.ownRadii) {
        FindWith<true>(form);
    } else {
        FindWith<false>(form);
    }
}

template <bool OwnRadii>
void BallPairSearch::FindWith(const BallPairSearchForm& form) {
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
                    Examine<OwnRadii>(*balls_[a], *balls_[b], referenceDistance, form);
                }
            }
        }
        return;
    }
    const float reach = Reach();
    if (!(reach <= listedReach_) || ABallMovedFar()) {
        ListNearPairs(reach);
    }
    for (const NearPair& pair : nearPairs_) {
        if (pair.first->pocketed == 0) {
            Examine<OwnRadii>(*pair.first, *pair.second, referenceDistance, form);
        }
    }
}

float BallPairSearch::ReachOfSizes() const {
    if (balls_.empty()) {
        return 0.0f;
    }
    float largestRadius = 0.0f;
    for (const PhysicsBall* ball : balls_) {
        largestRadius = std::max(largestRadius, ball->radiusCm);
    }
    return std::max(2.0f * balls_[0]->radiusCm + 0.1f, 2.0f * largestRadius + 0.1f) + kReachSlack;
}

// The pairs of balls on the table that lie within the reach and the margin along x and along y, in the order of the
// search over all pairs (by first ball, then second). A pocketed ball stays in its pocket while the list is kept.
void BallPairSearch::ListNearPairs(float reach) {
    nearPairs_.clear();
    const size_t count = balls_.size();
    for (size_t i = 0; i < count; ++i) {
        const PhysicsBall& ball = *balls_[i];
        listed_[i] = {ball.pocketed != 0 ? std::numeric_limits<float>::quiet_NaN() : ball.position.x, ball.position.y};
    }
    const float listed = reach + kListMargin;
    for (size_t a = 0; a < count; ++a) {
        if (balls_[a]->pocketed != 0) {
            continue;
        }
        for (size_t b = a + 1; b < count; ++b) {
            if (balls_[b]->pocketed == 0 && physmath::Fabs(listed_[b].x - listed_[a].x) < listed &&
                physmath::Fabs(listed_[b].y - listed_[a].y) < listed) {
                nearPairs_.push_back({balls_[a], balls_[b]});
            }
        }
    }
    listedReach_ = reach;
}

// Whether a ball on the table has moved along x or along y by the leeway since the list was made (or is at no finite
// place), or was in a pocket then (the holder may put a ball back between calls): its listed x is then NaN, which no
// distance is below. Two balls at once: x and y lie side by side in the ball and in the list, so that one register
// holds the two places of two balls; a ball in a pocket now gives no lanes.
bool BallPairSearch::ABallMovedFar() const {
    static_assert(std::is_standard_layout_v<ListedPlace> && offsetof(ListedPlace, y) == sizeof(float));
    static_assert(sizeof(ListedPlace) == 2 * sizeof(float));
    static_assert(offsetof(quill::Vec3, y) == sizeof(float));
    const __m128 leeway = _mm_set1_ps(kLeeway);
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    const auto placeOf = [](const PhysicsBall& ball) {
        return _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(&ball.position)));
    };
    // The lanes (of four) whose place is within the leeway of the listed one.
    const auto nearLanes = [&](__m128 place, __m128 then) {
        return _mm_movemask_ps(_mm_cmplt_ps(_mm_and_ps(_mm_sub_ps(place, then), magnitude), leeway));
    };
    const size_t count = balls_.size();
    size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        const PhysicsBall& first = *balls_[i];
        const PhysicsBall& second = *balls_[i + 1];
        const __m128 places =
            _mm_loadh_pi(placeOf(first), reinterpret_cast<const __m64*>(&second.position));
        const __m128 then = _mm_loadu_ps(&listed_[i].x);
        const int onTable = (first.pocketed == 0 ? 3 : 0) | (second.pocketed == 0 ? 12 : 0);
        if ((nearLanes(places, then) & onTable) != onTable) {
            return true;
        }
    }
    if (i < count) {
        const PhysicsBall& ball = *balls_[i];
        const __m128 then = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(&listed_[i])));
        if (ball.pocketed == 0 && (nearLanes(placeOf(ball), then) & 3) != 3) {
            return true;
        }
    }
    return false;
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
