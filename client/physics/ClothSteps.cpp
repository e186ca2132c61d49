#include "client/physics/ClothSteps.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <type_traits>

#include "client/physics/OrientationTurns.h"
#include "client/physics/PhysicsBall.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsModel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#define KV_WIDE __attribute__((target("avx")))
#endif

namespace kestrovan {

#if defined(__SSE2__)

namespace {

using Lanes = __m128;

Lanes All(float value) {
    return _mm_set1_ps(value);
}

// The values that ClothSteps::Prepare repeats for every lane.
enum LaneValue : size_t {
    kBackMinX, kBackMaxX, kBackMinY, kBackMaxY,   // the box of the cushion backs
    kNoseMinX, kNoseMaxX, kNoseMinY, kNoseMaxY,   // the nose lines
    kAdvance,                                     // dt x 100: centimetres moved per m/s
    kFallLoad,                                    // -(the vertical speed that gravity gives in one sub-step)
    kSpeedLoad, kSlide, kShare, kRoll, kTurn,     // the cloth: its speed load and K0 to K3
    kSlideLoss, kPassedSpin, kStopTurn,           // the form's scales
    kSlowLimit, kSlowBoost, kQuarterLimit, kHalfLimit, kThreeQuarterLimit,  // the slow-speed growth
    kOne, kLeastGrowth,                           // 1 and 0.4: read as vectors where the compiler would build them
    kLaneValueEnd
};
static_assert(kLaneValueEnd <= ClothSteps::kLaneValueCount);
using LaneValueTable = float[ClothSteps::kLaneValueCount][ClothSteps::kWidth];

// mask ? a : b, lane by lane.
Lanes Select(Lanes mask, Lanes a, Lanes b) {
    return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
}

// Two divisions of four lanes each, {a / c, b / d}. Wide (only inlined into code built for AVX): in one division of
// eight lanes, which takes the divider's time of one; the quotients are the same lane by lane.
struct Quotients {
    Lanes first, second;
};

template <bool Wide>
[[gnu::always_inline]] inline Quotients DivideTwo(Lanes a, Lanes b, Lanes c, Lanes d) {
    if constexpr (Wide) {
        using Eight = float __attribute__((vector_size(32)));
        const Eight q = __builtin_shufflevector(a, b, 0, 1, 2, 3, 4, 5, 6, 7) /
                        __builtin_shufflevector(c, d, 0, 1, 2, 3, 4, 5, 6, 7);
        return {__builtin_shufflevector(q, q, 0, 1, 2, 3), __builtin_shufflevector(q, q, 4, 5, 6, 7)};
    } else {
        return {_mm_div_ps(a, c), _mm_div_ps(b, d)};
    }
}

Lanes Negated(Lanes a) {
    return _mm_xor_ps(a, All(-0.0f));
}

// |a|, lane by lane: the sign bit cleared by a mask that the instruction reads from memory.
Lanes Magnitude(Lanes a) {
    return _mm_and_ps(a, _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF)));
}

// quill::Length2D: 0 when the sum of squares is not greater than 0.
Lanes Length2D(Lanes x, Lanes y) {
    const Lanes sum = _mm_add_ps(_mm_mul_ps(x, x), _mm_mul_ps(y, y));
    return _mm_and_ps(_mm_cmpgt_ps(sum, _mm_setzero_ps()), _mm_sqrt_ps(sum));
}

// Length2D where every lane is likely to move: the square root is ready without waiting for the mask.
Lanes SpeedOf(Lanes x, Lanes y) {
    const Lanes sum = _mm_add_ps(_mm_mul_ps(x, x), _mm_mul_ps(y, y));
    const Lanes moving = _mm_cmpgt_ps(sum, _mm_setzero_ps());
    return _mm_movemask_ps(moving) == 0xF ? _mm_sqrt_ps(sum) : _mm_and_ps(moving, _mm_sqrt_ps(sum));
}

// The state of up to four balls, one per lane.
struct Balls {
    Lanes radiusM, radiusCm, inertiaArm;
    Lanes px, py, pz, vx, vy, wx, wy, wz;
};

// A ball's fields are read and written four at a time where the class keeps them side by side.
static_assert(std::is_standard_layout_v<PhysicsBall>);
static_assert(offsetof(PhysicsBall, radiusCm) == offsetof(PhysicsBall, radiusM) + 4);
static_assert(offsetof(PhysicsBall, inertiaArm) == offsetof(PhysicsBall, radiusM) + 12);
static_assert(offsetof(PhysicsBall, velocity) == offsetof(PhysicsBall, position) + 12);
static_assert(offsetof(PhysicsBall, spin) == offsetof(PhysicsBall, velocity) + 12);
constexpr size_t kSizeRow = offsetof(PhysicsBall, radiusM);        // radiusM, radiusCm, mass, inertiaArm
constexpr size_t kPlaceRow = offsetof(PhysicsBall, position);      // position, velocity.x
constexpr size_t kMotionRow = offsetof(PhysicsBall, velocity) + 4;  // velocity.y, velocity.z, spin.x, spin.y

Lanes LoadRow(const PhysicsBall& ball, size_t offset) {
    return _mm_loadu_ps(reinterpret_cast<const float*>(reinterpret_cast<const unsigned char*>(&ball) + offset));
}

void StoreRow(PhysicsBall& ball, size_t offset, Lanes row) {
    _mm_storeu_ps(reinterpret_cast<float*>(reinterpret_cast<unsigned char*>(&ball) + offset), row);
}

