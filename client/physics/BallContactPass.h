#pragma once
// The ball-ball pass at the end of a sub-step, as every model runs it: the touching pairs are found (each new one
// reported as a BallBall event), then resolved together as stiff springs in micro-steps, pass after pass over the
// contacts in the order found, until each has let go once. The micro-steps' time is not counted against the
// sub-step. The models differ in how a micro-step pushes the two balls apart and rubs their surfaces; each
// resolves its contacts with BallContactResolution and its own micro-step, so that the step is inlined.
#include <vector>

#include "client/physics/BallContact.h"
#include "client/physics/BallPairSearch.h"

namespace kestrovan {

class PhysicsModel;

class BallContactPass {
public:
    virtual ~BallContactPass() = default;

    // True when every ball is at rest after the pass.
    bool Run();

protected:
    BallContactPass(PhysicsModel& model, BallPairSearch& search, const BallPairSearchForm& form);

    // Resolves the found contacts (at least one) with the model's micro-step.
    virtual void ResolveContacts() = 0;

    // The micro-step of the base model and the 10001 series, in seconds.
    static constexpr float kMicroStep = 2e-6f;
    // The contact spring's stiffness per unit of compression, and its damping. The damping has no effect; the
    // approach speed still enters the spring's force, so that a NaN speed spreads as it does in every client.
    static constexpr float kContactStiffness = 5000000.0f;
    static constexpr float kContactDamping = 0.0f;

    PhysicsModel& model_;
    BallPairSearch& search_;
    std::vector<BallContact>& contacts_;

private:
    BallPairSearchForm form_;
};

}  // namespace kestrovan
