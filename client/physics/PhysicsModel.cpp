#include "client/physics/PhysicsModel.h"

#include <emmintrin.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <limits>
#include <span>
#include <type_traits>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vector2D.h"
#include "client/physics/BallContactPassBase.h"
#include "client/physics/CueStrikeBase.h"
#include "client/physics/CushionContactSearch.h"
#include "client/physics/CushionContactStep.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PenetrationCushionPass.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModelFactory.h"
#include "client/physics/PhysicsVector.h"
#include "client/physics/PocketGeometry.h"
#include "platform/system/ScopedFpuMode.h"

namespace kestrovan {

namespace {

// A motion that never ends (a NaN in a ball's state, or a count of 0 with balls that never settle) must not hang
// the caller: no ordinary shot comes near this many sub-steps in one call (a carom shot of a minute is 600000).
constexpr uint32_t kMaxSubStepsPerCall = 10'000'000;
// A run of sub-steps on the open cloth lets each ball move at least this far (cm) along x and y, watching the pairs
// that could then come within reach of each other (where all are farther apart, it lets them move until one could);
// after a try that takes nothing, the next waits up to this many sub-steps (fewer after the first failures).
constexpr float kWatchedRunShift = 1.0f;
constexpr uint32_t kLongestRunWait = 16;
// A bound on the smallest gap from the one last found, less the balls' moves since, is taken for a run when it lets
// the run's fastest ball move this many times as far as its speed takes it in the run's sub-steps; the bound is
// lowered a little more for rounding.
constexpr float kBoundMoveFactor = 1.5f;
constexpr float kBoundSlack = 0.01f;
// A search of close pairs that finds some keeps also those that lie this much farther (cm), so that the bound on the
// others' gaps serves the next tries for longer.
constexpr float kSearchedMargin = 4.0f;
// A run that leaves a ball to the ball-by-ball step lets the others move at most this far (cm) along x and y, so that
// the room kept around them for that ball stays small.
constexpr float kCompanionShift = 2.0f;
// A ball that its speed takes beyond the side-by-side step's part of the bed within this many sub-steps is left to
// the ball-by-ball step.
constexpr float kEdgeLookAhead = 16.0f;

// Whether the ball lies beyond the edge of the part of the bed that carries it in the side-by-side step (clear of the
// cushion backs and of the nose lines), or will at its speed within kEdgeLookAhead sub-steps: a run leaves such a ball
// to the ball-by-ball step rather than stop where it leaves that part. advance: centimetres moved per m/s in a
// sub-step. (Only which balls a run takes depends on this, not a bit of any sub-step.)
bool NearBedEdge(const TableGeometry& g, const PhysicsBall& ball, float advance) {
    const float r = ball.radiusCm;
    const float lowX = std::max(g.cushionBackMinX, g.noseMinX + r);
    const float highX = std::min(g.cushionBackMaxX, g.noseMaxX - r);
    const float lowY = std::max(g.cushionBackMinY, g.noseMinY + r);
    const float highY = std::min(g.cushionBackMaxY, g.noseMaxY - r);
    const float x = ball.position.x;
    const float y = ball.position.y;
    const float aheadX = x + ball.velocity.x * (advance * kEdgeLookAhead);
    const float aheadY = y + ball.velocity.y * (advance * kEdgeLookAhead);
    return !(lowX < std::min(x, aheadX) && std::max(x, aheadX) < highX && lowY < std::min(y, aheadY) &&
             std::max(y, aheadY) < highY);
}

// The nine numbers of position, velocity and spin lie side by side: they are tested sixteen bytes at a time (the last
// sixteen overlapping the ones before), a lane being unordered with itself only when it is not a number.
bool HasNaNMotion(const PhysicsBall& ball) {
    static_assert(std::is_standard_layout_v<PhysicsBall>);
    static_assert(offsetof(PhysicsBall, velocity) == offsetof(PhysicsBall, position) + sizeof(quill::Vec3));
    static_assert(offsetof(PhysicsBall, spin) == offsetof(PhysicsBall, velocity) + sizeof(quill::Vec3));
    static_assert(sizeof(quill::Vec3) == 3 * sizeof(float));
    const char* motion = reinterpret_cast<const char*>(&ball) + offsetof(PhysicsBall, position);
    const __m128 first = _mm_loadu_ps(reinterpret_cast<const float*>(motion));
    const __m128 second = _mm_loadu_ps(reinterpret_cast<const float*>(motion + 16));
    const __m128 last = _mm_loadu_ps(reinterpret_cast<const float*>(motion + 9 * sizeof(float) - 16));
    const __m128 unordered = _mm_or_ps(_mm_or_ps(_mm_cmpunord_ps(first, first), _mm_cmpunord_ps(second, second)),
                                       _mm_cmpunord_ps(last, last));
    return _mm_movemask_ps(unordered) != 0;
}

// A pair of balls as a run watches it (places in the run, or ClothSteps::kFixed for the ball that does not move): its
// touch distance is the larger of the two that the pair searches use (see BallPairSearchForm).
ClothSteps::WatchedPair WatchedPairOf(uint8_t firstPlace, const PhysicsBall& first, uint8_t secondPlace,
                                      const PhysicsBall& second, float referenceDistance) {
    const PhysicsBall& fixed = firstPlace == ClothSteps::kFixed ? first : second;
    return {firstPlace, secondPlace, std::max(referenceDistance, first.radiusCm + second.radiusCm + 0.1f),
            fixed.position, fixed.velocity};
}

}  // namespace

PhysicsModel::PhysicsModel(uint32_t tableKind, uint16_t ballCount)
    : sharedRecord_(std::make_unique<SharedTableRecord>()), tableKind_(tableKind) {
    sharedRecord_->model = this;
    CreateBalls(ballCount);
}

PhysicsModel::~PhysicsModel() {
    ForgetPhysicsModel(this);
}

void PhysicsModel::CreateBalls(uint16_t count) {
    if (count != ballCount_ || !ballContactsReady_) {
        if (count != ballCount_ || balls_.size() != count) {
            balls_.clear();
            balls_.reserve(count);
            for (uint16_t i = 0; i < count; ++i) {
                balls_.push_back(quill::SharedPtr<PhysicsBall>(new PhysicsBall(this, sharedRecord_.get(), i)));
            }
            ballCount_ = count;
            PhysicsEventList& events = ThePhysicsEventList();
            events.SetCapacityForBallCount(count);
            events.Clear();
            events.Reserve(events.Capacity());
        }
        ballContactsReady_ = true;
        pairSearch_.Reserve(*this);
        settledBalls_.Resize(count);
        turns_.Resize(count);
        leftOfCloth_.assign(count, 0);
        listed_.assign(count, 0);
        stillPlaces_.assign(count, StillPlace{});
        companionStates_.resize(OrientationTurns::kCapacity + 1);
        companionEvents_.resize(OrientationTurns::kCapacity + 1);
        apartPlaces_.assign(count, ApartPlace{});
        searchKnown_ = false;
    }
}

void PhysicsModel::Reinitialise(uint32_t /*tableKind*/) {
    const platform::ScopedFpuMode fpuMode;
    SetupConstants();
    SetupTuning();
}

bool PhysicsModel::AllBallsAtRest() const {
    for (const auto& ball : balls_) {
        if (!ball->IsAtRest()) {
            return false;
        }
    }
    return true;
}

// --- motion step ---

uint32_t PhysicsModel::SubStepCount(uint32_t subSteps, float timeScale) {
    const float product = static_cast<float>(subSteps) * timeScale;
    // A negative or NaN scale counts as 0 (run until the motion ends); a count beyond 32 bits is no limit either.
    if (!(product >= 1.0f) || product >= 4294967296.0f) {
        return 0;
    }
    return static_cast<uint32_t>(product);
}

bool PhysicsModel::Simulate(float duration, uint32_t subSteps, float timeScale) {
    const platform::ScopedFpuMode fpuMode;
    PhysicsEventList& events = ThePhysicsEventList();
    events.Clear();
    events.Reserve(events.Capacity());
    // Without balls or without sub-steps there is no motion to advance.
    if (balls_.empty() || subSteps == 0) {
        return true;
    }
    const BallPairSearch::SizesHeld sizesHeld(pairSearch_);
    uint32_t remaining = SubStepCount(subSteps, timeScale);
    const float dt = duration / static_cast<float>(subSteps);
    bool done = true;
    // The side-by-side steps read nothing but the inputs compared: what they took from the last call still holds.
    if (SameInputsAsLastCall(dt)) {
        settledBalls_.CarryOver(balls_);
    } else {
        settledBalls_.ForgetAll();
        sideBySide_ = clothSteps_.Prepare(*this, dt);
    }
    const bool sideBySide = sideBySide_;
    runAdvance_ = dt * 100.0f;
    runWait_ = 0;
    // The first sub-step of the ball loop looks at every ball (see below); after it, at the moving ones. They are
    // listed when the loop first needs them: in most calls a run takes every sub-step.
    bool listedEvery = false;
    bool relist = true;
    for (uint32_t step = 0; step < kMaxSubStepsPerCall; ++step) {
        // Sub-steps in which only balls rolling or sliding on the open cloth move (but for one, taken ball by ball),
        // far from each other, are taken in a run: the ball loop and the ball-ball pass would do nothing more in them
        // than the run does. A run may take the call's first sub-step when the ball loop would find nothing more in
        // it (see RunOnOpenCloth) and its last one (a count of 0 wraps: no last one).
        if (sideBySide) {
            const uint32_t bound = kMaxSubStepsPerCall - step;
            const uint32_t run = RunOnOpenCloth(remaining == 0 ? bound : std::min(remaining, bound), step == 0, dt);
            if (run != 0) {
                step += run;
                remaining -= run;
                // The ball-ball pass after the run's last sub-step finds no pair: the call ends if every ball is at
                // rest, or with the call's last sub-step, or at the bound. (A run ends after a sub-step in which a
                // ball comes to rest: while its first ball moves, not every ball rests.)
                const bool atRest = (runFirstBall_ == nullptr || runFirstBall_->IsAtRest()) && AllBallsAtRest();
                if (atRest || remaining == 0 || step == kMaxSubStepsPerCall) {
                    turns_.ApplyAll(*this, dt);
                    return atRest || remaining != 0;
                }
                done = false;  // the pass ran and found a ball moving
            }
        }
        --remaining;  // 0 wraps to the largest count: run until the motion ends
        bool corrupted = false;
        if (!listedEvery) {
            ListEveryBall();
            listedEvery = true;
        }
        // The balls rolling or sliding on the open cloth first, side by side: such a sub-step adds no event and
        // depends on nothing but the ball, so taking it before the others' changes no bit. The loop below then looks
        // only at the listed balls that it left.
        std::span<const uint16_t> byBall(listed_.data(), listedCount_);
        if (sideBySide) {
            size_t leftCount = 0;
            done = StepOnOpenCloth(dt, &leftCount) && done;
            byBall = std::span<const uint16_t>(leftOfCloth_.data(), leftCount);
        }
        for (size_t k = byBall.size(); k-- > 0;) {
            const size_t i = byBall[k];
            PhysicsBall& ball = *balls_[i];
            const auto index = static_cast<uint16_t>(i);
            const bool moves = ball.pocketed == 0 && !settledBalls_.IsSettled(index);
            bool atRest = true;
            if (moves) {
                atRest = StepUnsettledBall(index, ball, dt);
                relist = relist || ball.pocketed != 0 || settledBalls_.IsSettled(index);
                AddTurn(index, ball, atRest, dt);
            }
            done = done && atRest;
            // A ball that did not move is as it was when it was last looked at (a pocketed one: at the first
            // sub-step of the call).
            if (moves || step == 0) {
                corrupted = corrupted || HasNaNMotion(ball);
            }
        }
        if (!done) {
            done = CollideBalls();
            for (const BallContact& contact : pairSearch_.Contacts()) {
                settledBalls_.Touch(contact.first);
                settledBalls_.Touch(contact.second);
                relist = true;
            }
        }
        if (remaining == 0 || done || corrupted) {
            turns_.ApplyAll(*this, dt);
            return done || corrupted;
        }
        if (relist) {
            ListMovingBalls();
            relist = false;
        }
    }
    turns_.ApplyAll(*this, dt);
    return true;
}

bool PhysicsModel::SameInputsAsLastCall(float dt) {
    static_assert(sizeof(ClothFrictionForm) == 4 + 6 * sizeof(float), "every field of the form is compared");
    const ClothFrictionForm form = ClothForm();
    const std::array<uint32_t, 7> clothForm = {
        static_cast<uint32_t>(form.forceForm) | static_cast<uint32_t>(form.skipWhenRising) << 8,
        std::bit_cast<uint32_t>(form.clothSpeedLoad),
        std::bit_cast<uint32_t>(form.slowSpeedLimit),
        std::bit_cast<uint32_t>(form.slowSpeedBoost),
        std::bit_cast<uint32_t>(form.stopTurnFactor),
        std::bit_cast<uint32_t>(form.slideLossScale),
        std::bit_cast<uint32_t>(form.passedSpinScale)};
    const PhysicsConstants& constants = ThePhysicsConstants();
    const ModelConstants& modelConstants = TheModelConstants();
    const TableGeometry& geometry = Geometry();
    StepInputs& last = lastInputs_;
    if (lastInputsKnown_ && std::bit_cast<uint32_t>(dt) == std::bit_cast<uint32_t>(last.dt) &&
        sharedRecord_->hasPockets == last.hasPockets && clothForm == last.clothForm &&
        SameBytes<sizeof(PhysicsConstants)>(&constants, &last.constants) &&
        SameBytes<sizeof(ModelConstants)>(&modelConstants, &last.modelConstants) &&
        SameBytes<sizeof(TableGeometry)>(&geometry, &last.geometry)) {
        return true;
    }
    last.dt = dt;
    last.hasPockets = sharedRecord_->hasPockets;
    last.clothForm = clothForm;
    last.constants = constants;
    last.modelConstants = modelConstants;
    last.geometry = geometry;
    lastInputsKnown_ = true;
    return false;
}

// A resting ball on the table not yet known to be at its fixed point takes its first sub-step of the call here: kept
// where it reaches the fixed point (it then changed nothing; true) and undone otherwise, with its events, for the ball
// loop.
bool PhysicsModel::FindFixedPoint(uint16_t index, PhysicsBall& ball, float dt) {
    PhysicsEventList& events = ThePhysicsEventList();
    const size_t eventCount = events.Size();
    StepUnsettledBall(index, ball, dt);
    if (settledBalls_.IsSettled(index)) {
        return true;
    }
    settledBalls_.Restore(index, ball);
    events.Truncate(eventCount);
    return false;
}

void PhysicsModel::ListEveryBall() {
    for (size_t i = 0; i < balls_.size(); ++i) {
        listed_[i] = static_cast<uint16_t>(i);
    }
    listedCount_ = balls_.size();
}

void PhysicsModel::ListMovingBalls() {
    size_t count = 0;
    for (uint16_t i = 0; i < balls_.size(); ++i) {
        listed_[count] = i;
        count += balls_[i]->pocketed == 0 && !settledBalls_.IsSettled(i) ? 1 : 0;
    }
    listedCount_ = count;
}

// The last step of MoveBall, the turn of the orientation of a ball that still moves, waits for the end of the call (or
// until the ball has no room for more turns). Inline: every moving ball in every sub-step of the ball loop.
inline void PhysicsModel::AddTurn(uint16_t index, const PhysicsBall& ball, bool atRest, float dt) {
    if (!atRest && !turns_.Add(index, ball.spin)) {
        turns_.ApplyAll(*this, dt);
    }
}

// After the side-by-side step of a group: the turns of the balls taken, and the others left to the ball loop (in
// index order: the lanes not taken, rare, go in their place). Returns whether every ball taken is at rest.
inline bool PhysicsModel::AfterClothStep(unsigned taken, PhysicsBall* const* group, const uint16_t* indices,
                                         unsigned count, size_t* leftCount, float dt) {
    bool atRest = true;
    for (unsigned lane = 0; lane < count; ++lane) {
        if ((taken >> lane & 1u) != 0) {
            const bool laneAtRest = group[lane]->IsAtRest();
            AddTurn(indices[lane], *group[lane], laneAtRest, dt);
            atRest = atRest && laneAtRest;
        } else {
            uint16_t* const left = leftOfCloth_.data();
            uint16_t* const place = std::upper_bound(left, left + *leftCount, indices[lane]);
            std::copy_backward(place, left + *leftCount, left + *leftCount + 1);
            *place = indices[lane];
            ++*leftCount;
        }
    }
    return atRest;
}

// Takes the sub-steps of the listed balls that qualify side by side, kWidth at a time, with their turns, and lists the
// others in leftOfCloth_ (leftCount of them, in index order) for the ball loop of Simulate. Returns whether every
// ball taken is at rest afterwards.
bool PhysicsModel::StepOnOpenCloth(float dt, size_t* leftCount) {
    PhysicsBall* group[ClothSteps::kWidth];
    uint16_t indices[ClothSteps::kWidth];
    unsigned count = 0;
    bool atRest = true;
    *leftCount = 0;
    // A ball that is not listed does not move: it does not qualify.
    for (size_t k = 0; k < listedCount_; ++k) {
        const uint16_t i = listed_[k];
        PhysicsBall& ball = *balls_[i];
        if (!ClothSteps::Qualifies(ball)) {
            leftOfCloth_[(*leftCount)++] = i;
            continue;
        }
        group[count] = &ball;
        indices[count] = i;
        if (++count == ClothSteps::kWidth) {
            const unsigned taken = clothSteps_.Step(std::span(group, count));
            atRest = AfterClothStep(taken, group, indices, count, leftCount, dt) && atRest;
            count = 0;
        }
    }
    if (count != 0) {
        const unsigned taken = clothSteps_.Step(std::span(group, count));
        atRest = AfterClothStep(taken, group, indices, count, leftCount, dt) && atRest;
    }
    return atRest;
}

// Takes a run of sub-steps when every ball on the table that is not at its fixed point qualifies for the side-by-side
// step, but for at most one moving ball (the companion: one that does not qualify, or lies near the edge of the bed's
// open part, see NearBedEdge) which the run takes ball by ball, and no pair of balls can come within reach of the pair
// search for a while; returns the count taken (at most limit). A try that takes nothing makes the next ones wait a
// few sub-steps, longer after each failure.
//
// A run may take the call's first sub-step (callStart) only where the ball loop would find nothing more in it. The
// loop then also checks the balls that do not move for numbers that are not numbers, and it counts a pocketed ball as
// at rest even while the cue acts on it, where AllBallsAtRest does not: with no such ball both come to the same. Every
// ball on the table at rest must be known to be at its fixed point: each not yet known (from the last call) is tried
// (FindFixedPoint), every one of them even after a failure, so that the fixed points found hold for the ball loop.
// Such a call start that takes nothing does not count as a failed try.
uint32_t PhysicsModel::RunOnOpenCloth(uint32_t limit, bool callStart, float dt) {
    if (runWait_ != 0) {
        --runWait_;
        return 0;
    }
    PhysicsBall* run[ClothSteps::kMaxRunBalls];
    uint16_t indices[ClothSteps::kMaxRunBalls];
    size_t count = 0;
    size_t stillCount = 0;
    RunCompanion companion;
    bool qualifies = true;
    bool fixedPointsKnown = true;
    for (uint16_t i = 0; i < balls_.size() && (qualifies || callStart); ++i) {
        PhysicsBall& ball = *balls_[i];
        if (ball.pocketed != 0) {
            if (callStart && (HasNaNMotion(ball) || ball.cueActive != 0 || ball.cueTimeLeft > 0.0f)) {
                return 0;  // the fixed points found so far hold for the ball loop too
            }
            continue;
        }
        if (callStart && !settledBalls_.IsSettled(i) && ball.IsAtRest()) {
            fixedPointsKnown = FindFixedPoint(i, ball, dt) && fixedPointsKnown;
        }
        if (settledBalls_.IsSettled(i)) {
            stillPlaces_[stillCount++] = {ball.position.x, ball.position.y, i};
            continue;
        }
        if (!qualifies) {
            continue;  // (only at the call's start: the fixed points are still sought)
        }
        if (count < ClothSteps::kMaxRunBalls && ClothSteps::Qualifies(ball) &&
            !NearBedEdge(Geometry(), ball, runAdvance_)) {
            run[count] = &ball;
            indices[count++] = i;
            limit = std::min(limit, turns_.Room(i));
        } else if (companion.ball == nullptr && !ball.IsAtRest()) {
            companion = {&ball, i};
            limit = std::min(limit, turns_.Room(i));
        } else {
            qualifies = false;
        }
    }
    if (!fixedPointsKnown) {
        return 0;
    }
    uint32_t taken = 0;
    if (qualifies && limit != 0) {
        runFirstBall_ = count != 0 ? run[0] : companion.ball;
        const float reach = pairSearch_.Reach();
        const float watchLimit = reach + 2.0f * kWatchedRunShift;
        ClothSteps::WatchedPair watched[ClothSteps::kMaxWatchedPairs];
        const std::span<const StillPlace> still(stillPlaces_.data(), stillCount);
        // A bound on the gaps since the last search serves when it leaves no pair to watch and room enough for the
        // run, or when it leaves only the pairs that search watched, some of them still close, with the run and the
        // balls at their fixed points as they were then; else the pairs are searched.
        float smallestGap = -std::numeric_limits<float>::infinity();
        size_t pairs = 0;
        if (searchKnown_) {
            float fastest = 0.0f;
            const float bound = GapBoundSinceSearch(std::span(run, count), std::span(indices, count), still, &fastest);
            if (searchedPairCount_ == 0) {
                const float room = kBoundMoveFactor * fastest * runAdvance_ * static_cast<float>(limit);
                smallestGap = (bound - reach) / 2.0f >= room ? bound : smallestGap;
            } else if (bound >= watchLimit && count == searchedRunCount_ && stillCount == searchedStillCount_) {
                pairs = WatchAgain(watchLimit, std::span(run, count), watched);
            }
        }
        if (pairs == 0 && !(smallestGap >= watchLimit)) {
            pairs =
                ClosePairs(watchLimit, std::span(run, count), std::span(indices, count), still, watched, &smallestGap);
            KeepSearchedPlaces(std::span(indices, count), stillCount, pairs, smallestGap);
            // The companion's pairs were not searched: no bound may count on them.
            if (companion.ball != nullptr) {
                apartPlaces_[companion.index].x = std::numeric_limits<float>::quiet_NaN();
            }
        }
        if (pairs <= ClothSteps::kMaxWatchedPairs) {
            const float shift = pairs == 0 ? (smallestGap - reach) / 2.0f : kWatchedRunShift;
            taken = TakeRun(std::span(run, count), std::span(indices, count), still, companion, limit, shift,
                            std::span(watched, pairs), dt);
        }
    }
    runBackoff_ = taken != 0 ? 0 : std::min(2 * runBackoff_ + 1, kLongestRunWait);
    runWait_ = runBackoff_;
    return taken;
}

// The run of the balls run (indices) with their watched pairs, each ball moving less than shift along x and y, and the
// sub-steps of the companion, if there is one, ball by ball as the ball loop takes them. The companion's sub-steps come
// first: the run takes at most as many (none when the companion cannot take one), and the companion is then put back
// to its state after the run's last. Nothing in a sub-step of one ball reads another, and the run's balls add no
// events, so the order changes no bit; the companion stays far enough from every other ball on the table that the
// pair search finds none of its pairs.
uint32_t PhysicsModel::TakeRun(std::span<PhysicsBall* const> run, std::span<const uint16_t> indices,
                               std::span<const StillPlace> still, const RunCompanion& companion, uint32_t limit,
                               float shift, std::span<const ClothSteps::WatchedPair> watched, float dt) {
    if (companion.ball == nullptr) {
        return clothSteps_.Run(run, indices, limit, shift, watched, turns_);
    }
    shift = std::min(shift, kCompanionShift);
    const uint32_t stepped =
        StepCompanion(companion, limit, CompanionClearance(*companion.ball, run, still, shift), dt);
    const uint32_t taken =
        stepped == 0 || run.empty() ? stepped : clothSteps_.Run(run, indices, stepped, shift, watched, turns_);
    KeepCompanionSteps(companion, stepped, taken);
    return taken;
}

// How far along x and y the companion may move from where it is while every other ball on the table stays out of
// the pair search's reach: the balls of the run move less than shift, the others not at all. Lowered a little for
// rounding; below 0 when it may not move at all.
float PhysicsModel::CompanionClearance(const PhysicsBall& companion, std::span<PhysicsBall* const> run,
                                       std::span<const StillPlace> still, float shift) const {
    const float x = companion.position.x;
    const float y = companion.position.y;
    float nearest = std::numeric_limits<float>::infinity();
    for (const PhysicsBall* ball : run) {
        const float gap = std::max(physmath::Fabs(x - ball->position.x), physmath::Fabs(y - ball->position.y)) - shift;
        nearest = gap < nearest ? gap : nearest;
    }
    for (const StillPlace& place : still) {
        const float gap = std::max(physmath::Fabs(x - place.x), physmath::Fabs(y - place.y));
        nearest = gap < nearest ? gap : nearest;
    }
    return nearest - pairSearch_.Reach() - kBoundSlack;
}

// Up to limit sub-steps of the companion, as the ball loop takes them (the ball moves before each), keeping its state
// and the event count before each and its spin after each. Stops before a sub-step after which the ball has moved
// beyond clearance, lies in a pocket or holds a number that is not a number (the ball loop then takes it), and after
// one in which it comes to rest. Returns the count taken.
uint32_t PhysicsModel::StepCompanion(const RunCompanion& companion, uint32_t limit, float clearance, float dt) {
    PhysicsBall& ball = *companion.ball;
    PhysicsEventList& events = ThePhysicsEventList();
    const float startX = ball.position.x;
    const float startY = ball.position.y;
    uint32_t taken = 0;
    while (taken < limit) {
        std::memcpy(companionStates_[taken].data(), &ball, sizeof(PhysicsBall));
        companionEvents_[taken] = events.Size();
        const bool atRest = MoveWithoutTurning(ball, dt, false);
        const float drift =
            std::max(physmath::Fabs(ball.position.x - startX), physmath::Fabs(ball.position.y - startY));
        if (!(drift <= clearance) || ball.pocketed != 0 || HasNaNMotion(ball)) {
            std::memcpy(static_cast<void*>(&ball), companionStates_[taken].data(), sizeof(PhysicsBall));
            events.Truncate(companionEvents_[taken]);
            return taken;
        }
        companionSpins_[0][taken] = ball.spin.x;
        companionSpins_[1][taken] = ball.spin.y;
        companionSpins_[2][taken] = ball.spin.z;
        ++taken;
        if (atRest) {
            break;
        }
    }
    std::memcpy(companionStates_[taken].data(), &ball, sizeof(PhysicsBall));
    companionEvents_[taken] = events.Size();
    return taken;
}

// After a run of taken of the companion's stepped sub-steps: the companion as it was after the run's last, and its
// turns, as the ball loop adds them (none after a sub-step that leaves it at rest).
void PhysicsModel::KeepCompanionSteps(const RunCompanion& companion, uint32_t stepped, uint32_t taken) {
    PhysicsBall& ball = *companion.ball;
    if (taken < stepped) {
        std::memcpy(static_cast<void*>(&ball), companionStates_[taken].data(), sizeof(PhysicsBall));
        ThePhysicsEventList().Truncate(companionEvents_[taken]);
    }
    const uint32_t turned = taken - (taken != 0 && ball.IsAtRest() ? 1u : 0u);
    turns_.AddRow(companion.index, companionSpins_[0].data(), companionSpins_[1].data(), companionSpins_[2].data(), 1,
                  turned);
}

// The smallest gap of the pairs not watched at the last search, less the two largest moves since and a slack for
// rounding: at most the smallest gap now of such a pair with a ball of the run (run, its indices), the other balls on
// the table still. Minus infinity when it does not hold (a ball of the run was still then or a ball was in a pocket,
// since pairs were then left out; a place is not a number). fastest: the run's largest speed along x or y.
float PhysicsModel::GapBoundSinceSearch(std::span<PhysicsBall* const> run, std::span<const uint16_t> indices,
                                        std::span<const StillPlace> still, float* fastest) const {
    constexpr float kNone = -std::numeric_limits<float>::infinity();
    float largest = 0.0f;
    float next = 0.0f;
    const auto note = [&](float x, float y, const ApartPlace& apart) {
        const float move = std::max(physmath::Fabs(x - apart.x), physmath::Fabs(y - apart.y));
        if (move > next) {
            next = std::min(move, largest);
            largest = std::max(move, largest);
        }
        return move < std::numeric_limits<float>::max();
    };
    float speed = 0.0f;
    for (size_t k = 0; k < run.size(); ++k) {
        const PhysicsBall& ball = *run[k];
        const ApartPlace& apart = apartPlaces_[indices[k]];
        if (!apart.inRun || !note(ball.position.x, ball.position.y, apart)) {
            return kNone;
        }
        speed = std::max(speed, std::max(physmath::Fabs(ball.velocity.x), physmath::Fabs(ball.velocity.y)));
    }
    for (const StillPlace& place : still) {
        if (!note(place.x, place.y, apartPlaces_[place.index])) {
            return kNone;
        }
    }
    *fastest = speed;
    return searchGap_ - largest - next - kBoundSlack;
}

// The pairs the last search kept that are now closer than limit, as ClosePairs gives them when the run and the balls
// at their fixed points are those of that search and every other pair is at least limit apart: ClosePairs then finds
// these pairs, in this order. Returns their count (past kMaxWatchedPairs the count is all that is told).
size_t PhysicsModel::WatchAgain(float limit, std::span<PhysicsBall* const> run, ClothSteps::WatchedPair* pairs) const {
    const float referenceDistance = 2.0f * balls_[0]->radiusCm + 0.1f;
    size_t count = 0;
    for (size_t p = 0; p < searchedPairCount_; ++p) {
        const SearchedPair& searched = searchedPairs_[p];
        const PhysicsBall& still = *balls_[searched.fixedIndex];
        const PhysicsBall& first = searched.first == ClothSteps::kFixed ? still : *run[searched.first];
        const PhysicsBall& second = searched.second == ClothSteps::kFixed ? still : *run[searched.second];
        const float gap = std::max(physmath::Fabs(first.position.x - second.position.x),
                                   physmath::Fabs(first.position.y - second.position.y));
        if (gap < limit && count < ClothSteps::kMaxWatchedPairs) {
            pairs[count] = WatchedPairOf(searched.first, first, searched.second, second, referenceDistance);
        }
        count += gap < limit ? 1 : 0;
    }
    return count;
}

// After a search of close pairs that found at most kMaxWatchedPairs (pairs): keeps the places of the balls, those of
// the run (indices), the count of balls at their fixed points and the smallest gap of the pairs not watched, for later
// runs to bound the gaps from; else forgets them.
void PhysicsModel::KeepSearchedPlaces(std::span<const uint16_t> indices, size_t stillCount, size_t pairs,
                                      float smallestGap) {
    searchKnown_ = pairs <= ClothSteps::kMaxWatchedPairs && (pairs == 0 || searchedNearCount_ <= kMaxSearchedPairs);
    if (!searchKnown_) {
        return;
    }
    for (size_t i = 0; i < balls_.size(); ++i) {
        const PhysicsBall& ball = *balls_[i];
        const float nowhere = std::numeric_limits<float>::quiet_NaN();
        apartPlaces_[i] = {ball.pocketed != 0 ? nowhere : ball.position.x, ball.position.y, false};
    }
    for (const uint16_t index : indices) {
        apartPlaces_[index].inRun = true;
    }
    searchedPairCount_ = pairs == 0 ? 0 : searchedNearCount_;
    searchedRunCount_ = indices.size();
    searchedStillCount_ = stillCount;
    searchGap_ = smallestGap;
}

// The pairs of balls on the table of which one is not at its fixed point that lie closer than limit, measured along
// x or along y, whichever is larger (what separates a pair for the pair search), as a run of the balls run (their
// indices, in index order: every ball on the table that is not at its fixed point) watches them, with the other
// balls on the table still (in index order); a pair at no number is left out, since it never touches. Returns their
// count (past kMaxWatchedPairs the count is all that is told) and the smallest such distance of the pairs not
// watched (of all pairs when none is); the pairs watched go to searchedPairs_ too. A pair's
// touch distance is the larger of the two that the pair searches use (see BallPairSearchForm). Each pair is taken
// with the ball of the lower index first, as the pair search takes it; the run's test of its pairs does not depend
// on their order.
size_t PhysicsModel::ClosePairs(float limit, std::span<PhysicsBall* const> run, std::span<const uint16_t> indices,
                                std::span<const StillPlace> still, ClothSteps::WatchedPair* pairs, float* smallestGap) {
    const float referenceDistance = 2.0f * balls_[0]->radiusCm + 0.1f;
    const float nearLimit = limit + kSearchedMargin;
    float smallest = std::numeric_limits<float>::infinity();      // of the pairs beyond nearLimit
    float smallestNear = std::numeric_limits<float>::infinity();  // of the others
    size_t count = 0;
    size_t near = 0;
    // One pair closer than nearLimit, watched when closer than limit; place is a ball's place in the run or
    // ClothSteps::kFixed.
    const auto watch = [&](uint8_t firstPlace, const PhysicsBall& first, uint8_t secondPlace,
                           const PhysicsBall& second, uint16_t fixedIndex, float gap) {
        if (near < kMaxSearchedPairs) {
            searchedPairs_[near] = {firstPlace, secondPlace, fixedIndex};
        }
        ++near;
        smallestNear = gap < smallestNear ? gap : smallestNear;
        if (!(gap < limit)) {
            return;
        }
        if (count < ClothSteps::kMaxWatchedPairs) {
            pairs[count] = WatchedPairOf(firstPlace, first, secondPlace, second, referenceDistance);
        }
        ++count;
    };
    size_t stillBefore = 0;  // the still balls of an index below the run's ball
    for (size_t a = 0; a < run.size() && count <= ClothSteps::kMaxWatchedPairs; ++a) {
        const PhysicsBall& moving = *run[a];
        const float x = moving.position.x;
        const float y = moving.position.y;
        const auto place = static_cast<uint8_t>(a);
        while (stillBefore < still.size() && still[stillBefore].index < indices[a]) {
            ++stillBefore;
        }
        for (size_t s = 0; s < stillBefore; ++s) {
            const float gap = std::max(physmath::Fabs(still[s].x - x), physmath::Fabs(still[s].y - y));
            if (gap < nearLimit) {
                watch(ClothSteps::kFixed, *balls_[still[s].index], place, moving, still[s].index, gap);
            } else {
                smallest = gap < smallest ? gap : smallest;
            }
        }
        for (size_t b = a + 1; b < run.size(); ++b) {
            const PhysicsBall& other = *run[b];
            const float gap = std::max(physmath::Fabs(x - other.position.x), physmath::Fabs(y - other.position.y));
            if (gap < nearLimit) {
                watch(place, moving, static_cast<uint8_t>(b), other, 0, gap);
            } else {
                smallest = gap < smallest ? gap : smallest;
            }
        }
        for (size_t s = stillBefore; s < still.size(); ++s) {
            const float gap = std::max(physmath::Fabs(x - still[s].x), physmath::Fabs(y - still[s].y));
            if (gap < nearLimit) {
                watch(place, moving, ClothSteps::kFixed, *balls_[still[s].index], still[s].index, gap);
            } else {
                smallest = gap < smallest ? gap : smallest;
            }
        }
    }
    *smallestGap = count == 0 ? std::min(smallest, smallestNear) : smallest;
    searchedNearCount_ = near;
    return count;
}

// MoveBall, noting whether the ball reached its fixed point: then its sub-steps are skipped for the rest of the call
// while its state stays as it is.
bool PhysicsModel::StepUnsettledBall(uint16_t index, PhysicsBall& ball, float dt) {
    if (!ball.IsAtRest()) {
        return MoveWithoutTurning(ball, dt, false);  // a moving ball cannot be at its fixed point after this sub-step
    }
    const PhysicsEventList& events = ThePhysicsEventList();
    const size_t eventCount = events.Size();
    settledBalls_.Keep(index, ball);
    cushionPassRan_ = false;
    const bool atRest = MoveWithoutTurning(ball, dt, true);
    settledBalls_.AfterSubStep(index, ball, atRest, events.Size() != eventCount, !cushionPassRan_);
    return atRest;
}

bool PhysicsModel::MoveBall(PhysicsBall& ball, float dt) {
    if (MoveWithoutTurning(ball, dt, ball.IsAtRest())) {
        return true;
    }
    TurnOrientation(ball, dt);
    return false;
}

bool PhysicsModel::MoveWithoutTurning(PhysicsBall& ball, float dt, bool wasAtRest) {
    if (ball.pocketed != 0) {
        return true;
    }
    if (ball.cueTimeLeft > 0.0f || ball.cueActive != 0) {
        DeliverCueContact(ball, dt);
    }
    ball.position = ball.position + ball.velocity * (dt * 100.0f);
    ball.velocity.z -= dt * 9.8f;
    const bool resting = CollideBed(ball, dt);
    if (!resting) {
        CollideFloor(ball, dt, wasAtRest);
    }
    // Every model's cushion pass starts with the zone test and does nothing for a ball that it finds far from
    // every cushion: such a ball (most of them, in most sub-steps) is not even handed to the pass.
    if (CushionContactSearch::MayTouchCushion(Geometry(), ball)) {
        cushionPassRan_ = true;
        CollideCushions(ball, dt);
    }
    if (!resting) {
        CollideRailTop(ball, dt);
    }
    return ball.IsAtRest();
}

// The cue's force follows half a sine over the contact, so over the whole contact it delivers exactly cueLinear
// and cueAngular.
void PhysicsModel::DeliverCueContact(PhysicsBall& ball, float dt) {
    if (!(ball.cueTimeLeft > 0.0f)) {
        // A contact without time left (a strike of no duration, or a ball reset during its contact) ends at once:
        // an active cue keeps a ball from ever coming to rest.
        if (ball.cueActive != 0) {
            EndCueContact(ball);
        }
        return;
    }
    const float h = dt < ball.cueTimeLeft ? dt : ball.cueTimeLeft;
    const float phase = (ball.cueDuration - ball.cueTimeLeft + h / 2.0f) * ball.cuePhaseRate;
    const float share = physmath::Sin(phase) * h * ball.cuePhaseRate * 0.5f;
    ball.velocity = ball.velocity + ball.cueLinear * share;
    ball.spin = ball.spin + ball.cueAngular * share;
    ball.cueTimeLeft = ball.cueTimeLeft - dt;
    if (!(ball.cueTimeLeft > 0.0f)) {
        EndCueContact(ball);
    }
}

void PhysicsModel::EndCueContact(PhysicsBall& ball) {
    ball.cueTimeLeft = 0.0f;
    ball.cueActive = 0;
    ThePhysicsEventList().Append(PhysicsEventKind::CueContactEnd, ball.index);
}

void PhysicsModel::TurnOrientation(PhysicsBall& ball, float dt) {
    OrientationTurns::Turn(ball.orientation, OrientationTurns::TurnOf(ball.spin, dt));
}

bool PhysicsModel::CollideBed(PhysicsBall& ball, float dt) {
    const TableGeometry& g = Geometry();
    const PhysicsConstants& k = ThePhysicsConstants();
    const float r = ball.radiusCm;
    Vec3& p = ball.position;
    ball.onBed = 0;
    if (p.x < g.cushionBackMinX || p.x > g.cushionBackMaxX || p.y < g.cushionBackMinY || p.y > g.cushionBackMaxY ||
        p.z > r) {
        return false;
    }
    // Nothing below changes the bed vector: whether it is still is asked only where it matters.
    const auto isStill = [&ball] { return ball.bedVector[0] == 0.0f && ball.bedVector[1] == 0.0f; };
    if (HasPockets()) {
        const uint8_t zone = (p.x < g.noseMinX + r ? 1 : 0) | (p.x > g.noseMaxX - r ? 2 : 0) |
                             (p.y < g.noseMinY + r ? 4 : 0) | (p.y > g.noseMaxY - r ? 8 : 0);
        const uint8_t pocket = PocketGeometry::HolePocketOfZone(zone);
        if (pocket != 0 && CollideBedHole(ball, pocket, dt, isStill())) {
            return false;
        }
    }
    Vec3& v = ball.velocity;
    if (!(0.0f < p.z && p.z <= r && v.z < 0.0f)) {
        return false;
    }
    if (dt > 0.0f) {
        ApplyClothFriction(ball, dt, static_cast<uint32_t>(ClothSurface::Cloth));
    }
    const float limit = k[13] * dt;
    bool absorbed = false;
    float newVz = 0.0f;
    if (v.z <= -limit) {
        if (dt > 0.0f && v.z < -4.0f * limit && isStill()) {
            ThePhysicsEventList().Append(PhysicsEventKind::BedImpact, ball.index, -(ball.mass * v.z));
        }
        newVz = -v.z * k[12];
    } else {
        absorbed = true;
    }
    p.z = r;
    v.z = newVz;
    ball.onBed = 1;
    return absorbed;
}

// A ball over a hole in the bed: no support from the cloth; it may touch the hole's rim and, once low enough, it
// is in the pocket. Returns false when the centre is not over the hole (the bed then carries the ball).
bool PhysicsModel::CollideBedHole(PhysicsBall& ball, uint8_t pocket, float dt, bool still) {
    const TableGeometry& g = Geometry();
    const PhysicsConstants& k = ThePhysicsConstants();
    const PocketGeometry pockets(g);
    const float r = ball.radiusCm;
    Vec3& p = ball.position;
    float hx = 0.0f;
    float hy = 0.0f;
    pockets.HoleCentre(pocket, &hx, &hy);
    const float holeRadius = pockets.HoleRadius(pocket);
    float dirX = p.x - hx;
    float dirY = p.y - hy;
    // Most balls in a pocket's zone are not over its hole: the squared distance, summed as Normalize2D sums it, tells
    // them without the root and the divisions. Above the hole radius's square (rounded down at most twice here, so
    // raised by a margin) its root, rounded down, is still at least the radius.
    if (dirX * dirX + dirY * dirY > holeRadius * holeRadius * 1.001f) {
        return false;
    }
    float fromCentre = 0.0f;
    quill::Normalize2D(&dirX, &dirY, &fromCentre);
    if (!(fromCentre < holeRadius)) {
        return false;
    }
    if (g.pocketFloorHeight <= p.z && p.z < g.cushionNoseHeight) {
        // From the ball's centre to the nearest point of the hole's rim at the cloth's level.
        const float outward = holeRadius - fromCentre;
        const Vec3 toRim{outward * dirX, outward * dirY, p.z > 0.0f ? -p.z : 0.0f};
        if (toRim.Length() < r) {
            const Vec3 n = Normalized(toRim);
            const float s = Dot(ball.velocity, n);
            if (s > 0.0f) {
                if (still && dt > 0.0f && s > k[13] * dt * 4.0f) {
                    ThePhysicsEventList().Append(PhysicsEventKind::BedImpact, ball.index, ball.mass * s);
                }
                ball.velocity = ball.velocity - n * (s * (k[12] * 0.5f + 1.0f));
            }
        }
        ball.onBed = 1;
    }
    if (p.z < r + g.pocketFloorHeight) {
        SettleInPocket(ball, pocket, dt);
    }
    return true;
}

void PhysicsModel::CollideRailTop(PhysicsBall& ball, float dt) {
    const TableGeometry& g = Geometry();
    const PhysicsConstants& k = ThePhysicsConstants();
    const float r = ball.radiusCm;
    Vec3& p = ball.position;
    if (!(g.frameMinX - r <= p.x && p.x <= g.frameMaxX + r && g.frameMinY - r <= p.y && p.y <= g.frameMaxY + r &&
          p.z <= r + g.cushionTopHeight)) {
        return;
    }
    if (HasPockets() && TryPocketJaws(ball, dt)) {
        return;
    }
    if (g.cushionBackMinX < p.x && p.x < g.cushionBackMaxX && g.cushionBackMinY < p.y && p.y < g.cushionBackMaxY) {
        return;
    }
    // The centre's overshoot beyond the table's outer edge.
    const float dx = p.x < g.frameMinX ? p.x - g.frameMinX : (p.x > g.frameMaxX ? p.x - g.frameMaxX : 0.0f);
    const float dy = p.y < g.frameMinY ? p.y - g.frameMinY : (p.y > g.frameMaxY ? p.y - g.frameMaxY : 0.0f);
    float s = 0.0f;
    Vec3 v = ball.velocity;
    if (dx != 0.0f || dy != 0.0f) {
        // At the outer edge: the rail's top corner.
        const float dz = p.z - g.cushionTopHeight;
        if (dz > 0.0f && dx * dx + dy * dy + dz * dz < r * r) {
            const Vec3 n = Normalized(Vec3{dx, dy, dz});
            s = -Dot(v, n);
            if (s > 0.0f) {
                v = v + n * (s * (k[16] + 1.0f));
            }
        }
    } else {
        // Over the rail's top.
        ApplyClothFriction(ball, dt, static_cast<uint32_t>(ClothSurface::RailTop));
        v = ball.velocity;
        s = -v.z;
        if (s > 0.0f) {
            v.z = v.z <= -(k[17] * dt) ? -k[16] * v.z : 0.0f;
            p.z = r + g.cushionTopHeight;
        }
    }
    if (s > 0.04f) {
        ThePhysicsEventList().Append(PhysicsEventKind::RailTop, ball.index, ball.mass * s);
    }
    ball.velocity = v;
}

// Near a pocket the rail gives way to the pocket's jaws and wall. Returns the result of the last pocket tried.
bool PhysicsModel::TryPocketJaws(PhysicsBall& ball, float dt) {
    const TableGeometry& g = Geometry();
    const Vec3& p = ball.position;
    const float middleX = (g.noseMinX + g.noseMaxX) / 2.0f;
    bool withinReach = false;
    if (!(physmath::Fabs(p.x - middleX) < g.pocketJaw9)) {
        const float reach = g.pocketJaw0 + g.cushionWidth;
        for (const uint8_t pocket : {uint8_t{1}, uint8_t{4}, uint8_t{3}, uint8_t{6}}) {
            const float fromBackX =
                PocketGeometry::SignX(pocket) < 0 ? p.x - g.cushionBackMinX : g.cushionBackMaxX - p.x;
            const float fromBackY =
                PocketGeometry::SignY(pocket) < 0 ? p.y - g.cushionBackMinY : g.cushionBackMaxY - p.y;
            if (fromBackX + fromBackY <= reach) {
                withinReach = CollidePocketJaw(ball, pocket, dt);
            }
        }
    } else if (!(p.y > g.cushionBackMinY)) {
        withinReach = CollidePocketJaw(ball, 2, dt);
    } else if (!(p.y < g.cushionBackMaxY)) {
        withinReach = CollidePocketJaw(ball, 5, dt);
    }
    return withinReach;
}

bool PhysicsModel::CollidePocketJaw(PhysicsBall& ball, uint8_t pocket, float dt) {
    const TableGeometry& g = Geometry();
    const PhysicsConstants& k = ThePhysicsConstants();
    const float r = ball.radiusCm;
    const Vec3& p = ball.position;
    if (p.z < g.pocketFloorHeight || p.z > r + g.cushionTopHeight) {
        return false;
    }
    const PocketWallContact wall = PocketGeometry(g).WallContact(pocket, p.x, p.y, r);
    bool withinReach = wall.IsWithinReach();
    if (wall.IsNear()) {
        float dz = p.z - g.cushionTopHeight;
        if (!(dz > 0.0f)) {
            dz = 0.0f;
        }
        if (wall.gap * wall.gap + dz * dz < r * r) {
            withinReach = true;
            const Vec3 n = Normalized(Vec3{wall.dirX * wall.gap, wall.dirY * wall.gap, -dz});
            const float s = Dot(ball.velocity, n);
            if (s > 0.0f) {
                if (s > 0.08f) {
                    ThePhysicsEventList().Append(PhysicsEventKind::PocketWall, ball.index, s * ball.mass, {}, pocket);
                }
                if (dz == 0.0f) {
                    BrakeOnPocketWall(ball.velocity, n, dt);
                }
                ball.velocity = ball.velocity - n * (s * (k[27] + 1.0f));
            }
        }
    }
    if (p.z < r + g.pocketFloorHeight) {
        SettleInPocket(ball, pocket, dt);
    }
    return withinReach;
}

// Friction of a ball sliding along a pocket's wall face. The wall presses on the ball with the constant force
// K24 (per unit mass) while the ball moves into it, so each sub-step's friction impulse is K24 x dt along the
// wall's horizontal tangent, against the sliding. As on the cloth, a slide of at most 3.5 times that impulse
// (1 + 1 / 0.4 for a solid sphere, which also turns) is stopped outright instead of reversed.
void PhysicsModel::BrakeOnPocketWall(Vec3& velocity, const Vec3& normal, float dt) const {
    const Vec3 tangent{-normal.y, normal.x, 0.0f};
    const float slide = Dot(velocity, tangent);
    const float impulse = ThePhysicsConstants()[24] * dt;
    if (physmath::Fabs(slide) <= 3.5f * impulse) {
        velocity = velocity - tangent * slide;
    } else {
        velocity = velocity - tangent * (slide > 0.0f ? impulse : -impulse);
    }
}

bool PhysicsModel::CollideFloor(PhysicsBall& ball, float dt, bool wasAtRest) {
    const TableGeometry& g = Geometry();
    const PhysicsConstants& k = ThePhysicsConstants();
    Vec3& v = ball.velocity;
    if (ball.position.z > ball.radiusCm + g.floorHeight) {
        return false;
    }
    if (v.z >= 0.0f) {
        return false;
    }
    ApplyClothFriction(ball, dt, static_cast<uint32_t>(ClothSurface::Floor));
    const float threshold = k[15] * dt;
    bool stopped = false;
    if (v.z <= -threshold) {
        if (v.z < -4.0f * threshold) {
            ThePhysicsEventList().Append(PhysicsEventKind::FloorImpact, ball.index, -(v.z * ball.mass));
        }
        v.z = -k[14] * v.z;
    } else {
        v.z = 0.0f;
        stopped = true;
    }
    ball.position.z = ball.radiusCm + g.floorHeight;
    // FloorRest tells that the ball came to rest, once: a ball lying still on the floor meets it again in every
    // sub-step (gravity pulls it down and the floor stops it), and reporting it each time would fill the event
    // list while other balls move and keep the resting ball from ever being skipped.
    if (!wasAtRest && ball.IsAtRest()) {
        ThePhysicsEventList().Append(PhysicsEventKind::FloorRest, ball.index);
    }
    return stopped;
}

void PhysicsModel::SettleInPocket(PhysicsBall& ball, uint8_t pocket, float dt) {
    Vec3& v = ball.velocity;
    if (ball.pocketed == 0) {
        ThePhysicsEventList().Append(PhysicsEventKind::Pocketed, ball.index, -(ball.mass * v.z), {}, pocket);
        ball.pocketed = pocket;
    }
    const float brake = ThePhysicsConstants()[25] * 9.8f;
    float dx = v.x;
    float dy = v.y;
    float speed = 0.0f;
    quill::Normalize2D(&dx, &dy, &speed);
    if (brake * dt < speed) {
        v.x -= dx * brake * dt;
        v.y -= dy * brake * dt;
    } else {
        v.x = 0.0f;
        v.y = 0.0f;
    }
    v.z = 0.0f;
    ball.position.z = ball.radiusCm + Geometry().pocketFloorHeight;
}

bool PhysicsModel::IsCushionContactSettled(uint8_t axis, PhysicsBall& ball, const Vec3& normal) {
    if (ball.cushionPositive[axis] == 0) {
        return false;
    }
    if (ball.cushionSteps[axis] < 4) {
        ++ball.cushionSteps[axis];
        return false;
    }
    return Dot(ball.velocity, normal) < 0.0f;
}

bool PhysicsModel::IsPressingCushion(uint8_t axis, const PhysicsBall& ball, const Vec3& normal) const {
    return ball.cushionPositive[axis] != 0 && Dot(ball.velocity, normal) < 0.0f;
}

// --- set-up of the base model ---

void PhysicsModel::SetupConstants() {
    ModelConstants& c = TheModelConstants();
    c.CueSpeedScale = 9.5f;
    c.BallFriction = 0.16f;
    c.BallFrictionAlt = 0.24f;
    c.BallSpinShare = 0.5f;
    c.StrikeTimeBase = 0.0025f;
    c.MiscueDeflection = 0.75f;
    c.MiscueTangent = MiscueTangentRoundedOnce(c.MiscueDeflection);
}

void PhysicsModel::SetupTuning() {
    PhysicsConstants& k = ThePhysicsConstants();
    WriteCommonTuningEntries(k, Geometry().cushionNoseHeight);
    WriteTuningEntries(
        k, {{12, 0.5f}, {13, 50.0f}, {18, 0.3f}, {19, 0.28f}, {23, 0.7f}, {28, 200000.0f}, {29, 24.0f}, {30, 80.0f}});
    if (HasPockets()) {
        WriteTuningEntries(k, {{0, 0.5f}, {1, 0.6f}, {2, 0.012f}, {3, 0.028f}});
    } else {
        WriteTuningEntries(k, {{0, 0.45f}, {1, 0.65f}, {2, 0.008f}, {3, 0.02f}});
    }
}

ClothFrictionForm PhysicsModel::ClothForm() {
    ClothFrictionForm form;
    form.forceForm = true;
    form.clothSpeedLoad = 0.0000399999990f;
    return form;
}

void PhysicsModel::ApplyClothFriction(PhysicsBall& ball, float dt, uint32_t surface) {
    ClothFriction::Apply(ball, dt, surface, ThePhysicsConstants(), ClothForm());
}

void PhysicsModel::Strike(PhysicsBall& ball, const CueStroke& stroke) {
    CueStrikeBase(*this, ball, stroke).Run();
}

void PhysicsModel::CushionContactStep(Vec3& velocity, Vec3& spin, const CushionNormal& normal, float force,
                                      float approachSpeed, float radiusM, float inertiaArm, float h,
                                      const PhysicsConstants& k) {
    kestrovan::CushionContactStep::Apply(velocity, spin, normal, force, approachSpeed, radiusM, inertiaArm, h, k,
                                         0.015f, true);
}

void PhysicsModel::CollideCushions(PhysicsBall& ball, float dt) {
    // Far from every cushion (the common case) the pass would find nothing: it is not even built.
    if (CushionContactSearch::ZoneMask(Geometry(), ball, CushionContactSearch::BackBox::HalfOpen) != 0) {
        PenetrationCushionPass(*this, ball, dt, true).Run();
    }
}

bool PhysicsModel::CollideBalls() {
    return BallContactPassBase(*this, pairSearch_).Run();
}

bool PhysicsModel::TestCushion(Vec3& position, float radiusCm, Vec3& normalOut, float& contactHeightOut,
                               CushionFlags& flags, uint8_t side) {
    flags = CushionFlags{};
    const CushionTest test(Geometry(), HasPockets(), false);
    return test.Test(position, radiusCm, side, &normalOut, &contactHeightOut, &flags);
}

}  // namespace kestrovan
