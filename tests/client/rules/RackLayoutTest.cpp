#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "client/rules/RackLayout.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;

// A pool table (kind 1) and a carom table (kind 0) with their ball sets.
constexpr RackTable kPoolTable{127.5f, 63.75f, 2.86f};
constexpr RackTable kCaromTable{120.0f, 60.0f, 3.275f};

RackLayout Rack(quill::GameType gameType, const RackTable& table, uint32_t seed, uint32_t* draws = nullptr,
                int32_t tableState = 0) {
    quill::Random random;
    random.Seed(seed);
    const uint32_t before = random.DrawCount();
    RackLayout layout(gameType, tableState, table, quill::GetBallCount(gameType));
    layout.Place(random);
    if (draws != nullptr) {
        *draws = random.DrawCount() - before;
    }
    return layout;
}

bool SamePositions(const RackLayout& a, const RackLayout& b, uint32_t count) {
    for (uint32_t ball = 0; ball < count; ++ball) {
        if (!a.Position(ball).Equals(b.Position(ball)) || a.OrientationSeed(ball) != b.OrientationSeed(ball)) {
            return false;
        }
    }
    return true;
}

TEST(RackLayoutTest, SameSeedSameRackOtherSeedOtherRack) {
    for (quill::GameType gameType : {0, 2, 3, 4, 5, 6, 10, 11, 12, 13, 16}) {
        SCOPED_TRACE(gameType);
        const RackTable& table = quill::IsCaromGame(gameType) ? kCaromTable : kPoolTable;
        const uint32_t count = quill::GetBallCount(gameType);
        EXPECT_TRUE(SamePositions(Rack(gameType, table, 1234), Rack(gameType, table, 1234), count));
        EXPECT_FALSE(SamePositions(Rack(gameType, table, 1234), Rack(gameType, table, 99), count));
    }
}

TEST(RackLayoutTest, EveryLayoutDrawsItsFixedNumberOfValues) {
    // Layout draws (jitters and discarded values) plus one orientation seed per ball.
    const struct {
        quill::GameType type;
        int32_t state;
        uint32_t draws;
    } fixed[] = {
        {type::kFourBall, 0, 8 + 4},     {type::kOneCushionGamble, 0, 8 + 4}, {type::kThreeCushion, 0, 1 + 3},
        {type::kThreeCushion, 3, 6 + 3}, {type::kThreeCushionPro, 0, 6 + 3},  {type::kThreeCushionGamble, 0, 1 + 3},
        {type::kSixBalls, 0, 12 + 6},    {type::kSnooker, 0, 44 + 22},
    };
    for (const auto& row : fixed) {
        SCOPED_TRACE(row.type);
        uint32_t draws = 0;
        Rack(row.type, kCaromTable, 7, &draws, row.state);
        EXPECT_EQ(draws, row.draws);
    }
    // The shuffled racks draw at least one partner per shuffled ball.
    uint32_t draws = 0;
    Rack(type::kEightBall, kPoolTable, 7, &draws);
    EXPECT_GE(draws, 32u + 14u + 16u);
    Rack(type::kNineBall, kPoolTable, 7, &draws);
    EXPECT_GE(draws, 20u + 7u + 10u);
    Rack(type::kStraightPool, kPoolTable, 7, &draws);
    EXPECT_GE(draws, 32u + 15u + 16u);
}

TEST(RackLayoutTest, PocketRacksAreTightButNeverOverlap) {
    for (quill::GameType gameType : {10, 12, 13, 16}) {
        SCOPED_TRACE(gameType);
        const RackLayout rack = Rack(gameType, kPoolTable, 4242);
        const uint32_t count = quill::GetBallCount(gameType);
        for (uint32_t a = 0; a < count; ++a) {
            EXPECT_TRUE(rack.IsPlaced(a));
            EXPECT_EQ(rack.Position(a).z, kPoolTable.ballRadius);
            EXPECT_LT(std::fabs(rack.Position(a).x), kPoolTable.halfLength - kPoolTable.ballRadius);
            EXPECT_LT(std::fabs(rack.Position(a).y), kPoolTable.halfWidth - kPoolTable.ballRadius);
            for (uint32_t b = a + 1; b < count; ++b) {
                const double gap = std::sqrt((rack.Position(a) - rack.Position(b)).LengthSquared());
                EXPECT_GE(gap, 2 * kPoolTable.ballRadius) << a << " " << b;
            }
        }
    }
}

