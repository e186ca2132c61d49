#include "client/physics/TuningTable.h"

namespace kestrovan {

void TuningRow::WriteTo(PhysicsConstants& k) const {
    for (uint8_t i = 0; i < count; ++i) {
        k[entries[i].index] = entries[i].value;
    }
}

void CaromTuningTable::WriteTo(PhysicsConstants& k, const TableGeometry& geometry) const {
    if (geometry.flagB < 2) {
        flagB[geometry.flagB].WriteTo(k);
    }
    if (geometry.clothSubType < 5) {
        cloth[geometry.clothSubType].WriteTo(k);
    }
    if (geometry.cushionMode < 3) {
        cushionMode[geometry.cushionMode].WriteTo(k);
        afterCushionMode.WriteTo(k);
    }
    k[12] = 0.6f;
    k[13] = 60.0f;
}

}  // namespace kestrovan
