#pragma once
// The crash handler: when a fault signal (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGTRAP) reaches the
// process, the handler runs on an alternate signal stack, so that a stack overflow is reported too. The
// first fault of the process writes the dump file (created or truncated: the signal, the exception code and
// address, the registers, the call stack and the memory map, as text), names the fault with the caller's
// formatter and starts the report helper (the program given at installation, with the text and whether the
// dump was written in its environment), waits for it, and ends the process with the signal. A fault while
// that runs writes its text to the console and ends the process at once.
//
// Everything the handler does is async-signal-safe: no allocation, no lock, no stdio.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Windows-style exception codes, by which the report names the fault.
namespace ExceptionCode {
inline constexpr uint32_t DatatypeMisalignment = 0x80000002;
inline constexpr uint32_t Breakpoint = 0x80000003;
inline constexpr uint32_t AccessViolation = 0xC0000005;
inline constexpr uint32_t InPageError = 0xC0000006;
inline constexpr uint32_t IllegalInstruction = 0xC000001D;
inline constexpr uint32_t FltDivideByZero = 0xC000008E;
inline constexpr uint32_t FltInexactResult = 0xC000008F;
inline constexpr uint32_t FltInvalidOperation = 0xC0000090;
inline constexpr uint32_t FltOverflow = 0xC0000091;
inline constexpr uint32_t FltUnderflow = 0xC0000093;
inline constexpr uint32_t IntDivideByZero = 0xC0000094;
inline constexpr uint32_t IntOverflow = 0xC0000095;
inline constexpr uint32_t PrivInstruction = 0xC0000096;
inline constexpr uint32_t StackOverflow = 0xC00000FD;
inline constexpr uint32_t Unknown = 0;  // an abort (an uncaught exception, a failed check)
}  // namespace ExceptionCode

// The exception code of a fault signal and its si_code; stackOverflow when the faulting address lies at
// the thread's stack guard.
uint32_t ExceptionCodeOf(int signal, int signalCode, bool stackOverflow);

// Writes the report text of a fault into out (at most size bytes with the terminating zero) and returns
// its length. Must be async-signal-safe.
using CrashTextFormatter = size_t (*)(char* out, size_t size, uint32_t code, uint64_t address);

// The environment variables in which the helper finds the report.
inline constexpr const char* kCrashTextVariable = "KESTROVAN_CRASH_REPORT";
inline constexpr const char* kCrashDumpVariable = "KESTROVAN_CRASH_DUMP";  // "1" when the dump was written

struct CrashHandlerSetup {
    std::string dumpPath;                 // absolute, or relative to the working folder at the time of the fault
    std::vector<std::string> helperArgv;  // the report helper and its words; empty: no helper
    CrashTextFormatter formatText = nullptr;
};

// Installs the handler for the process and gives the calling thread its alternate stack. The main thread,
// once, before other threads start.
void InstallCrashHandler(const CrashHandlerSetup& setup);
// Gives the calling thread an alternate signal stack (every thread the program starts calls it).
void PrepareThreadForCrashes();

}  // namespace platform
