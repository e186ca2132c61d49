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
};

}  // namespace kestrovan
