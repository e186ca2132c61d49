#include "platform/system/posix/CrashHandler.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>

extern char** environ;

namespace platform {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGTRAP};
constexpr size_t kPathSize = 4096;
constexpr size_t kMaxHelperWords = 16;
constexpr size_t kMaxEnvironment = 512;
constexpr size_t kTextSize = 512;

// Everything the handler reads is prepared at installation, in fixed storage.
struct HandlerState {
    char dumpPath[kPathSize] = {};
    char helperWords[kMaxHelperWords][kPathSize] = {};
    char* helperArgv[kMaxHelperWords + 1] = {};
    CrashTextFormatter formatText = nullptr;
    char textVariable[kTextSize + 64] = {};
    char dumpVariable[64] = {};
    char* environment[kMaxEnvironment + 3] = {};
};

HandlerState g_state;
std::atomic<int> g_entered{0};
thread_local std::unique_ptr<char[]> t_alternateStack;

// --- async-signal-safe output ------------------------------------------------------------------------

void Put(int fd, const char* text) {
    size_t length = strlen(text);
    while (length > 0) {
        const ssize_t written = write(fd, text, length);
        if (written <= 0) return;
        text += written;
        length -= static_cast<size_t>(written);
    }
}

void PutHex(int fd, uint64_t value) {
    char digits[19] = "0x";
    for (int i = 0; i < 16; ++i) digits[2 + i] = "0123456789ABCDEF"[(value >> (60 - 4 * i)) & 0xF];
    digits[18] = '\0';
    Put(fd, digits);
}

void PutDecimal(int fd, uint64_t value) {
    char digits[24];
    char* end = digits + sizeof(digits) - 1;
    *end = '\0';
    char* p = end;
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    Put(fd, p);
}

void PutRegister(int fd, const char* name, uint64_t value) {
    Put(fd, name);
    Put(fd, " ");
    PutHex(fd, value);
    Put(fd, "\n");
}

void WriteRegisters(int fd, const ucontext_t* context) {
#if defined(__x86_64__)
    const greg_t* r = context->uc_mcontext.gregs;
    PutRegister(fd, "rip", static_cast<uint64_t>(r[REG_RIP]));
    PutRegister(fd, "rsp", static_cast<uint64_t>(r[REG_RSP]));
    PutRegister(fd, "rbp", static_cast<uint64_t>(r[REG_RBP]));
    PutRegister(fd, "rax", static_cast<uint64_t>(r[REG_RAX]));
    PutRegister(fd, "rbx", static_cast<uint64_t>(r[REG_RBX]));
    PutRegister(fd, "rcx", static_cast<uint64_t>(r[REG_RCX]));
    PutRegister(fd, "rdx", static_cast<uint64_t>(r[REG_RDX]));
    PutRegister(fd, "rsi", static_cast<uint64_t>(r[REG_RSI]));
    PutRegister(fd, "rdi", static_cast<uint64_t>(r[REG_RDI]));
#else
    (void)fd;
    (void)context;
#endif
}

void CopyFile(int fd, const char* path) {
    const int in = open(path, O_RDONLY | O_CLOEXEC);
    if (in < 0) return;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(in, buffer, sizeof(buffer))) > 0) {
        if (write(fd, buffer, static_cast<size_t>(got)) != got) break;
    }
    close(in);
}

// --- the fault --------------------------------------------------------------------------------------

uint64_t FaultAddress(int signal, const siginfo_t* info, const ucontext_t* context) {
    if (signal == SIGSEGV || signal == SIGBUS) return reinterpret_cast<uintptr_t>(info->si_addr);
#if defined(__x86_64__)
    return static_cast<uint64_t>(context->uc_mcontext.gregs[REG_RIP]);
#else
    (void)context;
    return reinterpret_cast<uintptr_t>(info->si_addr);
#endif
}

// A fault within a page or so below the stack pointer on the alternate-stack path means the stack ran out.
bool LooksLikeStackOverflow(int signal, const siginfo_t* info, const ucontext_t* context) {
#if defined(__x86_64__)
    if (signal != SIGSEGV) return false;
    const uint64_t sp = static_cast<uint64_t>(context->uc_mcontext.gregs[REG_RSP]);
    const uint64_t address = reinterpret_cast<uintptr_t>(info->si_addr);
    return address + 65536 >= sp && address <= sp + 65536;
#else
    (void)signal;
    (void)info;
    (void)context;
    return false;
#endif
}

