#pragma once
// Where static batches put geometry in the pool's static buffers: for a part's vertex data the buffer and its
// first vertex, for its index block the buffer and its first index. A batch holds the record of a geometry
// while one of its parts uses it (holds are counted, so geometry shared by two batches keeps one record until
// both let go); the device's part drawing reads the record to draw from the static buffers instead of
// appending to the dynamic ones. Records are keyed by the geometry's address and never dereference it.
//
// Threads: the device's thread.
#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace quill {

class StaticPlacements {
public:
    static constexpr uint16_t kNoBuffer = 0xFFFF;
    static constexpr uint32_t kNotUploaded = 0xFFFFFFFF;

    struct Placement {
        uint16_t buffer = kNoBuffer;
        uint32_t first = kNotUploaded;
        uint32_t holders = 0;

        bool IsUploaded() const { return buffer != kNoBuffer && first != kNotUploaded; }
    };

    void Hold(const void* geometry) { ++records_[geometry].holders; }
    // The record goes with its last holder.
    void Drop(const void* geometry);
    // Null when no batch holds the geometry.
    Placement* Find(const void* geometry);
    // Marks the geometry as not uploaded (no buffer, no position).
    void Reset(const void* geometry);
    size_t Count() const { return records_.size(); }

private:
    std::unordered_map<const void*, Placement> records_;
};

}  // namespace quill
