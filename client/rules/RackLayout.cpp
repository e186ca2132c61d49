#include "client/rules/RackLayout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kestrovan {
namespace {

using quill::GameType;
namespace type = quill::game_type;

// A shuffle draw repeats until it finds an allowed partner; with the real generator it always does within a
// few draws. The bound only keeps a broken generator from hanging the game.
constexpr int kMaxShuffleDraws = 100000;

constexpr uint32_t kEightBall = 8;
constexpr uint32_t kRackCentre = 5;  // the middle ball of the third row
constexpr uint32_t kBackCornerLeft = 11;
constexpr uint32_t kBackCornerRight = 15;

// Row and lateral steps of the pocket racks: touching balls with a millimetre of air.
double RowStep(float radius) {
    return std::sqrt(3.0) * radius + 0.1;
}
double LateralStep(float radius) {
    return radius + 0.1;
}
// The snooker baulk line and the radius of the D, both from the half-width.
double BaulkLine(float halfWidth) {
    return 2 * halfWidth - 1.171 * halfWidth;
}
double DRadius(float halfWidth) {
    return 0.6569 * halfWidth / 2;
}

}  // namespace

RackLayout::RackLayout(GameType gameType, int32_t tableState, const RackTable& table, uint32_t ballCount)
    : gameType_(gameType),
      tableState_(tableState),
      halfLength_(table.halfLength),
      halfWidth_(table.halfWidth),
      radius_(table.ballRadius),
      ballCount_(std::min(ballCount, quill::kMaxBalls)) {}

void RackLayout::Place(quill::Random& random) {
    random_ = &random;
    placed_.fill(false);
    LayOut();
    for (uint32_t i = 0; i < quill::kMaxBalls; ++i) {
        slotOfPosition_[i] = i;
    }
    Shuffle();
    for (uint32_t ball = 0; ball < ballCount_; ++ball) {
        orientationSeeds_[ball] = random.Next();
        if (placed_[ball]) {
            positions_[ball].x -= halfLength_;
            positions_[ball].y -= halfWidth_;
        }
    }
    random_ = nullptr;
}

double RackLayout::Jitter() {
    return static_cast<double>(random_->Next() % 100) / 700.0;
}

void RackLayout::Discard(int count) {
    for (int i = 0; i < count; ++i) {
        random_->Next();
    }
}

void RackLayout::Set(uint32_t ball, double x, double y) {
    if (ball < ballCount_) {
        positions_[ball] = {static_cast<float>(x), static_cast<float>(y), radius_};
        placed_[ball] = true;
    }
}

void RackLayout::SetJittered(uint32_t ball, double x, double y) {
    const double jx = Jitter();
    const double jy = Jitter();
    Set(ball, x + jx, y + jy);
}

void RackLayout::SetAfterTwoDraws(uint32_t ball, double x, double y) {
    Discard(2);
    Set(ball, x, y);
}

void RackLayout::LayOut() {
    switch (gameType_) {
        case type::kThreeCushion:
        case type::kThreeCushionGamble:
            if (tableState_ == kInternationalLayoutState) {
                LayOutThreeCushionInternational();
            } else {
                LayOutThreeCushion();
            }
            break;
        case type::kThreeCushionPro:
            LayOutThreeCushionInternational();
            break;
        case type::kSixBalls:
            LayOutSixBalls();
            break;
        case type::kFourBall:
        case type::kFourBallUnnamed:
        case type::kOneCushionGamble:
            LayOutFourBalls();
            break;
        case type::kEightBall:
        case type::kCardBall:
        case type::kStraightPool:
            SetJittered(0, halfWidth_, halfWidth_);
            LayOutTriangle(1);
            break;
        case type::kNineBall:
            LayOutDiamond();
            break;
        case type::kSnooker:
            LayOutSnooker();
            break;
        default:
            break;  // no rack: the balls stay where they are
    }
}

void RackLayout::LayOutThreeCushionInternational() {
    const float w = halfWidth_;
    SetJittered(0, w, w + 3 * radius_);
    SetJittered(1, w, w);
    SetJittered(2, 3 * w, w);
}

