#include "client/physics/BallContactPass.h"

#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel.h"

namespace kestrovan {

namespace {

// A contact lets go after a few hundred passes (249 at most in every shot the tests play); this bound only ends
// a resolution that never separates. Balls that a shot record places into each other and into the bed can
// hold their contact for good: with a bound of a million passes each sub-step took a second.
constexpr int kMaxResolutionPasses = 10'000;

}  // namespace

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

void BallContactPass::ResolveContacts() {
    uint16_t separated = 0;
    for (int pass = 0; pass < kMaxResolutionPasses && separated < contacts_.size(); ++pass) {
        for (BallContact& contact : contacts_) {
            if (contact.compression >= 0.0f) {
                ResolveMicroStep(contact, &separated);
            } else if (physmath::IsNaN(contact.compression)) {
                return;  // a NaN never separates
            }
        }
    }
}

}  // namespace kestrovan
