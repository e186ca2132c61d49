#pragma once
// The ball-ball pass of the 10010 series at the end of each sub-step. It finds the pairs that touch and approach,
// reports each new contact as a BallBall event, and resolves all found contacts together as stiff springs in
// micro-steps of BallContactStep seconds, with sliding friction between the balls' surfaces, until every contact
// has let go. The size and mass of ball 0 stand for every ball.
#include <vector>

#include "client/physics/BallContactPass.h"

namespace kestrovan {

class PhysicsModel10010;

class BallContactPass10010 final : public BallContactPass {
public:
    BallContactPass10010(PhysicsModel10010& model, BallPairSearch& search);

private:
    void ResolveContacts() override;

    float frictionScale_;  // the series' ballFrictionScale: the share of the friction that changes the velocities
};

}  // namespace kestrovan