// The balls' states, one ball per lane; a lane without a ball repeats the first. Inline, as Store: out of line,
// the state passed between them and the sub-step through memory.
[[gnu::always_inline]] inline Balls Load(std::span<PhysicsBall* const> balls) {
    const PhysicsBall* lane[4];
    for (unsigned i = 0; i < 4; ++i) {
        lane[i] = balls[i < balls.size() ? i : 0];
    }
    Balls b;
    Lanes mass = _mm_setzero_ps();
    b.radiusM = LoadRow(*lane[0], kSizeRow);
    b.radiusCm = LoadRow(*lane[1], kSizeRow);
    b.inertiaArm = LoadRow(*lane[2], kSizeRow);
    mass = LoadRow(*lane[3], kSizeRow);
    _MM_TRANSPOSE4_PS(b.radiusM, b.radiusCm, mass, b.inertiaArm);
    b.px = LoadRow(*lane[0], kPlaceRow);
    b.py = LoadRow(*lane[1], kPlaceRow);
    b.pz = LoadRow(*lane[2], kPlaceRow);
    b.vx = LoadRow(*lane[3], kPlaceRow);
    _MM_TRANSPOSE4_PS(b.px, b.py, b.pz, b.vx);
    Lanes vz;
    b.vy = LoadRow(*lane[0], kMotionRow);
    vz = LoadRow(*lane[1], kMotionRow);
    b.wx = LoadRow(*lane[2], kMotionRow);
    b.wy = LoadRow(*lane[3], kMotionRow);
    _MM_TRANSPOSE4_PS(b.vy, vz, b.wx, b.wy);
    b.wz = _mm_setr_ps(lane[0]->spin.z, lane[1]->spin.z, lane[2]->spin.z, lane[3]->spin.z);
    return b;
}

// The part of one axis's slip carried by translation (a) and by spin (b), as ClothFriction's SplitSlip.
void SplitSlip(Lanes slip, Lanes v, Lanes spinSpeed, Lanes* a, Lanes* b) {
    const Lanes zero = _mm_setzero_ps();
    const Lanes along = _mm_cmpgt_ps(_mm_mul_ps(slip, v), zero);
    const Lanes against = _mm_cmplt_ps(_mm_mul_ps(slip, spinSpeed), zero);
    *a = Select(along, zero, Select(against, Negated(slip), v));
    *b = Select(along, slip, Select(against, zero, spinSpeed));
}

// A ball's motion after its friction step, one ball per lane: velocity and spin across the vertical, and the
// budget left for the spin about the vertical.
struct Motion {
    Lanes vx, vy, wx, wy, turn;
};

// ClothFriction's sliding branch; slipLength is Length2D(slipX, slipY). Wide only in the AVX code (SlideWide).
template <bool Wide>
[[gnu::always_inline]] inline Motion SlideOf(const Balls& b, Lanes slipX, Lanes slipY, Lanes spinSpeedX,
                                             Lanes spinSpeedY, Lanes slipLength, Lanes slideMax, Lanes turnBudget,
                                             Lanes slideLoss, Lanes share, Lanes passedSpin) {
    Lanes ax, ay, bx, by;
    SplitSlip(slipX, b.vx, spinSpeedX, &ax, &bx);
    SplitSlip(slipY, b.vy, spinSpeedY, &ay, &by);
    const Lanes f = _mm_div_ps(slideMax, slipLength);
    ax = _mm_mul_ps(ax, f);
    ay = _mm_mul_ps(ay, f);
    bx = _mm_mul_ps(bx, f);
    by = _mm_mul_ps(by, f);
    Motion m;
    m.vx = _mm_sub_ps(b.vx, _mm_mul_ps(ax, slideLoss));
    m.vy = _mm_sub_ps(b.vy, _mm_mul_ps(ay, slideLoss));
    const Quotients lost = DivideTwo<Wide>(by, bx, b.inertiaArm, b.inertiaArm);
    m.wx = _mm_add_ps(b.wx, lost.first);
    m.wy = _mm_sub_ps(b.wy, lost.second);
    ax = _mm_mul_ps(ax, share);
    ay = _mm_mul_ps(ay, share);
    bx = _mm_mul_ps(bx, share);
    by = _mm_mul_ps(by, share);
    m.vx = _mm_add_ps(m.vx, bx);
    m.vy = _mm_add_ps(m.vy, by);
    const Quotients passed = DivideTwo<Wide>(ay, ax, b.inertiaArm, b.inertiaArm);
    m.wx = _mm_sub_ps(m.wx, _mm_mul_ps(passed.first, passedSpin));
    m.wy = _mm_add_ps(m.wy, _mm_mul_ps(passed.second, passedSpin));
    m.turn = turnBudget;
    return m;
}

// Out of line: most sub-steps roll, and the sliding branch's values would crowd their registers.
[[gnu::noinline]] Motion Slide(const Balls& b, Lanes slipX, Lanes slipY, Lanes spinSpeedX, Lanes spinSpeedY,
                               Lanes slipLength, Lanes slideMax, Lanes turnBudget, Lanes slideLoss, Lanes share,
                               Lanes passedSpin) {
    return SlideOf<false>(b, slipX, slipY, spinSpeedX, spinSpeedY, slipLength, slideMax, turnBudget, slideLoss, share,
                          passedSpin);
}

