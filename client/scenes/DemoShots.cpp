#include "client/scenes/DemoShots.h"

#include <array>

namespace kestrovan {

std::span<const DemoShotSlot> DemoShots() {
    static const std::array<DemoShotSlot, 1> slots{{
        {10, 1.0f, u" ", ""},
    }};
    return slots;
}

}  // namespace kestrovan
