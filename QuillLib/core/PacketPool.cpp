#include "QuillLib/core/PacketPool.h"

#include <limits>
#include <new>

#include "QuillLib/core/ScopedLock.h"
#include "platform/system/Sleep.h"

namespace quill {
namespace {

size_t RoundUp(size_t value, size_t multiple) {
    return (value + multiple - 1) / multiple * multiple;
}

}  // namespace

bool PacketPool::Init(uint32_t blockCount, uint32_t blockSize) {
    ScopedLock lock(lock_);
    if (memory_ || blockCount == 0 || blockSize <= kLinkWordSize) {
        return false;
    }
    const uint32_t payloadSize = blockSize - kLinkWordSize;
    const size_t stride = sizeof(BlockHeader) + RoundUp(payloadSize, alignof(BlockHeader));
    if (stride > std::numeric_limits<size_t>::max() / blockCount) {
        return false;
    }
    try {
        memory_ = std::make_unique<std::byte[]>(stride * blockCount);  // zero-filled
    } catch (const std::bad_alloc&) {
        return false;
    }
    blockCount_ = blockCount;
    payloadSize_ = payloadSize;
    stride_ = stride;
    inUse_ = 0;
    // Thread the list from the last block backwards, so that the first block comes out first.
    freeHead_ = nullptr;
    for (uint32_t index = blockCount; index-- > 0;) {
        BlockHeader* block = new (BlockAt(index)) BlockHeader{freeHead_, false};
        freeHead_ = block;
    }
    return true;
}

void PacketPool::Release() {
    ScopedLock lock(lock_);
    memory_.reset();
    freeHead_ = nullptr;
    blockCount_ = 0;
    payloadSize_ = 0;
    stride_ = 0;
    inUse_ = 0;
}

void* PacketPool::Alloc(uint32_t tries) {
    for (uint32_t attempt = 1;; ++attempt) {
        if (BlockHeader* block = TryTake()) {
            return block + 1;
        }
        if (attempt >= tries || BlockCount() == 0) {
            return nullptr;
        }
        // The lock is not held while sleeping, so other threads can free meanwhile; a free wakes the wait.
        waiting_.fetch_add(1);
        platform::SleepUnlessSignalled(1, freed_);
        waiting_.fetch_sub(1);
    }
}

void PacketPool::Free(void* payload) {
    bool wasEmpty = false;
    {
        ScopedLock lock(lock_);
        BlockHeader* block = HeaderOf(payload);
        if (!block || !block->handedOut || inUse_ <= 0) {
            return;
        }
        wasEmpty = freeHead_ == nullptr;
        block->handedOut = false;
        block->next = freeHead_;
        freeHead_ = block;
        --inUse_;
    }
    // Takers wait only on an empty pool: its first free block wakes one, and the blocks freed after it are
    // found by the next attempts without another wake-up.
    if (wasEmpty && waiting_.load() > 0) {
        freed_.Set();
    }
}

int32_t PacketPool::InUse() const {
    ScopedLock lock(lock_);
    return inUse_;
}

uint32_t PacketPool::BlockCount() const {
    ScopedLock lock(lock_);
    return blockCount_;
}

uint32_t PacketPool::PayloadSize() const {
    ScopedLock lock(lock_);
    return payloadSize_;
}

PacketPool::BlockHeader* PacketPool::TryTake() {
    ScopedLock lock(lock_);
    BlockHeader* block = freeHead_;
    if (block) {
        freeHead_ = block->next;
        block->next = nullptr;
        block->handedOut = true;
        ++inUse_;
    }
    return block;
}

PacketPool::BlockHeader* PacketPool::HeaderOf(void* payload) const {
    if (!memory_ || !payload) {
        return nullptr;
    }
    const auto address = reinterpret_cast<uintptr_t>(payload);
    const auto first = reinterpret_cast<uintptr_t>(memory_.get()) + sizeof(BlockHeader);
    if (address < first || (address - first) % stride_ != 0 || (address - first) / stride_ >= blockCount_) {
        return nullptr;
    }
    return static_cast<BlockHeader*>(payload) - 1;
}

PacketPool::BlockHeader* PacketPool::BlockAt(uint32_t index) const {
    return reinterpret_cast<BlockHeader*>(memory_.get() + stride_ * index);
}

}  // namespace quill
