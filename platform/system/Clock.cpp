#include "platform/system/Clock.h"

#include <time.h>

#include <utility>

#include "platform/system/Hook.h"

namespace platform {
namespace {

constexpr uint64_t kNanosecondsPerSecond = 1'000'000'000;

Hook<uint32_t()>& TickSource() {
    static auto* const hook = new Hook<uint32_t()>;
    return *hook;
}


Hook<LocalTime()>& LocalTimeSource() {
    static auto* const hook = new Hook<LocalTime()>;
    return *hook;
}

uint64_t MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * kNanosecondsPerSecond + static_cast<uint64_t>(now.tv_nsec);
}

LocalTime SystemLocalTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm parts{};
    localtime_r(&now.tv_sec, &parts);
    return LocalTime{.year = parts.tm_year + 1900,
                     .month = parts.tm_mon + 1,
                     .day = parts.tm_mday,
                     .hour = parts.tm_hour,
                     .minute = parts.tm_min,
                     .second = parts.tm_sec,
                     .millisecond = static_cast<int>(now.tv_nsec / 1'000'000),
                     .dayOfWeek = parts.tm_wday};
}

}  // namespace

uint32_t TimeGetTime() {
    if (auto source = TickSource().Get()) {
        return (*source)();
    }
    // Milliseconds since boot, cut to 32 bits: the timer wraps like the one the program was written for.
    return static_cast<uint32_t>(MonotonicNanoseconds() / 1'000'000);
}

uint64_t TickCount64() {
    return MonotonicNanoseconds() / 1'000'000;
}

uint64_t QueryPerformanceCounter() {
    return MonotonicNanoseconds();
}

uint64_t QueryPerformanceFrequency() {
    return kNanosecondsPerSecond;
}

LocalTime GetLocalTime() {
    if (auto source = LocalTimeSource().Get()) {
        return (*source)();
    }
    return SystemLocalTime();
}

void SetTickSource(std::function<uint32_t()> source) {
    TickSource().Set(std::move(source));
}

void SetLocalTimeSource(std::function<LocalTime()> source) {
    LocalTimeSource().Set(std::move(source));
}

}  // namespace platform
