#pragma once
// The announcements played one after the other (game start, turn results): the sound at the front plays,
// the next starts once it has ended. Pushes come from the connection's dispatch thread, the game thread (the
// turn clock, the table's rules) and the main thread (events); updates from the game thread (every 10th
// update), so the queue guards itself.
#include <cstdint>
#include <deque>
#include <mutex>
#include <utility>

namespace quill {
class SoundManager;
}

namespace kestrovan {

class SoundQueue {
public:
    // The process-wide queue, made on first use.
    static SoundQueue& Instance();

    // Plays at once when the queue is empty; queues the sound in every case.
    void Push(quill::SoundManager* sounds, uint32_t id, float volume);
    // Drops the front sound once it stopped playing and starts the next.
    void Update(quill::SoundManager* sounds);
    size_t Size() const;

private:
    mutable std::mutex mutex_;
    std::deque<std::pair<uint32_t, float>> queue_;
};

}  // namespace kestrovan