[[gnu::noinline]] KV_WIDE Motion SlideWide(const Balls& b, Lanes slipX, Lanes slipY, Lanes spinSpeedX, Lanes spinSpeedY,
                                           Lanes slipLength, Lanes slideMax, Lanes turnBudget, Lanes slideLoss,
                                           Lanes share, Lanes passedSpin) {
    return SlideOf<true>(b, slipX, slipY, spinSpeedX, spinSpeedY, slipLength, slideMax, turnBudget, slideLoss, share,
                         passedSpin);
}

// The form's values for the rolling branch, each in every lane. They are read from the table where they are used,
// as operands in memory: the registers are left to the values on the way to the next sub-step's velocity.
struct RollForm {
    bool slowGrowth;  // the slow-speed limit is above 0
    const LaneValueTable& lanes;
    Lanes Value(LaneValue v) const { return _mm_load_ps(lanes[v]); }
};

// Marks a test that the run's sub-steps almost never pass, so that their usual way is laid out in a straight line.
[[gnu::always_inline]] inline bool Rarely(bool x) {
    return __builtin_expect(x, 0);
}

// The lanes of a mask that are set, as bits.
unsigned Bits(Lanes mask) {
    return static_cast<unsigned>(_mm_movemask_ps(mask));
}

// mask ? a : b, lane by lane, without the blend where every lane or no lane is set: a value that the next sub-step
// waits for is then ready as soon as it is worked out, not after the mask too.
Lanes Choose(Lanes mask, Lanes a, Lanes b) {
    const unsigned set = Bits(mask);
    return set == 0xFu ? a : set == 0 ? b : Select(mask, a, b);
}

// ClothFriction::SlowSpeedGrowth where speed <= limit (limit > 0). The factor is at least 0.4: max(0.4, g) is
// g < 0.4 ? 0.4 : g, also for a g that is not a number. Its two divisions stay four lanes wide in the wide code: one
// is on the way to the next sub-step's velocity, and joining them into one of eight measured slower.
[[gnu::always_inline]] inline Lanes Growth(Lanes speed, const RollForm& form) {
    const Lanes limit = form.Value(kSlowLimit);
    const Lanes growth =
        _mm_add_ps(_mm_div_ps(_mm_mul_ps(_mm_sub_ps(limit, speed), form.Value(kSlowBoost)), limit), form.Value(kOne));
    const Lanes step = Choose(_mm_cmplt_ps(speed, form.Value(kQuarterLimit)), form.Value(kQuarterLimit),
                              Choose(_mm_cmplt_ps(speed, form.Value(kHalfLimit)), form.Value(kHalfLimit),
                                     form.Value(kThreeQuarterLimit)));
    const Lanes scaled = Choose(_mm_cmplt_ps(speed, form.Value(kThreeQuarterLimit)),
                                _mm_mul_ps(growth, _mm_div_ps(speed, step)), growth);
    return _mm_max_ps(form.Value(kLeastGrowth), scaled);
}

// Kept out of line in the baseline code: inlined into the rolling sub-step, its values crowd the registers there and
// the velocity's way to the next sub-step goes through memory, which measured slower than the call.
[[gnu::noinline]] Lanes SlowSpeedGrowth(Lanes speed, const RollForm& form) {
    return Growth(speed, form);
}

// The wide code inlines the growth: its three-operand instructions need fewer registers, and a call from it would
// clear the upper halves first and keep no register across.
template <bool Wide>
[[gnu::always_inline]] inline Lanes GrowthCall(Lanes speed, const RollForm& form) {
    if constexpr (Wide) {
        return Growth(speed, form);
    } else {
        return SlowSpeedGrowth(speed, form);
    }
}

// ClothFriction's rolling branch; AllMoving: every lane's speed is above 0 (the directions need no mask).
// Inlined, as StepLanes, where most balls roll: the balls' state stays in registers. The masks on the way from the
// speed to the new velocity are applied only where a lane needs them (see Choose).
template <bool Wide = false, bool AllMoving = false>
[[gnu::always_inline]] inline Motion Roll(const Balls& b, Lanes speed, Lanes rollBudget, Lanes turnBudget,
                                          const RollForm& form) {
    const Lanes zero = _mm_setzero_ps();
    Lanes roll = rollBudget;
    if (form.slowGrowth) {
        roll =
            Choose(_mm_cmple_ps(speed, form.Value(kSlowLimit)), _mm_mul_ps(roll, GrowthCall<Wide>(speed, form)), roll);
    }
    roll = Choose(_mm_cmplt_ps(speed, roll), zero, roll);
    const Lanes stops = _mm_cmpeq_ps(roll, zero);
    const Lanes r = b.radiusM;
    Lanes dx = _mm_div_ps(b.vx, speed);
    Lanes dy = _mm_div_ps(b.vy, speed);
    if constexpr (!AllMoving) {
        const Lanes moving = _mm_cmpgt_ps(speed, zero);
        dx = _mm_and_ps(moving, dx);
        dy = _mm_and_ps(moving, dy);
    }
    Motion m;
    m.vx = _mm_sub_ps(b.vx, _mm_mul_ps(dx, roll));
    m.vy = _mm_sub_ps(b.vy, _mm_mul_ps(dy, roll));
    const Quotients carried = DivideTwo<Wide>(Negated(b.vy), b.vx, r, r);
    const Quotients rolled = DivideTwo<Wide>(_mm_mul_ps(dy, roll), _mm_mul_ps(dx, roll), r, r);
    m.wx = _mm_add_ps(carried.first, rolled.first);
    m.wy = _mm_sub_ps(carried.second, rolled.second);
    m.turn = turnBudget;
    if (Bits(stops) != 0) {
        m.vx = _mm_andnot_ps(stops, m.vx);
        m.vy = _mm_andnot_ps(stops, m.vy);
        m.wx = _mm_andnot_ps(stops, m.wx);
        m.wy = _mm_andnot_ps(stops, m.wy);
        m.turn = Select(stops, _mm_mul_ps(turnBudget, form.Value(kStopTurn)), turnBudget);
    }
    return m;
}

