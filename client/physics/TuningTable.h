#pragma once
// Tuning set-ups written as data: rows of K entries, and the carom-table choices by the table's flagB,
// clothSubType and cushionMode, each choice writing only its own entries. A flagB without a row writes nothing; a
// cloth or cushion mode without a row takes the default table's (see CaromTuningTable::ClothRow).
#include <cstdint>
#include <initializer_list>

#include "client/physics/PhysicsConstants.h"
#include "client/physics/TableGeometry.h"

namespace kestrovan {

struct TuningRow {
    constexpr TuningRow() = default;
    constexpr TuningRow(std::initializer_list<TuningEntry> list) {
        for (const TuningEntry& entry : list) {
            entries[count++] = entry;
        }
    }

    uint8_t count = 0;
    TuningEntry entries[16] = {};

    void WriteTo(PhysicsConstants& k) const;
};

struct CaromTuningTable {
    TuningRow flagB[2];
    TuningRow cloth[5];
    TuningRow cushionMode[3];
    TuningRow afterCushionMode;  // written after the cushion mode's row

    // The choices for the table, then K12 = 0.6 and K13 = 60.0.
    void WriteTo(PhysicsConstants& k, const TableGeometry& geometry) const;

private:
    // The row of the table's choice, or of the default choice (clothSubType 1, cushionMode 0) when it has none.
    const TuningRow& ClothRow(uint32_t clothSubType) const;
    const TuningRow& CushionModeRow(uint32_t mode) const;
};

}  // namespace kestrovan
