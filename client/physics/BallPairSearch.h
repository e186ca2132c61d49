#pragma once
// The search of the ball-ball passes: every pair of balls on the table that touch and approach, in index order,
// each reported once as a BallBall event (not again while the last event is already that pair's) and restarting
// both balls' cushion bookkeeping. Pairs of two resting balls are not examined.
#include <vector>

#include "client/physics/BallContact.h"

namespace kestrovan {

class PhysicsModel;
class PhysicsBall;

struct BallPairSearchForm {
    // The touch distance: 2 x ball 0's radius + 0.1 cm, or the pair's own radii + 0.1 cm.
    bool ownRadii = false;
    // After a contact: the cushion flags from the last normal speeds (BallState::UpdateDirectionFlags), or the
    // base model's mark of the x axis as positive.
    bool markXPositive = false;
};

class BallPairSearch {
public:
    static void Find(PhysicsModel& model, std::vector<BallContact>& contacts, const BallPairSearchForm& form);

private:
    static void AddIfApproaching(PhysicsBall& a, PhysicsBall& b, float touchDistance,
                                 std::vector<BallContact>& contacts, const BallPairSearchForm& form);
};

}  // namespace kestrovan
