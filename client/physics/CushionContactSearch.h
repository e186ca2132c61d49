#pragma once
// The first half of the cushion passes: which cushions a ball may touch (the zone test, shared by every model) and,
// in the base model and the 10001 series, which of them it does touch (one cushion test per axis, through the
// model's TestCushion).
#include <cstdint>

#include "QuillLib/math/Vec3.h"
#include "client/physics/CushionTest.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/TableGeometry.h"

namespace kestrovan {

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
    // Inline: every ball runs it in every sub-step, and far from the cushions it ends at the nose lines.
    static uint8_t ZoneMask(const TableGeometry& g, const PhysicsBall& ball, BackBox box) {
        const uint8_t noseLines = NoseLines(g, ball);
        if (noseLines == 0) {
            return ball.cushionMask;
        }
        const quill::Vec3& p = ball.position;
        const float r = ball.radiusCm;
        const bool withinMax = box == BackBox::Closed ? p.x <= g.cushionBackMaxX && p.y <= g.cushionBackMaxY
                                                      : p.x < g.cushionBackMaxX && p.y < g.cushionBackMaxY;
        const bool inBox = g.cushionBackMinX <= p.x && g.cushionBackMinY <= p.y && withinMax &&
                           p.z < r + g.cushionTopHeight && p.z >= 0.0f;
        return inBox ? static_cast<uint8_t>(ball.cushionMask | noseLines) : ball.cushionMask;
    }

    // Whether the zone test may find a side: a ball whose last pass touched none and that overlaps no nose line
    // has an empty zone, whatever the box.
    static bool MayTouchCushion(const TableGeometry& g, const PhysicsBall& ball) {
        return ball.cushionMask != 0 || NoseLines(g, ball) != 0;
    }

    // The nose lines (side bits) that the ball overlaps.
    static uint8_t NoseLines(const TableGeometry& g, const PhysicsBall& ball) {
        const quill::Vec3& p = ball.position;
        const float r = ball.radiusCm;
        return static_cast<uint8_t>((p.x < r + g.noseMinX ? 1 : 0) | (p.x > g.noseMaxX - r ? 2 : 0) |
                                    (p.y < r + g.noseMinY ? 4 : 0) | (p.y > g.noseMaxY - r ? 8 : 0));
    }

    // Tests the sides of mask: a single side with one test, more with one test per axis (x first). Returns the
    // mask without the axes whose test found no contact. The tests share the flags, which the caller clears
    // first; normals and contact heights are kept per axis.
    static uint8_t TestAxes(PhysicsModel& model, const PhysicsBall& ball, uint8_t mask, quill::Vec3& position,
                            quill::Vec3 (&normals)[2], float (&heights)[2], CushionFlags& flags);
};

}  // namespace kestrovan