bool WriteDump(int signal, uint32_t code, uint64_t address, const ucontext_t* context) {
    const int fd = open(g_state.dumpPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    Put(fd, "Kestrovan crash dump\nsignal ");
    PutDecimal(fd, static_cast<uint64_t>(signal));
    Put(fd, "\ncode ");
    PutHex(fd, code);
    Put(fd, "\naddress ");
    PutHex(fd, address);
    Put(fd, "\nprocess ");
    PutDecimal(fd, static_cast<uint64_t>(getpid()));
    Put(fd, "\nthread ");
    PutDecimal(fd, static_cast<uint64_t>(gettid()));
    Put(fd, "\n[registers]\n");
    WriteRegisters(fd, context);
    Put(fd, "[stack]\n");
    void* frames[64];
    const int count = backtrace(frames, 64);
    backtrace_symbols_fd(frames, count, fd);
    Put(fd, "[maps]\n");
    CopyFile(fd, "/proc/self/maps");
    close(fd);
    return true;
}

void RunHelper(const char* text, bool dumpWritten) {
    if (g_state.helperArgv[0] == nullptr) return;
    // The two variables go in front of the inherited ones, in fixed buffers.
    char* out = g_state.textVariable;
    const size_t prefix = strlen(kCrashTextVariable);
    memcpy(out, kCrashTextVariable, prefix);
    out[prefix] = '=';
    // At most kTextSize - 1 bytes of the text, then the terminator.
    const size_t length = strnlen(text, kTextSize - 1);
    memcpy(out + prefix + 1, text, length);
    out[prefix + 1 + length] = '\0';
    char* dump = g_state.dumpVariable;
    const size_t dumpPrefix = strlen(kCrashDumpVariable);
    memcpy(dump, kCrashDumpVariable, dumpPrefix);
    dump[dumpPrefix] = '=';
    dump[dumpPrefix + 1] = dumpWritten ? '1' : '0';
    dump[dumpPrefix + 2] = '\0';
    size_t n = 0;
    g_state.environment[n++] = out;
    g_state.environment[n++] = dump;
    for (char** e = environ; e != nullptr && *e != nullptr && n < kMaxEnvironment + 2; ++e) {
        g_state.environment[n++] = *e;
    }
    g_state.environment[n] = nullptr;

    const pid_t pid = fork();
    if (pid == 0) {
        execve(g_state.helperArgv[0], g_state.helperArgv, g_state.environment);
        _exit(127);
    }
    if (pid < 0) return;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

void EndWithSignal(int signal) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    // The signal is blocked while its handler runs: unblocked, it ends the process at once.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    raise(signal);
    _exit(128 + signal);
}

void OnFault(int signal, siginfo_t* info, void* rawContext) {
    const auto* context = static_cast<const ucontext_t*>(rawContext);
    const uint32_t code = ExceptionCodeOf(signal, info->si_code, LooksLikeStackOverflow(signal, info, context));
    const uint64_t address = FaultAddress(signal, info, context);
    char text[kTextSize] = "Exception";
    if (g_state.formatText != nullptr) g_state.formatText(text, sizeof(text), code, address);

    if (g_entered.exchange(1) != 0) {
        // A second fault: its text, and the end.
        Put(STDERR_FILENO, text);
        Put(STDERR_FILENO, "\n");
        _exit(128 + signal);
    }
    const bool dumpWritten = WriteDump(signal, code, address, context);
    Put(STDERR_FILENO, text);
    Put(STDERR_FILENO, "\n");
    RunHelper(text, dumpWritten);
    EndWithSignal(signal);
}

void CopyString(char* out, size_t size, const std::string& text) {
    const size_t length = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(out, text.data(), length);
    out[length] = '\0';
}

}  // namespace

uint32_t ExceptionCodeOf(int signal, int signalCode, bool stackOverflow) {
    switch (signal) {
        case SIGSEGV:
            return stackOverflow ? ExceptionCode::StackOverflow : ExceptionCode::AccessViolation;
        case SIGBUS:
            return signalCode == BUS_ADRALN ? ExceptionCode::DatatypeMisalignment : ExceptionCode::InPageError;
        case SIGILL:
            return signalCode == ILL_PRVOPC ? ExceptionCode::PrivInstruction : ExceptionCode::IllegalInstruction;
        case SIGTRAP:
            return ExceptionCode::Breakpoint;
        case SIGFPE:
            switch (signalCode) {
                case FPE_INTDIV: return ExceptionCode::IntDivideByZero;
                case FPE_INTOVF: return ExceptionCode::IntOverflow;
                case FPE_FLTDIV: return ExceptionCode::FltDivideByZero;
                case FPE_FLTOVF: return ExceptionCode::FltOverflow;
                case FPE_FLTUND: return ExceptionCode::FltUnderflow;
                case FPE_FLTRES: return ExceptionCode::FltInexactResult;
                default: return ExceptionCode::FltInvalidOperation;
            }
        default:
            return ExceptionCode::Unknown;
    }
}

void PrepareThreadForCrashes() {
    if (t_alternateStack) return;
    // A thread that has an alternate stack already (the sanitizers give every thread one, and free it
    // themselves when the thread ends) keeps it.
    stack_t current{};
    if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE) == 0) return;
    const size_t size = 64 * 1024;
    t_alternateStack = std::make_unique<char[]>(size);
    stack_t stack{};
    stack.ss_sp = t_alternateStack.get();
    stack.ss_size = size;
    sigaltstack(&stack, nullptr);
}

void InstallCrashHandler(const CrashHandlerSetup& setup) {
    CopyString(g_state.dumpPath, kPathSize, setup.dumpPath);
    const size_t words = setup.helperArgv.size() < kMaxHelperWords ? setup.helperArgv.size() : kMaxHelperWords;
    for (size_t i = 0; i < words; ++i) {
        CopyString(g_state.helperWords[i], kPathSize, setup.helperArgv[i]);
        g_state.helperArgv[i] = g_state.helperWords[i];
    }
    g_state.helperArgv[words] = nullptr;
    g_state.formatText = setup.formatText;

    // The first backtrace loads the unwinder; done here, the handler's call allocates nothing.
    void* frames[4];
    backtrace(frames, 4);

    PrepareThreadForCrashes();
    struct sigaction action {};
    action.sa_sigaction = OnFault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

}  // namespace platform
