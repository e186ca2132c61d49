#pragma once
// Where a ball in hand may be put, and where a dragged ball may be dropped among the others. Pure geometry on
// the table's plane: the bed is 2L long (x) and 2W wide (y), centred on the origin, its surface at height 0.
//
// Placement areas: 0 and 2 anywhere on the bed, 1 behind the head string (the left quarter of the bed); in
// snooker 1 and 2 both mean the D, a half circle of radius 0.6569H on the baulk line x = -2.342H.
#include <cstdint>
#include <optional>
#include <span>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

struct PlacementBounds {
    float halfLength = 0.0f;  // L
    float halfWidth = 0.0f;   // W
    float bedHeight = 0.0f;   // B
    float unit = 0.0f;        // H, a quarter of the bed's width
};

// Moves p into the area: x and y only while the ball rests on the bed (p.z not above radius + B), then the
// height up to the radius. The margin keeps the ball that far from the cushions on the positive sides (and lets it sit that
// far into them on the negative sides). True when a coordinate changed.
bool ClampToPlacementArea(quill::Vec3& p, const PlacementBounds& bounds, float radius, float margin, int32_t area,
                          quill::GameType gameMode);

// Where the held ball goes when it is dragged to candidate (already clamped once): the candidate itself when no
// other ball is closer than two radii plus 0.01; otherwise the spot touching the nearest such ball on the
// candidate's side of it, if that spot needs no clamping and touches no third ball. Empty: the ball stays.
std::optional<quill::Vec3> ResolveHeldBallDrop(quill::Vec3 candidate, uint32_t heldBall,
                                               std::span<const quill::Vec3> positions, const PlacementBounds& bounds,
                                               float radius, int32_t area, quill::GameType gameMode);

}  // namespace kestrovan