// Writes the stepped balls' new state: the place (its height unchanged), the velocity (no vertical speed: the bed
// carries the ball), the spin, and the bed's mark.
[[gnu::always_inline]] inline void Store(std::span<PhysicsBall* const> balls, unsigned stepped, const Balls& after) {
    Lanes place[4] = {after.px, after.py, after.pz, after.vx};
    _MM_TRANSPOSE4_PS(place[0], place[1], place[2], place[3]);
    Lanes motion[4] = {after.vy, _mm_setzero_ps(), after.wx, after.wy};
    _MM_TRANSPOSE4_PS(motion[0], motion[1], motion[2], motion[3]);
    alignas(16) float spinZ[4];
    _mm_store_ps(spinZ, after.wz);
    for (unsigned lane = 0; lane < balls.size(); ++lane) {
        if ((stepped >> lane & 1u) != 0) {
            PhysicsBall& ball = *balls[lane];
            StoreRow(ball, kPlaceRow, place[lane]);
            StoreRow(ball, kMotionRow, motion[lane]);
            ball.spin.z = spinZ[lane];
            ball.onBed = 1;
        }
    }
}

// The mask of the lanes whose ball is at rest (PhysicsBall::IsAtRest of a ball on the cloth, with no vertical speed
// and no cue acting): no component of velocity or spin has an exponent.
Lanes RestMask(const Balls& b) {
    const __m128i exponents =
        _mm_and_si128(_mm_castps_si128(_mm_or_ps(_mm_or_ps(_mm_or_ps(b.vx, b.vy), _mm_or_ps(b.wx, b.wy)), b.wz)),
                      _mm_set1_epi32(0x7F800000));
    return _mm_castsi128_ps(_mm_cmpeq_epi32(exponents, _mm_setzero_si128()));
}

// The mask of the lanes that moved by limit or more along x or along y from (x0, y0), or to no number.
Lanes MovedFar(const Balls& b, Lanes x0, Lanes y0, Lanes limit) {
    const Lanes shift = _mm_max_ps(Magnitude(_mm_sub_ps(b.px, x0)), Magnitude(_mm_sub_ps(b.py, y0)));
    return _mm_cmpnlt_ps(shift, limit);
}

// The bits of the mask's first count lanes.
unsigned LaneBits(Lanes mask, size_t count) {
    return static_cast<unsigned>(_mm_movemask_ps(mask)) & ((1u << count) - 1u);
}

// Where the bed carries a group's balls (one per lane): clear of the cushion backs and of the nose lines, so of
// every cushion and hole and the rail tops. A centre below the back box's edge or below the nose line plus the
// radius is below the larger of the two (neither is a NaN), and so on; the radii do not change in a run.
struct BedBox {
    Lanes lowX, highX, lowY, highY;
    Lanes sized;  // the lanes whose radius is above 0
};

BedBox BedBoxOf(const LaneValueTable& lanes, Lanes r) {
    const auto value = [&lanes](LaneValue v) { return _mm_load_ps(lanes[v]); };
    return {_mm_max_ps(value(kBackMinX), _mm_add_ps(r, value(kNoseMinX))),
            _mm_min_ps(value(kBackMaxX), _mm_sub_ps(value(kNoseMaxX), r)),
            _mm_max_ps(value(kBackMinY), _mm_add_ps(r, value(kNoseMinY))),
            _mm_min_ps(value(kBackMaxY), _mm_sub_ps(value(kNoseMaxY), r)), _mm_cmplt_ps(_mm_setzero_ps(), r)};
}

// The part of a sub-step that both ways of taking it share: the move, the friction budgets from the speed and the
// slip of the contact point, in MoveBall's and ClothFriction::Apply's operations.
struct Start {
    Lanes px, py;  // the place after the move
    Lanes load, slideMax, rollBudget, turnBudget;
    Lanes spinSpeedX, spinSpeedY, slipX, slipY;
    Lanes slideBound;  // slideMax x 3.5: the slip's length beyond which the ball slides
};

[[gnu::always_inline]] inline Start StartOf(const LaneValueTable& lanes, const Balls& b, Lanes speed) {
    const auto value = [&lanes](LaneValue v) { return _mm_load_ps(lanes[v]); };
    Start s;
    s.px = _mm_add_ps(b.px, _mm_mul_ps(b.vx, value(kAdvance)));
    s.py = _mm_add_ps(b.py, _mm_mul_ps(b.vy, value(kAdvance)));
    s.load = _mm_sub_ps(value(kFallLoad), _mm_mul_ps(speed, value(kSpeedLoad)));
    s.slideMax = _mm_mul_ps(s.load, value(kSlide));
    s.rollBudget = _mm_mul_ps(s.load, value(kRoll));
    s.turnBudget = _mm_mul_ps(s.load, value(kTurn));
    s.spinSpeedX = _mm_mul_ps(b.radiusM, b.wy);
    s.spinSpeedY = _mm_mul_ps(Negated(b.radiusM), b.wx);
    s.slipX = _mm_sub_ps(s.spinSpeedX, b.vx);
    s.slipY = _mm_sub_ps(s.spinSpeedY, b.vy);
    s.slideBound = _mm_mul_ps(s.slideMax, All(3.5f));
    return s;
}

