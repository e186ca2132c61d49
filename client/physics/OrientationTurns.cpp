#include "client/physics/OrientationTurns.h"

#include <algorithm>
#include <cstddef>

#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrovan {

namespace {

// Turn k of waiting, one at a time.
void ComputeOne(OrientationTurns::Waiting& waiting, uint32_t k, float dt) {
    const quill::Quaternion turn =
        OrientationTurns::TurnOf(quill::Vec3{waiting.spinX[k], waiting.spinY[k], waiting.spinZ[k]}, dt);
    waiting.turnX[k] = turn.x;
    waiting.turnY[k] = turn.y;
    waiting.turnZ[k] = turn.z;
    waiting.turnW[k] = turn.w;
}

#if defined(__SSE2__)

// Four turns at once, lane by lane the operations of TurnOf: the SSE operations round each lane as the scalar ones
// do, so the bits are the same. Falls back to TurnOf when an angle is too large for the series (or not a number).
class FourTurns {
public:
    explicit FourTurns(float dt) : dt_(_mm_set1_ps(dt)) {}

    // The turns k to k + 3 of waiting.
    void Compute(OrientationTurns::Waiting& waiting, uint32_t k) const {
        __m128 x = _mm_load_ps(waiting.spinX + k);
        __m128 y = _mm_load_ps(waiting.spinY + k);
        __m128 z = _mm_load_ps(waiting.spinZ + k);
        const __m128 rate = Normalize(x, y, z);
        Normalize(x, y, z);
        const __m128 half = _mm_mul_ps(_mm_mul_ps(rate, dt_), _mm_set1_ps(0.5f));
        __m128 sine;
        __m128 cosine;
        if (!SinCos(half, &sine, &cosine)) {
            for (uint32_t i = k; i < k + 4; ++i) {
                ComputeOne(waiting, i, _mm_cvtss_f32(dt_));
            }
            return;
        }
        _mm_store_ps(waiting.turnX + k, _mm_mul_ps(x, sine));
        _mm_store_ps(waiting.turnY + k, _mm_mul_ps(y, sine));
        _mm_store_ps(waiting.turnZ + k, _mm_mul_ps(z, sine));
        _mm_store_ps(waiting.turnW + k, cosine);
    }

private:
    // Vec3::Normalize: the length from the sum of squares in double precision rounded to float, then one reciprocal
    // and three products; below FLT_EPSILON the vector becomes zero. Returns the lengths.
    static __m128 Normalize(__m128& x, __m128& y, __m128& z) {
        const __m128 sums =
            _mm_movelh_ps(_mm_cvtpd_ps(SumOfSquares(x, y, z)),
                          _mm_cvtpd_ps(SumOfSquares(_mm_movehl_ps(x, x), _mm_movehl_ps(y, y), _mm_movehl_ps(z, z))));
        const __m128 length = _mm_sqrt_ps(sums);
        const __m128 zero = _mm_cmplt_ps(_mm_andnot_ps(_mm_set1_ps(-0.0f), length), _mm_set1_ps(quill::kFloatEpsilon));
        const __m128 reciprocal = _mm_div_ps(_mm_set1_ps(1.0f), length);
        x = _mm_andnot_ps(zero, _mm_mul_ps(x, reciprocal));
        y = _mm_andnot_ps(zero, _mm_mul_ps(y, reciprocal));
        z = _mm_andnot_ps(zero, _mm_mul_ps(z, reciprocal));
        return length;
    }

