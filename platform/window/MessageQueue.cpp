#include "platform/window/MessageQueue.h"

#include <algorithm>

namespace platform {

void MessageQueue::Post(const Message& message) {
    std::lock_guard lock(mutex_);
    messages_.push_back(message);
}

bool MessageQueue::Take(Message& out, const MessageFilter& filter, bool remove) {
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(messages_.begin(), messages_.end(),
                                    [&filter](const Message& message) { return filter.Accepts(message); });
    if (found == messages_.end()) {
        return false;
    }
    out = *found;
    if (remove) {
        messages_.erase(found);
    }
    return true;
}

size_t MessageQueue::Size() const {
    std::lock_guard lock(mutex_);
    return messages_.size();
}

}  // namespace platform
