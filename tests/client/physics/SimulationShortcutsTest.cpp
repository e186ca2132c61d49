// The shortcuts that make simulating fast must not change a bit: the pair search's list of near pairs finds exactly
// the contacts of the search over all pairs, in its order, the orientation turns done in batches (four at a time
// where they can) give the bits of turning in every sub-step, balls on the open cloth stepped side by side get the
// bits of the ball-by-ball step, and a run of such sub-steps the bits of taking them one at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <span>
#include <vector>

#include "client/physics/BallPairSearch.h"
#include "client/physics/ClothSteps.h"
#include "client/physics/OrientationTurns.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

class SimulationShortcutsTest : public PhysicsTest {};

// The pairs of the search over all pairs: both on the table, not both at rest, closer than the touch distance in
// every coordinate and in all, and approaching.
std::vector<std::pair<uint16_t, uint16_t>> AllPairsTouching(PhysicsModel& model, bool ownRadii) {
    std::vector<std::pair<uint16_t, uint16_t>> pairs;
    const float reference = 2.0f * model.Ball(0).radiusCm + 0.1f;
    for (uint16_t a = 0; a < model.BallCount(); ++a) {
        for (uint16_t b = static_cast<uint16_t>(a + 1); b < model.BallCount(); ++b) {
            const PhysicsBall& p = model.Ball(a);
            const PhysicsBall& q = model.Ball(b);
            if (p.pocketed != 0 || q.pocketed != 0 || (p.IsAtRest() && q.IsAtRest())) {
                continue;
            }
            const float touch = ownRadii ? p.radiusCm + q.radiusCm + 0.1f : reference;
            const quill::Vec3 d = p.position - q.position;
            if (std::fabs(d.x) < touch && std::fabs(d.y) < touch && std::fabs(d.z) < touch &&
                d.x * d.x + d.y * d.y + d.z * d.z < touch * touch &&
                quill::Vec3::Dot(d, q.velocity) - quill::Vec3::Dot(d, p.velocity) > 0.0f) {
                pairs.emplace_back(a, b);
            }
        }
    }
    return pairs;
}

TEST_F(SimulationShortcutsTest, ThePairSearchFindsTheContactsOfTheSearchOverAllPairsInItsOrder) {
    std::mt19937 random(8);
    std::uniform_real_distribution<float> place(-20.0f, 20.0f);
    std::uniform_real_distribution<float> speed(-1.0f, 1.0f);
    size_t found = 0;
    for (int layout = 0; layout < 300; ++layout) {
        // Sixteen balls crowded together, a few of them resting, one pocketed, sizes of two ball sets.
        std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(0x10014, 1, 16, false));
        for (uint16_t i = 0; i < 16; ++i) {
            PhysicsBall& ball = model->Ball(i);
            ball.SetSize(i % 3 == 0 ? 2.625f : 3.275f, 0.2f);
            ball.position = {place(random), place(random) / 4.0f, ball.radiusCm};
            ball.velocity = i % 4 == 1 ? quill::Vec3{} : quill::Vec3{speed(random), speed(random), 0.0f};
        }
        for (const bool ownRadii : {false, true}) {
            model->Ball(5).pocketed = 2;
            // The search keeps its list of near pairs from one sub-step to the next: the balls move a little (now
            // and then one far) between searches, and the pocketed ball is put back on the table.
            BallPairSearch search;
            search.Reserve(*model);
            for (int step = 0; step < 6; ++step) {
                for (uint16_t i = 0; step != 0 && i < 16; ++i) {
                    model->Ball(i).position.x += speed(random) * (random() % 20 == 0 ? 12.0f : 1.0f);
                }
                model->Ball(5).pocketed = step < 3 ? 2 : 0;
                const auto expected = AllPairsTouching(*model, ownRadii);
                search.Find(BallPairSearchForm{.ownRadii = ownRadii});
                std::vector<std::pair<uint16_t, uint16_t>> pairs;
                for (const BallContact& contact : search.Contacts()) {
                    pairs.emplace_back(contact.first, contact.second);
                }
                ASSERT_EQ(pairs, expected) << "layout " << layout << ", step " << step;
                found += pairs.size();
            }
        }
    }
    EXPECT_GT(found, 1000u) << "the layouts must bring many balls into contact";
}

