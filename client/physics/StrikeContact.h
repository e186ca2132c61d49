#pragma once
// The contact of a clean stroke in the 10001 series' strikes (versions 2 to 7), followed in steps of a thousandth
// of the contact time: the tip, a stiff spring on the cue's axis, pushes the ball; the cue sways sideways about
// its bridge (lever 1.3) under the force across it; a ball lying on the cloth presses it in, and the cloth pushes
// back and brakes the ball's horizontal spin. The loop ends once the tip has left the ball and the cloth has
// sprung back; the older versions also end it after a simulated time or once the cue rebounds. The versions
// differ in those limits and constants, which a StrikeContactForm carries.
#include <cstdint>

#include "QuillLib/math/Vec3.h"

namespace kestrovan {

struct StrikeContactForm {
    enum class End {
        Separation,  // only when the tip has left and the cloth has sprung back
        TimeLimit,   // also after 1.5 contact times
        CueRebound,  // also once the cue moves back along its axis at 0.3 m/s
    };

    End end = End::Separation;
    float tipLimit = 0.0052f;      // the tip's compression along the cue is held to this; 0: no limit
    bool lockCueAtLimit = false;   // at the limit the cue moves along its axis with the ball's surface
    bool brakeCue = true;          // a cue no longer moving forward loses its push over 0.3 m/s
    bool pressOnlyOnCloth = true;  // the cloth is pressed only by a ball resting on it
    float clothLimit = 0.00133f;   // the cloth's compression is held to this; 0: no limit
    float clothDamping = 0.0f;     // the cloth's push per unit of the ball's vertical speed
    float clothStiffness = 950000.0f;
    float brakingMass = 0.25f;  // the mass in the cloth's braking of the spin; 0: the ball's own
    float updateMass = 0.0f;    // the mass in the ball's velocity and spin changes; 0: the ball's own

    // The form of strike version 2 to 7; version 3 stiffens the cloth of a carom table.
    static StrikeContactForm OfVersion(int version, bool hasPockets);
    // The cue's lateral compliance Kc of the version at the given elevation (radians), with the power as the
    // transfer left it, the ball's mass and the cue's mass.
    static float Compliance(int version, float elevation, float power, float ballMass, float cueMass);
};

struct StrikeContactInput {
    quill::Vec3 direction;  // D, the cue's axis
    quill::Vec3 normal;     // the tip's contact normal on the ball
    float cueSpeed = 0.0f;  // the cue's speed along D at the start
    float cueMass = 0.0f;
    float compliance = 0.0f;   // Kc
    float contactTime = 0.0f;  // Tc; the step is Tc / 1000
    float ballMass = 0.0f;
    float radiusM = 0.0f;
    float inertiaArm = 0.0f;
    float clothFriction = 0.0f;  // K0
    bool onCloth = false;        // the ball rests on the cloth (its centre at exactly its radius)
};

struct StrikeContactResult {
    quill::Vec3 velocity;
    quill::Vec3 spin;
    uint32_t steps = 0;
};

class StrikeContact {
public:
    StrikeContact(const StrikeContactForm& form, const StrikeContactInput& input);

    StrikeContactResult Run() const;

private:
    bool GoesOn(const quill::Vec3& cueVelocity, float time) const;

    StrikeContactForm form_;
    StrikeContactInput input_;
};

}  // namespace kestrovan
