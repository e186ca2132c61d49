#pragma once
// OrientationTurns::Turn with the components of the quaternion side by side in one SSE register: each lane computes
// its component with the scalar form's operations in its order (a subtraction as the addition of the negated
// product, which IEEE arithmetic defines it to be), so the bits are the same. Always inlined, so that the AVX turns
// get it in their own encoding; used on the thread that simulates.
#if defined(__SSE2__)
#include <emmintrin.h>

#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

// The product turn x b of OrientationTurns::Turn, before its normalisation.
__attribute__((always_inline)) inline __m128 TurnProductSideBySide(__m128 b, const quill::Quaternion& turn) {
    const __m128 a = _mm_load_ps(&turn.x);
    const __m128 negateW = _mm_set_ps(-0.0f, 0.0f, 0.0f, 0.0f);
    // x: ((aw bx + ax bw) + ay bz) - az by, and so on; w: ((aw bw - ax bx) - ay by) - az bz.
    __m128 p = _mm_mul_ps(_mm_shuffle_ps(a, a, _MM_SHUFFLE(3, 3, 3, 3)), b);
    p = _mm_add_ps(p, _mm_xor_ps(negateW, _mm_mul_ps(_mm_shuffle_ps(a, a, _MM_SHUFFLE(0, 2, 1, 0)),
                                                     _mm_shuffle_ps(b, b, _MM_SHUFFLE(0, 3, 3, 3)))));
    p = _mm_add_ps(p, _mm_xor_ps(negateW, _mm_mul_ps(_mm_shuffle_ps(a, a, _MM_SHUFFLE(1, 0, 2, 1)),
                                                     _mm_shuffle_ps(b, b, _MM_SHUFFLE(1, 1, 0, 2)))));
    return _mm_sub_ps(
        p, _mm_mul_ps(_mm_shuffle_ps(a, a, _MM_SHUFFLE(2, 1, 0, 2)), _mm_shuffle_ps(b, b, _MM_SHUFFLE(2, 0, 2, 1))));
}

// The squares of p's components summed in order, in every lane: QuaternionNormalize's square of the length. Every
// lane sums the same four squares, so the root comes out in all of them and the division needs no shuffle after it.
__attribute__((always_inline)) inline __m128 SquareSumSideBySide(__m128 p) {
    const __m128 squares = _mm_mul_ps(p, p);
    return _mm_add_ps(_mm_add_ps(_mm_add_ps(_mm_shuffle_ps(squares, squares, _MM_SHUFFLE(0, 0, 0, 0)),
                                            _mm_shuffle_ps(squares, squares, _MM_SHUFFLE(1, 1, 1, 1))),
                                 _mm_shuffle_ps(squares, squares, _MM_SHUFFLE(2, 2, 2, 2))),
                      _mm_shuffle_ps(squares, squares, _MM_SHUFFLE(3, 3, 3, 3)));
}

// QuaternionNormalize of p, given its square sum from SquareSumSideBySide: the length, then one division per
// component.
__attribute__((always_inline)) inline __m128 NormalizeSideBySide(__m128 p, __m128 sum) {
    const __m128 length = _mm_sqrt_ps(sum);
    if (_mm_cvtss_f32(length) < quill::kFloatEpsilon) {
        return _mm_setzero_ps();
    }
    return _mm_div_ps(p, length);
}

__attribute__((always_inline)) inline __m128 TurnSideBySide(__m128 b, const quill::Quaternion& turn) {
    const __m128 p = TurnProductSideBySide(b, turn);
    return NormalizeSideBySide(p, SquareSumSideBySide(p));
}

}  // namespace kestrovan

#endif
