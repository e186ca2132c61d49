#pragma once
// The rectangle of a table's cushion back lines, with the test whether a ball lies on the bed inside it.
#include "client/physics/TableGeometry.h"

namespace kestrovan {

class PhysicsBall;

struct CushionRect {
    float minX = 0.0f;
    float maxX = 0.0f;
    float minY = 0.0f;
    float maxY = 0.0f;

    static CushionRect OfTable(const TableGeometry& geometry);
    // True when the ball's centre lies inside the rectangle (edges included; a NaN coordinate is outside) and
    // no higher than its radius above the cloth: it rests on or in the bed.
    bool Contains(const PhysicsBall& ball) const;
};

}  // namespace kestrovan
