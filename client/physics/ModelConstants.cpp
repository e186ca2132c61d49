#include "client/physics/ModelConstants.h"

#include <cmath>

namespace kestrovan {

namespace {

template <typename Real>
Real TangentOfHalfContactAngle(Real offset) {
    Real radicand = Real{4} - Real{4} * offset * offset;
    if (radicand < Real{0}) {
        radicand = Real{0};
    }
    return (Real{2} - std::sqrt(radicand)) / (Real{2} * offset);
}

}  // namespace

float MiscueTangentOf(float offset) {
    return TangentOfHalfContactAngle(offset);
}

float MiscueTangentRoundedOnce(float offset) {
    return static_cast<float>(TangentOfHalfContactAngle<double>(offset));
}

}  // namespace kestrovan
