#pragma once
// Suspends the calling thread. Tests replace the sleeping with a hook that counts or drives the waits.
#include <cstdint>
#include <functional>

namespace platform {

void Sleep(uint32_t ms);  // Sleep(0) gives up the rest of the time slice

class Event;
// Sleeps like Sleep(ms), but wakes as soon as wake is signalled (taking the signal). An installed sleep hook
// is called instead, exactly as for Sleep, so tests count and drive these waits alike.
void SleepUnlessSignalled(uint32_t ms, Event& wake);

// Installs a function called instead of sleeping; an empty function restores real sleeping.
void SetSleepHook(std::function<void(uint32_t)> hook);

}  // namespace platform