TEST_F(SimulationShortcutsTest, BatchedTurnsGiveTheBitsOfTurningInEverySubStep) {
    std::mt19937 random(4);
    std::uniform_real_distribution<float> rate(-300.0f, 300.0f);
    constexpr float kDt = 0.0001f;
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}, {20.0f, 0.0f}});
    OrientationTurns turns;
    turns.Resize(2);
    // Counts that are not multiples of four, spins of every size (a huge one leaves the series' range: those
    // four are turned one at a time), and a ball whose spin is zero.
    for (const uint32_t count : {1u, 7u, 50u, 63u}) {
        quill::Quaternion expected[2] = {model->Ball(0).orientation, model->Ball(1).orientation};
        for (uint32_t k = 0; k < count; ++k) {
            const quill::Vec3 spins[2] = {
                k == 5 ? quill::Vec3{4e7f, 0.0f, 1.0f} : quill::Vec3{rate(random), rate(random), rate(random)},
                k % 3 == 0 ? quill::Vec3{} : quill::Vec3{rate(random), 0.0f, 0.0f}};
            for (uint16_t ball = 0; ball < 2; ++ball) {
                ASSERT_TRUE(turns.Add(ball, spins[ball]));
                OrientationTurns::Turn(expected[ball], OrientationTurns::TurnOf(spins[ball], kDt));
            }
        }
        turns.ApplyAll(*model, kDt);
        for (uint16_t ball = 0; ball < 2; ++ball) {
            const quill::Quaternion& q = model->Ball(ball).orientation;
            EXPECT_EQ(Bits(q.x), Bits(expected[ball].x)) << count;
            EXPECT_EQ(Bits(q.y), Bits(expected[ball].y)) << count;
            EXPECT_EQ(Bits(q.z), Bits(expected[ball].z)) << count;
            EXPECT_EQ(Bits(q.w), Bits(expected[ball].w)) << count;
        }
    }
}

std::array<uint32_t, 3> BitsOf(const quill::Vec3& v) {
    return {test::Bits(v.x), test::Bits(v.y), test::Bits(v.z)};
}

std::array<uint32_t, 4> BitsOf(const quill::Quaternion& q) {
    return {test::Bits(q.x), test::Bits(q.y), test::Bits(q.z), test::Bits(q.w)};
}

// A ball lying on the cloth with a random motion: speeds from a thousandth of the slow-speed limits to a few m/s,
// spins that roll with the ball, roll nearly, or slide, with or without spin about the vertical; places over the
// whole bed, so that some balls come near a cushion or a hole.
void RandomMotionOnCloth(PhysicsBall& ball, std::mt19937& random) {
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_real_distribution<float> exponent(-4.0f, 0.7f);
    const auto speed = [&] { return unit(random) * std::pow(10.0f, exponent(random)); };
    ball.position = {unit(random) * 130.0f, unit(random) * 70.0f, ball.radiusCm};
    ball.velocity = {speed(), random() % 5 == 0 ? 0.0f : speed(), 0.0f};
    const quill::Vec3 rolling{-ball.velocity.y / ball.radiusM, ball.velocity.x / ball.radiusM, 0.0f};
    switch (random() % 3) {
        case 0:
            ball.spin = rolling;
            break;
        case 1:
            ball.spin = {rolling.x * (1.0f + unit(random) * 1e-3f), rolling.y, 0.0f};
            break;
        default:
            ball.spin = {speed() * 50.0f, speed() * 50.0f, 0.0f};
            break;
    }
    ball.spin.z = random() % 2 == 0 ? 0.0f : speed() * 20.0f;
}

