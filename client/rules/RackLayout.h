#pragma once
// Where the balls of a new rack go. The layout of each game type is drawn from a seeded Random: every
// jitter and every discarded draw is part of the sequence, so every client of a room that racks with the
// same seed builds the same rack, ball for ball. Then the pocket games shuffle the object balls, and every
// ball draws the seed of its random orientation.
//
// The rack is laid out with the origin at a table corner (the head, centre and foot spots at x = W, 2W, 3W
// on the centre line y = W of a table twice as long as wide) and moved by (-L, -W) into the table's
// coordinates (origin at the centre) at the end.
#include <array>
#include <cstdint>

#include "QuillLib/core/Random.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

struct RackTable {
    float halfLength = 0.0f;  // L
    float halfWidth = 0.0f;   // W
    float ballRadius = 0.0f;  // R, centimetres
};

class RackLayout {
public:
    // The table state in which three-cushion games use the international layout.
    static constexpr int32_t kInternationalLayoutState = 3;
    // The nine-ball game's nine: the ball its rack puts at the centre and that wins the game.
    static constexpr uint32_t kNineBall = 9;

    RackLayout(quill::GameType gameType, int32_t tableState, const RackTable& table, uint32_t ballCount);

    // Lays the rack out, shuffles it and draws the orientation seeds, all from random.
    void Place(quill::Random& random);

    // Whether the game type has a place for the ball (balls without one keep their position).
    bool IsPlaced(uint32_t ball) const { return ball < ballCount_ && placed_[ball]; }
    // The ball's place in table coordinates (height: the ball radius).
    const quill::Vec3& Position(uint32_t ball) const { return positions_[ball]; }
    uint32_t OrientationSeed(uint32_t ball) const { return orientationSeeds_[ball]; }
    // The ball the shuffle left at a rack position.
    uint32_t BallAtPosition(uint32_t position) const {
        return position < quill::kMaxBalls ? slotOfPosition_[position] : 0;
    }

    // A snooker ball's own spot (the cue ball's place in the D, or a colour's spot) without jitter, in table
    // coordinates; respotting puts balls back there.
    static quill::Vec3 SnookerSpot(uint32_t ball, const RackTable& table);

private:
    double Jitter();
    void Discard(int count);
    void Set(uint32_t ball, double x, double y);
    void SetJittered(uint32_t ball, double x, double y);
    void SetAfterTwoDraws(uint32_t ball, double x, double y);

    void LayOut();
    void LayOutThreeCushionInternational();
    void LayOutThreeCushion();
    void LayOutSixBalls();
    void LayOutFourBalls();
    void LayOutTriangle(uint32_t firstBall);
    void LayOutDiamond();
    void LayOutSnooker();

    void Shuffle();
    uint32_t DrawShufflePartner(uint32_t avoid, uint32_t excludedA, uint32_t excludedB);
    void SwapPositions(uint32_t entryA, uint32_t entryB);
    void SwapBalls(uint32_t ballA, uint32_t ballB);
    void ShuffleEightBall();
    void ShuffleNineBall();
    void ShuffleStraightPool();
    bool HasBalls(uint32_t count) const { return ballCount_ >= count; }

    quill::GameType gameType_;
    int32_t tableState_;
    float halfLength_;
    float halfWidth_;
    float radius_;
    uint32_t ballCount_;
    quill::Random* random_ = nullptr;
    std::array<quill::Vec3, quill::kMaxBalls> positions_{};
    std::array<bool, quill::kMaxBalls> placed_{};
    std::array<uint32_t, quill::kMaxBalls> orientationSeeds_{};
    std::array<uint32_t, quill::kMaxBalls> slotOfPosition_{};
};

}  // namespace kestrovan