// The lanes whose centre after the move stays in the bed box, with a radius above 0.
Lanes OnBed(const BedBox& box, const Start& s) {
    const Lanes outside = _mm_or_ps(_mm_or_ps(_mm_cmplt_ps(s.px, box.lowX), _mm_cmpgt_ps(s.px, box.highX)),
                                    _mm_or_ps(_mm_cmplt_ps(s.py, box.lowY), _mm_cmpgt_ps(s.py, box.highY)));
    return _mm_andnot_ps(outside, box.sized);
}

RollForm RollFormOf(const ClothFrictionForm& friction, const LaneValueTable& lanes) {
    return {friction.slowSpeedLimit > 0.0f, lanes};
}

// The spin about the vertical after the sub-step (ClothFriction's BrakeVerticalSpin).
Lanes BrakeVerticalSpin(const LaneValueTable& lanes, Lanes turn, const Balls& b) {
    const Lanes t = _mm_div_ps(turn, b.radiusM);
    const Lanes magnitude = Magnitude(b.wz);
    const Lanes brakes = _mm_andnot_ps(_mm_cmpeq_ps(turn, _mm_setzero_ps()), _mm_cmpge_ps(magnitude, t));
    return _mm_and_ps(brakes, _mm_mul_ps(b.wz, _mm_sub_ps(_mm_load_ps(lanes[kOne]), _mm_div_ps(t, magnitude))));
}

// The lanes with a result that is not a number: the ball-by-ball step takes those, deciding which operand's NaN it
// keeps. (The sum is not a number also when infinities of both signs meet: those balls go ball by ball too.)
Lanes NotANumber(const Balls& after) {
    const Lanes sum = _mm_add_ps(_mm_add_ps(_mm_add_ps(after.px, after.py), _mm_add_ps(after.vx, after.vy)),
                                 _mm_add_ps(_mm_add_ps(after.wx, after.wy), after.wz));
    return _mm_cmpunord_ps(sum, sum);
}

// One sub-step of the four lanes' balls, with the friction form, the values of the call and the lanes' bed box: writes
// their state after it and returns the mask of the lanes taken.
template <bool Wide>
[[gnu::always_inline]] inline Lanes StepLanes(const ClothFrictionForm& friction, const LaneValueTable& lanes,
                                              const BedBox& box, const Balls& b, Balls* after) {
    const auto value = [&lanes](LaneValue v) { return _mm_load_ps(lanes[v]); };
    const Lanes zero = _mm_setzero_ps();
    const Lanes speed = SpeedOf(b.vx, b.vy);
    const Start s = StartOf(lanes, b, speed);
    Lanes taken = OnBed(box, s);
    if (!friction.skipWhenRising) {
        taken = _mm_andnot_ps(_mm_cmplt_ps(s.load, zero), taken);  // (a fall never rises)
    }
    const Lanes slipLength = Length2D(s.slipX, s.slipY);
    const Lanes sliding = _mm_cmplt_ps(s.slideBound, slipLength);

    // Either branch only when a lane takes it.
    const unsigned slides = static_cast<unsigned>(_mm_movemask_ps(_mm_and_ps(sliding, taken)));
    const unsigned rolls = static_cast<unsigned>(_mm_movemask_ps(_mm_andnot_ps(sliding, taken)));
    Motion m{};
    if (slides != 0) {
        // Slide reads a copy made here: the balls' state itself stays in registers in the other sub-steps.
        const Balls copy = b;
        const auto slide = Wide ? SlideWide : Slide;
        m = slide(copy, s.slipX, s.slipY, s.spinSpeedX, s.spinSpeedY, slipLength, s.slideMax, s.turnBudget,
                  value(kSlideLoss), value(kShare), value(kPassedSpin));
    }
    if (rolls != 0) {
        const Motion roll = Roll<Wide>(b, speed, s.rollBudget, s.turnBudget, RollFormOf(friction, lanes));
        if (slides == 0) {
            m = roll;
        } else {
            m = {Select(sliding, m.vx, roll.vx), Select(sliding, m.vy, roll.vy), Select(sliding, m.wx, roll.wx),
                 Select(sliding, m.wy, roll.wy), Select(sliding, m.turn, roll.turn)};
        }
    }
    const Lanes wz = BrakeVerticalSpin(lanes, m.turn, b);
    *after = Balls{b.radiusM, b.radiusCm, b.inertiaArm, s.px, s.py, b.pz, m.vx, m.vy, m.wx, m.wy, wz};
    return _mm_andnot_ps(NotANumber(*after), taken);
}

