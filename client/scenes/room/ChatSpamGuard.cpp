#include "client/scenes/room/ChatSpamGuard.h"

namespace kestrovan {

uint32_t ChatSpamGuard::WindowOf(size_t newestRank) {
    if (newestRank <= 3) return 3000;
    if (newestRank <= 5) return 5000;
    return kForgetMs;
}

bool ChatSpamGuard::IsSpam(uint32_t now) {
    bool spam = false;
    if (times_.size() >= 2) {
        // Rank 1 is the newest time, which is not compared.
        for (size_t rank = 2; rank <= times_.size() && !spam; ++rank) {
            const uint32_t sent = times_[times_.size() - rank];
            spam = now - sent <= WindowOf(rank);
        }
    }
    while (!times_.empty() && now - times_.front() > kForgetMs) times_.pop_front();
    return spam;
}

void ChatSpamGuard::Record(uint32_t now) {
    times_.push_back(now);
    while (times_.size() > kKept) times_.pop_front();
}

}  // namespace kestrovan
