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

StrokeFrame StrokeFrame::BuildUnclamped(float dx, float dy, float distance, float elevation) {
    const float c = physmath::Cos(elevation);
    StrokeFrame frame;
    frame.direction = Normalized(Vec3{c * dx, c * dy, -physmath::Sin(elevation) * distance});
    Vec3 reference{0.0f, 0.0f, 1.0f};
    if (!(c > 0.70710677f)) {
        // The cosine of a float elevation is never exactly 0; were it 0, the aim direction stands in for the
        // division by zero (its limit from above).
        reference = c != 0.0f ? Vec3{dx / c, dy / c, 0.0f} : Vec3{dx, dy, 0.0f};
    }
    reference.Normalize();
    frame.side = Normalized(Cross(reference, frame.direction));
    frame.up = Normalized(Cross(frame.direction, frame.side));
    return frame;
}

Vec3 StrokeFrame::ContactNormal(float sideOffset, float heightOffset, float lever) const {
    const float radicand = 1.0f - lever * lever;
    const float cosTilt = radicand < 0.0f ? 0.0f : physmath::Sqrt(radicand);
    const Vec3 offset = side * sideOffset + up * heightOffset;
    return Normalized((direction * cosTilt - offset * lever) * cosTilt);
}

}  // namespace kestrovan
