#pragma once
// The buffered relative mouse: the motion of the mouse as a device reports it, x, y and wheel, kept as
// records in a bounded buffer until the program reads them, as DirectInput's buffered device does. The
// window layer feeds it on the main thread (it is the window's RawMouseSink); the game thread reads it once a
// tick, and the main thread reads it ahead of a release.
//
// The records a run of the window's input brought are read only once the run ended (the window layer found no
// more events) or the main thread asks for them ahead of a release: motion that reached the program together is
// read together, as a device fed apart from the program's main thread would have had it all before.
//
// Input belongs to the mouse only while its window is in the foreground: a device acquired in the
// foreground reports lost input once the window loses it, and must be acquired again; acquiring fails
// while the window is in the background.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>

#include "platform/window/RawMouseSink.h"

namespace platform {

// One buffered record: which axis moved (its offset in the device's state), by how much, when, and the
// order in which the device made it.
struct MouseRecord {
    uint32_t offset = 0;
    int32_t data = 0;
    uint32_t timeStamp = 0;
    uint32_t sequence = 0;
};

namespace MouseOffset {
inline constexpr uint32_t X = 0;
inline constexpr uint32_t Y = 4;
inline constexpr uint32_t Wheel = 8;
}  // namespace MouseOffset

// Result codes, with DirectInput's values.
namespace MouseResult {
inline constexpr uint32_t Ok = 0;
inline constexpr uint32_t InputLost = 0x8007001E;
inline constexpr uint32_t NotAcquired = 0x8007000C;
inline constexpr uint32_t OtherAppHasPriority = 0x80070005;
}  // namespace MouseResult

class Mouse : public RawMouseSink {
public:
    static constexpr size_t kDefaultBufferSize = 64;

    // Records kept until read; 0 makes the device unbuffered (reads then report only that it moved).
    void SetBufferSize(size_t records);
    // Any thread. Ok in the foreground; OtherAppHasPriority in the background.
    uint32_t Acquire();
    // Any thread. Takes up to records.size() records, oldest first; count gets their number.
    uint32_t GetDeviceData(std::span<MouseRecord> records, size_t& count);
    // Any thread. Drops the records held now: the motion made so far is never read.
    void Discard();
    // Main thread. The records received so far may be read, though the window's run of input goes on.
    void DeliverReceived();

    // RawMouseSink, from the window layer.
    void OnRawMotion(int dx, int dy, uint32_t time) override;
    void OnRawWheel(int delta, uint32_t time) override;
    void OnForegroundChanged(bool foreground) override;
    void OnInputDrained() override { DeliverReceived(); }

private:
    void Add(uint32_t offset, int32_t data, uint32_t time);

    mutable std::mutex mutex_;
    std::deque<MouseRecord> records_;
    size_t delivered_ = 0;  // the oldest records that a read may take
    size_t bufferSize_ = kDefaultBufferSize;
    bool foreground_ = true;
    bool acquired_ = false;
    bool lost_ = false;
    bool movedUnbuffered_ = false;
    uint32_t nextSequence_ = 1;
};

}  // namespace platform
