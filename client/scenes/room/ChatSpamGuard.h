#pragma once
// The room chat's guard against spam: the send times of the local player's last ten lines, and the rule
// that judges a new line against them. The second and third newest lines within 3 s, the fourth and fifth
// within 5 s, or any older one within 10 s make the new line spam; the newest alone never does. Times older
// than 10 s are forgotten at every check. Times are the millisecond timer's and may wrap.
#include <cstddef>
#include <cstdint>
#include <deque>

namespace kestrovan {

class ChatSpamGuard {
public:
    static constexpr size_t kKept = 10;
    static constexpr uint32_t kForgetMs = 10000;

    // Whether a line sent at now is spam; forgets the times older than kForgetMs.
    bool IsSpam(uint32_t now);
    // A line went out at now; the oldest time goes past kKept.
    void Record(uint32_t now);
    size_t Count() const { return times_.size(); }

private:
    static uint32_t WindowOf(size_t newestRank);

    std::deque<uint32_t> times_;  // oldest first
};

}  // namespace kestrovan
