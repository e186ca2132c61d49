#pragma once
// The process-wide block of 33 tuning numbers K0 to K32 that every model's set-up rewrites when the factory hands
// the model out. Entries a set-up does not write keep the values of the set-up that ran before it (0 at start).
// Roles of the entries read by the 10010 series: K0-K3 cloth (slide, passed share, roll, turn), K4-K7 floor,
// K8-K11 rail top, K12/K13 bed restitution and stop speed, K14/K15 floor restitution and stop speed, K16/K17
// rail-top restitution and stop speed, K18/K19 cushion friction along and across the cushion, K20/K21 the same
// at the pocket jaws, K23 share of the tangential terms, K24 pocket-wall friction, K25 pocket-floor friction,
// K27 pocket-wall restitution, K28 cushion stiffness, K29/K30 cushion damping (K30 at the jaws), K31 the
// cushion nose height in metres, K32 the contact-release factor.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace kestrovan {

inline constexpr size_t kPhysicsConstantCount = 33;

struct PhysicsConstants {
    std::array<float, kPhysicsConstantCount> k{};

    float& operator[](size_t i) { return k[i]; }
    float operator[](size_t i) const { return k[i]; }
};

// Inline: every sub-step of every ball reads the block.
inline PhysicsConstants& ThePhysicsConstants() {
    static PhysicsConstants constants;
    return constants;
}

// One entry of a tuning table: K[index] = value.
struct TuningEntry {
    uint8_t index;
    float value;
};

// Writes the entries in their order.
void WriteTuningEntries(PhysicsConstants& k, std::initializer_list<TuningEntry> entries);

// The entries that every set-up after the base model writes first: floor, rail top, pocket and release values,
// and K31 = cushionNoseHeight / 100.
void WriteCommonTuningEntries(PhysicsConstants& k, float cushionNoseHeight);

}  // namespace kestrovan
