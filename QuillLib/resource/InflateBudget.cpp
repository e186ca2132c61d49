#include "QuillLib/resource/InflateBudget.h"

#include <algorithm>

namespace quill {

void InflateBudget::Reset(uint64_t fileSize) {
    limit_ = std::min(kCap, fileSize * kBytesPerFileByte + kAllowance);
    spent_ = 0;
    charged_.clear();
}

bool InflateBudget::Charge(uint32_t position, uint32_t size) {
    if (charged_.contains(position)) {
        return true;
    }
    if (size > limit_ - spent_) {
        return false;
    }
    spent_ += size;
    charged_.insert(position);
    return true;
}

}  // namespace quill
