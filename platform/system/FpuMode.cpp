#include "platform/system/FpuMode.h"

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>

#include <cstdint>
#else
#include <cfenv>
#endif

namespace platform {

#if defined(__x86_64__) || defined(__i386__)
namespace {

// SSE control and status register: float and double arithmetic.
constexpr uint32_t kSseDenormalsAreZero = 0x0040;
constexpr uint32_t kSseExceptionMasks = 0x1F80;
constexpr uint32_t kSseRoundTowardZero = 0x6000;
constexpr uint32_t kSseFlushToZero = 0x8000;

// x87 control word: long double arithmetic. 64-bit precision, round toward zero, all exceptions masked.
constexpr uint16_t kX87ControlWord = 0x0F7F;

}  // namespace

void SetThreadFpuMode() {
    _mm_setcsr(kSseExceptionMasks | kSseRoundTowardZero | kSseFlushToZero | kSseDenormalsAreZero);
    const uint16_t controlWord = kX87ControlWord;
    asm volatile("fnclex\n\tfldcw %0" : : "m"(controlWord));
}

#else

void SetThreadFpuMode() {
    std::fesetround(FE_TOWARDZERO);
}

#endif

}  // namespace platform