TEST_F(SimulationShortcutsTest, BallsSteppedSideBySideOnTheClothGetTheBitsOfTheBallByBallStep) {
    constexpr float kDt = 0.0001f;
    std::mt19937 random(21);
    // Every impulse form of cloth friction: rising balls skipped (0x10005), scaled slides (0x1000A, 0x1000E),
    // slow-speed growth (0x10014 on a carom table) and none (0x10010 on a pocket table, with holes).
    for (const auto& [code, kind] : {std::pair{0x10005u, 0u}, std::pair{0x1000Au, 3u}, std::pair{0x1000Eu, 4u},
                                     std::pair{0x10014u, 0u}, std::pair{0x10010u, 1u}}) {
        SCOPED_TRACE(testing::Message() << std::hex << code << " on table kind " << kind);
        auto model = MakeModel(code, kind, {{0.0f, 0.0f}, {10.0f, 0.0f}, {20.0f, 0.0f}, {30.0f, 0.0f}});
        ClothSteps steps;
        ASSERT_TRUE(steps.Prepare(*model, kDt));
        PhysicsBall* balls[4] = {&model->Ball(0), &model->Ball(1), &model->Ball(2), &model->Ball(3)};
        size_t taken = 0;
        for (int trial = 0; trial < 2000; ++trial) {
            PhysicsBall before[4] = {*balls[0], *balls[1], *balls[2], *balls[3]};
            for (PhysicsBall& ball : before) {
                RandomMotionOnCloth(ball, random);
                ASSERT_TRUE(ClothSteps::Qualifies(ball));
            }
            const unsigned count = 1 + trial % 4;
            for (unsigned i = 0; i < count; ++i) {
                *balls[i] = before[i];
            }
            const unsigned stepped = steps.Step(std::span(balls, count));
            for (unsigned i = 0; i < count; ++i) {
                const PhysicsBall sideBySide = *balls[i];
                *balls[i] = before[i];
                if ((stepped >> i & 1u) != 0) {
                    model->MoveBall(*balls[i], kDt);
                    ++taken;
                }
                EXPECT_EQ(BitsOf(sideBySide.position), BitsOf(balls[i]->position)) << "trial " << trial;
                EXPECT_EQ(BitsOf(sideBySide.velocity), BitsOf(balls[i]->velocity)) << "trial " << trial;
                EXPECT_EQ(BitsOf(sideBySide.spin), BitsOf(balls[i]->spin)) << "trial " << trial;
                EXPECT_EQ(sideBySide.onBed, balls[i]->onBed) << "trial " << trial;
            }
        }
        EXPECT_GT(taken, 3000u) << "most balls are far enough from the cushions";
    }
    // Force forms are stepped ball by ball.
    auto base = MakeModel(0x10001, 0, {{0.0f, 0.0f}});
    EXPECT_FALSE(ClothSteps().Prepare(*base, kDt));
}

// The sub-steps of a run, taken one at a time in groups of four as Step takes them, with the run's stops: before a
// sub-step that a ball cannot take side by side, that moves one allowedShift or further from its start or after which
// touching() holds, after one in which a ball comes to rest. Each ball still moving turns. Returns the count taken.
uint32_t StepsOneByOne(const ClothSteps& steps, std::span<PhysicsBall*> balls, uint32_t maxSubSteps, float allowedShift,
                       float dt, const std::function<bool()>& touching = {}) {
    std::vector<PhysicsBall> start;
    for (const PhysicsBall* ball : balls) {
        start.push_back(*ball);
    }
    for (uint32_t taken = 0; taken < maxSubSteps; ++taken) {
        std::vector<PhysicsBall> before;
        for (const PhysicsBall* ball : balls) {
            before.push_back(*ball);
        }
        bool whole = true;
        for (size_t first = 0; first < balls.size(); first += ClothSteps::kWidth) {
            const auto group = balls.subspan(first, std::min<size_t>(ClothSteps::kWidth, balls.size() - first));
            whole = steps.Step(group) == (1u << group.size()) - 1u && whole;
        }
        for (size_t i = 0; i < balls.size(); ++i) {
            whole = whole && std::fabs(balls[i]->position.x - start[i].position.x) < allowedShift &&
                    std::fabs(balls[i]->position.y - start[i].position.y) < allowedShift;
        }
        whole = whole && !(touching && touching());
        if (!whole) {
            for (size_t i = 0; i < balls.size(); ++i) {
                *balls[i] = before[i];
            }
            return taken;
        }
        bool resting = false;
        for (PhysicsBall* ball : balls) {
            if (ball->IsAtRest()) {
                resting = true;
            } else {
                OrientationTurns::Turn(ball->orientation, OrientationTurns::TurnOf(ball->spin, dt));
            }
        }
        if (resting) {
            return taken + 1;
        }
    }
    return maxSubSteps;
}

