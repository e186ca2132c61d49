#include "client/physics/StrikeBedRebound.h"

#include "QuillLib/math/Vector2D.h"
#include "client/physics/CushionRect.h"
#include "client/physics/PhysicsBall.h"

namespace kestrovan {

void StrikeBedRebound::Apply(PhysicsBall& ball, const TableGeometry& geometry, const StrokeFrame& frame,
                             float sideOffset, float heightOffset, float lever, float bedRestitution) {
    const quill::Vec3 linear = ball.cueLinear;
    if (!CushionRect::OfTable(geometry).Contains(ball) || !(linear.z < 0.0f)) {
        return;
    }
    const quill::Vec3 contact = frame.ContactNormal(sideOffset, heightOffset, lever);
    const float bounce = -bedRestitution * linear.z;
    const float hz = contact.z;
    const float hh = quill::Length2D(contact.x, contact.y);
    float along = (1.0f + 2.0f * hh * hz) * bounce;
    const float vertical = 1.0f - 2.0f * hz * hz;
    float spinGain = 2.0f * hz * hz;
    float vz = vertical * bounce;
    if (vz < 0.0f) {
        const float absorbed = 1.0f + 0.5f * bedRestitution * vertical;
        along = along / absorbed;
        spinGain = spinGain / absorbed;
        vz = 0.0f;
    }
    ball.cueLinear = quill::Vec3{linear.x + along * contact.x, linear.y + along * contact.y, vz};
    ball.cueAngular = ball.cueAngular * (1.0f + spinGain);
}

}  // namespace kestrovan
