#pragma once
// The ball-ball pass of the base model (code 0x10000): the contacts of the 10010 series' pass resolved as
// springs in micro-steps of 2e-6 s, with each ball's own mass and radius, so that a lighter ball is moved more.
#include <vector>

#include "client/physics/BallContactPass.h"

namespace kestrovan {

class BallContactPassBase final : public BallContactPass {
public:
    BallContactPassBase(PhysicsModel& model, BallPairSearch& search);

private:
    void ResolveContacts() override;
};

}  // namespace kestrovan
