#include "client/physics/OrientationTurns.h"

#include <algorithm>
#include <cstddef>

#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"
#include "client/physics/TurnSideBySide.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrovan {

namespace {

// Turn k of waiting, one at a time.
void ComputeOne(OrientationTurns::Waiting& waiting, uint32_t k, float dt) {
    waiting.turns[k] = OrientationTurns::TurnOf(quill::Vec3{waiting.spinX[k], waiting.spinY[k], waiting.spinZ[k]}, dt);
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
        __m128 turnX = _mm_mul_ps(x, sine);
        __m128 turnY = _mm_mul_ps(y, sine);
        __m128 turnZ = _mm_mul_ps(z, sine);
        _MM_TRANSPOSE4_PS(turnX, turnY, turnZ, cosine);  // one quaternion per sub-step
        _mm_store_ps(&waiting.turns[k].x, turnX);
        _mm_store_ps(&waiting.turns[k + 1].x, turnY);
        _mm_store_ps(&waiting.turns[k + 2].x, turnZ);
        _mm_store_ps(&waiting.turns[k + 3].x, cosine);
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

// A ball's orientation while it turns: its components side by side in a register.
using HeldOrientation = __m128;

HeldOrientation Hold(const quill::Quaternion& orientation) {
    return _mm_loadu_ps(&orientation.x);
}

void Release(HeldOrientation held, quill::Quaternion& orientation) {
    _mm_storeu_ps(&orientation.x, held);
}

// mask ? a : b, lane by lane.
__m128 Select(__m128 mask, __m128 a, __m128 b) {
    return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
}

// Turn j of each of a group's four balls, one ball per lane: OrientationTurns::Turn lane by lane, each component
// with the scalar form's operations in their order, so the bits are the same. A lane whose ball has no turn j keeps
// its orientation.
void TurnGroupStep(OrientationTurns::Group& group, uint32_t j) {
    const OrientationTurns::Waiting* const* waiting = group.waiting;
    __m128 ax = _mm_load_ps(&waiting[0]->turns[j].x);
    __m128 ay = _mm_load_ps(&waiting[1]->turns[j].x);
    __m128 az = _mm_load_ps(&waiting[2]->turns[j].x);
    __m128 aw = _mm_load_ps(&waiting[3]->turns[j].x);
    _MM_TRANSPOSE4_PS(ax, ay, az, aw);
    const __m128 bx = _mm_load_ps(group.x);
    const __m128 by = _mm_load_ps(group.y);
    const __m128 bz = _mm_load_ps(group.z);
    const __m128 bw = _mm_load_ps(group.w);
    __m128 x = _mm_sub_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(aw, bx), _mm_mul_ps(ax, bw)), _mm_mul_ps(ay, bz)),
                          _mm_mul_ps(az, by));
    __m128 y = _mm_sub_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(aw, by), _mm_mul_ps(ay, bw)), _mm_mul_ps(az, bx)),
                          _mm_mul_ps(ax, bz));
    __m128 z = _mm_sub_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(aw, bz), _mm_mul_ps(az, bw)), _mm_mul_ps(ax, by)),
                          _mm_mul_ps(ay, bx));
    __m128 w = _mm_sub_ps(_mm_sub_ps(_mm_sub_ps(_mm_mul_ps(aw, bw), _mm_mul_ps(ax, bx)), _mm_mul_ps(ay, by)),
                          _mm_mul_ps(az, bz));
    // QuaternionNormalize: the length from the squares summed in order, then one division per component.
    const __m128 length = _mm_sqrt_ps(
        _mm_add_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(x, x), _mm_mul_ps(y, y)), _mm_mul_ps(z, z)), _mm_mul_ps(w, w)));
    const __m128 zero = _mm_cmplt_ps(length, _mm_set1_ps(quill::kFloatEpsilon));
    x = _mm_andnot_ps(zero, _mm_div_ps(x, length));
    y = _mm_andnot_ps(zero, _mm_div_ps(y, length));
    z = _mm_andnot_ps(zero, _mm_div_ps(z, length));
    w = _mm_andnot_ps(zero, _mm_div_ps(w, length));
    if (j >= group.fewest) {
        const __m128 turns = _mm_castsi128_ps(_mm_cmpgt_epi32(
            _mm_load_si128(reinterpret_cast<const __m128i*>(group.counts)), _mm_set1_epi32(static_cast<int32_t>(j))));
        x = Select(turns, x, bx);
        y = Select(turns, y, by);
        z = Select(turns, z, bz);
        w = Select(turns, w, bw);
    }
    _mm_store_ps(group.x, x);
    _mm_store_ps(group.y, y);
    _mm_store_ps(group.z, z);
    _mm_store_ps(group.w, w);
}

