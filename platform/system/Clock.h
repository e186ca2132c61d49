#pragma once
// The program's clocks: the 32-bit millisecond timer (it wraps after about 49.7 days, so callers take
// differences in 32-bit unsigned arithmetic), the high-resolution performance counter and the local time
// of day. Each can be replaced by a test source; an empty function restores the system clock.
#include <cstdint>
#include <functional>

namespace platform {

struct LocalTime {
    int year;         // full year, e.g. 2024
    int month;        // 1-12
    int day;          // 1-31
    int hour;         // 0-23
    int minute;       // 0-59
    int second;       // 0-59
    int millisecond;  // 0-999
    int dayOfWeek;    // 0 Sunday to 6 Saturday
};

uint32_t TimeGetTime();
// Milliseconds of the monotonic clock in 64 bits: never wraps. Its low 32 bits are TimeGetTime's while no
// test source is set.
uint64_t TickCount64();
uint64_t QueryPerformanceCounter();
uint64_t QueryPerformanceFrequency();  // counts per second
LocalTime GetLocalTime();

void SetTickSource(std::function<uint32_t()> source);
void SetLocalTimeSource(std::function<LocalTime()> source);

}  // namespace platform
