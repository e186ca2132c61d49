#include "client/physics/BallContactPass.h"

#include "client/physics/PhysicsModel.h"

namespace kestrovan {

BallContactPass::BallContactPass(PhysicsModel& model, BallPairSearch& search, const BallPairSearchForm& form)
    : model_(model), search_(search), contacts_(search.Contacts()), form_(form) {}

bool BallContactPass::Run() {
    if (model_.BallCount() == 0) {
        return true;
    }
    search_.Find(form_);
    if (!contacts_.empty()) {
        ResolveContacts();
    }
    return model_.AllBallsAtRest();
}

}  // namespace kestrovan
