#pragma once
// One pooled log line: its text (the 9-unit "hh:mm:ss " prefix and the message), where it goes, the format it
// was written with (its kind, by which the writer folds a flood of warnings), and the time it was made, from
// which the writer decides when a dated log starts its next file.
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
    // Seconds, for telling the seconds of one month apart.
    static uint32_t SecondStamp(uint32_t day, uint32_t hour, uint32_t minute, uint32_t second) {
        return ((day * 24 + hour) * 60 + minute) * 60 + second;
    }
    uint32_t SecondStamp() const { return SecondStamp(day, hour, minute, second); }

    char16_t text[kTextUnits];
    LogKind kind;
    const char16_t* format;
    LogRecord* next;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
};

}  // namespace quill
