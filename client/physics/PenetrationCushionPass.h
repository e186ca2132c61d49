#pragma once
// The cushion pass of the base model and of the first version of the 10001 series (codes 0x10001 to 0x10004),
// which differ only in their contact step and in the base model's rising nose contact. Each touched cushion axis
// is a spring and damper on the ball's penetration, kept in the ball's bedVector (x axis first), resolved in 20
// sub-steps of the model's CushionContactStep with the bed contact after each. Its bookkeeping keeps two quirks
// that shots rely on: a new contact on either axis restarts the x axis's counters, and a single contact that ends
// zeroes the x axis's penetration whichever axis it was on.
#include <cstdint>

#include "QuillLib/math/Vec3.h"
#include "client/physics/CushionTest.h"
#include "client/physics/PhysicsConstants.h"

namespace kestrovan {

class PhysicsBall;
class PhysicsModel;

class PenetrationCushionPass {
public:
    // With raiseNoseContact a nose contact's height rises towards half the cushion's top as the cushion is
    // pressed in (the base model).
    PenetrationCushionPass(PhysicsModel& model, PhysicsBall& ball, float dt, bool raiseNoseContact);

    void Run();

private:
    void StartContacts();
    void Resolve(const PhysicsConstants& k, float damping);
    bool StepAxis(int axis, const PhysicsConstants& k, float damping, float h, bool single);
    void Store();

    PhysicsModel& model_;
    PhysicsBall& ball_;
    float dt_;
    bool raiseNoseContact_;
    uint8_t mask_ = 0;
    quill::Vec3 position_;
    float penetration_[2] = {0.0f, 0.0f};
    quill::Vec3 normals_[2];
    float heights_[2] = {0.0f, 0.0f};
    CushionFlags flags_;
};

}  // namespace kestrovan
