#pragma once
// The factory that turns a PhysicsModelCode into a ready model for one table, with the process-wide cache of
// shared models and the model handed out last (the current model).
#include <cstdint>

#include "client/physics/PhysicsModelCode.h"

namespace kestrovan {

class PhysicsModel;

// Builds the model of code (or, with useCache, takes the one the cache holds for it), gives it ballCount balls
// and the geometry of tableKind (0 to 11), makes it current and runs its two set-ups. Returns null, changing
// nothing, when code is not one of 0x10000 to 0x10014. A model made with useCache belongs to the cache and lives
// until exit; one made without belongs to the caller, who deletes it.
PhysicsModel* CreatePhysicsModel(uint32_t code, uint32_t tableKind, uint32_t ballCount, bool useCache);

// The model the factory handed out last; null before the first and after that model was deleted.
PhysicsModel* CurrentPhysicsModel();
// Called by a model's destructor so that the current model never dangles.
void ForgetPhysicsModel(const PhysicsModel* model);

// Test isolation: empties the cache (deleting its models), forgets the current model and sets the constants,
// the model constants and the event list back to their state at program start.
void ResetPhysicsStateForTest();

}  // namespace kestrovan
