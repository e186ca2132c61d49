#pragma once
// One pooled log line: its text (the 9-unit "hh:mm:ss " prefix and the message), where it goes, and the
// time it was made, from which the writer decides when a dated log starts its next file.
#include <cstddef>
#include <cstdint>

namespace quill {

enum class LogKind : uint8_t {
    Console = 0,
    File = 1,
    ConsoleAndFile = 2,
};

struct LogRecord {
    static constexpr size_t kTextUnits = 256;  // terminator included
    static constexpr size_t kPrefixUnits = 9;

    // Minutes weighted so that a later day always counts 60 or more minutes later, whatever the hour.
    static uint32_t Stamp(uint32_t day, uint32_t hour, uint32_t minute) { return (day * 60 + hour) * 60 + minute; }
    uint32_t Stamp() const { return Stamp(day, hour, minute); }

    char16_t text[kTextUnits];
    LogKind kind;
    LogRecord* next;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
};

}  // namespace quill