void RackLayout::LayOutThreeCushion() {
    const double a = 0.5 * halfWidth_ + 1.02 * radius_;
    const uint32_t d = random_->Next();
    Set(0, a, 1.5 * halfWidth_ - 1.02 * radius_ + static_cast<double>(d % 100) / 5.0);
    // Balls 1 and 2 are measured from ball 0's y as stored (single precision), not from the unrounded sum:
    // the two differ in the last bit for some seeds, and every client must place the same rack.
    const double y0 = positions_[0].y;
    Set(1, a + 28.2, y0 - 12.6);
    Set(2, a + 25.0, y0 - 18.0);
}

void RackLayout::LayOutSixBalls() {
    const float w = halfWidth_;
    const double twoL = 2 * halfLength_;
    const double diameter = 2 * radius_;
    const double jx = Jitter();
    const double y0 = w + static_cast<double>(random_->Next() % 100) / 50.0 - 1.0;
    Set(0, w + jx, y0);
    SetAfterTwoDraws(2, twoL - 4.04 * diameter - radius_, w);
    // The row's balls after the first each discard one draw and take a jitter across the table.
    const std::pair<uint32_t, double> row[] = {{1, 3.03}, {3, 2.02}, {4, 1.005}};
    for (const auto& [ball, steps] : row) {
        Discard(1);
        Set(ball, twoL - steps * diameter - radius_, w + Jitter());
    }
    SetAfterTwoDraws(5, twoL - radius_, w);
}

void RackLayout::LayOutFourBalls() {
    const float w = halfWidth_;
    SetJittered(0, w, w + 4 * radius_);
    SetJittered(1, 3.5 * w, w);
    SetJittered(2, w, w);
    SetJittered(3, 3 * w, w);
}

void RackLayout::LayOutTriangle(uint32_t firstBall) {
    const double f = RowStep(radius_);
    const double g = LateralStep(radius_);
    const double apex = 3.0 * halfWidth_;
    const double w = halfWidth_;
    const uint32_t b = firstBall;
    SetAfterTwoDraws(b, apex, w);
    SetAfterTwoDraws(b + 1, apex + f, w - g);
    SetAfterTwoDraws(b + 2, apex + f, w + g);
    SetJittered(b + 3, apex + 2 * f, w - 2 * g);
    SetAfterTwoDraws(b + 4, apex + 2 * f, w);
    SetJittered(b + 5, apex + 2 * f, w + 2 * g);
    SetJittered(b + 6, apex + 3 * f, w - 3 * g);
    SetAfterTwoDraws(b + 7, apex + 3 * f, w - g);
    SetAfterTwoDraws(b + 8, apex + 3 * f, w + g);
    SetJittered(b + 9, apex + 3 * f, w + 3 * g);
    for (int lateral = -4, ball = 10; lateral <= 4; lateral += 2, ++ball) {
        SetJittered(b + static_cast<uint32_t>(ball), apex + 4 * f, w + lateral * g);
    }
}

void RackLayout::LayOutDiamond() {
    const double f = RowStep(radius_);
    const double g = LateralStep(radius_);
    const double apex = 3.0 * halfWidth_;
    const double w = halfWidth_;
    SetJittered(0, w, w);
    SetAfterTwoDraws(1, apex, w);
    SetAfterTwoDraws(2, apex + f, w - g);
    SetAfterTwoDraws(3, apex + f, w + g);
    SetJittered(4, apex + 2 * f, w - 2 * g);
    SetAfterTwoDraws(5, apex + 2 * f, w);
    SetJittered(6, apex + 2 * f, w + 2 * g);
    SetJittered(7, apex + 3 * f, w - g);
    SetJittered(8, apex + 3 * f, w + g);
    SetJittered(9, apex + 4 * f, w);
}

void RackLayout::LayOutSnooker() {
    const double f = RowStep(radius_);
    const double w = halfWidth_;
    const double baulk = BaulkLine(halfWidth_);
    const double d = DRadius(halfWidth_);
    SetJittered(0, baulk - f, w + 2 * f);
    LayOutTriangle(1);
    SetJittered(16, baulk, w - d);
    SetJittered(17, baulk, w + d);
    SetJittered(18, baulk, w);
    SetJittered(19, 2 * w, w);
    SetJittered(20, 3 * w - 2 * f, w);
    SetJittered(21, 3.25 * w + 2 * f, w);
}

