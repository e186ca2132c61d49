#pragma once
// Angle helpers of the table. Angles at the table's interfaces are degrees; cameras work in radians, converted
// with the single-precision pi 3.1415927.
namespace kestrovan {

inline float RadiansToDegrees(float radians) {
    return radians * 180.0f / 3.1415927f;
}

// The angle in [0, 360) of a yaw in degrees (0 for an angle that is not finite).
float WrapDegrees(float degrees);

// Degrees between the +x axis and the horizontal direction from the first point to the second, negative when the
// direction points toward -y. Heights are ignored.
float YawBetweenPoints(float x1, float y1, float z1, float x2, float y2, float z2);

}  // namespace kestrovan
