#include "platform/system/ScopedFpuMode.h"

#include "platform/system/FpuMode.h"

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#else
#include <cfenv>
#endif

namespace platform {

#if defined(__x86_64__) || defined(__i386__)

ScopedFpuMode::ScopedFpuMode() : savedControl_(_mm_getcsr()) {
    asm volatile("fnstcw %0" : "=m"(savedX87_));
    SetThreadFpuMode();
}

ScopedFpuMode::~ScopedFpuMode() {
    _mm_setcsr(savedControl_);
    asm volatile("fldcw %0" : : "m"(savedX87_));
}

#else

ScopedFpuMode::ScopedFpuMode() : savedControl_(static_cast<uint32_t>(std::fegetround())) {
    SetThreadFpuMode();
}

ScopedFpuMode::~ScopedFpuMode() {
    std::fesetround(static_cast<int>(savedControl_));
}

#endif

}  // namespace platform