// The turns k to k + 3 of waiting (a block beyond the count holds zero spins, which turn nothing).
void ComputeBlock(OrientationTurns::Waiting& waiting, uint32_t k, float dt) {
    FourTurns(dt).Compute(waiting, k);
}

#else

using HeldOrientation = quill::Quaternion;

HeldOrientation Hold(const quill::Quaternion& orientation) {
    return orientation;
}

void Release(HeldOrientation held, quill::Quaternion& orientation) {
    orientation = held;
}

HeldOrientation TurnSideBySide(HeldOrientation orientation, const quill::Quaternion& turn) {
    OrientationTurns::Turn(orientation, turn);
    return orientation;
}

void TurnGroupStep(OrientationTurns::Group& group, uint32_t j) {
    const OrientationTurns::Waiting* const* waiting = group.waiting;
    for (size_t lane = 0; lane < 4; ++lane) {
        if (j < waiting[lane]->count) {
            quill::Quaternion q{group.x[lane], group.y[lane], group.z[lane], group.w[lane]};
            OrientationTurns::Turn(q, waiting[lane]->turns[j]);
            group.x[lane] = q.x;
            group.y[lane] = q.y;
            group.z[lane] = q.z;
            group.w[lane] = q.w;
        }
    }
}

void ComputeBlock(OrientationTurns::Waiting& waiting, uint32_t k, float dt) {
    for (uint32_t i = k; i < k + 4; ++i) {
        ComputeOne(waiting, i, dt);
    }
}

#endif

// The products of ApplyAll: the groups' turns one sub-step at a time, and those of the Alone balls left over (from
// turning[firstAlone]), each with its orientation held in a register from its first turn to its last. Each sub-step
// is followed by a quarter of the balls' next blocks.
template <size_t Alone>
void RunProducts(PhysicsModel& model, std::vector<OrientationTurns::Waiting>& waiting,
                 const std::vector<uint16_t>& turning, std::vector<OrientationTurns::Group>& groups,
                 size_t groupCount, uint32_t longest, float dt) {
    const size_t firstAlone = turning.size() - Alone;
    HeldOrientation held[Alone + 1];
    const OrientationTurns::Waiting* alone[Alone + 1];
    for (size_t a = 0; a < Alone; ++a) {
        held[a] = Hold(model.Ball(turning[firstAlone + a]).orientation);
        alone[a] = &waiting[turning[firstAlone + a]];
    }
    const auto computeBlock = [&](uint32_t k, size_t first, size_t end) {
        for (size_t b = first; b < end; ++b) {
            OrientationTurns::Waiting& ball = waiting[turning[b]];
            if (k < ball.count) {
                ComputeBlock(ball, k, dt);
            }
        }
    };
    computeBlock(0, 0, turning.size());
    const size_t share = (turning.size() + 3) / 4;
    for (uint32_t k = 0; k < longest; k += 4) {
        for (uint32_t j = 0; j < 4; ++j) {
            for (size_t g = 0; g < groupCount; ++g) {
                if (k + j < groups[g].most) {
                    TurnGroupStep(groups[g], k + j);
                }
            }
            for (size_t a = 0; a < Alone; ++a) {
                if (k + j < alone[a]->count) {
                    held[a] = TurnSideBySide(held[a], alone[a]->turns[k + j]);
                }
            }
            computeBlock(k + 4, std::min(j * share, turning.size()), std::min((j + 1) * share, turning.size()));
        }
    }
    for (size_t a = 0; a < Alone; ++a) {
        Release(held[a], model.Ball(turning[firstAlone + a]).orientation);
    }
}

}  // namespace

