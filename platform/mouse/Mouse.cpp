#include "platform/mouse/Mouse.h"

#include <algorithm>

namespace platform {

void Mouse::SetBufferSize(size_t records) {
    std::lock_guard lock(mutex_);
    bufferSize_ = records;
    while (records_.size() > bufferSize_) {
        records_.pop_front();
    }
    delivered_ = std::min(delivered_, records_.size());
}

uint32_t Mouse::Acquire() {
    std::lock_guard lock(mutex_);
    if (!foreground_) {
        return MouseResult::OtherAppHasPriority;
    }
    acquired_ = true;
    lost_ = false;
    return MouseResult::Ok;
}

uint32_t Mouse::GetDeviceData(std::span<MouseRecord> records, size_t& count) {
    std::lock_guard lock(mutex_);
    count = 0;
    if (lost_) {
        return MouseResult::InputLost;
    }
    if (!acquired_) {
        return MouseResult::NotAcquired;
    }
    if (bufferSize_ == 0) {
        count = movedUnbuffered_ ? 1 : 0;
        movedUnbuffered_ = false;
        return MouseResult::Ok;
    }
    count = std::min(records.size(), delivered_);
    std::copy_n(records_.begin(), count, records.begin());
    records_.erase(records_.begin(), records_.begin() + static_cast<std::ptrdiff_t>(count));
    delivered_ -= count;
    return MouseResult::Ok;
}

void Mouse::Discard() {
    std::lock_guard lock(mutex_);
    records_.clear();
    delivered_ = 0;
    movedUnbuffered_ = false;
}

void Mouse::DeliverReceived() {
    std::lock_guard lock(mutex_);
    delivered_ = records_.size();
}

void Mouse::OnRawMotion(int dx, int dy, uint32_t time) {
    std::lock_guard lock(mutex_);
    if (dx != 0) {
        Add(MouseOffset::X, dx, time);
    }
    if (dy != 0) {
        Add(MouseOffset::Y, dy, time);
    }
}

void Mouse::OnRawWheel(int delta, uint32_t time) {
    std::lock_guard lock(mutex_);
    Add(MouseOffset::Wheel, delta, time);
}

void Mouse::OnForegroundChanged(bool foreground) {
    std::lock_guard lock(mutex_);
    foreground_ = foreground;
    if (!foreground && acquired_) {
        acquired_ = false;
        lost_ = true;
        records_.clear();
        delivered_ = 0;
    }
}

// With the buffer full, the motion joins the newest record of its axis, so the sums a reader takes stay
// whole; only the order of the newest records is coarser.
void Mouse::Add(uint32_t offset, int32_t data, uint32_t time) {
    if (!acquired_) {
        return;
    }
    if (bufferSize_ == 0) {
        movedUnbuffered_ = true;
        return;
    }
    if (records_.size() >= bufferSize_) {
        const auto newest = std::find_if(records_.rbegin(), records_.rend(),
                                         [offset](const MouseRecord& record) { return record.offset == offset; });
        if (newest != records_.rend()) {
            newest->data += data;
            newest->timeStamp = time;
            return;
        }
        records_.pop_front();
        delivered_ -= delivered_ > 0 ? 1 : 0;
    }
    records_.push_back(MouseRecord{offset, data, time, nextSequence_++});
}

}  // namespace platform
