#pragma once
// The ball-ball pass of the 10001 series from code 0x10005 on, in two versions: the first (0x10005 to 0x1000B)
// and the second (0x1000C to 0x1000F), whose friction limit weighs the slip across the line of centres by
// BallFriction and the rest by BallFrictionAlt, whose second ball's spin enters its contact point with the other
// sign, and whose friction changes the velocities by TuningB17 only. The contacts are found as in every model
// and resolved together as stiff springs in micro-steps of 2e-6 s until each has let go once; the size, mass and
// inertia of ball 0 stand for every ball.
#include <vector>

#include "client/physics/BallContactPass.h"

namespace kestrovan {

struct BallContactFriction10005 {
    bool secondVersion = false;
    float velocityScale = 1.0f;  // TuningB17 in the second version
};

class BallContactPass10005 final : public BallContactPass {
public:
    BallContactPass10005(PhysicsModel& model, BallPairSearch& search, const BallContactFriction10005& friction);

private:
    void ResolveContacts() override;

    BallContactFriction10005 friction_;
};

}  // namespace kestrovan
