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
    ClothRow(geometry.clothSubType).WriteTo(k);
    CushionModeRow(geometry.cushionMode).WriteTo(k);
    afterCushionMode.WriteTo(k);
    k[12] = 0.6f;
    k[13] = 60.0f;
}

// The cloth entries (K0 to K3) and the cushion's stiffness and damping are read in every sub-step: left unwritten
// they would keep whatever the model set up before had put there (0 at program start: a cloth without friction
// on which a sliding ball never stops, a cushion without stiffness), and two clients with different histories
// would play the same shot differently. So a choice without a row of its own takes the row of the default table
// (clothSubType 1, cushionMode 0).
const TuningRow& CaromTuningTable::ClothRow(uint32_t clothSubType) const {
    return clothSubType < 5 && cloth[clothSubType].count != 0 ? cloth[clothSubType] : cloth[1];
}

const TuningRow& CaromTuningTable::CushionModeRow(uint32_t mode) const {
    return mode < 3 && cushionMode[mode].count != 0 ? cushionMode[mode] : cushionMode[0];
}

}  // namespace kestrovan
