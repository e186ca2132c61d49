#pragma once
// One sub-step of a ball's contact with a cushion modelled as a spring and damper whose contact point can stick
// to the ball or slip. The contact carries a deformation vector d (the displacement of the cushion's contact
// point), kept in the ball between sub-steps; a call advances d, derives the cushion's force from it and applies
// the impulse to the ball's velocity and spin. Versions differ as set in the CushionReboundForm.
#include "QuillLib/math/Vec3.h"
#include "client/physics/PhysicsConstants.h"

namespace kestrovan {

struct CushionReboundForm {
    enum class Version { First, Second, Third };
    Version version = Version::First;
    // The 10010 series: the lever is R - (n . d) x reboundScale, and the stick-or-slip test is made separately
    // along the cushion (K18) and across it (K19), each removing its own part of the tangential deformation.
    bool separateSlipTests = false;
    float reboundScale = 1.0f;
    float alongSlipWeight = 1.0f;    // second and third versions: weight of the slip along the cushion
    float acrossSlipWeight = 1.0f;   // and across it
    float loadExponent = 1.0f;       // third version: the normal force's power in the friction limit
    float opposedAlongScale = 1.0f;  // third version: velocity change along the cushion when spin opposes motion
};

// The contact geometry of one call: the unit normal n from the cushion into the ball, its horizontal direction
// (ex, ey) and horizontal length ch, and the two tangents that the rebound works along: b in the vertical plane of
// the normal, c horizontal along the cushion. They depend on the contact vector only, so that a contact whose
// vector stays the same from one sub-step to the next keeps one CushionNormal.
struct CushionNormal {
    quill::Vec3 n;
    float ex = 0.0f;
    float ey = 0.0f;
    float ch = 0.0f;
    quill::Vec3 b;
    quill::Vec3 c;

    // From a contact vector as a cushion test gives it: normalised (a length below FLT_EPSILON gives zero), with
    // the horizontal direction and length of the unit normal, and the tangents.
    static CushionNormal Of(const quill::Vec3& contact);
};

class CushionRebound {
public:
    // Returns false when the contact has let go during this sub-step (velocity and spin then stay as they were).
    // k is the caller's copy of the constants: K28 the stiffness, entry 29 the damping chosen for the contact,
    // K18 and K19 the friction along and across the cushion.
    static bool Step(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal, quill::Vec3& deformation,
                     float radiusM, float mass, float inertiaArm, float h, const PhysicsConstants& k,
                     const CushionReboundForm& form);
};

}  // namespace kestrovan
