#pragma once
// Every call that the ball physics makes into the C math library goes through this header, so that the policy
// on them lives in one place. Clients exchange shot results and must compute the same bits: all of these are the
// single-precision library functions (the square root is exact everywhere; the transcendental functions are the
// C library's), called at run time under the thread's floating-point mode (round toward zero, denormals
// flushed; platform::SetThreadFpuMode). The one double-precision call is PowD, which the strike's blend needs.
#include <cmath>

namespace kestrovan::physmath {

inline float Sqrt(float x) {
    return std::sqrt(x);
}
inline float Sin(float x) {
    return std::sin(x);
}
inline float Cos(float x) {
    return std::cos(x);
}
inline float Atan(float x) {
    return std::atan(x);
}
inline float Exp(float x) {
    return std::exp(x);
}
inline float Log(float x) {
    return std::log(x);
}
inline float Log10(float x) {
    return std::log10(x);
}
inline float Fabs(float x) {
    return std::fabs(x);
}
inline float Pow(float x, float y) {
    return std::pow(x, y);
}
inline double PowD(double x, double y) {
    return std::pow(x, y);
}

inline bool IsNaN(float x) {
    return std::isnan(x);
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