TEST_F(SimulationShortcutsTest, ARunOfSubStepsOnTheClothGetsTheBitsOfTheSubStepsOneByOne) {
    constexpr float kDt = 0.0001f;
    std::mt19937 random(5);
    std::uniform_real_distribution<float> shift(0.001f, 2.0f);
    for (const auto& [code, kind] : {std::pair{0x10005u, 0u}, std::pair{0x10014u, 0u}, std::pair{0x10010u, 1u}}) {
        SCOPED_TRACE(testing::Message() << std::hex << code << " on table kind " << kind);
        std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(code, kind, ClothSteps::kMaxRunBalls, false));
        ClothSteps steps;
        ASSERT_TRUE(steps.Prepare(*model, kDt));
        OrientationTurns turns;
        turns.Resize(model->BallCount());
        uint32_t longest = 0;
        uint32_t total = 0;
        for (int trial = 0; trial < 400; ++trial) {
            // One to sixteen balls, some of them slow enough to come to rest within the run.
            const auto count = static_cast<size_t>(1 + trial % ClothSteps::kMaxRunBalls);
            std::vector<PhysicsBall*> balls;
            std::vector<uint16_t> indices;
            std::vector<PhysicsBall> before;
            for (uint16_t i = 0; i < count; ++i) {
                PhysicsBall& ball = model->Ball(i);
                ball.SetSize(3.05f, 0.21f);
                RandomMotionOnCloth(ball, random);
                if (trial % 3 == 0) {
                    ball.position.x = ball.position.x / 4.0f;  // away from the cushions: longer runs
                    ball.position.y = ball.position.y / 4.0f;
                }
                balls.push_back(&ball);
                indices.push_back(i);
                before.push_back(ball);
            }
            const uint32_t maxSubSteps = 1 + random() % 60;
            const float allowedShift = shift(random);
            const uint32_t taken = steps.Run(balls, indices, maxSubSteps, allowedShift, {}, turns);
            turns.ApplyAll(*model, kDt);
            std::vector<PhysicsBall> run;
            for (size_t i = 0; i < count; ++i) {
                run.push_back(*balls[i]);
                *balls[i] = before[i];
            }
            ASSERT_EQ(taken, StepsOneByOne(steps, balls, maxSubSteps, allowedShift, kDt)) << "trial " << trial;
            for (size_t i = 0; i < count; ++i) {
                EXPECT_EQ(BitsOf(run[i].position), BitsOf(balls[i]->position)) << "trial " << trial;
                EXPECT_EQ(BitsOf(run[i].velocity), BitsOf(balls[i]->velocity)) << "trial " << trial;
                EXPECT_EQ(BitsOf(run[i].spin), BitsOf(balls[i]->spin)) << "trial " << trial;
                EXPECT_EQ(BitsOf(run[i].orientation), BitsOf(balls[i]->orientation)) << "trial " << trial;
            }
            longest = std::max(longest, taken);
            total += taken;
        }
        EXPECT_GE(longest, 50u) << "some runs go on for many sub-steps";
        EXPECT_GT(total, 2000u);
    }
}

