// The wide code of OrientationTurns: the same operations as the baseline code, lane by lane, in the AVX registers,
// chosen at run time on processors that have them. Every function that uses AVX carries the target attribute
// (never FMA: a fused multiply-add rounds once where the scalar form rounds twice).
#include <algorithm>
#include <bit>
#include <cstddef>

#include "client/physics/OrientationTurns.h"
#include "client/physics/PhysicsMath.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/TurnSideBySide.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define KV_WIDE __attribute__((target("avx")))
#endif

namespace kestrovan {

#if defined(KV_WIDE)

bool OrientationTurns::SupportsWide() {
    return __builtin_cpu_supports("avx") != 0;
}

namespace {

constexpr uint32_t kBlock = 8;  // turns computed together

// The largest float not above the double pi / 4: a float angle is within the series' range exactly when its
// magnitude is at most this, which compares eight lanes at once in single precision.
constexpr float kQuarterPiBelow = std::bit_cast<float>(0x3F490FDAu);
static_assert(static_cast<double>(kQuarterPiBelow) <= physmath::kQuarterPi &&
              static_cast<double>(std::bit_cast<float>(0x3F490FDBu)) > physmath::kQuarterPi);

// A series' coefficients, each in the four lanes of a register, so that the products and sums take them straight
// from memory.
template <size_t N>
struct WideCoefficients {
    alignas(32) double lanes[N][4];
};

template <size_t N>
constexpr WideCoefficients<N> Widened(const double (&coefficients)[N]) {
    WideCoefficients<N> wide{};
    for (size_t i = 0; i < N; ++i) {
        for (double& lane : wide.lanes[i]) {
            lane = coefficients[i];
        }
    }
    return wide;
}

constexpr auto kWideSinSeries = Widened(physmath::kSinSeries);
constexpr auto kWideCosSeries = Widened(physmath::kCosSeries);

// Eight turns at once, lane by lane the operations of TurnOf as the baseline code's four at a time do them: the
// float parts eight lanes wide, the double ones in two registers of four. Falls back to TurnOf when an angle is too
// large for the series (or not a number).
class EightTurns {
public:
    KV_WIDE explicit EightTurns(float dt) : dt_(_mm256_set1_ps(dt)) {}

    // The turns k to k + 7 of waiting.
    KV_WIDE void Compute(OrientationTurns::Waiting& waiting, uint32_t k) const { ComputeInline(waiting, k); }

    // Compute always inlined into its caller, which then keeps its own values in registers across it (a call would
    // put those the caller holds in SSE registers into memory and back).
    KV_WIDE __attribute__((always_inline)) void ComputeInline(OrientationTurns::Waiting& waiting, uint32_t k) const {
        __m256 x;
        __m256 y;
        __m256 z;
        const __m256 half = HalfAngles(waiting, k, x, y, z);
        Normalize(x, y, z);
        __m256 sine;
        __m256 cosine;
        if (!SinCos(half, &sine, &cosine)) {
            ComputeOneByOne(waiting, k);
            return;
        }
        StoreTurns(waiting, k, x, y, z, sine, cosine);
    }

    // Compute in three stages, each a short chain of its own: a caller that holds a long chain of its own (the
    // products) spreads them over its steps, so that no stage waits long in the processor's queues and holds up the
    // caller's chain behind it.
    struct Staged {
        __m256 x;
        __m256 y;
        __m256 z;
        __m256 angle;  // half the turn's angle, then its cosine
        __m256 sine;
        bool inRange;  // whether the angles are within the series' range
    };

    // The spins' first normalisation and the half angles.
    KV_WIDE __attribute__((always_inline)) Staged Begin(const OrientationTurns::Waiting& waiting, uint32_t k) const {
        Staged staged;
        staged.angle = HalfAngles(waiting, k, staged.x, staged.y, staged.z);
        return staged;
    }

    // The second normalisation and the sines and cosines.
    KV_WIDE __attribute__((always_inline)) void Continue(Staged& staged) const {
        Normalize(staged.x, staged.y, staged.z);
        staged.inRange = SinCos(staged.angle, &staged.sine, &staged.angle);
    }

    // The turns k to k + 7 from them.
    KV_WIDE __attribute__((always_inline)) void Finish(OrientationTurns::Waiting& waiting, uint32_t k,
                                                       const Staged& staged) const {
        if (!staged.inRange) {
            ComputeOneByOne(waiting, k);
            return;
        }
        StoreTurns(waiting, k, staged.x, staged.y, staged.z, staged.sine, staged.angle);
    }

private:
    // The spins k to k + 7 normalised into x, y and z, and half the angles they turn by.
    KV_WIDE __attribute__((always_inline)) __m256 HalfAngles(const OrientationTurns::Waiting& waiting, uint32_t k,
                                                             __m256& x, __m256& y, __m256& z) const {
        const float* spinX = waiting.spinX + k;
        const float* spinY = waiting.spinY + k;
        const float* spinZ = waiting.spinZ + k;
        x = _mm256_load_ps(spinX);
        y = _mm256_load_ps(spinY);
        z = _mm256_load_ps(spinZ);
        // The spins' first normalisation takes its doubles straight from memory.
        const __m256 sums = Join(SumOfSquares(Load(spinX), Load(spinY), Load(spinZ)),
                                 SumOfSquares(Load(spinX + 4), Load(spinY + 4), Load(spinZ + 4)));
        const __m256 rate = Scale(sums, x, y, z);
        return _mm256_mul_ps(_mm256_mul_ps(rate, dt_), _mm256_set1_ps(0.5f));
    }

