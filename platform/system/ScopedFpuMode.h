#pragma once
// Puts the calling thread into the program's floating-point mode (SetThreadFpuMode) for the lifetime of the object
// and gives the thread its own mode back at the end, so that code which must compute the same bits everywhere (the
// physics) does so whatever mode its caller left. It touches only the calling thread; any thread may use it.
#include <cstdint>

namespace platform {

class ScopedFpuMode {
public:
    ScopedFpuMode();
    ~ScopedFpuMode();
    ScopedFpuMode(const ScopedFpuMode&) = delete;
    ScopedFpuMode& operator=(const ScopedFpuMode&) = delete;

private:
    uint32_t savedControl_ = 0;  // MXCSR (or the rounding mode where there is none)
    uint16_t savedX87_ = 0;
};

}  // namespace platform
