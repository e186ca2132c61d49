#pragma once
// The process-wide list of physics events. Each simulation call clears it and the motion routines append to it
// in the order in which things happen; the holder reads it on the same thread before the next call. It is
// shared by every model and takes no lock: one model runs at a time.
#include <cstdint>
#include <span>
#include <vector>

#include "client/physics/PhysicsEvent.h"

namespace kestrovan {

class PhysicsEventList {
public:
    void Clear() { events_.clear(); }
    void Reserve(uint32_t count) { events_.reserve(count); }
    void Append(const PhysicsEvent& event) { events_.push_back(event); }
    // Appends a record; the fields a kind does not use are zero.
    void Append(PhysicsEventKind kind, uint16_t ball, float strength = 0.0f, const quill::Vec3& vector = {},
                uint16_t extra = 0) {
        events_.push_back(PhysicsEvent{kind, ball, strength, vector, extra});
    }

    std::span<const PhysicsEvent> Events() const { return events_; }
    size_t Size() const { return events_.size(); }
    bool Empty() const { return events_.empty(); }
    // Drops the records appended after the list held size of them.
    void Truncate(size_t size) { events_.erase(events_.begin() + static_cast<std::ptrdiff_t>(size), events_.end()); }
    // The record appended last, or null when the list is empty.
    const PhysicsEvent* Last() const { return events_.empty() ? nullptr : &events_.back(); }

    // PhysicsEventCapacity: every pair of balls once plus five per ball, for the ball count of the last model
    // that rebuilt its balls. A step may append more; the list then grows.
    uint32_t Capacity() const { return capacity_; }
    void SetCapacityForBallCount(uint32_t ballCount);

    // Empties the list and forgets the capacity (test isolation only).
    void ResetForTest();

private:
    std::vector<PhysicsEvent> events_;
    uint32_t capacity_ = 0;
};

// Never destroyed, like the model cache: a shot still running while the process exits keeps appending to it.
inline PhysicsEventList& ThePhysicsEventList() {
    static PhysicsEventList* const list = new PhysicsEventList;
    return *list;
}

}  // namespace kestrovan
