#pragma once
// The limit on how fast the local player may send chat lines, shared by the lobby and the room chat: a line is
// refused when it would be the third within 3 seconds, the fifth within 5 seconds or the seventh within 10
// seconds. It keeps the send times of the last ten accepted lines, oldest first, and forgets those older than
// 10 seconds at every check. Ages are taken in unsigned arithmetic, so the wrap of the millisecond clock does
// not matter.
//
// The lobby counts an earlier line only while it is younger than its window; the room also counts one exactly
// a window's length old. The owner chooses which edge its chat keeps.
//
// Pure: the chat send calls it.
#include <cstddef>
#include <cstdint>
#include <deque>

namespace kestrovan {

class ChatRateGuard {
public:
    static constexpr size_t kKept = 10;
    static constexpr uint32_t kForgetMs = 10000;

    // Whether a line a window's length after an earlier one is still within that window.
    enum class Edge { Excluded, Included };

    explicit ChatRateGuard(Edge edge) : edge_(edge) {}

    // Whether a line sent at now comes too fast; forgets the times older than kForgetMs either way.
    bool IsTooFast(uint32_t now);
    // Notes an accepted line; the oldest time goes past kKept.
    void Record(uint32_t now);
    void Clear() { times_.clear(); }
    size_t Count() const { return times_.size(); }

private:
    // The window within which the earlier line of that rank (1 the newest, never compared) counts.
    static uint32_t WindowOf(size_t newestRank);
    bool Within(uint32_t age, uint32_t window) const;

    const Edge edge_;
    std::deque<uint32_t> times_;  // oldest first
};

}  // namespace kestrovan