    // (x^2 + y^2) + z^2 of the two low lanes in double precision.
    static __m128d SumOfSquares(__m128 x, __m128 y, __m128 z) {
        const __m128d dx = _mm_cvtps_pd(x);
        const __m128d dy = _mm_cvtps_pd(y);
        const __m128d dz = _mm_cvtps_pd(z);
        return _mm_add_pd(_mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy)), _mm_mul_pd(dz, dz));
    }

    // physmath::SinCos on the series, when every |angle| is within pi / 4: the series of |angle| in double
    // precision, the sine given the angle's sign, both rounded once to float.
    static bool SinCos(__m128 angle, __m128* sine, __m128* cosine) {
        const __m128 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), angle);
        const __m128d low = _mm_cvtps_pd(magnitude);
        const __m128d high = _mm_cvtps_pd(_mm_movehl_ps(magnitude, magnitude));
        const __m128d limit = _mm_set1_pd(physmath::kQuarterPi);
        if (_mm_movemask_pd(_mm_cmple_pd(low, limit)) != 3 || _mm_movemask_pd(_mm_cmple_pd(high, limit)) != 3) {
            return false;
        }
        const __m128d signLow = _mm_and_pd(_mm_cvtps_pd(angle), _mm_set1_pd(-0.0));
        const __m128d signHigh = _mm_and_pd(_mm_cvtps_pd(_mm_movehl_ps(angle, angle)), _mm_set1_pd(-0.0));
        *sine = _mm_movelh_ps(_mm_cvtpd_ps(_mm_xor_pd(SinSeries(low), signLow)),
                              _mm_cvtpd_ps(_mm_xor_pd(SinSeries(high), signHigh)));
        *cosine = _mm_movelh_ps(_mm_cvtpd_ps(CosSeries(low)), _mm_cvtpd_ps(CosSeries(high)));
        return true;
    }

    template <size_t N>
    static __m128d Horner(const double (&coefficients)[N], __m128d z) {
        __m128d p = _mm_set1_pd(coefficients[N - 1]);
        for (size_t i = N - 1; i-- > 0;) {
            p = _mm_add_pd(_mm_set1_pd(coefficients[i]), _mm_mul_pd(z, p));
        }
        return p;
    }

    static __m128d SinSeries(__m128d r) {
        const __m128d z = _mm_mul_pd(r, r);
        return _mm_add_pd(r, _mm_mul_pd(_mm_mul_pd(r, z), Horner(physmath::kSinSeries, z)));
    }

    static __m128d CosSeries(__m128d r) {
        const __m128d z = _mm_mul_pd(r, r);
        return _mm_add_pd(_mm_set1_pd(1.0), _mm_mul_pd(z, Horner(physmath::kCosSeries, z)));
    }

    __m128 dt_;
};

void ComputeTurns(OrientationTurns::Waiting& waiting, float dt) {
    const FourTurns four(dt);
    uint32_t k = 0;
    for (; k + 4 <= waiting.count; k += 4) {
        four.Compute(waiting, k);
    }
    for (; k < waiting.count; ++k) {
        ComputeOne(waiting, k, dt);
    }
}

#else

void ComputeTurns(OrientationTurns::Waiting& waiting, float dt) {
    for (uint32_t k = 0; k < waiting.count; ++k) {
        ComputeOne(waiting, k, dt);
    }
}

#endif

}  // namespace

void OrientationTurns::Resize(uint16_t count) {
    waiting_.assign(count, Waiting{});
}

quill::Quaternion OrientationTurns::TurnOf(const quill::Vec3& spin, float dt) {
    quill::Vec3 axis = spin;
    float rate = 0.0f;
    axis.Normalize(&rate);
    return RotationAbout(axis, rate * dt);
}

// First every turn quaternion (independent of one another), then the products, the balls' chains side by side.
void OrientationTurns::ApplyAll(PhysicsModel& model, float dt) {
    uint32_t longest = 0;
    for (Waiting& waiting : waiting_) {
        ComputeTurns(waiting, dt);
        longest = std::max(longest, waiting.count);
    }
    for (uint32_t k = 0; k < longest; ++k) {
        for (size_t i = 0; i < waiting_.size(); ++i) {
            const Waiting& waiting = waiting_[i];
            if (k < waiting.count) {
                Turn(model.Ball(static_cast<uint16_t>(i)).orientation,
                     quill::Quaternion{waiting.turnX[k], waiting.turnY[k], waiting.turnZ[k], waiting.turnW[k]});
            }
        }
    }
    for (Waiting& waiting : waiting_) {
        waiting.count = 0;
    }
}

}  // namespace kestrovan
