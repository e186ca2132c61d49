#pragma once
// The table a model plays on: one per model, owned by it; its balls point to it for the geometry.
#include <cstdint>

#include "client/physics/TableGeometry.h"

namespace kestrovan {

class PhysicsModel;

struct SharedTableRecord {
    PhysicsModel* model = nullptr;  // the owning model
    uint8_t hasPockets = 0;         // 1 for the table kinds with pockets
    TableGeometry geometry;
};

}  // namespace kestrovan
