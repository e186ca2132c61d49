#include "client/app/FrameClock.h"

#include <utility>

#include "platform/system/Clock.h"

namespace kestrovan {

FrameClock::Source FrameClock::SystemSource() {
    return Source{[] { return platform::QueryPerformanceCounter(); }, platform::QueryPerformanceFrequency(),
                  [] { return platform::TickCount64(); }};
}

FrameClock::FrameClock(Source source) : source_(std::move(source)) {
    const int64_t frequency = static_cast<int64_t>(source_.frequency == 0 ? 1 : source_.frequency);
    update_.frequency = frequency;
    render_.frequency = frequency;
    Reset();
}

int64_t FrameClock::Sample() const {
    return static_cast<int64_t>(counterMode_ ? source_.counter() : source_.milliseconds());
}

void FrameClock::ComputeInterval(Channel& channel) {
    const int64_t rate = channel.targetRate > 0 ? channel.targetRate : 1;
    channel.interval = channel.frequency / rate;
    if (channel.interval < 1) channel.interval = 1;
}

void FrameClock::Reset() {
    const int64_t now = Sample();
    for (Channel* channel : {&update_, &render_}) {
        channel->lastSample = now;
        channel->lastTick = now;
        channel->measurementStart = now;
        channel->measuredRate = 0;
        channel->ticks = 0;
        channel->ticksAtMeasurement = 0;
        ComputeInterval(*channel);
    }
}

void FrameClock::UseMillisecondTimer() {
    counterMode_ = false;
    update_.frequency = 1000;
    render_.frequency = 1000;
}

void FrameClock::SetRate(Channel& channel, int32_t rate) {
    channel.targetRate = rate;
    channel.window = 1;
    ComputeInterval(channel);
}

void FrameClock::StartChannel(Channel& channel) {
    channel.frequency = counterMode_ ? static_cast<int64_t>(source_.frequency) : 1000;
    const int64_t now = Sample();
    channel.lastSample = now;
    channel.lastTick = now;
    channel.measurementStart = now;
    ComputeInterval(channel);
}

void FrameClock::Measure(Channel& channel, int64_t now) {
    const uint32_t counted = channel.ticks - channel.ticksAtMeasurement;
    const int64_t elapsed = now - channel.measurementStart;
    // Catch-up ticks can fall within one counter step: no time passed, nothing to measure yet.
    if (elapsed <= 0) return;
    const float perTick = static_cast<float>(elapsed) / static_cast<float>(counted);
    const float rate = static_cast<float>(channel.frequency) / perTick + 0.5f;
    channel.measuredRate = rate < 2147483520.0f ? static_cast<int32_t>(rate) : INT32_MAX;
    channel.ticksAtMeasurement = channel.ticks;
    channel.measurementStart = now;
    const int32_t measured = channel.measuredRate;
    channel.window = (measured > channel.targetRate ? channel.targetRate : measured) / 2;
    if (channel.window < 1) channel.window = 1;
}

bool FrameClock::IsDue(Channel& channel) {
    const int64_t now = Sample();
    channel.lastSample = now;
    if (now - channel.lastTick < channel.interval) return false;
    ++channel.ticks;
    if (static_cast<int64_t>(channel.ticks - channel.ticksAtMeasurement) >= channel.window) Measure(channel, now);
    if (channel.lastTick + 5 * channel.interval >= now) {
        channel.lastTick += channel.interval;
    } else {
        channel.lastTick = now - (now - channel.lastTick) % channel.interval - 4 * channel.interval;
    }
    return true;
}

uint32_t FrameClock::MsUntilDue(const Channel& channel) const {
    const int64_t left = channel.lastTick + channel.interval - Sample();
    if (left <= 0 || channel.frequency <= 0) return 0;
    // Rounded up: a wait that ends a fraction of a millisecond late costs nothing (the fixed step keeps the
    // rhythm), one that ends early spins.
    return static_cast<uint32_t>((left * 1000 + channel.frequency - 1) / channel.frequency);
}

int64_t FrameClock::GetTimeMs() const {
    return static_cast<int64_t>(static_cast<double>(update_.lastSample.load()) * 1000.0 /
                                static_cast<double>(update_.frequency));
}

int64_t FrameClock::GetTimeTenthMs() const {
    return static_cast<int64_t>(static_cast<double>(update_.lastSample.load()) * 10000.0 /
                                static_cast<double>(update_.frequency));
}

int64_t FrameClock::Now() const {
    const double frequency = counterMode_ ? static_cast<double>(source_.frequency) : 1000.0;
    return static_cast<int64_t>(static_cast<double>(Sample()) * 10000.0 / frequency);
}

}  // namespace kestrovan
