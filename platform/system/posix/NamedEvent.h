#pragma once
// Events that another program creates and waits on, known by name (a named semaphore here). Any thread.
#include <string>

namespace platform {

// Signals the event when it exists; false when nobody created it.
bool SignalNamedEvent(const std::string& name);

}  // namespace platform
