#include "client/physics/CushionContactSearch.h"

#include <bit>

#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsModel.h"

namespace kestrovan {

uint8_t CushionContactSearch::TestAxes(PhysicsModel& model, const PhysicsBall& ball, uint8_t mask,
                                       quill::Vec3& position, quill::Vec3 (&normals)[2], float (&heights)[2],
                                       CushionFlags& flags) {
    if (std::popcount(mask) == 1) {
        const int axis = (mask & kCushionAxisBits[0]) != 0 ? 0 : 1;
        return model.TestCushion(position, ball.radiusCm, normals[axis], heights[axis], flags, mask) ? mask : 0;
    }
    for (int axis = 0; axis < 2; ++axis) {
        const uint8_t bits = kCushionAxisBits[axis];
        if (!model.TestCushion(position, ball.radiusCm, normals[axis], heights[axis], flags,
                               static_cast<uint8_t>(mask & bits))) {
            mask &= static_cast<uint8_t>(~bits);
        }
    }
    return mask;
}

}  // namespace kestrovan