    // The turns k to k + 7 with TurnOf, where an angle is out of the series' range (or not a number).
    KV_WIDE void ComputeOneByOne(OrientationTurns::Waiting& waiting, uint32_t k) const {
        const float dt = _mm_cvtss_f32(_mm256_castps256_ps128(dt_));
        for (uint32_t i = k; i < k + kBlock; ++i) {
            waiting.turns[i] =
                OrientationTurns::TurnOf(quill::Vec3{waiting.spinX[i], waiting.spinY[i], waiting.spinZ[i]}, dt);
        }
    }

    // The turn quaternions from the axes x, y, z and the half angles' sines and cosines.
    KV_WIDE __attribute__((always_inline)) static void StoreTurns(OrientationTurns::Waiting& waiting, uint32_t k,
                                                                  __m256 x, __m256 y, __m256 z, __m256 sine,
                                                                  __m256 cosine) {
        const __m256 turnX = _mm256_mul_ps(x, sine);
        const __m256 turnY = _mm256_mul_ps(y, sine);
        const __m256 turnZ = _mm256_mul_ps(z, sine);
        // One quaternion per sub-step: turns k + i in the low half of row i, k + 4 + i in the high half.
        const __m256 xyLow = _mm256_unpacklo_ps(turnX, turnY);
        const __m256 xyHigh = _mm256_unpackhi_ps(turnX, turnY);
        const __m256 zwLow = _mm256_unpacklo_ps(turnZ, cosine);
        const __m256 zwHigh = _mm256_unpackhi_ps(turnZ, cosine);
        quill::Quaternion* turns = waiting.turns + k;
        Store(_mm256_shuffle_ps(xyLow, zwLow, _MM_SHUFFLE(1, 0, 1, 0)), turns);
        Store(_mm256_shuffle_ps(xyLow, zwLow, _MM_SHUFFLE(3, 2, 3, 2)), turns + 1);
        Store(_mm256_shuffle_ps(xyHigh, zwHigh, _MM_SHUFFLE(1, 0, 1, 0)), turns + 2);
        Store(_mm256_shuffle_ps(xyHigh, zwHigh, _MM_SHUFFLE(3, 2, 3, 2)), turns + 3);
    }

    KV_WIDE static void Store(__m256 row, quill::Quaternion* turns) {
        _mm_store_ps(&turns[0].x, _mm256_castps256_ps128(row));
        _mm_store_ps(&turns[4].x, _mm256_extractf128_ps(row, 1));
    }

    KV_WIDE static __m256d Load(const float* four) { return _mm256_cvtps_pd(_mm_load_ps(four)); }
    KV_WIDE static __m256d Low(__m256 v) { return _mm256_cvtps_pd(_mm256_castps256_ps128(v)); }
    KV_WIDE static __m256d High(__m256 v) { return _mm256_cvtps_pd(_mm256_extractf128_ps(v, 1)); }
    KV_WIDE static __m256 Join(__m256d low, __m256d high) {
        return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm256_cvtpd_ps(low)), _mm256_cvtpd_ps(high), 1);
    }

    // Vec3::Normalize: the length from the sum of squares in double precision rounded to float, then one reciprocal
    // and three products; below FLT_EPSILON the vector becomes zero. Returns the lengths.
    KV_WIDE static __m256 Normalize(__m256& x, __m256& y, __m256& z) {
        return Scale(Join(SumOfSquares(Low(x), Low(y), Low(z)), SumOfSquares(High(x), High(y), High(z))), x, y, z);
    }

    // The rest of Normalize from the sums of squares rounded to float. Their roots are never negative (or not a
    // number), so the lengths compare with FLT_EPSILON as they are.
    KV_WIDE static __m256 Scale(__m256 sums, __m256& x, __m256& y, __m256& z) {
        const __m256 length = _mm256_sqrt_ps(sums);
        const __m256 zero = _mm256_cmp_ps(length, _mm256_set1_ps(quill::kFloatEpsilon), _CMP_LT_OS);
        const __m256 reciprocal = _mm256_div_ps(_mm256_set1_ps(1.0f), length);
        x = _mm256_andnot_ps(zero, _mm256_mul_ps(x, reciprocal));
        y = _mm256_andnot_ps(zero, _mm256_mul_ps(y, reciprocal));
        z = _mm256_andnot_ps(zero, _mm256_mul_ps(z, reciprocal));
        return length;
    }

