#include "client/physics/PhysicsMath.h"

#include <bit>
#include <cstdint>
#include <limits>

namespace kestrovan::physmath {

// Each function works in double precision, where its series and reductions are accurate to a few parts in 1e16,
// and rounds to float once at the end. Polynomials are Taylor series in Horner form, cut where the next term is
// below 1e-17 of the result on the reduced range.
namespace {

constexpr double kHalfPi = 1.5707963267948966;
// ln 2 split so that k * kLn2High is exact for every |k| below 2^20.
constexpr double kLn2High = 6.93147180369123816490e-01;
constexpr double kLn2Low = 1.90821492927058770002e-10;
constexpr double kInvLn2 = 1.4426950408889634;
constexpr double kInvLn10 = 0.43429448190325176;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// The binary digits of 2 / pi, most significant first: 2 / pi = 0.A2F9836E 4E441529 ... in hexadecimal.
constexpr uint32_t kTwoOverPiBits[] = {0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599,
                                       0x3C439041, 0xFE5163AB, 0xDEBBC561, 0xB7246E3A};

// e^r = 1 + r (1 + r (1/2 + r (1/6 + ...))) up to r^13, for |r| <= ln 2 / 2.
constexpr double kExpSeries[] = {1.0,
                                 1.0,
                                 0.5,
                                 0.16666666666666666,
                                 0.041666666666666664,
                                 0.008333333333333333,
                                 0.001388888888888889,
                                 0.0001984126984126984,
                                 2.48015873015873e-05,
                                 2.7557319223985893e-06,
                                 2.755731922398589e-07,
                                 2.505210838544172e-08,
                                 2.08767569878681e-09,
                                 1.6059043836821613e-10};
// atanh s = s + s z (1/3 + z (1/5 + ...)) with z = s^2, up to s^19, for |s| <= 0.1716.
constexpr double kAtanhSeries[] = {0.3333333333333333,  0.2,
                                   0.14285714285714285, 0.1111111111111111,
                                   0.09090909090909091, 0.07692307692307693,
                                   0.06666666666666667, 0.058823529411764705,
                                   0.05263157894736842};
// atan u = u + u z (-1/3 + z (1/5 - ...)) with z = u^2, up to u^25, for |u| <= tan(pi / 16).
constexpr double kAtanSeries[] = {-0.3333333333333333,   0.2,
                                  -0.14285714285714285,  0.1111111111111111,
                                  -0.09090909090909091,  0.07692307692307693,
                                  -0.06666666666666667,  0.058823529411764705,
                                  -0.05263157894736842,  0.047619047619047616,
                                  -0.043478260869565216, 0.04};

template <size_t N>
double Horner(const double (&coefficients)[N], double z) {
    double p = coefficients[N - 1];
    for (size_t i = N - 1; i-- > 0;) {
        p = coefficients[i] + z * p;
    }
    return p;
}

double SinSeries(double r) {
    const double z = r * r;
    return r + r * z * Horner(kSinSeries, z);
}

double CosSeries(double r) {
    const double z = r * r;
    return 1.0 + z * Horner(kCosSeries, z);
}

// For a >= pi/4 (a float, so a = m 2^e with the 24-bit integer m): the number of quarter turns q (mod 4) nearest to
// a and the rest r = a - q pi/2, |r| <= pi/4. a (2/pi) is formed exactly from the 96 digits of 2/pi that matter:
// earlier digits only add whole turns (multiples of 4 quarter turns), later ones less than 2^-70.
int ReduceQuarterTurns(float a, double* rest) {
    const uint32_t bits = std::bit_cast<uint32_t>(a);
    const int e = static_cast<int>(bits >> 23) - 150;
    const uint64_t m = (bits & 0x7FFFFFu) | 0x800000u;
    const int first = e > 1 ? e - 1 : 1;  // the first digit used, counting from 1 after the point
    const int word = (first - 1) / 32;
    const int shift = (first - 1) % 32;
    unsigned __int128 digits = 0;
    for (int i = 0; i < 4; ++i) {
        digits = (digits << 32) | kTwoOverPiBits[word + i];
    }
    if (shift != 0) {
        digits = (digits << shift) | (kTwoOverPiBits[word + 4] >> (32 - shift));
    }
    const unsigned __int128 product = (digits >> 32) * m;  // below 2^120
    const int fractionBits = first + 95 - e;               // 94 to 120
    int quarterTurns = static_cast<int>(product >> fractionBits) & 3;
    const unsigned __int128 fraction = product << (128 - fractionBits);
    const uint64_t high = static_cast<uint64_t>(fraction >> 64);
    const uint64_t low = static_cast<uint64_t>(fraction);
    // A fraction of one half or more belongs to the next quarter turn: read as signed it is that negative rest.
    quarterTurns += static_cast<int>(high >> 63);
    const double turns =
        static_cast<double>(static_cast<int64_t>(high)) * 0x1p-64 + static_cast<double>(low) * 0x1p-128;
    *rest = turns * kHalfPi;
    return quarterTurns & 3;
}

// Sine and cosine of a = |x| from the quarter turns and the rest. A zero a (or a subnormal one where denormals are
// read as zero) gives a positive zero sine, which the caller signs.
void SinCosOfMagnitude(float a, double* sine, double* cosine) {
    double r = a;
    int quarterTurns = 0;
    if (a > kQuarterPi) {
        quarterTurns = ReduceQuarterTurns(a, &r);
    }
    const double s = SinSeries(r);
    const double c = CosSeries(r);
    switch (quarterTurns) {
        case 0:
            *sine = s;
            *cosine = c;
            break;
        case 1:
            *sine = c;
            *cosine = -s;
            break;
        case 2:
            *sine = -s;
            *cosine = -c;
            break;
        default:
            *sine = -c;
            *cosine = s;
            break;
    }
}

// e^t for |t| <= 200 (beyond, the float result is 0 or overflows alike): t = k ln 2 + r with |r| <= ln 2 / 2.
double ExpOfDouble(double t) {
    if (t > 200.0) {
        t = 200.0;
    } else if (t < -200.0) {
        t = -200.0;
    }
    const double scaled = t * kInvLn2;
    const int k = static_cast<int>(scaled < 0.0 ? scaled - 0.5 : scaled + 0.5);
    const double r = (t - k * kLn2High) - k * kLn2Low;
    const double p = Horner(kExpSeries, r);
    const double twoToK = std::bit_cast<double>(static_cast<uint64_t>(k + 1023) << 52);
    return p * twoToK;
}

// ln a for a finite float a > 0: a = m 2^e with sqrt(1/2) <= m < sqrt(2), ln m = 2 atanh(s), s = (m - 1) / (m + 1).
double LogOfPositive(float a) {
    uint32_t bits = std::bit_cast<uint32_t>(a);
    int e = 0;
    if ((bits >> 23) == 0) {  // subnormal: scale into the normal range first
        bits = std::bit_cast<uint32_t>(a * 0x1p25f);
        e = -25;
    }
    e += static_cast<int>(bits >> 23) - 127;
    bits = (bits & 0x7FFFFFu) | 0x3F800000u;  // m in [1, 2)
    if (bits > 0x3FB504F3u) {                 // above sqrt(2): halve
        bits -= 0x00800000u;
        ++e;
    }
    const double m = std::bit_cast<float>(bits);
    const double s = (m - 1.0) / (m + 1.0);
    const double z = s * s;
    const double p = Horner(kAtanhSeries, z);
    const double lnM = 2.0 * s + 2.0 * s * z * p;
    return (e * kLn2High + lnM) + e * kLn2Low;
}

double AtanOfMagnitudeAtMostOne(double t) {
    // atan t = 4 atan u after two halvings (atan t = 2 atan(t / (1 + sqrt(1 + t^2)))), |u| <= tan(pi / 16).
    for (int i = 0; i < 2; ++i) {
        t = t / (1.0 + std::sqrt(1.0 + t * t));
    }
    const double z = t * t;
    const double p = Horner(kAtanSeries, z);
    return 4.0 * (t + t * z * p);
}

bool IsOddInteger(float y) {
    const float magnitude = std::fabs(y);
    if (!(magnitude < 0x1p24f)) {
        return false;  // every float from 2^24 on is even (or not finite)
    }
    const int64_t whole = static_cast<int64_t>(magnitude);
    return static_cast<float>(whole) == magnitude && (whole & 1) != 0;
}

bool IsInteger(float y) {
    const float magnitude = std::fabs(y);
    if (!(magnitude < 0x1p23f)) {
        return true;  // from 2^23 on every finite float is whole
    }
    return static_cast<float>(static_cast<int64_t>(magnitude)) == magnitude;
}

// x^y for x = +-0 or +-infinity, and y finite and not 0.
float PowOfZeroOrInfinity(float x, float y) {
    const bool negativeResult = std::signbit(x) && IsOddInteger(y);
    const bool large = (x != 0.0f) == (y > 0.0f);
    const float magnitude = large ? kInfinity : 0.0f;
    return negativeResult ? -magnitude : magnitude;
}

// x^y for an infinite y and a finite or infinite x other than +-1.
float PowToInfinity(float x, float y) {
    const float a = std::fabs(x);
    if (a == 1.0f) {
        return 1.0f;
    }
    return (a > 1.0f) == (y > 0.0f) ? kInfinity : 0.0f;
}

// factor times ln x, with the logarithm's results at 0, below 0, at infinity and for NaN.
float ScaledLog(float x, double factor) {
    if (std::isnan(x) || x < 0.0f) {
        return kNaN;
    }
    if (x == 0.0f) {
        return -kInfinity;
    }
    if (std::isinf(x)) {
        return x;
    }
    return static_cast<float>(LogOfPositive(x) * factor);
}

}  // namespace

float Sin(float x) {
    float sine = 0.0f;
    float cosine = 0.0f;
    SinCos(x, &sine, &cosine);
    return sine;
}

float Cos(float x) {
    float sine = 0.0f;
    float cosine = 0.0f;
    SinCos(x, &sine, &cosine);
    return cosine;
}

void SinCos(float x, float* sine, float* cosine) {
    if (std::isnan(x) || std::isinf(x)) {
        *sine = *cosine = kNaN;
        return;
    }
    double s = 0.0;
    double c = 0.0;
    SinCosOfMagnitude(std::fabs(x), &s, &c);
    *sine = static_cast<float>(std::signbit(x) ? -s : s);
    *cosine = static_cast<float>(c);
}

float Atan(float x) {
    if (std::isnan(x)) {
        return x;
    }
    const double a = std::fabs(x);
    const double magnitude = a <= 1.0 ? AtanOfMagnitudeAtMostOne(a) : kHalfPi - AtanOfMagnitudeAtMostOne(1.0 / a);
    return static_cast<float>(std::signbit(x) ? -magnitude : magnitude);
}

float Exp(float x) {
    if (std::isnan(x)) {
        return x;
    }
    if (std::isinf(x)) {
        return x > 0.0f ? x : 0.0f;  // exact results, not overflow or underflow
    }
    return static_cast<float>(ExpOfDouble(x));
}

float Log(float x) {
    return ScaledLog(x, 1.0);  // the product by 1 is exact
}

float Log10(float x) {
    return ScaledLog(x, kInvLn10);
}

float Pow(float x, float y) {
    if (y == 0.0f || x == 1.0f) {
        return 1.0f;
    }
    if (std::isnan(x) || std::isnan(y)) {
        return kNaN;
    }
    if (std::isinf(y)) {
        return PowToInfinity(x, y);
    }
    if (x == 0.0f || std::isinf(x)) {
        return PowOfZeroOrInfinity(x, y);
    }
    if (x < 0.0f && !IsInteger(y)) {
        return kNaN;
    }
    const double magnitude = ExpOfDouble(y * LogOfPositive(std::fabs(x)));
    return static_cast<float>(x < 0.0f && IsOddInteger(y) ? -magnitude : magnitude);
}

}  // namespace kestrovan::physmath
