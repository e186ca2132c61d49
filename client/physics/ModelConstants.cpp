#include "client/physics/ModelConstants.h"

#include "client/physics/PhysicsMath.h"

namespace kestrovan {

ModelConstants& TheModelConstants() {
    static ModelConstants constants;
    return constants;
}

float MiscueTangentOf(float deflection) {
    return (2.0f - physmath::Sqrt(4.0f - 4.0f * deflection * deflection)) / (2.0f * deflection);
}

}  // namespace kestrovan