    // (x^2 + y^2) + z^2 in double precision.
    KV_WIDE static __m256d SumOfSquares(__m256d x, __m256d y, __m256d z) {
        return _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(x, x), _mm256_mul_pd(y, y)), _mm256_mul_pd(z, z));
    }

    // physmath::SinCos on the series, when every |angle| is within pi / 4: the series of |angle| in double
    // precision, both rounded once to float, then the sine given the angle's sign (rounding toward zero or to
    // nearest treats a value and its negation alike, so the sign may follow the rounding).
    KV_WIDE static bool SinCos(__m256 angle, __m256* sine, __m256* cosine) {
        const __m256 sign = _mm256_set1_ps(-0.0f);
        const __m256 magnitude = _mm256_andnot_ps(sign, angle);
        if (_mm256_movemask_ps(_mm256_cmp_ps(magnitude, _mm256_set1_ps(kQuarterPiBelow), _CMP_LE_OS)) != 0xFF) {
            return false;
        }
        const __m256d low = Low(magnitude);
        const __m256d high = High(magnitude);
        const __m256d lowSquare = _mm256_mul_pd(low, low);
        const __m256d highSquare = _mm256_mul_pd(high, high);
        *sine = _mm256_xor_ps(Join(SinSeries(low, lowSquare), SinSeries(high, highSquare)), _mm256_and_ps(angle, sign));
        *cosine = Join(CosSeries(lowSquare), CosSeries(highSquare));
        return true;
    }

    template <size_t N>
    KV_WIDE static __m256d Horner(const WideCoefficients<N>& coefficients, __m256d z) {
        // The table's address hidden from the optimiser, which would otherwise broadcast each coefficient into a
        // register of its own first instead of reading it as the operand of the sum.
        const WideCoefficients<N>* table = &coefficients;
        asm("" : "+r"(table));
        __m256d p = _mm256_load_pd(table->lanes[N - 1]);
        for (size_t i = N - 1; i-- > 0;) {
            p = _mm256_add_pd(_mm256_load_pd(table->lanes[i]), _mm256_mul_pd(z, p));
        }
        return p;
    }

    // r + (r z) P(z) with z = r^2.
    KV_WIDE static __m256d SinSeries(__m256d r, __m256d z) {
        return _mm256_add_pd(r, _mm256_mul_pd(_mm256_mul_pd(r, z), Horner(kWideSinSeries, z)));
    }

    // 1 + z Q(z) with z = r^2.
    KV_WIDE static __m256d CosSeries(__m256d z) {
        return _mm256_add_pd(_mm256_set1_pd(1.0), _mm256_mul_pd(z, Horner(kWideCosSeries, z)));
    }

    __m256 dt_;
};

// Quaternion low in the low half, high in the high half.
KV_WIDE __m256 Pair(const quill::Quaternion& low, const quill::Quaternion& high) {
    return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_load_ps(&low.x)), _mm_load_ps(&high.x), 1);
}

// Turn j of the eight lanes' balls into its components, eight lanes each.
KV_WIDE void Transpose(const OrientationTurns::Waiting* const (&waiting)[8], uint32_t j, __m256& x, __m256& y,
                       __m256& z, __m256& w) {
    const __m256 r0 = Pair(waiting[0]->turns[j], waiting[4]->turns[j]);
    const __m256 r1 = Pair(waiting[1]->turns[j], waiting[5]->turns[j]);
    const __m256 r2 = Pair(waiting[2]->turns[j], waiting[6]->turns[j]);
    const __m256 r3 = Pair(waiting[3]->turns[j], waiting[7]->turns[j]);
    const __m256 t0 = _mm256_unpacklo_ps(r0, r1);
    const __m256 t1 = _mm256_unpacklo_ps(r2, r3);
    const __m256 t2 = _mm256_unpackhi_ps(r0, r1);
    const __m256 t3 = _mm256_unpackhi_ps(r2, r3);
    x = _mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(1, 0, 1, 0));
    y = _mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(3, 2, 3, 2));
    z = _mm256_shuffle_ps(t2, t3, _MM_SHUFFLE(1, 0, 1, 0));
    w = _mm256_shuffle_ps(t2, t3, _MM_SHUFFLE(3, 2, 3, 2));
}

KV_WIDE __m256 Mul(__m256 a, __m256 b) {
    return _mm256_mul_ps(a, b);
}

// mask ? a : b, lane by lane.
KV_WIDE __m256 Select(__m256 mask, __m256 a, __m256 b) {
    return _mm256_or_ps(_mm256_and_ps(mask, a), _mm256_andnot_ps(mask, b));
}

// The orientations of a group's eight balls, component by component.
struct WideOrientations {
    __m256 x;
    __m256 y;
    __m256 z;
    __m256 w;
};

