#pragma once
// A fixed number of objects made once, handed out and taken back without allocating: the connection's
// inventory items and the user records of its friend and clan lists. Taking an object when none is free
// is a bounded wait; every object handed out is freshly constructed. The objects are made at the first
// take, so a pool never used (offline play has no friend list) costs no memory. Any thread may take and free.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/ScopedLock.h"
#include "platform/system/Sleep.h"

namespace kestrovan {

template <class T>
class ObjectPool {
public:
    // count objects; a wait for a free one sleeps sleepMs between attempts (0 gives up the time slice).
    ObjectPool(uint32_t count, uint32_t sleepMs) : count_(count), sleepMs_(sleepMs) {}
    ObjectPool(const ObjectPool&) = delete;
    ObjectPool& operator=(const ObjectPool&) = delete;

    // A fresh object, or null when none became free within tries attempts (at least one).
    T* Alloc(uint32_t tries) {
        for (uint32_t attempt = 1;; ++attempt) {
            if (T* object = TryTake()) {
                std::destroy_at(object);
                return std::construct_at(object);
            }
            if (attempt >= tries) {
                return nullptr;
            }
            platform::Sleep(sleepMs_);
        }
    }

    // Takes an object back. Null, an object of another pool and one already free are ignored.
    void Free(T* object) {
        ScopedLock hold(lock_);
        const size_t index = IndexOf(object);
        if (index >= count_ || handedOut_[index] == 0) {
            return;
        }
        handedOut_[index] = 0;
        free_.push_back(object);
    }

    int32_t InUse() const {
        ScopedLock hold(lock_);
        return objects_ ? static_cast<int32_t>(count_ - free_.size()) : 0;
    }

    uint32_t Capacity() const { return count_; }

private:
    using ScopedLock = quill::ScopedLock;

    // Under the lock.
    void MakeObjects() {
        objects_ = std::make_unique<T[]>(count_);
        handedOut_.assign(count_, 0);
        free_.reserve(count_);
        for (uint32_t i = count_; i > 0; --i) {
            free_.push_back(&objects_[i - 1]);  // the first object is handed out first
        }
    }

    T* TryTake() {
        ScopedLock hold(lock_);
        if (!objects_) MakeObjects();
        if (free_.empty()) {
            return nullptr;
        }
        T* object = free_.back();
        free_.pop_back();
        handedOut_[IndexOf(object)] = 1;
        return object;
    }

    // count_ for a pointer that is not one of the objects.
    size_t IndexOf(const T* object) const {
        const auto address = reinterpret_cast<uintptr_t>(object);
        const auto first = reinterpret_cast<uintptr_t>(objects_.get());
        if (object == nullptr || !objects_ || address < first || (address - first) % sizeof(T) != 0) {
            return count_;
        }
        return std::min<size_t>((address - first) / sizeof(T), count_);
    }

    mutable quill::CriticalSectionLock lock_;
    std::unique_ptr<T[]> objects_;
    std::vector<T*> free_;
    std::vector<uint8_t> handedOut_;
    const uint32_t count_;
    const uint32_t sleepMs_;
};

}  // namespace kestrovan
