#pragma once
// A first-in first-out queue of messages. Posted messages use one locked queue that any thread may fill;
// the main thread takes from it. Messages leave in the order they were posted, except that a filtered take
// skips over those its filter refuses.
#include <cstddef>
#include <deque>
#include <mutex>

#include "platform/window/Message.h"
#include "platform/window/MessageFilter.h"

namespace platform {

class MessageQueue {
public:
    void Post(const Message& message);      // at the back

    // The first message the filter accepts; remove takes it out of the queue. False when there is none.
    bool Take(Message& out, const MessageFilter& filter, bool remove);

    size_t Size() const;

private:
    mutable std::mutex mutex_;
    std::deque<Message> messages_;
};

}  // namespace platform
