#pragma once
// The balls on the screen and the ball in hand: each ball's screen circle and depth from the current camera, in
// draw order (farthest first), the ball the player holds with where the cursor grabbed it, the area the ball in
// hand may be placed in, and the six pockets, which the player picks by their screen circles.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/table/BallScreenInfo.h"
#include "client/table/PlacementArea.h"

namespace kestrovan {

class TableCameraRig;
class TablePhysics;
struct TableServices;

class TableBallPicking {
public:
    TableBallPicking(const TableServices& services, TablePhysics& physics, const TableCameraRig& cameras);
    TableBallPicking(const TableBallPicking&) = delete;
    TableBallPicking& operator=(const TableBallPicking&) = delete;

    // --- the balls on the screen ---
    void ProjectBalls();
    void SortBallScreenInfo();
    // The ball under the cursor that may be taken, or -1; records the grab offset.
    int32_t PickBallAt(int32_t x, int32_t y);
    BallScreenInfo ScreenInfoAt(uint32_t index) const;
    // The cue ball's screen record after the last sort, if any.
    std::optional<BallScreenInfo> CueBallScreenInfo() const;

    // --- the ball in hand ---
    void SetHeldBall(int32_t ball) { heldBall_ = ball; }
    int32_t HeldBall() const { return heldBall_; }
    void SetPlacementArea(int32_t area) { placementArea_ = area; }
    int32_t PlacementArea() const { return placementArea_; }
    // No ball is held and none may be placed.
    void ClearBallInHand(int32_t ignored = 0);
    // The held ball dragged on the bed to the client position (x, y), kept inside its area and off the other
    // balls; false when no ball of the table is held.
    bool DragHeldBall(int32_t x, int32_t y);
    // The bed's half sizes (to the cushion noses) and the table unit.
    PlacementBounds Bounds() const;

    // --- the pockets ---
    // The six pockets (x, y) from the table geometry of the physics model, for calling a pocket and its markers.
    void ComputePocketPositions();
    const std::array<std::array<float, 2>, 6>& PocketPositions() const { return pocketPositions_; }
    // The pocket (1 to 6) whose screen circle holds the cursor, or -1.
    int32_t PickPocketAt(int32_t x, int32_t y);

private:
    uint32_t BallCount() const;

    const TableServices& services_;
    TablePhysics& physics_;
    const TableCameraRig& cameras_;
    std::array<BallScreenInfo, quill::kMaxBalls> ballScreenInfo_{};
    int32_t cueBallScreenInfo_ = -1;  // index into ballScreenInfo_, -1 none
    int32_t heldBall_ = -1;
    int32_t grabOffsetX_ = 0;
    int32_t grabOffsetY_ = 0;
    int32_t placementArea_ = 0;
    std::array<std::array<float, 2>, 6> pocketPositions_{};
};

}  // namespace kestrovan