TEST(RackLayoutTest, GameBallsKeepTheirPlacesAndTheBackCornersMixTheGroups) {
    const double f = std::sqrt(3.0) * kPoolTable.ballRadius + 0.1;
    const float apexX = 3.0f * kPoolTable.halfWidth - kPoolTable.halfLength;
    const float centreX = static_cast<float>(3.0 * kPoolTable.halfWidth + 2 * f) - kPoolTable.halfLength;
    std::set<uint32_t> eightBallApex;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        const RackLayout eight = Rack(type::kEightBall, kPoolTable, seed * 7919);
        EXPECT_FLOAT_EQ(eight.Position(8).x, centreX);
        EXPECT_FLOAT_EQ(eight.Position(8).y, 0.0f);
        EXPECT_NE(quill::BallGroupOf(eight.BallAtPosition(11)), quill::BallGroupOf(eight.BallAtPosition(15)));
        eightBallApex.insert(eight.BallAtPosition(1));

        const RackLayout nine = Rack(type::kNineBall, kPoolTable, seed * 104729);
        EXPECT_FLOAT_EQ(nine.Position(1).x, apexX);
        EXPECT_FLOAT_EQ(nine.Position(1).y, 0.0f);
        EXPECT_FLOAT_EQ(nine.Position(9).x, centreX);
        EXPECT_FLOAT_EQ(nine.Position(9).y, 0.0f);
    }
    EXPECT_GT(eightBallApex.size(), 3u);  // the 8-ball apex is shuffled
}

TEST(RackLayoutTest, CaromLayoutsUseTheTableSpots) {
    const float w = kCaromTable.halfWidth;
    const float l = kCaromTable.halfLength;
    const RackLayout international = Rack(type::kThreeCushionPro, kCaromTable, 5);
    EXPECT_NEAR(international.Position(1).x, w - l, 0.15f);      // head spot
    EXPECT_NEAR(international.Position(2).x, 3 * w - l, 0.15f);  // foot spot
    EXPECT_NEAR(international.Position(0).y, 3 * kCaromTable.ballRadius, 0.3f);

    const RackLayout korean = Rack(type::kThreeCushion, kCaromTable, 5);
    EXPECT_NEAR(korean.Position(1).x - korean.Position(0).x, 28.2f, 1e-3f);
    EXPECT_NEAR(korean.Position(0).y - korean.Position(2).y, 18.0f, 1e-3f);
    // Balls 1 and 2 stand off ball 0's stored y; seeds 4 and 5 round differently from the unstored value.
    for (uint32_t seed : {4u, 5u, 6u}) {
        const RackLayout rack = Rack(type::kThreeCushion, kCaromTable, seed);
        const double y0 = rack.Position(0).y + w;  // exact: the shift by -W lost nothing
        EXPECT_EQ(rack.Position(1).y + w, static_cast<float>(y0 - 12.6)) << seed;
        EXPECT_EQ(rack.Position(2).y + w, static_cast<float>(y0 - 18.0)) << seed;
    }

    const RackLayout fourBall = Rack(type::kFourBall, kCaromTable, 5);
    EXPECT_NEAR(fourBall.Position(1).x, 3.5f * w - l, 0.15f);
    EXPECT_NEAR(fourBall.Position(3).x, 3 * w - l, 0.15f);

    const RackLayout six = Rack(type::kSixBalls, kCaromTable, 5);
    for (uint32_t ball = 1; ball <= 5; ++ball) {
        EXPECT_NEAR(six.Position(ball).y, 0.0f, 0.15f);
    }
    EXPECT_FLOAT_EQ(six.Position(5).x, l - kCaromTable.ballRadius);
}

TEST(RackLayoutTest, SnookerColoursOnTheirSpots) {
    const RackLayout rack = Rack(type::kSnooker, kPoolTable, 77);
    for (uint32_t colour = 16; colour <= 21; ++colour) {
        const quill::Vec3 spot = RackLayout::SnookerSpot(colour, kPoolTable);
        EXPECT_NEAR(rack.Position(colour).x, spot.x, 0.15f) << colour;
        EXPECT_NEAR(rack.Position(colour).y, spot.y, 0.15f) << colour;
    }
    // The blue on the centre spot, the baulk colours on the baulk line.
    EXPECT_FLOAT_EQ(RackLayout::SnookerSpot(19, kPoolTable).x, 2 * kPoolTable.halfWidth - kPoolTable.halfLength);
    EXPECT_NEAR(RackLayout::SnookerSpot(18, kPoolTable).x, -1.171f * kPoolTable.halfWidth, 1e-3f);
}

TEST(RackLayoutTest, GamesWithoutARackLeaveTheBallsAlone) {
    uint32_t draws = 0;
    const RackLayout rack = Rack(type::kNone, kPoolTable, 3, &draws);
    for (uint32_t ball = 0; ball < 22; ++ball) {
        EXPECT_FALSE(rack.IsPlaced(ball));
    }
    EXPECT_EQ(draws, 22u);  // the orientation seeds only

    // A model with fewer balls than the layout does not shuffle out of range.
    quill::Random random;
    random.Seed(1);
    RackLayout shortRack(type::kEightBall, 0, kPoolTable, 9);
    shortRack.Place(random);
    EXPECT_TRUE(shortRack.IsPlaced(8));
    EXPECT_FALSE(shortRack.IsPlaced(9));
}

}  // namespace
}  // namespace kestrovan