// The sub-step of the four lanes' balls when every lane simply rolls on: it stays on the bed, moves, bears on the
// cloth and does not slide. Writes their state after it and returns true then; false otherwise, with nothing
// written, and StepLanes takes the sub-step. Where every lane rolls on, both come to the same bits: this is
// StepLanes without the sliding branch. A state after it that is not all numbers, which StepLanes would not take
// either, returns false with TestNumbers; without, the caller must not take it (a run of one group tests it with
// the moves, in one branch: there the state is at hand in registers). Whether a lane slides is told without the
// square root of the slip where the slip's squared length is at most the bound's square, rounded toward zero and
// so at most the exact square: the length is then at most the bound (a bound or a length that is not a number
// never gets that far). Most sub-steps of a run are of this kind: their code is shorter, the divider is spared the
// slip's square root, and fewer values wait in memory on the way from one sub-step's velocity to the next.
template <bool TestNumbers, bool Wide>
[[gnu::always_inline]] inline bool RollOn(const ClothFrictionForm& friction, const LaneValueTable& lanes,
                                          const BedBox& box, const Balls& b, Balls* after) {
    const Lanes zero = _mm_setzero_ps();
    const Lanes sum = _mm_add_ps(_mm_mul_ps(b.vx, b.vx), _mm_mul_ps(b.vy, b.vy));
    if (Rarely(Bits(_mm_cmpgt_ps(sum, zero)) != 0xFu)) {
        return false;
    }
    const Lanes speed = _mm_sqrt_ps(sum);
    const Start s = StartOf(lanes, b, speed);
    const Lanes slip = _mm_add_ps(_mm_mul_ps(s.slipX, s.slipX), _mm_mul_ps(s.slipY, s.slipY));
    Lanes away =
        _mm_or_ps(_mm_cmpnle_ps(slip, _mm_mul_ps(s.slideBound, s.slideBound)), _mm_cmpnge_ps(s.slideBound, zero));
    if (!friction.skipWhenRising) {
        away = _mm_or_ps(away, _mm_cmpnge_ps(s.load, zero));  // (StepLanes does not take such a lane)
    }
    if (Rarely(Bits(_mm_andnot_ps(away, OnBed(box, s))) != 0xFu)) {
        return false;
    }
    const Motion m = Roll<Wide, true>(b, speed, s.rollBudget, s.turnBudget, RollFormOf(friction, lanes));
    const Lanes wz = BrakeVerticalSpin(lanes, m.turn, b);
    *after = Balls{b.radiusM, b.radiusCm, b.inertiaArm, s.px, s.py, b.pz, m.vx, m.vy, m.wx, m.wy, wz};
    return !TestNumbers || Bits(NotANumber(*after)) == 0;
}

// The places and velocities of a run's balls after a sub-step, ball by ball in a row, for the watched pairs' test.
template <size_t Groups>
struct RunPlaces {
    static constexpr size_t kCount = Groups * ClothSteps::kWidth;
    alignas(16) float place[3][kCount];
    alignas(16) float velocity[2][kCount];

    // Written inline where the test is needed: the groups' state after the sub-step stays in registers otherwise.
    [[gnu::always_inline]] explicit RunPlaces(const Balls (&after)[Groups]) {
        for (size_t g = 0; g < Groups; ++g) {
            _mm_store_ps(place[0] + g * ClothSteps::kWidth, after[g].px);
            _mm_store_ps(place[1] + g * ClothSteps::kWidth, after[g].py);
            _mm_store_ps(place[2] + g * ClothSteps::kWidth, after[g].pz);
            _mm_store_ps(velocity[0] + g * ClothSteps::kWidth, after[g].vx);
            _mm_store_ps(velocity[1] + g * ClothSteps::kWidth, after[g].vy);
        }
    }
};

// Whether a watched pair may touch and approach, the groups' balls at their places after: the pair search's test
// with the pair's touch distance, on the same numbers and with the same operations, so a pair it takes is never
// missed.
template <size_t Groups>
bool AWatchedPairMayTouch(const RunPlaces<Groups>& after, std::span<const ClothSteps::WatchedPair> watched) {
    const auto position = [&](uint8_t ball, const ClothSteps::WatchedPair& pair) {
        return ball == ClothSteps::kFixed
                   ? pair.fixedPosition
                   : quill::Vec3{after.place[0][ball], after.place[1][ball], after.place[2][ball]};
    };
    const auto speed = [&](uint8_t ball, const ClothSteps::WatchedPair& pair) {
        return ball == ClothSteps::kFixed ? pair.fixedVelocity
                                          : quill::Vec3{after.velocity[0][ball], after.velocity[1][ball], 0.0f};
    };
    for (const ClothSteps::WatchedPair& pair : watched) {
        const quill::Vec3 d = position(pair.first, pair) - position(pair.second, pair);
        if (d.x * d.x + d.y * d.y + d.z * d.z < pair.touch * pair.touch &&
            quill::Vec3::Dot(d, speed(pair.second, pair)) - quill::Vec3::Dot(d, speed(pair.first, pair)) > 0.0f) {
            return true;
        }
    }
    return false;
}

