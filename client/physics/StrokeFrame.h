#pragma once
// The frame of a cue stroke: the cue's direction D (towards the aim point, pointing down by the elevation), its
// side axis S and its up axis V. Strikes place the tip's offsets and the spin axis in this frame.
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

struct StrokeFrame {
    quill::Vec3 direction;  // D
    quill::Vec3 side;       // S = norm(up x D)
    quill::Vec3 up;         // V = norm(D x S)

    // (dx, dy) is the aim vector on the table and distance its length (> 0). The reference up vector is the table's
    // vertical while the cue is flatter than 45 degrees (cos(elevation) above 0.70710677), else the aim direction
    // (dx, dy, 0), normalised first when normaliseUp is set. A negative cosine counts as 0.
    static StrokeFrame Build(float dx, float dy, float distance, float elevation, bool normaliseUp);
    // The frame of the 10001 series' first strike: the cosine is not clamped (a cue past the vertical points
    // backwards), and while the cue is not flatter than 45 degrees the reference up vector is (dx / c, dy / c, 0),
    // normalised.
    static StrokeFrame BuildUnclamped(float dx, float dy, float distance, float elevation);

    // The unit normal of the tip's contact on the ball for the unit spin offset (sideOffset, heightOffset) of size
    // lever: norm((D cb - (sideOffset S + heightOffset V) lever) cb) with cb = sqrt(1 - lever^2). A lever beyond
    // the ball's edge (above 1) takes cb as 0 instead of the root of a negative number: no contact normal then.
    quill::Vec3 ContactNormal(float sideOffset, float heightOffset, float lever) const;
};

}  // namespace kestrovan