// Balls whose contact point slips by about the most the cloth lets it before sliding, a few units in the last
// place either side, in both directions along the motion: a run tells rolling from sliding without the square root
// of the slip where it can, and comes to the bits of the sub-steps one by one, on both sides of the bound.
TEST_F(SimulationShortcutsTest, ARunToldRollingFromSlidingAtTheBoundAsTheStepWithTheSquareRoot) {
    constexpr float kDt = 0.0001f;
    for (const auto& [code, kind] : {std::pair{0x10014u, 0u}, std::pair{0x10005u, 0u}}) {
        SCOPED_TRACE(testing::Message() << std::hex << code << " on table kind " << kind);
        std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(code, kind, ClothSteps::kWidth, false));
        ClothSteps steps;
        ASSERT_TRUE(steps.Prepare(*model, kDt));
        OrientationTurns turns;
        turns.Resize(model->BallCount());
        const PhysicsConstants& k = ThePhysicsConstants();
        const ClothFrictionForm form = model->ClothForm();
        uint32_t slid = 0;
        uint32_t rolled = 0;
        for (const float speed : {0.05f, 0.3f, 1.7f}) {
            // The slip's bound at this speed, about as the step works it out.
            const float load = (kDt * 9.8f) - speed * form.clothSpeedLoad;
            const float bound = load * k[0] * 3.5f;
            for (const float direction : {1.0f, -1.0f}) {
                for (int first = -48; first < 48; first += static_cast<int>(ClothSteps::kWidth)) {
                    std::vector<PhysicsBall*> balls;
                    std::vector<uint16_t> indices;
                    std::vector<PhysicsBall> before;
                    for (uint16_t i = 0; i < ClothSteps::kWidth; ++i) {
                        PhysicsBall& ball = model->Ball(i);
                        ball.SetSize(3.05f, 0.21f);
                        ball.position = {-30.0f + 20.0f * i, 10.0f, ball.radiusCm};
                        ball.velocity = {speed, 0.0f, 0.0f};
                        // Units in the last place around the spin that slips by the bound.
                        float spin = (speed + direction * bound) / ball.radiusM;
                        const int ulps = first + i;
                        for (int u = 0; u < std::abs(ulps); ++u) {
                            spin = std::nextafter(spin, ulps < 0 ? 0.0f : 2.0f * spin);
                        }
                        ball.spin = {0.0f, spin, 0.0f};
                        ASSERT_TRUE(ClothSteps::Qualifies(ball));
                        balls.push_back(&ball);
                        indices.push_back(i);
                        before.push_back(ball);
                    }
                    const uint32_t taken = steps.Run(balls, indices, 2, 1000.0f, {}, turns);
                    turns.ApplyAll(*model, kDt);
                    std::vector<PhysicsBall> run;
                    for (size_t i = 0; i < balls.size(); ++i) {
                        run.push_back(*balls[i]);
                        *balls[i] = before[i];
                    }
                    ASSERT_EQ(taken, StepsOneByOne(steps, balls, 2, 1000.0f, kDt)) << first;
                    for (size_t i = 0; i < balls.size(); ++i) {
                        EXPECT_EQ(BitsOf(run[i].position), BitsOf(balls[i]->position)) << first + static_cast<int>(i);
                        EXPECT_EQ(BitsOf(run[i].velocity), BitsOf(balls[i]->velocity)) << first + static_cast<int>(i);
                        EXPECT_EQ(BitsOf(run[i].spin), BitsOf(balls[i]->spin)) << first + static_cast<int>(i);
                        // Sliding takes about the slide budget off the speed, rolling far less.
                        const float lost = std::fabs(before[i].velocity.x - run[i].velocity.x);
                        (lost > 0.5f * load * k[0] ? slid : rolled) += 1;
                    }
                }
            }
        }
        EXPECT_GT(slid, 0u);
        EXPECT_GT(rolled, 0u);
    }
}

// Balls lying close together, every pair of them watched: the run stops before the sub-step after which the pair
// search would find two of them touching and approaching, and otherwise gets the bits of the sub-steps one by one.
TEST_F(SimulationShortcutsTest, ARunWatchingClosePairsStopsBeforeTheSubStepInWhichTheyTouch) {
    constexpr float kDt = 0.0001f;
    constexpr size_t kMostBalls = 6;  // every pair of them fits the watched pairs
    static_assert(kMostBalls * (kMostBalls - 1) / 2 <= ClothSteps::kMaxWatchedPairs);
    std::mt19937 random(9);
    std::uniform_real_distribution<float> offset(-0.3f, 0.3f);
    std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(0x10014u, 0u, kMostBalls, false));
    ClothSteps steps;
    ASSERT_TRUE(steps.Prepare(*model, kDt));
    OrientationTurns turns;
    turns.Resize(model->BallCount());
    uint32_t stoppedAtATouch = 0;
    for (int trial = 0; trial < 300; ++trial) {
        // Two to six balls in a row, each about a touch distance from the next.
        const auto count = static_cast<size_t>(2 + trial % (kMostBalls - 1));
        std::vector<PhysicsBall*> balls;
        std::vector<uint16_t> indices;
        std::vector<PhysicsBall> before;
        for (uint16_t i = 0; i < kMostBalls; ++i) {
            PhysicsBall& ball = model->Ball(i);
            ball.SetSize(3.05f, 0.21f);
            RandomMotionOnCloth(ball, random);
            ball.position.x = -20.0f + static_cast<float>(i) * (6.2f + offset(random));
            ball.position.y = offset(random);
            ball.pocketed = i < count ? 0 : 1;
            if (i < count) {
                balls.push_back(&ball);
                indices.push_back(i);
                before.push_back(ball);
            }
        }
        std::vector<ClothSteps::WatchedPair> watched;
        for (uint8_t a = 0; a < count; ++a) {
            for (uint8_t b = static_cast<uint8_t>(a + 1); b < count; ++b) {
                watched.push_back({a, b, 2.0f * model->Ball(0).radiusCm + 0.1f, {}, {}});
            }
        }
        const uint32_t maxSubSteps = 1 + random() % 60;
        const uint32_t taken = steps.Run(balls, indices, maxSubSteps, 1000.0f, watched, turns);
        turns.ApplyAll(*model, kDt);
        std::vector<PhysicsBall> run;
        for (size_t i = 0; i < count; ++i) {
            run.push_back(*balls[i]);
            *balls[i] = before[i];
        }
        bool touched = false;
        const auto touching = [&model, &touched] {
            touched = touched || !AllPairsTouching(*model, false).empty();
            return touched;
        };
        ASSERT_EQ(taken, StepsOneByOne(steps, balls, maxSubSteps, 1000.0f, kDt, touching)) << "trial " << trial;
        for (size_t i = 0; i < count; ++i) {
            EXPECT_EQ(BitsOf(run[i].position), BitsOf(balls[i]->position)) << "trial " << trial;
            EXPECT_EQ(BitsOf(run[i].velocity), BitsOf(balls[i]->velocity)) << "trial " << trial;
            EXPECT_EQ(BitsOf(run[i].spin), BitsOf(balls[i]->spin)) << "trial " << trial;
            EXPECT_EQ(BitsOf(run[i].orientation), BitsOf(balls[i]->orientation)) << "trial " << trial;
        }
        stoppedAtATouch += touched ? 1 : 0;
    }
    EXPECT_GT(stoppedAtATouch, 20u) << "many runs stop where two balls come to touch";
}