// Run with its number of groups known to the compiler, so that every group's state stays in registers.
template <size_t Groups, bool Wide>
[[gnu::always_inline]] inline uint32_t RunGroups(const ClothFrictionForm& runForm, const LaneValueTable& values,
                                                 std::span<PhysicsBall* const> balls, std::span<const uint16_t> indices,
                                                 uint32_t maxSubSteps, float allowedShift,
                                                 std::span<const ClothSteps::WatchedPair> watched,
                                                 OrientationTurns& turns) {
    static constexpr size_t kWidth = ClothSteps::kWidth;
    // A copy: its flags stay in registers, where the caller's form would be read again after every store of the run.
    const ClothFrictionForm form = runForm;
    const auto group = [balls](size_t g) {
        return balls.subspan(g * kWidth, std::min<size_t>(kWidth, balls.size() - g * kWidth));
    };
    Balls state[Groups];
    BedBox boxes[Groups];
    Lanes startX[Groups];
    Lanes startY[Groups];
    unsigned lanes[Groups];
    for (size_t g = 0; g < Groups; ++g) {
        state[g] = Load(group(g));
        boxes[g] = BedBoxOf(values, state[g].radiusCm);
        startX[g] = state[g].px;
        startY[g] = state[g].py;
        lanes[g] = (1u << group(g).size()) - 1u;
    }
    const Lanes limit = All(allowedShift);
    // The spins after each sub-step taken, ball by ball in a row, for the turns.
    static constexpr size_t kBalls = Groups * kWidth;
    alignas(16) float spins[3][OrientationTurns::kCapacity][kBalls];
    maxSubSteps = std::min(maxSubSteps, OrientationTurns::kCapacity);
    uint32_t taken = 0;
    bool resting = false;
    // With several groups, the state after a sub-step lives in memory: RollOn tests its numbers while it has them
    // in registers.
    static constexpr bool kRollOnTestsNumbers = Groups > 1;
    // After a sub-step's state in after: whether the run takes it (then it is the balls' state).
    const auto commit = [&](const Balls(&after)[Groups]) {
        // A ball that moved far, or in a run of one group a state that is not all numbers, stops the run. A lane
        // without a ball repeats the group's first and so tells the same: the groups' masks are taken together, with
        // no need to leave those lanes out.
        Lanes stops = kRollOnTestsNumbers
                          ? MovedFar(after[0], startX[0], startY[0], limit)
                          : _mm_or_ps(MovedFar(after[0], startX[0], startY[0], limit), NotANumber(after[0]));
        for (size_t g = 1; g < Groups; ++g) {
            stops = _mm_or_ps(stops, MovedFar(after[g], startX[g], startY[g], limit));
        }
        if (Rarely(Bits(stops) != 0)) {
            return false;
        }
        if (!watched.empty() && AWatchedPairMayTouch(RunPlaces<Groups>(after), watched)) {
            return false;
        }
        Lanes rest = _mm_setzero_ps();
        for (size_t g = 0; g < Groups; ++g) {
            // The sizes and the height stay as they were: only what moves is copied (the state of several groups
            // lives in memory).
            state[g].px = after[g].px;
            state[g].py = after[g].py;
            state[g].vx = after[g].vx;
            state[g].vy = after[g].vy;
            state[g].wx = after[g].wx;
            state[g].wy = after[g].wy;
            state[g].wz = after[g].wz;
            rest = _mm_or_ps(rest, RestMask(state[g]));
            _mm_store_ps(&spins[0][taken][g * kWidth], state[g].wx);
            _mm_store_ps(&spins[1][taken][g * kWidth], state[g].wy);
            _mm_store_ps(&spins[2][taken][g * kWidth], state[g].wz);
        }
        resting = Bits(rest) != 0;
        ++taken;
        return true;
    };
    bool stopped = false;
    while (!stopped && taken < maxSubSteps && !resting) {
        // The sub-steps in which every group rolls on, in a loop of their own. A group that does not roll on is
        // first: the groups before it keep the sub-step they rolled on, which is the one StepLanes would take.
        Balls after[Groups];
        size_t first = 0;
        for (;;) {
            first = 0;
            while (first < Groups &&
                   RollOn<kRollOnTestsNumbers, Wide>(form, values, boxes[first], state[first], &after[first])) {
                ++first;
            }
            if (Rarely(first != Groups)) {
                break;
            }
            if (Rarely(!commit(after) || taken >= maxSubSteps || resting)) {
                stopped = true;
                break;
            }
        }
        if (stopped) {
            break;
        }
        bool whole = true;
        for (size_t g = first; g < Groups; ++g) {
            const unsigned stepped =
                LaneBits(StepLanes<Wide>(form, values, boxes[g], state[g], &after[g]), kWidth) & lanes[g];
            whole = whole && stepped == lanes[g];
        }
        stopped = !whole || !commit(after);
    }
    if (taken != 0) {
        // Every ball turns in each sub-step taken but a ball at rest after the last (only the last can leave one).
        for (size_t g = 0; g < Groups; ++g) {
            const Balls last = state[g];  // (a copy: the state itself need not live in memory during the run)
            const unsigned atRest = Bits(RestMask(last)) & lanes[g];
            Store(group(g), lanes[g], last);
            for (unsigned lane = 0; (lanes[g] >> lane) != 0; ++lane) {
                const size_t ball = g * kWidth + lane;
                turns.AddRow(indices[ball], &spins[0][0][ball], &spins[1][0][ball], &spins[2][0][ball], kBalls,
                             taken - (atRest >> lane & 1u));
            }
        }
    }
    return taken;
}

// ClothSteps::Step with the form and values of the call.
template <bool Wide>
[[gnu::always_inline]] inline unsigned StepOf(const ClothFrictionForm& form, const LaneValueTable& values,
                                              std::span<PhysicsBall* const> balls) {
    Balls after;
    const Balls before = Load(balls);
    const unsigned stepped =
        LaneBits(StepLanes<Wide>(form, values, BedBoxOf(values, before.radiusCm), before, &after), balls.size());
    if (stepped != 0) {
        Store(balls, stepped, after);
    }
    return stepped;
}

unsigned StepNarrow(const ClothFrictionForm& form, const LaneValueTable& values, std::span<PhysicsBall* const> balls) {
    return StepOf<false>(form, values, balls);
}

KV_WIDE unsigned StepWide(const ClothFrictionForm& form, const LaneValueTable& values,
                          std::span<PhysicsBall* const> balls) {
    return StepOf<true>(form, values, balls);
}

