#pragma once
// The engine's high-resolution timing record, one per process. The statistics overlay prints its figures
// after "Profiler: " (the count, then the first and the second figure); the engine core itself never
// updates them, so they read zero until a measuring caller fills them.
#include <cstdint>

namespace quill {

class Profiler {
public:
    // Built on first use, destroyed at exit.
    static Profiler& Instance();

    Profiler(const Profiler&) = delete;
    Profiler& operator=(const Profiler&) = delete;

    bool IsEnabled() const { return enabled_; }
    // Counts per second of the performance counter that the figures are taken with.
    uint64_t GetFrequency() const { return frequency_; }
    uint32_t GetCount() const { return count_; }
    // The first and second figures of the overlay.
    double GetTotalSeconds() const { return totalSeconds_; }
    double GetAverageSeconds() const { return averageSeconds_; }

private:
    Profiler();

    bool enabled_ = true;
    uint64_t frequency_ = 0;
    uint32_t count_ = 0;
    double totalSeconds_ = 0.0;
    double averageSeconds_ = 0.0;
};

}  // namespace quill
