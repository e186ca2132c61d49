#pragma once
// The bytes a package's items may inflate to, against packages made to exhaust time and memory: a few
// hundred kilobytes of zlib streams can claim gigabytes. The budget grows with the package file's size
// (kBytesPerFileByte per byte, far above what real data inflates to, plus kAllowance) up to kCap. Each item
// is charged once by its position in the file, so reading an item again, or a second index entry that
// points at the same place, costs nothing. Used by one loading thread at a time, as its package is.
#include <cstdint>
#include <unordered_set>

namespace quill {

class InflateBudget {
public:
    static constexpr uint64_t kBytesPerFileByte = 64;
    static constexpr uint64_t kAllowance = 16u << 20;
    static constexpr uint64_t kCap = 1024u << 20;

    // A fresh budget for a package file of fileSize bytes (before the first Reset: kCap).
    void Reset(uint64_t fileSize);
    // Takes size bytes for the item at position; false (taking nothing) when they pass what is left.
    bool Charge(uint32_t position, uint32_t size);

    uint64_t Limit() const { return limit_; }
    uint64_t Spent() const { return spent_; }

private:
    uint64_t limit_ = kCap;  // until the file's size is known
    uint64_t spent_ = 0;
    std::unordered_set<uint32_t> charged_;
};

}  // namespace quill
