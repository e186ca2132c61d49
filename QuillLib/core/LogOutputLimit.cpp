#include "QuillLib/core/LogOutputLimit.h"

namespace quill {

void LogOutputLimit::Reset() {
    used_ = 0;
    reserveOnly_ = false;
    full_ = false;
}

LogOutputLimit::Verdict LogOutputLimit::Admit(size_t bytes, bool error) {
    if (full_ || (reserveOnly_ && !error)) return Verdict::Drop;
    if (used_ + bytes > limit_) {
        full_ = true;
        return Verdict::LimitReached;
    }
    if (!error && used_ + bytes > limit_ - Reserve()) {
        reserveOnly_ = true;
        return Verdict::ReserveReached;
    }
    return Verdict::Write;
}

}  // namespace quill
