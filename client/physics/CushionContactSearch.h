#pragma once
// The first half of the cushion passes: which cushions a ball may touch (the zone test, shared by every model) and,
// in the base model and the 10001 series, which of them it does touch (one cushion test per axis, through the
// model's TestCushion).
#include <cstdint>

#include "QuillLib/math/Vec3.h"
#include "client/physics/CushionTest.h"

namespace kestrovan {

class PhysicsBall;
class PhysicsModel;

// The side bits of each cushion axis: x owns the cushions at noseMinX and noseMaxX, y those at noseMinY and
// noseMaxY.
inline constexpr uint8_t kCushionAxisBits[2] = {3, 12};

class CushionContactSearch {
public:
    // The box of the cushion backs: the 10010 series counts its far edges in, the older models leave them out.
    enum class BackBox { HalfOpen, Closed };

    // The sides touched at the end of the previous pass, plus the nose lines that the ball overlaps while its
    // centre lies in the box of the cushion backs, not below the cloth and below the cushion's top.
    static uint8_t ZoneMask(const PhysicsModel& model, const PhysicsBall& ball, BackBox box);

    // Tests the sides of mask: a single side with one test, more with one test per axis (x first). Returns the
    // mask without the axes whose test found no contact. The tests share the flags, which the caller clears
    // first; normals and contact heights are kept per axis.
    static uint8_t TestAxes(PhysicsModel& model, const PhysicsBall& ball, uint8_t mask, quill::Vec3& position,
                            quill::Vec3 (&normals)[2], float (&heights)[2], CushionFlags& flags);
};

}  // namespace kestrovan
