#pragma once
// Code 0x1000C: the third cushion rebound (a power law in the friction limit, a scaled velocity change when spin
// opposes motion along the cushion) and the tuning values of the later strikes and ball-ball pass.
#include "client/physics/CueStrike10001.h"
#include "client/physics/PhysicsModel1000B.h"

namespace kestrovan {

class PhysicsModel1000C : public PhysicsModel1000B {
public:
    PhysicsModel1000C(uint32_t tableKind, uint16_t ballCount);

    // The sixth strike version: the fifth with a scaled and blended spin offset and a factor on the final spin.
    void Strike(PhysicsBall& ball, const CueStroke& stroke) override;
    void SetupConstants() override;
    void SetupTuning() override;
    // The second version of the series' ball-ball pass.
    bool CollideBalls() override;
    bool CushionRebound(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal, quill::Vec3& deformation,
                        float radiusM, float mass, float inertiaArm, float h, const PhysicsConstants& k) override;
    float TuningB12() override;
    float TuningB13() override;
    float TuningB14() override;
    float TuningB15() override;
    float TuningB16() override;

    virtual float TuningB17();  // scale of the ball-ball friction's velocity change
    virtual float TuningB18();  // the strike's factor on the final spin
    virtual float TuningB19();  // the strike's scale of the side spin offset
    virtual float TuningB20();  // and of the height spin offset
    virtual float TuningB21();  // the weight of the strike's sine blend of the spin offset
    virtual float TuningB22();  // the rebound's power of the normal force
    virtual float TuningB23();  // the rebound's scale when spin opposes motion along the cushion

protected:
    // The tuning values that the strikes of versions 6 and 7 read.
    CueStrikeTuning LaterStrikeTuning();
};

}  // namespace kestrovan
