#include "platform/system/Sleep.h"

#include <chrono>
#include <thread>
#include <utility>

#include "platform/system/Event.h"
#include "platform/system/Hook.h"

namespace platform {
namespace {

Hook<void(uint32_t)>& SleepHook() {
    static auto* const hook = new Hook<void(uint32_t)>;
    return *hook;
}

}  // namespace

void Sleep(uint32_t ms) {
    if (auto hook = SleepHook().Get()) {
        (*hook)(ms);
        return;
    }
    if (ms == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SleepUnlessSignalled(uint32_t ms, Event& wake) {
    if (auto hook = SleepHook().Get()) {
        (*hook)(ms);
        return;
    }
    wake.Wait(ms);
}

void SetSleepHook(std::function<void(uint32_t)> hook) {
    SleepHook().Set(std::move(hook));
}

}  // namespace platform
