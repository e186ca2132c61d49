#pragma once
// Directions and speeds on the table plane, handled as two separate floats. Unlike Vec3::Normalize these divide
// (no reciprocal) and treat a sum of squares that is not above 0 as zero: the ball physics relies on both.

namespace quill {

// sqrt(x*x + y*y); 0 when the sum of squares is not greater than 0 (no square root is taken then).
float Length2D(float x, float y);

// Divides x and y by their length; both become 0 when the length is not greater than 0. outLength (when given)
// receives the length.
void Normalize2D(float* x, float* y, float* outLength = nullptr);

// x /= d and y /= d when d > 0; otherwise both become 0.
void DivideOrZero2(float d, float* x, float* y);

}  // namespace quill
