#pragma once
// The report of a crash: the exception's name and text, which the crash handler formats inside the signal
// handler (so without allocation), and the report helper's work in the process it starts: the "Crash Report"
// box, then the upload of the start log and the dump.
#include <cstddef>
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

inline constexpr const char* kDumpFileName = "ErrorDump.dmp";
inline constexpr const char16_t* kCrashReportTitle = u"Crash Report";
inline constexpr const char16_t* kCrashReportMessage =
    u"Program terminated by eroor/crash..\n\nCrash dump will be send to server for debug..";

// The name of an exception code ("ACCESS_VIOLATION"), "UNKNOWN" for codes not in the table.
const char* ExceptionName(uint32_t code);

// "Exception: %s at 0x%08X" with the name and the address (more digits when the address needs them).
// Async-signal-safe; returns the length written (cut to fit size with its terminator).
size_t FormatCrashText(char* out, size_t size, uint32_t code, uint64_t address);

// The report helper: shows the box with the text and, when it is closed, uploads the start log and, when
// it was written by this crash, the dump. Returns the upload's result.
bool RunCrashReport(quill::WStringView text, bool dumpWritten);

}  // namespace kestrovan
