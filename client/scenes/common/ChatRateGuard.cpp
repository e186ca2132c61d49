#include "client/scenes/common/ChatRateGuard.h"

namespace kestrovan {

uint32_t ChatRateGuard::WindowOf(size_t newestRank) {
    if (newestRank <= 3) return 3000;
    if (newestRank <= 5) return 5000;
    return kForgetMs;
}

bool ChatRateGuard::Within(uint32_t age, uint32_t window) const {
    return edge_ == Edge::Included ? age <= window : age < window;
}

bool ChatRateGuard::IsTooFast(uint32_t now) {
    bool tooFast = false;
    // Rank 1 is the newest time, which is not compared.
    for (size_t rank = 2; rank <= times_.size() && !tooFast; ++rank) {
        tooFast = Within(now - times_[times_.size() - rank], WindowOf(rank));
    }
    while (!times_.empty() && now - times_.front() > kForgetMs) times_.pop_front();
    return tooFast;
}

void ChatRateGuard::Record(uint32_t now) {
    times_.push_back(now);
    while (times_.size() > kKept) times_.pop_front();
}

}  // namespace kestrovan
