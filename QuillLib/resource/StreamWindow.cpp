#include "QuillLib/resource/StreamWindow.h"

#include <algorithm>

namespace quill {

StreamWindow::StreamWindow(Stream& base, uint32_t length) : base_(base), start_(base.Tell()), length_(length) {}

uint32_t StreamWindow::Read(void* buffer, uint32_t count) {
    const uint32_t position = Tell();
    if (position == kCannotTell || position >= length_) {
        return 0;
    }
    return base_.Read(buffer, std::min(count, length_ - position));
}

uint32_t StreamWindow::Write(const void*, uint32_t) {
    return 0;
}

uint32_t StreamWindow::Tell() {
    const uint32_t position = base_.Tell();
    if (start_ == kCannotTell || position == kCannotTell || position < start_) {
        return kCannotTell;
    }
    return position - start_;
}

bool StreamWindow::Seek(uint32_t origin, int32_t offset) {
    int64_t target = offset;
    if (origin == kFromCurrent) {
        const uint32_t position = Tell();
        if (position == kCannotTell) {
            return false;
        }
        target += position;
    } else if (origin == kFromEnd) {
        target += length_;
    } else if (origin != kFromBegin) {
        return false;
    }
    if (target < 0 || target > length_ || start_ == kCannotTell) {
        return false;
    }
    const int64_t absolute = int64_t{start_} + target;
    if (absolute > INT32_MAX) {
        return false;
    }
    return base_.Seek(kFromBegin, static_cast<int32_t>(absolute));
}

}  // namespace quill
