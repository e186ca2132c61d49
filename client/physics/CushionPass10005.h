#pragma once
// The cushion pass of the 10001 series from code 0x10005 on, in two versions: the second (0x10005 to 0x1000C)
// and the third (0x1000D to 0x1000F), which also gives a jaw contact the jaw's friction (K20, K21) and reports
// the upper-face flag in its Cushion events. Each touched cushion axis is a deforming contact, resolved in 20
// sub-steps of the model's CushionRebound with the bed contact after each; the contact lives in the ball between
// calls as its cushionMask and per-axis cushionPress.
#include <cstdint>

#include "QuillLib/math/Vec3.h"
#include "client/physics/CushionTest.h"
#include "client/physics/PhysicsConstants.h"

namespace kestrovan {

class PhysicsBall;
class PhysicsModel10005;

class CushionPass10005 {
public:
    CushionPass10005(PhysicsModel10005& model, PhysicsBall& ball, float dt, bool thirdVersion);

    void Run();

private:
    PhysicsConstants ContactConstants() const;
    void StartContacts();
    void Resolve(const PhysicsConstants& k);
    void Finish();

    PhysicsModel10005& model_;
    PhysicsBall& ball_;
    float dt_;
    bool thirdVersion_;
    uint8_t mask_ = 0;
    quill::Vec3 position_;
    quill::Vec3 normals_[2];  // per axis, as the cushion test returned them (not normalised)
    float heights_[2] = {0.0f, 0.0f};
    CushionFlags flags_;
};

}  // namespace kestrovan