// Turn j of each of a group's eight balls, one ball per lane, as the baseline code's groups of four do it.
KV_WIDE __attribute__((always_inline)) inline void TurnWide(WideOrientations& b,
                                                            const OrientationTurns::WideGroup& group, uint32_t j) {
    __m256 ax;
    __m256 ay;
    __m256 az;
    __m256 aw;
    Transpose(group.waiting, j, ax, ay, az, aw);
    const __m256 bx = b.x;
    const __m256 by = b.y;
    const __m256 bz = b.z;
    const __m256 bw = b.w;
    __m256 x = _mm256_sub_ps(_mm256_add_ps(_mm256_add_ps(Mul(aw, bx), Mul(ax, bw)), Mul(ay, bz)), Mul(az, by));
    __m256 y = _mm256_sub_ps(_mm256_add_ps(_mm256_add_ps(Mul(aw, by), Mul(ay, bw)), Mul(az, bx)), Mul(ax, bz));
    __m256 z = _mm256_sub_ps(_mm256_add_ps(_mm256_add_ps(Mul(aw, bz), Mul(az, bw)), Mul(ax, by)), Mul(ay, bx));
    __m256 w = _mm256_sub_ps(_mm256_sub_ps(_mm256_sub_ps(Mul(aw, bw), Mul(ax, bx)), Mul(ay, by)), Mul(az, bz));
    // QuaternionNormalize: the length from the squares summed in order, then one division per component.
    const __m256 length =
        _mm256_sqrt_ps(_mm256_add_ps(_mm256_add_ps(_mm256_add_ps(Mul(x, x), Mul(y, y)), Mul(z, z)), Mul(w, w)));
    const __m256 zero = _mm256_cmp_ps(length, _mm256_set1_ps(quill::kFloatEpsilon), _CMP_LT_OS);
    x = _mm256_andnot_ps(zero, _mm256_div_ps(x, length));
    y = _mm256_andnot_ps(zero, _mm256_div_ps(y, length));
    z = _mm256_andnot_ps(zero, _mm256_div_ps(z, length));
    w = _mm256_andnot_ps(zero, _mm256_div_ps(w, length));
    if (j >= group.fewest) {
        const __m256 turned =
            _mm256_cmp_ps(_mm256_load_ps(group.counts), _mm256_set1_ps(static_cast<float>(j)), _CMP_GT_OQ);
        x = Select(turned, x, bx);
        y = Select(turned, y, by);
        z = Select(turned, z, bz);
        w = Select(turned, w, bw);
    }
    b = {x, y, z, w};
}

KV_WIDE WideOrientations Hold(const OrientationTurns::WideGroup& group) {
    return {_mm256_load_ps(group.x), _mm256_load_ps(group.y), _mm256_load_ps(group.z), _mm256_load_ps(group.w)};
}

KV_WIDE void Release(const WideOrientations& held, OrientationTurns::WideGroup& group) {
    _mm256_store_ps(group.x, held.x);
    _mm256_store_ps(group.y, held.y);
    _mm256_store_ps(group.z, held.z);
    _mm256_store_ps(group.w, held.w);
}

// TurnWide on the group's orientations in memory.
KV_WIDE void TurnWideGroupStep(OrientationTurns::WideGroup& group, uint32_t j) {
    WideOrientations held = Hold(group);
    TurnWide(held, group, j);
    Release(held, group);
}

// The turns k to k + 7 of the turning balls first to end that have turn k.
KV_WIDE void ComputeBlocks(const EightTurns& eight, std::vector<OrientationTurns::Waiting>& waiting,
                           const std::vector<uint16_t>& turning, uint32_t k, size_t first, size_t end) {
    for (size_t b = first; b < end; ++b) {
        OrientationTurns::Waiting& ball = waiting[turning[b]];
        if (k < ball.count) {
            eight.Compute(ball, k);
        }
    }
}

// The products of the wide ApplyAll: the groups' turns one sub-step at a time, and those of the Alone balls left
// over (from turning[firstAlone]), each with the components of its orientation side by side. The balls' next
// blocks are spread over the sub-steps of the block before, an eighth of the balls after each.
template <size_t Alone>
KV_WIDE void RunWideProducts(PhysicsModel& model, std::vector<OrientationTurns::Waiting>& waiting,
                             const std::vector<uint16_t>& turning, std::vector<OrientationTurns::WideGroup>& groups,
                             size_t groupCount, uint32_t longest, float dt) {
    const EightTurns eight(dt);
    const size_t firstAlone = turning.size() - Alone;
    __m128 held[Alone + 1];
    const OrientationTurns::Waiting* alone[Alone + 1];
    for (size_t a = 0; a < Alone; ++a) {
        held[a] = _mm_loadu_ps(&model.Ball(turning[firstAlone + a]).orientation.x);
        alone[a] = &waiting[turning[firstAlone + a]];
    }
    const size_t n = turning.size();
    ComputeBlocks(eight, waiting, turning, 0, 0, n);
    for (uint32_t k = 0; k < longest; k += kBlock) {
        for (uint32_t j = 0; j < kBlock; ++j) {
            for (size_t g = 0; g < groupCount; ++g) {
                if (k + j < groups[g].most) {
                    TurnWideGroupStep(groups[g], k + j);
                }
            }
            for (size_t a = 0; a < Alone; ++a) {
                if (k + j < alone[a]->count) {
                    held[a] = TurnSideBySide(held[a], alone[a]->turns[k + j]);
                }
            }
            ComputeBlocks(eight, waiting, turning, k + kBlock, (j * n + kBlock - 1) / kBlock,
                          ((j + 1) * n + kBlock - 1) / kBlock);
        }
    }
    for (size_t a = 0; a < Alone; ++a) {
        _mm_storeu_ps(&model.Ball(turning[firstAlone + a]).orientation.x, held[a]);
    }
}

