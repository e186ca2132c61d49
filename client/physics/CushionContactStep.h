#pragma once
// One sub-step of a ball's contact with a cushion driven by a normal force per unit mass (the models before the
// deforming rebound). The cushion pushes the ball out along the contact normal; friction acts in the plane that
// touches the ball at the contact, in the frame of the normal and two tangents: b in the vertical plane of the
// normal and c horizontal along the cushion.
#include "QuillLib/math/Vec3.h"
#include "client/physics/CushionRebound.h"
#include "client/physics/PhysicsConstants.h"

namespace kestrovan {

class CushionContactStep {
public:
    // tangentialFactor scales the part of the impulse that the vertical cut leaves off the normal (0.02 in the
    // 10001 series, 0.015 in the base model, per unit of 1 / h). The base model builds the horizontal tangent from
    // the normal's horizontal direction instead of b x n (the same vector, rounded differently).
    static void Apply(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal, float force,
                      float approachSpeed, float radiusM, float inertiaArm, float h, const PhysicsConstants& k,
                      float tangentialFactor, bool tangentFromDirection);
};

}  // namespace kestrovan