// A resting ball whose fixed point is known from the last call skips its sub-steps only while nothing it reads has
// changed: the holder may change the constants, the table or the ball itself between calls.
TEST_F(SimulationShortcutsTest, ARestingBallMovesAgainWhenWhatItsSubStepReadsChangesBetweenCalls) {
    for (int change = 0; change < 3; ++change) {
        auto model = MakeModel(0x10014, 1, {{0.0f, 0.0f}, {30.0f, 10.0f}});
        ASSERT_TRUE(model->Simulate(0.005f, 50, 1.0f));
        ASSERT_TRUE(model->Simulate(0.005f, 50, 1.0f));
        PhysicsBall& ball = model->Ball(1);
        ASSERT_TRUE(ball.IsAtRest());
        switch (change) {
            case 0:
                ThePhysicsConstants()[13] = 1.0f;  // the bed no longer absorbs a ball's fall: it bounces
                break;
            case 1:
                model->SharedRecord().geometry.cushionBackMaxX = ball.position.x - 1.0f;  // no bed below the ball
                break;
            default:
                ball.position.x = model->Geometry().frameMaxX + 20.0f;  // beyond the table
                break;
        }
        const quill::Vec3 place = ball.position;
        model->Simulate(0.005f, 50, 1.0f);
        EXPECT_FALSE(ball.IsAtRest() && BitsOf(ball.position) == BitsOf(place)) << "change " << change;
    }
}

// Copies the motion and the bookkeeping of one ball into another model's ball (not the links to its model).
void CopyBallState(const PhysicsBall& from, PhysicsBall& to) {
    PhysicsModel* const model = to.model;
    SharedTableRecord* const shared = to.shared;
    const uint16_t index = to.index;
    to = from;
    to.model = model;
    to.shared = shared;
    to.index = index;
}

