#include "client/scenes/lobby/ChatFloodGuard.h"

namespace kestrovan {

namespace {

// The window within which the k-th newest earlier line (from 1) makes this line a flood.
uint32_t WindowMs(size_t k) {
    if (k <= 1) return 0;
    if (k <= 3) return 3000;
    if (k <= 5) return 5000;
    return 10000;
}

}  // namespace

bool ChatFloodGuard::IsFlood(uint32_t now) {
    bool flood = false;
    if (times_.size() >= 2) {
        size_t k = 1;
        for (auto it = times_.rbegin(); it != times_.rend(); ++it, ++k)
            if (now - *it < WindowMs(k)) flood = true;
    }
    while (!times_.empty() && now - times_.front() > kForgetMs) times_.pop_front();
    return flood;
}

void ChatFloodGuard::Record(uint32_t now) {
    times_.push_back(now);
    if (times_.size() > kKept) times_.pop_front();
}

}  // namespace kestrovan
