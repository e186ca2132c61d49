#include "client/physics/BallState.h"

#include "client/physics/PhysicsBall.h"

namespace kestrovan {

void BallState::UpdateDirectionFlags(PhysicsBall& ball) {
    for (int axis = 0; axis < 2; ++axis) {
        ball.cushionPositive[axis] = ball.cushionNormalSpeed[axis] > 0.0f ? 1 : 0;
        ball.cushionSteps[axis] = 0;
    }
}

}  // namespace kestrovan
