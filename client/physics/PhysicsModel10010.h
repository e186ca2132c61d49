#pragma once
// The 10010 series (codes 0x10010 to 0x10014, the default model 0x10014 among them): one strike with a simulated
// tip contact, the deforming cushion rebound, the spring ball-ball pass and the impulse friction for all five
// classes, which differ only in their tuning set-up, three tuning operations and the layout of table kind 8.
#include "client/physics/CushionRebound.h"
#include "client/physics/CushionTest.h"
#include "client/physics/PhysicsModel.h"

namespace kestrovan {

class PhysicsModel10010 : public PhysicsModel {
public:
    // The seventeen tuning fields of the series, in their order.
    struct Fields {
        float cueMass = 0.0f;
        float tipStiffness = 0.0f;
        float bedStiffness = 0.0f;
        float tipCompressionLimit = 0.0f;
        float bedCompressionLimit = 0.0f;
        float strikeValue = 0.0f;
        float spinStopFactor = 0.0f;  // multiplies the turning friction once rolling has stopped a ball
        float slowSpeedLimit = 0.0f;  // below this speed the cloth's rolling resistance grows (0: never)
        float slowSpeedBoost = 0.0f;  // the growth at zero speed
        float clothSpeedLoad = 0.0f;
        float contactTimeFactor = 0.0f;
        float miscueA = 0.0f;
        float miscueB = 0.0f;
        float unit13 = 0.0f;
        float unit14 = 0.0f;
        float ballFrictionScale = 0.0f;
        float reboundScale = 0.0f;
    };

    // The carom-table cloth entries of one clothSubType; a field value below 0 leaves that field unchanged.
    struct ClothRow {
        bool writes;
        float k0, k1, k2, k3;
        float slowSpeedLimit;
        float slowSpeedBoost;
    };
    using ClothTable = ClothRow[5];

    PhysicsModel10010(uint32_t tableKind, uint16_t ballCount);

    void Strike(PhysicsBall& ball, const CueStroke& stroke) override;
    void SetupConstants() override;
    void SetupTuning() override;
    ClothFrictionForm ClothForm() override;
    void CollideCushions(PhysicsBall& ball, float dt) override;
    // Final and inline, so that the cushion pass calls the test directly.
    bool TestCushion(quill::Vec3& position, float radiusCm, quill::Vec3& normalOut, float& contactHeightOut,
                     CushionFlags& flags, uint8_t side) final;
    bool CollideBalls() override;

    // The series' own operations.
    virtual float AdjustApproachSpeed(float a, float speed, float angle);
    // The same for every model of the series (final, so that the cushion pass's sub-steps call it inline).
    virtual bool CushionRebound(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal,
                                quill::Vec3& deformation, float radiusM, const ReboundMass& mass,
                                float inertiaArm, float h, const PhysicsConstants& k) final;
    virtual float TuningA10();
    virtual float TuningA11();
    // The cue's turning factor of the strike from cos(elevation) a1, the stroke's extra value a2, the power a3 and
    // the transferred power a4.
    virtual float BlendA12(float a1, float a2, float a3, float a4);
    virtual float TuningA13();
    // The miscue limit of the strike, at most 1.
    virtual float ScaleA14(float a1, float a2, float a3, float a4, float a5);

    Fields& TuningFields() { return fields_; }
    const Fields& TuningFields() const { return fields_; }

protected:
    // The outline that the series' three tuning bodies share: common entries, then the pocket set (with its K30)
    // or the carom cloth and cushion sets.
    void WriteSeriesTuning(const ClothTable& cloth, float pocketDamping);

private:
    Fields fields_;
};

inline bool PhysicsModel10010::TestCushion(quill::Vec3& position, float radiusCm, quill::Vec3& normalOut,
                                           float& contactHeightOut, CushionFlags& flags, uint8_t side) {
    const CushionTest test(Geometry(), HasPockets(), true);
    return test.Test(position, radiusCm, side, &normalOut, &contactHeightOut, &flags);
}

[[gnu::always_inline]] inline bool PhysicsModel10010::CushionRebound(quill::Vec3& velocity, quill::Vec3& spin,
                                                                     const CushionNormal& normal,
                                                                     quill::Vec3& deformation, float radiusM,
                                                                     const ReboundMass& mass, float inertiaArm,
                                                                     float h, const PhysicsConstants& k) {
    CushionReboundForm form;
    form.separateSlipTests = true;
    form.reboundScale = fields_.reboundScale;
    return kestrovan::CushionRebound::Step(velocity, spin, normal, deformation, radiusM, mass, inertiaArm, h, k, form);
}

}  // namespace kestrovan