// RunWideProducts for Groups groups (one or two) and no balls left over: the groups' orientations stay in registers
// from their first turn to their last, and the two groups' chains of turns run side by side.
template <size_t Groups>
KV_WIDE void RunHeldGroups(std::vector<OrientationTurns::Waiting>& waiting, const std::vector<uint16_t>& turning,
                           std::vector<OrientationTurns::WideGroup>& groups, uint32_t longest, float dt) {
    const EightTurns eight(dt);
    WideOrientations held[Groups];
    for (size_t g = 0; g < Groups; ++g) {
        held[g] = Hold(groups[g]);
    }
    const size_t n = turning.size();
    ComputeBlocks(eight, waiting, turning, 0, 0, n);
    for (uint32_t k = 0; k < longest; k += kBlock) {
        for (uint32_t j = 0; j < kBlock; ++j) {
            for (size_t g = 0; g < Groups; ++g) {
                if (k + j < groups[g].most) {
                    TurnWide(held[g], groups[g], k + j);
                }
            }
            ComputeBlocks(eight, waiting, turning, k + kBlock, (j * n + kBlock - 1) / kBlock,
                          ((j + 1) * n + kBlock - 1) / kBlock);
        }
    }
    for (size_t g = 0; g < Groups; ++g) {
        Release(held[g], groups[g]);
    }
}

// The floating-point mode the physics computes in (MXCSR): every exception masked, rounding toward zero, denormal
// results flushed to zero and denormal operands read as zero.
constexpr uint32_t kPhysicsMode = 0xFFC0;

// Whether the calling thread computes in the physics' mode, in which NormalizeNearUnit gives the bits of the root
// and the divisions.
bool InPhysicsMode() {
    return (_mm_getcsr() & kPhysicsMode) == kPhysicsMode;
}

// 1 - k 2^-24, the k-th float below 1.
constexpr float BelowOne(uint32_t k) {
    return std::bit_cast<float>(0x3F800000u - k);
}

// In the physics' mode a turned orientation's square length is nearly always 1 - k 2^-24 for a small k: the turn
// and the orientation are of unit length, and rounding toward zero shortens them by a few units in the last place.
// For k from 2 to 9 the length rounds to L = 1 - j 2^-24 with j = k / 2 + 1 (2 to 5), and each quotient x / L
// rounded toward zero is x times R_j in double precision, rounded toward zero to float. R_j lies above 1 / L by less
// than 2^-50 of it, and no float f can lie above x / L but not above x R_j: f L - x would be a positive multiple
// of 2^-48 |x| or more, yet at most 2^-50 |x|. Rounding toward zero to double and then to float rounds as once.
template <uint32_t J>
constexpr double kNearUnitReciprocal = 1.0 + J * 0x1p-24 + J * J * 0x1p-48 + 0x1p-50;

KV_WIDE __attribute__((always_inline)) inline __m128 QuotientNearUnit(__m256d p, double reciprocal) {
    return _mm256_cvtpd_ps(_mm256_mul_pd(p, _mm256_set1_pd(reciprocal)));
}

// NormalizeSideBySide in the physics' mode: for a square sum of 1 - k 2^-24 with k from 2 to 9, the quotients of
// the four possible lengths are multiplied out while the sum is computed, and the sum only chooses among them, so
// that neither the root nor the division waits on the chain of turns.
KV_WIDE __attribute__((always_inline)) inline __m128 NormalizeNearUnit(__m128 p, __m128 sum) {
    const float s = _mm_cvtss_f32(sum);
    if (!(s >= BelowOne(9) && s <= BelowOne(2))) {
        return NormalizeSideBySide(p, sum);
    }
    const __m256d wide = _mm256_cvtps_pd(p);
    const __m128 two = QuotientNearUnit(wide, kNearUnitReciprocal<2>);
    const __m128 three = QuotientNearUnit(wide, kNearUnitReciprocal<3>);
    const __m128 four = QuotientNearUnit(wide, kNearUnitReciprocal<4>);
    const __m128 five = QuotientNearUnit(wide, kNearUnitReciprocal<5>);
    const __m128 twoOrThree = _mm_blendv_ps(three, two, _mm_cmpge_ps(sum, _mm_set1_ps(BelowOne(3))));
    const __m128 fourOrFive = _mm_blendv_ps(five, four, _mm_cmpge_ps(sum, _mm_set1_ps(BelowOne(7))));
    return _mm_blendv_ps(fourOrFive, twoOrThree, _mm_cmpge_ps(sum, _mm_set1_ps(BelowOne(5))));
}