// What a model keeps from one call to the next to spare work (the list of near pairs, where the balls were when the
// runs last searched their close pairs and the pairs they watched, the inputs of the sub-steps) must not outlive a
// change the holder makes between calls: a model that has simulated before and a new model given the same balls
// simulate the next call to the same bits, also when the holder moved a ball next to another, along x or only along y,
// or put a pocketed ball back.
TEST_F(SimulationShortcutsTest, AModelThatSimulatedBeforeGivesTheBitsOfANewOneWhateverTheHolderChangedBetweenCalls) {
    constexpr uint16_t kBalls = 16;
    constexpr uint16_t kMover = 5;
    constexpr uint16_t kTarget = 1;  // in the mover's column, too far along y for the list of near pairs
    for (int change = 0; change < 3; ++change) {
        std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(0x10014u, 1u, kBalls, false));
        for (uint16_t i = 0; i < kBalls; ++i) {
            PhysicsBall& ball = model->Ball(i);
            ball.SetSize(3.05f, 0.21f);
            ball.position = {-75.0f + static_cast<float>(i % 4) * 50.0f, -36.0f + static_cast<float>(i / 4) * 24.0f,
                             ball.radiusCm};
            const float angle = 0.7f * static_cast<float>(i);
            ball.velocity = {0.4f * std::cos(angle), 0.4f * std::sin(angle), 0.0f};
            ball.spin = {-ball.velocity.y / ball.radiusM, ball.velocity.x / ball.radiusM, 0.0f};
        }
        model->Ball(kMover).pocketed = change == 2 ? 1 : 0;
        if (change == 1) {
            // Two other balls meet in the first call, so that the pair search lists the near pairs then and the runs
            // watch the two as they part (the other changes keep every ball apart, so that the runs bound the gaps
            // from the last search).
            PhysicsBall& hitter = model->Ball(kBalls - 1);
            hitter.position.x = model->Ball(kBalls - 2).position.x + 6.1f;
            hitter.velocity = {-0.5f, 0.0f, 0.0f};
            hitter.spin = {0.0f, hitter.velocity.x / hitter.radiusM, 0.0f};
        }
        for (int call = 0; call < 4; ++call) {
            ASSERT_FALSE(model->Simulate(0.005f, 15, 1.0f));
        }
        ASSERT_EQ(CountEvents(PhysicsEventKind::BallBall), 0u);
        // The mover now overlaps the target from the side of +x, or from +y (its x moves by less than a centimetre),
        // and moves into it.
        const PhysicsBall& target = model->Ball(kTarget);
        PhysicsBall& mover = model->Ball(kMover);
        mover.pocketed = 0;
        mover.position = target.position + quill::Vec3{change == 1 ? 0.0f : 6.0f, change == 1 ? 6.0f : 0.0f, 0.0f};
        mover.velocity = {change == 1 ? 0.0f : -0.5f, change == 1 ? -0.5f : 0.0f, 0.0f};
        mover.spin = {-mover.velocity.y / mover.radiusM, mover.velocity.x / mover.radiusM, 0.0f};
        std::unique_ptr<PhysicsModel> fresh(CreatePhysicsModel(0x10014u, 1u, kBalls, false));
        for (uint16_t i = 0; i < kBalls; ++i) {
            CopyBallState(model->Ball(i), fresh->Ball(i));
        }
        fresh->Simulate(0.005f, 15, 1.0f);
        const std::span<const PhysicsEvent> events = ThePhysicsEventList().Events();
        const std::vector<PhysicsEvent> freshEvents(events.begin(), events.end());
        model->Simulate(0.005f, 15, 1.0f);
        EXPECT_GT(CountEvents(PhysicsEventKind::BallBall), 0u) << "change " << change;
        ASSERT_EQ(ThePhysicsEventList().Size(), freshEvents.size()) << "change " << change;
        for (size_t e = 0; e < freshEvents.size(); ++e) {
            EXPECT_EQ(ThePhysicsEventList().Events()[e].kind, freshEvents[e].kind) << "change " << change;
            EXPECT_EQ(ThePhysicsEventList().Events()[e].ball, freshEvents[e].ball) << "change " << change;
        }
        for (uint16_t i = 0; i < kBalls; ++i) {
            EXPECT_EQ(BitsOf(model->Ball(i).position), BitsOf(fresh->Ball(i).position)) << "change " << change;
            EXPECT_EQ(BitsOf(model->Ball(i).velocity), BitsOf(fresh->Ball(i).velocity)) << "change " << change;
            EXPECT_EQ(BitsOf(model->Ball(i).spin), BitsOf(fresh->Ball(i).spin)) << "change " << change;
            EXPECT_EQ(BitsOf(model->Ball(i).orientation), BitsOf(fresh->Ball(i).orientation)) << "change " << change;
        }
    }
}

// One sub-step as the ball loop takes it without any shortcut: every ball on the table ball by ball, from the highest
// index down, turning as it goes, then the ball-ball pass unless every ball is at rest.
void StepOneByOne(PhysicsModel& model, float dt) {
    bool atRest = true;
    for (uint16_t i = model.BallCount(); i-- > 0;) {
        PhysicsBall& ball = model.Ball(i);
        if (ball.pocketed == 0) {
            atRest = model.MoveBall(ball, dt) && atRest;
        }
    }
    if (!atRest) {
        model.CollideBalls();
    }
}