template <size_t Groups>
[[gnu::noinline]] uint32_t RunNarrow(const ClothFrictionForm& form, const LaneValueTable& values,
                                     std::span<PhysicsBall* const> balls, std::span<const uint16_t> indices,
                                     uint32_t maxSubSteps, float allowedShift,
                                     std::span<const ClothSteps::WatchedPair> watched, OrientationTurns& turns) {
    return RunGroups<Groups, false>(form, values, balls, indices, maxSubSteps, allowedShift, watched, turns);
}

template <size_t Groups>
[[gnu::noinline]] KV_WIDE uint32_t RunWide(const ClothFrictionForm& form, const LaneValueTable& values,
                                           std::span<PhysicsBall* const> balls, std::span<const uint16_t> indices,
                                           uint32_t maxSubSteps, float allowedShift,
                                           std::span<const ClothSteps::WatchedPair> watched, OrientationTurns& turns) {
    return RunGroups<Groups, true>(form, values, balls, indices, maxSubSteps, allowedShift, watched, turns);
}

template <size_t Groups>
uint32_t RunOf(bool wide, const ClothFrictionForm& form, const LaneValueTable& values,
               std::span<PhysicsBall* const> balls, std::span<const uint16_t> indices, uint32_t maxSubSteps,
               float allowedShift, std::span<const ClothSteps::WatchedPair> watched, OrientationTurns& turns) {
    return wide ? RunWide<Groups>(form, values, balls, indices, maxSubSteps, allowedShift, watched, turns)
                : RunNarrow<Groups>(form, values, balls, indices, maxSubSteps, allowedShift, watched, turns);
}

}  // namespace

ClothSteps::ClothSteps(bool wide) : wide_(wide && OrientationTurns::SupportsWide()) {}

bool ClothSteps::Prepare(PhysicsModel& model, float dt) {
    form_ = model.ClothForm();
    const PhysicsConstants& k = ThePhysicsConstants();
    const TableGeometry& g = model.Geometry();
    const float fallSpeed = 0.0f - dt * 9.8f;
    const float limit = form_.slowSpeedLimit;
    const float values[kLaneValueEnd] = {g.cushionBackMinX,
                                         g.cushionBackMaxX,
                                         g.cushionBackMinY,
                                         g.cushionBackMaxY,
                                         g.noseMinX,
                                         g.noseMaxX,
                                         g.noseMinY,
                                         g.noseMaxY,
                                         dt * 100.0f,
                                         -fallSpeed,
                                         form_.clothSpeedLoad,
                                         k[0],
                                         k[1],
                                         k[2],
                                         k[3],
                                         form_.slideLossScale,
                                         form_.passedSpinScale,
                                         form_.stopTurnFactor,
                                         limit,
                                         form_.slowSpeedBoost,
                                         0.25f * limit,
                                         0.5f * limit,
                                         0.75f * limit,
                                         1.0f,
                                         0.4f};
    for (size_t value = 0; value < kLaneValueEnd; ++value) {
        for (float& lane : lanes_[value]) {
            lane = values[value];
        }
    }
    // The bed then takes a friction step and absorbs the fall without a bounce; a fall speed that reads as 0
    // would make the ball count as at rest, which the friction step tests.
    const bool absorbed = !(fallSpeed <= -(k[13] * dt));
    const bool falls = fallSpeed < 0.0f && (std::bit_cast<uint32_t>(fallSpeed) & 0x7F800000u) != 0;
    return !form_.forceForm && dt > 0.0f && falls && absorbed;
}

unsigned ClothSteps::Step(std::span<PhysicsBall* const> balls) const {
    return wide_ ? StepWide(form_, lanes_, balls) : StepNarrow(form_, lanes_, balls);
}

// Up to kMaxRunBalls balls, kWidth to a group.
uint32_t ClothSteps::Run(std::span<PhysicsBall* const> balls, std::span<const uint16_t> indices, uint32_t maxSubSteps,
                         float allowedShift, std::span<const WatchedPair> watched, OrientationTurns& turns) const {
    static_assert(kMaxRunBalls == 4 * kWidth);
    switch ((balls.size() + kWidth - 1) / kWidth) {
        case 1:
            return RunOf<1>(wide_, form_, lanes_, balls, indices, maxSubSteps, allowedShift, watched, turns);
        case 2:
            return RunOf<2>(wide_, form_, lanes_, balls, indices, maxSubSteps, allowedShift, watched, turns);
        case 3:
            return RunOf<3>(wide_, form_, lanes_, balls, indices, maxSubSteps, allowedShift, watched, turns);
        case 4:
            return RunOf<4>(wide_, form_, lanes_, balls, indices, maxSubSteps, allowedShift, watched, turns);
        default:
            return 0;
    }
}

#else

ClothSteps::ClothSteps(bool /*wide*/) : wide_(false) {}

bool ClothSteps::Prepare(PhysicsModel& /*model*/, float /*dt*/) {
    return false;
}

unsigned ClothSteps::Step(std::span<PhysicsBall* const> /*balls*/) const {
    return 0;
}

uint32_t ClothSteps::Run(std::span<PhysicsBall* const> /*balls*/, std::span<const uint16_t> /*indices*/,
                         uint32_t /*maxSubSteps*/, float /*allowedShift*/, std::span<const WatchedPair> /*watched*/,
                         OrientationTurns& /*turns*/) const {
    return 0;
}

#endif

}  // namespace kestrovan