// TurnSideBySide, in the physics' mode when NearUnit.
template <bool NearUnit>
KV_WIDE __attribute__((always_inline)) inline __m128 TurnHeld(__m128 b, const quill::Quaternion& turn) {
    if constexpr (NearUnit) {
        const __m128 p = TurnProductSideBySide(b, turn);
        return NormalizeNearUnit(p, SquareSumSideBySide(p));
    } else {
        return TurnSideBySide(b, turn);
    }
}

// Two balls' orientations side by side, the first's components in the low half of the register, the second's in the
// high half; its steps are those of TurnSideBySide in each half, the same operations in the same order.
KV_WIDE __attribute__((always_inline)) inline __m256 TurnProductPair(__m256 b, __m256 a) {
    const __m256 negateW = _mm256_setr_ps(0.0f, 0.0f, 0.0f, -0.0f, 0.0f, 0.0f, 0.0f, -0.0f);
    __m256 p = _mm256_mul_ps(_mm256_shuffle_ps(a, a, _MM_SHUFFLE(3, 3, 3, 3)), b);
    p = _mm256_add_ps(p, _mm256_xor_ps(negateW, _mm256_mul_ps(_mm256_shuffle_ps(a, a, _MM_SHUFFLE(0, 2, 1, 0)),
                                                               _mm256_shuffle_ps(b, b, _MM_SHUFFLE(0, 3, 3, 3)))));
    p = _mm256_add_ps(p, _mm256_xor_ps(negateW, _mm256_mul_ps(_mm256_shuffle_ps(a, a, _MM_SHUFFLE(1, 0, 2, 1)),
                                                               _mm256_shuffle_ps(b, b, _MM_SHUFFLE(1, 1, 0, 2)))));
    return _mm256_sub_ps(p, _mm256_mul_ps(_mm256_shuffle_ps(a, a, _MM_SHUFFLE(2, 1, 0, 2)),
                                          _mm256_shuffle_ps(b, b, _MM_SHUFFLE(2, 0, 2, 1))));
}

KV_WIDE __attribute__((always_inline)) inline __m256 SquareSumPair(__m256 p) {
    const __m256 squares = _mm256_mul_ps(p, p);
    return _mm256_add_ps(
        _mm256_add_ps(_mm256_add_ps(_mm256_shuffle_ps(squares, squares, _MM_SHUFFLE(0, 0, 0, 0)),
                                    _mm256_shuffle_ps(squares, squares, _MM_SHUFFLE(1, 1, 1, 1))),
                      _mm256_shuffle_ps(squares, squares, _MM_SHUFFLE(2, 2, 2, 2))),
        _mm256_shuffle_ps(squares, squares, _MM_SHUFFLE(3, 3, 3, 3)));
}

// NormalizeSideBySide in each half: a half whose length is below FLT_EPSILON becomes zero.
KV_WIDE __attribute__((always_inline)) inline __m256 NormalizePair(__m256 p, __m256 sum) {
    const __m256 length = _mm256_sqrt_ps(sum);
    const __m256 zero = _mm256_cmp_ps(length, _mm256_set1_ps(quill::kFloatEpsilon), _CMP_LT_OS);
    return _mm256_andnot_ps(zero, _mm256_div_ps(p, length));
}

KV_WIDE __attribute__((always_inline)) inline __m256 QuotientNearUnit(__m256d low, __m256d high, double reciprocal) {
    const __m256d r = _mm256_set1_pd(reciprocal);
    return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm256_cvtpd_ps(_mm256_mul_pd(low, r))),
                                _mm256_cvtpd_ps(_mm256_mul_pd(high, r)), 1);
}

// sum >= bound ? above : below, lane by lane, in one blend. Written as the instruction itself: the compiler turns the
// blend's intrinsic into a select that, without AVX2's integer compares, it takes one lane at a time with branches.
KV_WIDE __attribute__((always_inline)) inline __m256 ChooseAbove(__m256 sum, float bound, __m256 above, __m256 below) {
    const __m256 mask = _mm256_cmp_ps(sum, _mm256_set1_ps(bound), _CMP_GE_OQ);
    __m256 chosen;
    asm("vblendvps %3, %2, %1, %0" : "=x"(chosen) : "x"(below), "x"(above), "x"(mask));
    return chosen;
}

// NormalizeNearUnit in each half.
KV_WIDE __attribute__((always_inline)) inline __m256 NormalizePairNearUnit(__m256 p, __m256 sum) {
    const __m256 near = _mm256_and_ps(_mm256_cmp_ps(sum, _mm256_set1_ps(BelowOne(9)), _CMP_GE_OQ),
                                      _mm256_cmp_ps(sum, _mm256_set1_ps(BelowOne(2)), _CMP_LE_OQ));
    if (_mm256_movemask_ps(near) != 0xFF) {
        return NormalizePair(p, sum);
    }
    const __m256d low = _mm256_cvtps_pd(_mm256_castps256_ps128(p));
    const __m256d high = _mm256_cvtps_pd(_mm256_extractf128_ps(p, 1));
    const __m256 two = QuotientNearUnit(low, high, kNearUnitReciprocal<2>);
    const __m256 three = QuotientNearUnit(low, high, kNearUnitReciprocal<3>);
    const __m256 four = QuotientNearUnit(low, high, kNearUnitReciprocal<4>);
    const __m256 five = QuotientNearUnit(low, high, kNearUnitReciprocal<5>);
    const __m256 twoOrThree = ChooseAbove(sum, BelowOne(3), two, three);
    const __m256 fourOrFive = ChooseAbove(sum, BelowOne(7), four, five);
    return ChooseAbove(sum, BelowOne(5), twoOrThree, fourOrFive);
}

