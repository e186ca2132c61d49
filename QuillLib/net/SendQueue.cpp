#include "QuillLib/net/SendQueue.h"

#include <algorithm>
#include <chrono>

namespace quill {

SendQueue::SendQueue(uint32_t capacity) : bytes_(capacity) {}

bool SendQueue::Append(std::span<const uint8_t> bytes) {
    {
        std::lock_guard hold(mutex_);
        if (closed_) {
            return true;
        }
        if (bytes.size() > bytes_.FreeSpace()) {
            return false;
        }
        bytes_.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    changed_.notify_all();
    return true;
}

uint32_t SendQueue::Waiting() const {
    std::lock_guard hold(mutex_);
    return bytes_.Used() + inFlight_;
}

size_t SendQueue::Take(std::span<uint8_t> out) {
    std::unique_lock hold(mutex_);
    changed_.wait(hold, [this] { return closed_ || bytes_.Used() > 0; });
    if (closed_) {
        return 0;
    }
    const auto count = static_cast<uint32_t>(std::min<size_t>(out.size(), bytes_.Used()));
    bytes_.Read(out.data(), count);
    inFlight_ = count;
    return count;
}

void SendQueue::MarkWritten() {
    {
        std::lock_guard hold(mutex_);
        inFlight_ = 0;
    }
    changed_.notify_all();
}

bool SendQueue::WaitUntilWritten(uint32_t timeoutMs) {
    std::unique_lock hold(mutex_);
    return changed_.wait_for(hold, std::chrono::milliseconds(timeoutMs),
                             [this] { return closed_ || (bytes_.Used() == 0 && inFlight_ == 0); }) &&
           bytes_.Used() == 0 && inFlight_ == 0;
}

void SendQueue::Close() {
    {
        std::lock_guard hold(mutex_);
        closed_ = true;
        bytes_.Clear();
    }
    changed_.notify_all();
}

}  // namespace quill
