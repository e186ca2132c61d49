#pragma once
// Code 0x10005: the series' impulse friction (second version), the first cushion test version, the deforming
// cushion rebound with the second cushion pass, the first ball-ball pass of the series and the second strike.
#include "client/physics/PhysicsModel10004.h"
#include "client/physics/TuningTable.h"

namespace kestrovan {

class PhysicsModel10005 : public PhysicsModel10004 {
public:
    PhysicsModel10005(uint32_t tableKind, uint16_t ballCount);

    // The second strike version: a spin offset weakened with the power, a contact followed for 1.5 contact times.
    void Strike(PhysicsBall& ball, const CueStroke& stroke) override;
    void SetupConstants() override;
    void SetupTuning() override;
    // The second version of the series' cushion pass.
    void CollideCushions(PhysicsBall& ball, float dt) override;
    // The first version of the series' ball-ball pass.
    bool CollideBalls() override;
    ClothFrictionForm ClothForm() override;
    bool TestCushion(quill::Vec3& position, float radiusCm, quill::Vec3& normalOut, float& contactHeightOut,
                     CushionFlags& flags, uint8_t side) override;

    virtual bool CushionRebound(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal,
                                quill::Vec3& deformation, float radiusM, float mass, float inertiaArm, float h,
                                const PhysicsConstants& k);

protected:
    // The later series' set-up outline: the common entries, then the fixed pocket set or the carom choices.
    void WriteSeriesTuning(const TuningRow& pocket, const CaromTuningTable& carom);
    // The cushion test of the series with rounded jaw ends; it clears the flags (and with clearJaw the jaw number)
    // on entry.
    bool TestSeriesCushion(quill::Vec3& position, float radiusCm, quill::Vec3& normalOut, float& contactHeightOut,
                           CushionFlags& flags, uint8_t side, bool clearJaw);
    // The pocket set of the codes 0x10007 to 0x1000C.
    static const TuningRow& LaterPocketRow();
};

}  // namespace kestrovan