// TurnHeld of two balls side by side.
template <bool NearUnit>
KV_WIDE __attribute__((always_inline)) inline __m256 TurnPair(__m256 b, const quill::Quaternion& first,
                                                               const quill::Quaternion& second) {
    const __m256 a = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_load_ps(&first.x)), _mm_load_ps(&second.x), 1);
    const __m256 p = TurnProductPair(b, a);
    if constexpr (NearUnit) {
        return NormalizePairNearUnit(p, SquareSumPair(p));
    } else {
        return NormalizePair(p, SquareSumPair(p));
    }
}

// The orientations of RunAloneProducts' balls: the first two side by side in pair for their first paired turns
// (as many as the fewer of the two has), then each in a register of its own.
struct HeldAlone {
    __m256 pair;
    __m128 held[3];
    uint32_t paired;
};

// Turn s of the Alone balls.
template <size_t Alone, bool NearUnit>
KV_WIDE __attribute__((always_inline)) inline void TurnAlone(const OrientationTurns::Waiting* const (&alone)[3],
                                                             uint32_t s, HeldAlone& h) {
    if (Alone > 1 && s < h.paired) {
        h.pair = TurnPair<NearUnit>(h.pair, alone[0]->turns[s], alone[1]->turns[s]);
    } else {
        if (Alone > 1 && s == h.paired) {
            h.held[0] = _mm256_castps256_ps128(h.pair);
            h.held[1] = _mm256_extractf128_ps(h.pair, 1);
        }
        if (Alone > 0 && s < alone[0]->count) {
            h.held[0] = TurnHeld<NearUnit>(h.held[0], alone[0]->turns[s]);
        }
        if (Alone > 1 && s < alone[1]->count) {
            h.held[1] = TurnHeld<NearUnit>(h.held[1], alone[1]->turns[s]);
        }
    }
    if (Alone > 2 && s < alone[2]->count) {
        h.held[2] = TurnHeld<NearUnit>(h.held[2], alone[2]->turns[s]);
    }
}

// Stage 0, 1 or 2 of the block of turns k of waiting, after a step of RunAloneProducts' products; any other stage
// does nothing. A whole block computed between two steps puts its ~200 instructions behind one long chain, where
// they fill the processor's queues and hold up the products that follow; a stage per step does not.
KV_WIDE __attribute__((always_inline)) inline void NextBlockStage(const EightTurns& eight,
                                                                  OrientationTurns::Waiting& waiting, uint32_t k,
                                                                  uint32_t stage, EightTurns::Staged& staged) {
    if (stage == 0) {
        staged = eight.Begin(waiting, k);
    } else if (stage == 1) {
        eight.Continue(staged);
    } else if (stage == 2) {
        eight.Finish(waiting, k, staged);
    }
}

// The products of the wide ApplyAll without groups: the Alone turning balls, each with its orientation held in a
// register (the first two together in one while both have turns, which halves their instructions), and their next
// blocks computed in stages over the sub-steps of the block before (three after each other for each ball). The loop
// makes no calls, so that the compiler keeps the orientations in registers (across a call it keeps them in memory,
// which puts a store and a load into every step of their chains).
template <size_t Alone, bool NearUnit>
KV_WIDE void RunAloneProducts(PhysicsModel& model, std::vector<OrientationTurns::Waiting>& waiting,
                              const std::vector<uint16_t>& turning, uint32_t longest, float dt) {
    const EightTurns eight(dt);
    const OrientationTurns::Waiting* alone[3] = {};
    HeldAlone h{};
    EightTurns::Staged staged[3] = {};
    for (size_t a = 0; a < Alone; ++a) {
        h.held[a] = _mm_loadu_ps(&model.Ball(turning[a]).orientation.x);
        alone[a] = &waiting[turning[a]];
        staged[a] = eight.Begin(waiting[turning[a]], 0);
    }
    // The first blocks stage by stage, so that their chains run side by side.
    for (size_t a = 0; a < Alone; ++a) {
        eight.Continue(staged[a]);
    }
    for (size_t a = 0; a < Alone; ++a) {
        eight.Finish(waiting[turning[a]], 0, staged[a]);
    }
    if constexpr (Alone > 1) {
        h.pair = _mm256_insertf128_ps(_mm256_castps128_ps256(h.held[0]), h.held[1], 1);
        h.paired = std::min(alone[0]->count, alone[1]->count);
    }
    for (uint32_t k = 0; k < longest; k += kBlock) {
        OrientationTurns::Waiting* next[3] = {};
        for (size_t a = 0; a < Alone; ++a) {
            next[a] = k + kBlock < alone[a]->count ? &waiting[turning[a]] : nullptr;
        }
        // Unrolled, so that the stages' places are known when compiling.
#pragma GCC unroll 8
        for (uint32_t j = 0; j < kBlock; ++j) {
            TurnAlone<Alone, NearUnit>(alone, k + j, h);
            for (size_t a = 0; a < Alone; ++a) {
                if (next[a] != nullptr) {
                    const auto first = static_cast<uint32_t>(a * (kBlock - 2) / Alone);
                    NextBlockStage(eight, *next[a], k + kBlock, j - first, staged[a]);
                }
            }
        }
    }
    // The pair parts only after its last turn when no turn came after it.
    if (Alone > 1 && h.paired >= (longest + kBlock - 1) / kBlock * kBlock) {
        h.held[0] = _mm256_castps256_ps128(h.pair);
        h.held[1] = _mm256_extractf128_ps(h.pair, 1);
    }
    for (size_t a = 0; a < Alone; ++a) {
        _mm_storeu_ps(&model.Ball(turning[a]).orientation.x, h.held[a]);
    }
}

}  // namespace