// A run that leaves a ball near a cushion to the ball-by-ball step gets the bits and the events of every sub-step
// taken one by one: a ball rolls into a cushion and off it, or along it, while others roll in the open (one of them
// so slowly that it comes to rest within a run, which then ends early) or rest; the others pass close to the one at
// the cushion, or not.
TEST_F(SimulationShortcutsTest, ARunLeavingABallAtACushionToTheBallByBallStepGetsTheBitsOfTheSubStepsOneByOne) {
    constexpr uint32_t kSubSteps = 15;
    const float duration = 0.0015f;
    const float dt = duration / static_cast<float>(kSubSteps);  // as Simulate divides it
    for (int layout = 0; layout < 3; ++layout) {
        SCOPED_TRACE(testing::Message() << "layout " << layout);
        const auto setUp = [layout](PhysicsModel& model) {
            const TableGeometry& g = model.Geometry();
            const auto roll = [](PhysicsBall& ball, float x, float y, float vx, float vy) {
                ball.position = {x, y, ball.radiusCm};
                ball.velocity = {vx, vy, 0.0f};
                ball.spin = {-vy / ball.radiusM, vx / ball.radiusM, 0.0f};
            };
            for (uint16_t i = 0; i < model.BallCount(); ++i) {
                PhysicsBall& ball = model.Ball(i);
                ball.SetSize(3.05f, 0.21f);
                const float angle = 1.1f * static_cast<float>(i);
                // Balls 2 and 3 come to rest at different times, ball 4 rests from the start.
                const float speed = i == 2 ? 0.005f : (i == 3 ? 0.008f : (i == 4 ? 0.0f : 1.2f));
                roll(ball, -60.0f + static_cast<float>(i % 3) * 30.0f, -20.0f + static_cast<float>(i / 3) * 20.0f,
                     speed * std::cos(angle), speed * std::sin(angle));
            }
            // Ball 0 at the cushion of +x: rolling into it at an angle, creeping along it, or rolling into it while
            // ball 5 rolls by within reach.
            PhysicsBall& nearCushion = model.Ball(0);
            const float edgeX = g.noseMaxX - nearCushion.radiusCm;
            if (layout == 1) {
                roll(nearCushion, edgeX - 0.01f, -10.0f, 0.05f, 0.8f);
            } else {
                roll(nearCushion, edgeX - 1.0f, 0.0f, 1.0f, 0.6f);
            }
            if (layout == 2) {
                roll(model.Ball(5), edgeX - 9.0f, 14.0f, 0.0f, -1.0f);
            }
        };
        std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(0x10014u, 1u, 7, false));
        std::unique_ptr<PhysicsModel> reference(CreatePhysicsModel(0x10014u, 1u, 7, false));
        setUp(*model);
        setUp(*reference);
        size_t cushionEvents = 0;
        for (int call = 0; call < 80; ++call) {
            ThePhysicsEventList().Clear();
            for (uint32_t step = 0; step < kSubSteps; ++step) {
                StepOneByOne(*reference, dt);
            }
            const std::span<const PhysicsEvent> events = ThePhysicsEventList().Events();
            const std::vector<PhysicsEvent> referenceEvents(events.begin(), events.end());
            ASSERT_FALSE(model->Simulate(duration, kSubSteps, 1.0f)) << "call " << call;
            ASSERT_EQ(ThePhysicsEventList().Size(), referenceEvents.size()) << "call " << call;
            cushionEvents += CountEvents(PhysicsEventKind::Cushion);
            for (size_t e = 0; e < referenceEvents.size(); ++e) {
                const PhysicsEvent& event = ThePhysicsEventList().Events()[e];
                EXPECT_EQ(event.kind, referenceEvents[e].kind) << "call " << call;
                EXPECT_EQ(event.ball, referenceEvents[e].ball) << "call " << call;
                EXPECT_EQ(test::Bits(event.strength), test::Bits(referenceEvents[e].strength)) << "call " << call;
            }
            for (uint16_t i = 0; i < model->BallCount(); ++i) {
                ASSERT_EQ(BitsOf(model->Ball(i).position), BitsOf(reference->Ball(i).position)) << "call " << call;
                ASSERT_EQ(BitsOf(model->Ball(i).velocity), BitsOf(reference->Ball(i).velocity)) << "call " << call;
                ASSERT_EQ(BitsOf(model->Ball(i).spin), BitsOf(reference->Ball(i).spin)) << "call " << call;
                ASSERT_EQ(BitsOf(model->Ball(i).orientation), BitsOf(reference->Ball(i).orientation))
                    << "call " << call << " ball " << i;
            }
        }
        EXPECT_TRUE(model->Ball(2).IsAtRest() && model->Ball(3).IsAtRest());
        EXPECT_GT(cushionEvents, 0u);
    }
}

}  // namespace
}  // namespace kestrovan::test
