#pragma once
// Folds a flood of warnings by their kind (the format and destination they were written with): of the warnings
// of one kind made in one second, the first few are written and the rest only counted, to be summed up in one
// line once that second has passed. Two warnings taking turns, which the log's repeat count cannot fold, thus
// cost a few lines a second whatever their rate.
//
// Threads: the log's writer alone.
#include <cstdint>
#include <optional>
#include <vector>

#include "QuillLib/core/LogRecord.h"
#include "QuillLib/core/WString.h"

namespace quill {

class WarningFold {
public:
    static constexpr uint32_t kLinesPerSecond = 5;

    // The warnings of one kind counted in a second: where they went, how many, the second's "hh:mm:ss " and
    // the kind's first message of that second, without its line end.
    struct Counted {
        LogKind kind;
        uint64_t count;
        WString prefix;
        WString sample;
    };

    // Whether the record, a warning, is written (true) or only counted. The caller takes what a past second
    // counted (TakeCounted) before it hands in a record of a later one.
    bool Admit(const LogRecord& record);
    // Whether a second other than this one has counted warnings to sum up.
    bool HasCountedBefore(uint32_t second) const;
    bool HasCounted() const { return counted_ > 0; }
    // The counted kinds, in the order they came, and their counts set back to 0. Summed up before its second
    // has passed (the writer stops), a second's later lines of those kinds are still counted.
    std::vector<Counted> TakeCounted();

private:
    struct Kind {
        const char16_t* format;
        LogKind kind;
        uint32_t written;
        uint64_t counted;
        WString sample;
    };

    Kind& Find(const LogRecord& record);

    std::optional<uint32_t> second_;  // the second the kinds below were seen in
    WString prefix_;
    std::vector<Kind> kinds_;  // a few: the program has a few dozen warnings
    uint64_t counted_ = 0;
};

}  // namespace quill
