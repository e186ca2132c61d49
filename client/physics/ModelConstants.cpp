#include "client/physics/ModelConstants.h"

#include "client/physics/PhysicsMath.h"

namespace kestrovan {

ModelConstants& TheModelConstants() {
    static ModelConstants constants;
    return constants;
}

float MiscueTangentOf(float offset) {
    float radicand = 4.0f - 4.0f * offset * offset;
    if (radicand < 0.0f) {
        radicand = 0.0f;
    }
    return (2.0f - physmath::Sqrt(radicand)) / (2.0f * offset);
}

}  // namespace kestrovan
