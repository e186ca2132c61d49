#include "client/app/CrashReport.h"

#include <cstring>

#include "client/app/ErrorReportUpload.h"
#include "platform/ui/MessageBox.h"

namespace kestrovan {

namespace {

struct ExceptionEntry {
    uint32_t code;
    const char* name;
};

constexpr ExceptionEntry kExceptionNames[] = {
    {0x80000002, "DATATYPE_MISALIGNMENT"},  {0x80000003, "BREAKPOINT"},
    {0x80000004, "SINGLE_STEP"},            {0xC0000005, "ACCESS_VIOLATION"},
    {0xC0000006, "IN_PAGE_ERROR"},          {0xC000001D, "ILLEGAL_INSTRUCTION"},
    {0xC0000025, "NONCONTINUABLE_EXCEPTION"}, {0xC0000026, "INVALID_DISPOSITION"},
    {0xC000008C, "ARRAY_BOUNDS_EXCEEDED"},  {0xC000008D, "FLT_DENORMAL_OPERAND"},
    {0xC000008E, "FLT_DIVIDE_BY_ZERO"},     {0xC000008F, "FLT_INEXACT_RESULT"},
    {0xC0000090, "FLT_INVALID_OPERATION"},  {0xC0000091, "FLT_OVERFLOW"},
    {0xC0000092, "FLT_STACK_CHECK"},        {0xC0000093, "FLT_UNDERFLOW"},
    {0xC0000094, "INT_DIVIDE_BY_ZERO"},     {0xC0000095, "INT_OVERFLOW"},
    {0xC0000096, "PRIV_INSTRUCTION"},       {0xC00000FD, "STACK_OVERFLOW"},
};

// Appends text to out[length...], keeping room for the terminator.
size_t Append(char* out, size_t size, size_t length, const char* text) {
    while (*text != '\0' && length + 1 < size) out[length++] = *text++;
    out[length] = '\0';
    return length;
}

}  // namespace

const char* ExceptionName(uint32_t code) {
    for (const ExceptionEntry& entry : kExceptionNames) {
        if (entry.code == code) return entry.name;
    }
    return "UNKNOWN";
}

size_t FormatCrashText(char* out, size_t size, uint32_t code, uint64_t address) {
    if (size == 0) return 0;
    char hex[17];
    int digits = 8;
    while (digits < 16 && (address >> (4 * digits)) != 0) ++digits;
    for (int i = 0; i < digits; ++i) hex[i] = "0123456789ABCDEF"[(address >> (4 * (digits - 1 - i))) & 0xF];
    hex[digits] = '\0';
    size_t length = Append(out, size, 0, "Exception: ");
    length = Append(out, size, length, ExceptionName(code));
    length = Append(out, size, length, " at 0x");
    return Append(out, size, length, hex);
}

bool RunCrashReport(quill::WStringView text, bool dumpWritten) {
    quill::WString message = kCrashReportMessage;
    message += u"\n\n";
    message += text;
    // The crashed program may still hold a full screen while it waits for this helper: the box goes above it.
    platform::ShowMessageBox(nullptr, message, kCrashReportTitle,
                             platform::MsgBoxStyle::IconError | platform::MsgBoxStyle::TopMost);
    // A dump that this crash did not write belongs to an earlier one: it is not sent as this crash's.
    return UploadErrorReport(true, dumpWritten);
}

}  // namespace kestrovan