// As ApplyAll: the turns eight sub-steps at a time; the products eight balls at a time, a group with fewer than
// eight balls from four on (its other lanes turn nothing), the up to three left over each side by side (with no
// group, in a loop of their own).
KV_WIDE void OrientationTurns::ApplyAllWide(PhysicsModel& model, float dt) {
    uint32_t longest = 0;
    for (size_t i = 0; i < waiting_.size(); ++i) {
        Waiting& waiting = waiting_[i];
        if (waiting.count != 0) {
            for (uint32_t k = waiting.count; k % kBlock != 0; ++k) {
                waiting.spinX[k] = waiting.spinY[k] = waiting.spinZ[k] = 0.0f;
            }
            longest = std::max(longest, waiting.count);
            turning_.push_back(static_cast<uint16_t>(i));
        }
    }
    const size_t n = turning_.size();
    const size_t groupCount = n % kBlock >= 4 ? n / kBlock + 1 : n / kBlock;
    const size_t firstAlone = std::min(n, groupCount * kBlock);
    for (size_t g = 0; g < groupCount; ++g) {
        LoadWideGroup(model, g, g * kBlock, std::min(firstAlone, (g + 1) * kBlock));
    }
    if (groupCount == 0) {
        WithLeftOver(n, [&](auto alone) {
            if constexpr (decltype(alone)::value != 0) {
                if (InPhysicsMode()) {
                    RunAloneProducts<decltype(alone)::value, true>(model, waiting_, turning_, longest, dt);
                } else {
                    RunAloneProducts<decltype(alone)::value, false>(model, waiting_, turning_, longest, dt);
                }
            }
        });
    } else if (firstAlone == n && groupCount == 1) {
        RunHeldGroups<1>(waiting_, turning_, wideGroups_, longest, dt);
    } else if (firstAlone == n && groupCount == 2) {
        RunHeldGroups<2>(waiting_, turning_, wideGroups_, longest, dt);
    } else {
        WithLeftOver(n - firstAlone, [&](auto alone) {
            RunWideProducts<decltype(alone)::value>(model, waiting_, turning_, wideGroups_, groupCount, longest, dt);
        });
    }
    for (size_t g = 0; g < groupCount; ++g) {
        StoreWideGroup(model, g, g * kBlock, std::min(firstAlone, (g + 1) * kBlock));
    }
    for (const uint16_t i : turning_) {
        waiting_[i].count = 0;
    }
    turning_.clear();
}

// The turning balls first to end into group g's lanes; the lanes after them have no turns.
void OrientationTurns::LoadWideGroup(PhysicsModel& model, size_t g, size_t first, size_t end) {
    WideGroup& group = wideGroups_[g];
    group.fewest = kCapacity;
    group.most = 0;
    for (size_t lane = 0; lane < kBlock; ++lane) {
        const bool ball = first + lane < end;
        const quill::Quaternion q = ball ? model.Ball(turning_[first + lane]).orientation : quill::Quaternion{};
        group.x[lane] = q.x;
        group.y[lane] = q.y;
        group.z[lane] = q.z;
        group.w[lane] = q.w;
        group.waiting[lane] = ball ? &waiting_[turning_[first + lane]] : &none_;
        const uint32_t count = group.waiting[lane]->count;
        group.counts[lane] = static_cast<float>(count);
        group.fewest = std::min(group.fewest, count);
        group.most = std::max(group.most, count);
    }
}

void OrientationTurns::StoreWideGroup(PhysicsModel& model, size_t g, size_t first, size_t end) const {
    const WideGroup& group = wideGroups_[g];
    for (size_t lane = 0; first + lane < end; ++lane) {
        model.Ball(turning_[first + lane]).orientation =
            quill::Quaternion{group.x[lane], group.y[lane], group.z[lane], group.w[lane]};
    }
}

#else

bool OrientationTurns::SupportsWide() {
    return false;
}

void OrientationTurns::ApplyAllWide(PhysicsModel&, float) {}

#endif

}  // namespace kestrovan
