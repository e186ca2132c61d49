#include "QuillLib/core/WarningFold.h"

#include <algorithm>

namespace quill {

bool WarningFold::Admit(const LogRecord& record) {
    const uint32_t second = record.SecondStamp();
    if (second_ != second) {
        kinds_.clear();
        counted_ = 0;
        second_ = second;
        prefix_.assign(record.text, LogRecord::kPrefixUnits);
    }
    Kind& kind = Find(record);
    if (kind.written < kLinesPerSecond) {
        if (kind.written++ == 0) {
            WStringView message(record.text + LogRecord::kPrefixUnits);
            if (message.ends_with(u'\n')) message.remove_suffix(1);
            kind.sample = message;
        }
        return true;
    }
    ++kind.counted;
    ++counted_;
    return false;
}

bool WarningFold::HasCountedBefore(uint32_t second) const {
    return counted_ > 0 && second_ != second;
}

std::vector<WarningFold::Counted> WarningFold::TakeCounted() {
    std::vector<Counted> counted;
    for (Kind& kind : kinds_) {
        if (kind.counted > 0) counted.push_back(Counted{kind.kind, kind.counted, prefix_, kind.sample});
        kind.counted = 0;
    }
    counted_ = 0;
    return counted;
}

WarningFold::Kind& WarningFold::Find(const LogRecord& record) {
    const auto found = std::find_if(kinds_.begin(), kinds_.end(), [&](const Kind& kind) {
        return kind.format == record.format && kind.kind == record.kind;
    });
    if (found != kinds_.end()) return *found;
    return kinds_.emplace_back(Kind{record.format, record.kind, 0, 0, {}});
}

}  // namespace quill
