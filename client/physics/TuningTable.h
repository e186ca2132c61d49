#pragma once
// Tuning set-ups written as data: rows of K entries, and the carom-table choices by the table's flagB,
// clothSubType and cushionMode, each choice writing only its own entries (a value without a row writes nothing).
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
    TuningRow afterCushionMode;  // written after any of cushionMode 0 to 2

    // The choices for the table, then K12 = 0.6 and K13 = 60.0.
    void WriteTo(PhysicsConstants& k, const TableGeometry& geometry) const;
};

}  // namespace kestrovan
