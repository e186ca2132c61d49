#include "client/physics/PhysicsConstants.h"

namespace kestrovan {

void WriteTuningEntries(PhysicsConstants& k, std::initializer_list<TuningEntry> entries) {
    for (const TuningEntry& entry : entries) {
        k[entry.index] = entry.value;
    }
}

void WriteCommonTuningEntries(PhysicsConstants& k, float cushionNoseHeight) {
    WriteTuningEntries(k, {{4, 1.0f},
                           {5, 0.5f},
                           {6, 0.2f},
                           {7, 0.4f},
                           {8, 0.25f},
                           {9, 0.6f},
                           {10, 0.008f},
                           {11, 0.8f},
                           {14, 0.2f},
                           {15, 200.0f},
                           {16, 0.4f},
                           {17, 40.0f},
                           {24, 2000.0f},
                           {25, 0.025f},
                           {26, 2.0f},
                           {27, 0.0f},
                           {32, 0.05f}});
    k[31] = cushionNoseHeight / 100.0f;
}

}  // namespace kestrovan
