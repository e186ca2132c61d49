#include "QuillLib/net/SendQueue.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace quill {

SendQueue::SendQueue(uint32_t capacity, uint32_t bound) : capacity_(capacity), bound_(bound), bytes_(capacity) {}

bool SendQueue::Append(std::span<const uint8_t> bytes) {
    {
        std::lock_guard hold(mutex_);
        if (closed_) {
            return true;
        }
        if (bytes.size() > bound_ - std::min(bound_, bytes_.Used() + inFlight_)) {
            return false;
        }
        const auto count = static_cast<uint32_t>(bytes.size());
        if (count > bytes_.FreeSpace()) {
            MakeRoom(count);
        }
        bytes_.Write(bytes.data(), count);
    }
    changed_.notify_all();
    return true;
}

void SendQueue::MakeRoom(uint32_t count) {
    const uint32_t held = bytes_.Used();
    uint64_t capacity = std::max<uint32_t>(bytes_.Capacity(), 1);
    while (capacity - held < count) {
        capacity *= 2;
    }
    std::vector<uint8_t> kept(held);
    bytes_.Read(kept.data(), held);
    bytes_.SetCapacity(static_cast<uint32_t>(std::min<uint64_t>(capacity, bound_)));
    bytes_.Write(kept.data(), held);
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
    // A burst has gone out: the extra room it took is given back.
    if (bytes_.Used() == 0 && bytes_.Capacity() > capacity_) {
        bytes_.SetCapacity(capacity_);
    }
    return count;
}

void SendQueue::MarkWritten() {
    {
        std::lock_guard hold(mutex_);
        written_ += inFlight_;
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

bool SendQueue::HasStalled(uint32_t unsent, uint32_t nowMs, uint32_t stallMs) {
    std::lock_guard hold(mutex_);
    if (closed_ || bytes_.Used() + inFlight_ == 0) {
        watching_ = false;
        return false;
    }
    const uint64_t progress = written_ - unsent;
    if (!watching_ || progress != progress_) {
        watching_ = true;
        progress_ = progress;
        progressMs_ = nowMs;
        return false;
    }
    return nowMs - progressMs_ >= stallMs;
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
