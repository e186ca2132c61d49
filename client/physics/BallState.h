#pragma once
// The cushion bookkeeping that a ball-ball contact restarts on both balls.
namespace kestrovan {

class PhysicsBall;

struct BallState {
    // For each cushion axis, x first: cushionPositive = (cushionNormalSpeed > 0; 0 and NaN give false) and
    // cushionSteps = 0.
    static void UpdateDirectionFlags(PhysicsBall& ball);
};

}  // namespace kestrovan
