#pragma once
// The lobby's flood limit on the player's own chat lines: a line is refused when it would be the third
// within 3 seconds, the fifth within 5 seconds or the seventh within 10 seconds. It keeps the send times
// of the last ten accepted lines, oldest first; ages are taken in unsigned arithmetic, so the wrap of the
// millisecond clock does not matter.
#include <cstddef>
#include <cstdint>
#include <deque>

namespace kestrovan {

class ChatFloodGuard {
public:
    static constexpr size_t kKept = 10;
    static constexpr uint32_t kForgetMs = 10000;

    // Whether a line at now is a flood; forgets the times older than 10 seconds either way.
    bool IsFlood(uint32_t now);
    // Notes an accepted line.
    void Record(uint32_t now);
    void Clear() { times_.clear(); }
    size_t Size() const { return times_.size(); }

private:
    std::deque<uint32_t> times_;
};

}  // namespace kestrovan
