#pragma once
// The bytes one output of the log (a file, the console) takes at most. Routine lines and warnings stop a
// quarter short of the limit; the rest is kept for errors, so that an error after a flood of other lines still
// reaches the output. Each stop is said once, by a notice in place of the line that reached it; the notice of
// the limit itself is the last line the output takes.
//
// Threads: the log's writer alone.
#include <cstddef>
#include <cstdint>

namespace quill {

class LogOutputLimit {
public:
    enum class Verdict {
        Write,           // the line fits
        Drop,            // the output takes no more lines of its kind
        ReserveReached,  // write the notice that only errors follow, instead of the line
        LimitReached,    // write the notice that nothing follows, instead of the line
    };

    explicit LogOutputLimit(uint64_t limit) : limit_(limit) {}

    // A new limit; takes effect with the next Reset.
    void SetLimit(uint64_t bytes) { limit_ = bytes; }
    uint64_t Limit() const { return limit_; }
    // An empty output (a new file): everything fits again.
    void Reset();

    // What to do with a line of bytes; an error may use the reserve. The bytes of what is written (the line or
    // the notice) are to be counted with Count.
    Verdict Admit(size_t bytes, bool error);
    void Count(size_t bytes) { used_ += bytes; }

private:
    uint64_t Reserve() const { return limit_ / 4; }

    uint64_t limit_;
    uint64_t used_ = 0;
    bool reserveOnly_ = false;
    bool full_ = false;
};

}  // namespace quill
