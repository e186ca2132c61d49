#pragma once
// The math functions of the ball physics and of everything that feeds it. Clients exchange shot results and must
// compute the same bits on every build and processor, so nothing here calls the C math library, whose results
// differ between its versions and between the variants it picks per processor. The square root and the absolute
// value are exact IEEE operations; the others are our own, built from +, -, *, / and sqrt in double precision and
// rounded once to float: within 1 ulp of the correctly rounded result in any rounding mode. The physics calls them
// in its own floating-point mode (round toward zero, denormals flushed; see ScopedFpuMode), which fixes their bits.
// Every function may be called from any thread.
#include <cmath>

namespace kestrovan::physmath {

inline float Sqrt(float x) {
    return std::sqrt(x);
}
inline float Fabs(float x) {
    return std::fabs(x);
}
inline bool IsNaN(float x) {
    return std::isnan(x);
}

// The Taylor coefficients of the sine and cosine on |r| <= pi/4 from the r^3 and r^2 terms on, in Horner order:
// sin r = r + r z (s0 + z (s1 + ...)), cos r = 1 + z (c0 + z (c1 + ...)) with z = r^2, in double precision. Shared
// with the orientation turns, which evaluate four at a time.
inline constexpr double kSinSeries[] = {-0.16666666666666666,   0.008333333333333333,   -0.0001984126984126984,
                                        2.7557319223985893e-06, -2.505210838544172e-08, 1.6059043836821613e-10,
                                        -7.647163731819816e-13};
inline constexpr double kCosSeries[] = {-0.5,
                                        0.041666666666666664,
                                        -0.001388888888888889,
                                        2.48015873015873e-05,
                                        -2.755731922398589e-07,
                                        2.08767569878681e-09,
                                        -1.1470745597729725e-11,
                                        4.779477332387385e-14};
// Where the series hold without a reduction of the argument.
inline constexpr double kQuarterPi = 0.78539816339744831;

// The sine and the cosine of x from one reduction of the argument; Sin and Cos are its two halves.
void SinCos(float x, float* sine, float* cosine);
float Sin(float x);
float Cos(float x);
float Atan(float x);
float Exp(float x);
// The natural logarithm; -infinity at 0, NaN below 0.
float Log(float x);
float Log10(float x);
// x to the power y with the C library's rules for zeros, infinities, NaN and negative x.
float Pow(float x, float y);

// x^3 of a float in double precision: x * x is exact in double, so the one rounding of the product is the
// correctly rounded cube (what a correctly rounded double pow(x, 3) gives).
inline double CubeOf(float x) {
    const double d = x;
    return d * d * d;
}

// x^12 by repeated squaring in one fixed order (x^2, x^4, x^8, then x^8 * x^4): every strike uses this order so
// that the miscue strength rounds alike everywhere.
inline float TwelfthPower(float x) {
    const float x2 = x * x;
    const float x4 = x2 * x2;
    const float x8 = x4 * x4;
    return x8 * x4;
}

}  // namespace kestrovan::physmath
