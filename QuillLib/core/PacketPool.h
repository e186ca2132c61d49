#pragma once
// A fixed number of equal blocks in one zero-filled allocation. Every pooled object of the program
// (packets, user records, log records, queued events) comes from such a pool; a pool never grows, and
// taking a block when none is free is a bounded wait that sleeps 1 ms between attempts, or less when a
// block is freed meanwhile.
//
// Owners size blocks the way the program always has: the block size counts a 4-byte link word before the
// payload. The pool keeps its own, pointer-sized and aligned, header in front of each payload instead,
// so the payload is (block size - 4) bytes, aligned for any type.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "QuillLib/core/CriticalSectionLock.h"
#include "platform/system/Event.h"

namespace quill {

class PacketPool {
public:
    static constexpr uint32_t kLinkWordSize = 4;
    static constexpr uint32_t kDefaultTries = 5000;  // about five seconds of waiting

    PacketPool() = default;
    PacketPool(const PacketPool&) = delete;
    PacketPool& operator=(const PacketPool&) = delete;

    // Allocates blockCount blocks of (blockSize - 4) payload bytes, all free and zero-filled, handed out
    // in address order. False when the pool is already initialised, a size is unusable or memory is short.
    bool Init(uint32_t blockCount, uint32_t blockSize);

    // Gives the memory back; blocks still handed out become invalid.
    void Release();

    // A free payload, or null when none became free within tries attempts (at least one) with a sleep of
    // up to 1 ms between consecutive attempts, cut short by a Free. Freed payloads are reused last-in
    // first-out.
    void* Alloc(uint32_t tries);

    // Takes a payload back. Anything that is not a payload of this pool currently handed out (a foreign
    // pointer, a pointer into a block, a second free of the same block, null) is ignored.
    void Free(void* payload);

    int32_t InUse() const;
    uint32_t BlockCount() const;
    uint32_t PayloadSize() const;

private:
    struct alignas(std::max_align_t) BlockHeader {
        BlockHeader* next;  // next free block while free
        bool handedOut;
    };

    BlockHeader* TryTake();
    BlockHeader* HeaderOf(void* payload) const;  // null when payload is not one of this pool's payloads
    BlockHeader* BlockAt(uint32_t index) const;

    mutable CriticalSectionLock lock_;
    platform::Event freed_{false, false};  // set by Free while a taker waits for a block
    std::atomic<int> waiting_{0};          // takers between attempts
    std::unique_ptr<std::byte[]> memory_;
    BlockHeader* freeHead_ = nullptr;
    uint32_t blockCount_ = 0;
    uint32_t payloadSize_ = 0;
    size_t stride_ = 0;
    int32_t inUse_ = 0;
};

}  // namespace quill