quill::Vec3 RackLayout::SnookerSpot(uint32_t ball, const RackTable& table) {
    const double f = RowStep(table.ballRadius);
    const double w = table.halfWidth;
    const double baulk = BaulkLine(table.halfWidth);
    const double d = DRadius(table.halfWidth);
    double x = baulk - f;
    double y = w + 2 * f;
    switch (ball) {
        case 16:
            x = baulk;
            y = w - d;
            break;
        case 17:
            x = baulk;
            y = w + d;
            break;
        case 18:
            x = baulk;
            y = w;
            break;
        case 19:
            x = 2 * w;
            y = w;
            break;
        case 20:
            x = 3 * w - 2 * f;
            y = w;
            break;
        case 21:
            x = 3.25 * w + 2 * f;
            y = w;
            break;
        default:
            break;  // the cue ball's place in the D
    }
    quill::Vec3 spot{static_cast<float>(x), static_cast<float>(y), table.ballRadius};
    spot.x -= table.halfLength;
    spot.y -= table.halfWidth;
    return spot;
}

void RackLayout::SwapBalls(uint32_t ballA, uint32_t ballB) {
    if (ballA < ballCount_ && ballB < ballCount_) {
        std::swap(positions_[ballA], positions_[ballB]);
    }
}

void RackLayout::SwapPositions(uint32_t entryA, uint32_t entryB) {
    SwapBalls(slotOfPosition_[entryA], slotOfPosition_[entryB]);
    std::swap(slotOfPosition_[entryA], slotOfPosition_[entryB]);
}

uint32_t RackLayout::DrawShufflePartner(uint32_t avoid, uint32_t excludedA, uint32_t excludedB) {
    uint32_t r = 0;
    int draws = 0;
    do {
        r = random_->Next() % (ballCount_ - 1) + 1;
    } while ((r == avoid || r == excludedA || r == excludedB) && ++draws < kMaxShuffleDraws);
    return r;
}

void RackLayout::Shuffle() {
    switch (gameType_) {
        case type::kEightBall:
        case type::kCardBall:
            ShuffleEightBall();
            break;
        case type::kNineBall:
            ShuffleNineBall();
            break;
        case type::kStraightPool:
            ShuffleStraightPool();
            break;
        default:
            break;
    }
}

void RackLayout::ShuffleEightBall() {
    if (!HasBalls(16)) {
        return;
    }
    // The 8 goes to the centre of the third row and stays there.
    SwapBalls(kEightBall, kRackCentre);
    for (uint32_t i = 1; i < ballCount_; ++i) {
        if (i != kEightBall) {
            SwapPositions(i, DrawShufflePartner(i, kEightBall, kEightBall));
        }
    }
    // The two back corners hold one ball of each group.
    const uint32_t cornerGroup = quill::BallGroupOf(slotOfPosition_[kBackCornerRight]);
    if (quill::BallGroupOf(slotOfPosition_[kBackCornerLeft]) != cornerGroup) {
        return;
    }
    uint32_t r = 0;
    int draws = 0;
    do {
        r = DrawShufflePartner(kBackCornerLeft, kEightBall, kEightBall);
    } while (quill::BallGroupOf(slotOfPosition_[r]) == cornerGroup && ++draws < kMaxShuffleDraws);
    SwapPositions(kBackCornerLeft, r);
}

void RackLayout::ShuffleNineBall() {
    if (!HasBalls(10)) {
        return;
    }
    // The 9 goes to the centre and the 1 stays at the apex.
    SwapBalls(kNineBall, kRackCentre);
    for (uint32_t i = 2; i < ballCount_; ++i) {
        if (i != kNineBall) {
            SwapPositions(i, DrawShufflePartner(i, kNineBall, 1));
        }
    }
}

void RackLayout::ShuffleStraightPool() {
    if (!HasBalls(16)) {
        return;
    }
    for (uint32_t i = 1; i < ballCount_; ++i) {
        SwapPositions(i, DrawShufflePartner(i, 0, 0));
    }
}

}  // namespace kestrovan
