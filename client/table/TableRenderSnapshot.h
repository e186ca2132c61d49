#pragma once
// The balls as the render step took them for this drawn frame: positions, rotations and flags of every ball,
// their count and the cue ball, copied from the physics at once so that a frame draws one moment of the table.
//
// Threads: see the table in client/app/Scene.h; taken by the render step and read by the draw passes, both on the main
// thread, the balls copied under the physics lock.
#include <array>
#include <cstdint>
#include <span>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"
#include "client/rules/TablePhysics.h"

namespace kestrovan {

class TableRenderSnapshot {
public:
    // Copies the balls under the physics lock.
    void Take(TablePhysics& physics);

    uint32_t BallCount() const { return ballCount_; }
    uint32_t CueBall() const { return cueBall_; }
    const quill::Vec3& Position(uint32_t ball) const { return positions_[ball % quill::kMaxBalls]; }
    const quill::Quaternion& Rotation(uint32_t ball) const { return rotations_[ball % quill::kMaxBalls]; }
    uint8_t Flag(uint32_t ball) const { return flags_[ball % quill::kMaxBalls]; }
    std::span<const uint8_t> Flags() const { return std::span<const uint8_t>(flags_.data(), ballCount_); }

private:
    std::array<quill::Vec3, quill::kMaxBalls> positions_{};
    std::array<quill::Quaternion, quill::kMaxBalls> rotations_{};
    std::array<uint8_t, quill::kMaxBalls> flags_{};
    uint32_t ballCount_ = 0;
    uint32_t cueBall_ = 0;
};

}  // namespace kestrovan
