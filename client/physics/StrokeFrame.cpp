#include "client/physics/StrokeFrame.h"

#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

StrokeFrame StrokeFrame::Build(float dx, float dy, float distance, float elevation, bool normaliseUp) {
    float c = physmath::Cos(elevation);
    if (c < 0.0f) {
        c = 0.0f;
    }
    StrokeFrame frame;
    frame.direction = Normalized(Vec3{c * dx, c * dy, -physmath::Sin(elevation) * distance});
    Vec3 reference = c > 0.70710677f ? Vec3{0.0f, 0.0f, 1.0f} : Vec3{dx, dy, 0.0f};
    if (normaliseUp) {
        reference.Normalize();
    }
    frame.side = Normalized(Cross(reference, frame.direction));
    frame.up = Normalized(Cross(frame.direction, frame.side));
    return frame;
}

}  // namespace kestrovan
