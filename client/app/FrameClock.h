#pragma once
// The two-channel fixed-step clock that paces the program's two loops: the update channel (the game thread
// tests it before each scene update) and the render channel (the main loop tests it before each frame).
// Each channel has a target rate, a tick-due test that works off short stalls one tick per test and
// resynchronises after long ones, and a measured rate. The clock reads the performance counter or a
// millisecond timer; both are 64-bit here, so no wrap ever stops the ticks.
//
// Threads: after start-up the update channel belongs to the game thread and the render channel to the main
// thread; the main thread also reads the update channel's time when a scene finished loading and when it hands
// the screen the mouse's motion ahead of a release, under the widget-tree lock as the game thread reads it for
// its update. No lock of its own.
#include <atomic>
#include <cstdint>
#include <functional>

namespace kestrovan {

class FrameClock {
public:
    // Where the clock reads time: a counter with its frequency, and a millisecond timer.
    struct Source {
        std::function<uint64_t()> counter;
        uint64_t frequency = 1;
        std::function<uint64_t()> milliseconds;
    };
    static Source SystemSource();

    // Performance-counter mode, 85 ticks per second on both channels, measured every 42 ticks.
    FrameClock() : FrameClock(SystemSource()) {}
    explicit FrameClock(Source source);

    void Reset();
    void UseMillisecondTimer();
    void SetUpdateRate(int32_t rate) { SetRate(update_, rate); }
    void SetRenderRate(int32_t rate) { SetRate(render_, rate); }
    void StartUpdateChannel() { StartChannel(update_); }
    void StartRenderChannel() { StartChannel(render_); }
    bool IsUpdateDue() { return IsDue(update_); }
    bool IsRenderDue() { return IsDue(render_); }
    // Whole milliseconds from now until the channel's next tick is due (0 when it is due), so that a loop
    // with nothing else to do sleeps instead of testing again and again.
    uint32_t MsUntilUpdateDue() const { return MsUntilDue(update_); }
    uint32_t MsUntilRenderDue() const { return MsUntilDue(render_); }
    int32_t GetRenderRate() const { return render_.targetRate; }

    // The update channel's last sample in milliseconds and in tenths of a millisecond.
    int64_t GetTimeMs() const;
    int64_t GetTimeTenthMs() const;
    // The current time in tenths of a millisecond (read now, not at the last test).
    int64_t Now() const;
    uint32_t GetRenderTickCount() const { return render_.ticks; }
    int32_t GetMeasuredRate() const { return render_.measuredRate.load(); }
    int32_t GetMeasuredUpdateRate() const { return update_.measuredRate.load(); }

private:
    struct Channel {
        std::atomic<int32_t> measuredRate{0};
        uint32_t ticks = 0;
        uint32_t ticksAtMeasurement = 0;
        int32_t targetRate = 85;
        int32_t window = 42;
        int64_t frequency = 1;
        std::atomic<int64_t> lastSample{0};
        int64_t lastTick = 0;
        int64_t measurementStart = 0;
        int64_t interval = 1;
    };

    int64_t Sample() const;
    void SetRate(Channel& channel, int32_t rate);
    void StartChannel(Channel& channel);
    void ComputeInterval(Channel& channel);
    void Measure(Channel& channel, int64_t now);
    bool IsDue(Channel& channel);
    uint32_t MsUntilDue(const Channel& channel) const;

    Source source_;
    bool counterMode_ = true;
    Channel update_;
    Channel render_;
};

}  // namespace kestrovan