void OrientationTurns::Resize(uint16_t count) {
    waiting_.assign(count, Waiting{});
    turning_.clear();
    turning_.reserve(count);
    groups_.assign((count + 3u) / 4u, Group{});
    wideGroups_.assign((count + 7u) / 8u, WideGroup{});
}

quill::Quaternion OrientationTurns::TurnOf(const quill::Vec3& spin, float dt) {
    quill::Vec3 axis = spin;
    float rate = 0.0f;
    axis.Normalize(&rate);
    return RotationAbout(axis, rate * dt);
}

// The turn quaternions four sub-steps at a time (the last block filled up with zero spins), each block computed
// while the products of the one before it run: the products follow one another, the turns are independent. The
// products run four balls at a time, one ball per lane of a group; the few left over, which would leave lanes idle,
// each with the components of its quaternion side by side in a register.
void OrientationTurns::ApplyAll(PhysicsModel& model, float dt) {
    if (wide_) {
        ApplyAllWide(model, dt);
        return;
    }
    uint32_t longest = 0;
    for (size_t i = 0; i < waiting_.size(); ++i) {
        Waiting& waiting = waiting_[i];
        if (waiting.count != 0) {
            for (uint32_t k = waiting.count; k % 4 != 0; ++k) {
                waiting.spinX[k] = waiting.spinY[k] = waiting.spinZ[k] = 0.0f;
            }
            longest = std::max(longest, waiting.count);
            turning_.push_back(static_cast<uint16_t>(i));
        }
    }
    const size_t groupCount = turning_.size() / 4;
    const size_t firstAlone = 4 * groupCount;
    for (size_t g = 0; g < groupCount; ++g) {
        LoadGroup(model, g);
    }
    WithLeftOver(turning_.size() - firstAlone, [&](auto alone) {
        RunProducts<decltype(alone)::value>(model, waiting_, turning_, groups_, groupCount, longest, dt);
    });
    for (size_t g = 0; g < groupCount; ++g) {
        StoreGroup(model, g);
    }
    for (const uint16_t i : turning_) {
        waiting_[i].count = 0;
    }
    turning_.clear();
}

// The orientations, waiting turns and turn counts of the turning balls 4g to 4g + 3 into group g's lanes.
void OrientationTurns::LoadGroup(PhysicsModel& model, size_t g) {
    Group& group = groups_[g];
    group.fewest = kCapacity;
    group.most = 0;
    for (size_t lane = 0; lane < 4; ++lane) {
        const uint16_t index = turning_[4 * g + lane];
        const quill::Quaternion& q = model.Ball(index).orientation;
        group.x[lane] = q.x;
        group.y[lane] = q.y;
        group.z[lane] = q.z;
        group.w[lane] = q.w;
        group.waiting[lane] = &waiting_[index];
        const uint32_t count = waiting_[index].count;
        group.counts[lane] = static_cast<int32_t>(count);
        group.fewest = std::min(group.fewest, count);
        group.most = std::max(group.most, count);
    }
}

void OrientationTurns::StoreGroup(PhysicsModel& model, size_t g) const {
    const Group& group = groups_[g];
    for (size_t lane = 0; lane < 4; ++lane) {
        model.Ball(turning_[4 * g + lane]).orientation =
            quill::Quaternion{group.x[lane], group.y[lane], group.z[lane], group.w[lane]};
    }
}

}  // namespace kestrovan
