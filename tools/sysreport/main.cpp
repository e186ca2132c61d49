// Prints the system report of this machine, in the form the program writes to its start log: operating
// system, browser, processor, memory and display adapter.
#include <cstdio>
#include <cstring>

#include "QuillLib/core/Format.h"
#include "QuillLib/engine/SystemInfo.h"
#include "platform/system/CodePage.h"

namespace {

constexpr const char* kUsage =
    "usage: sysreport\n"
    "       sysreport --help\n"
    "Prints the system report of this machine: operating system, browser, processor, memory, display adapter.\n"
    "Exit status: 0 printed, 2 bad arguments.\n";

void PrintSection(const char* title, const quill::WString& line) {
    std::printf("[%s]\n  %s\n", title, platform::Utf16ToUtf8(line).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 1) {
        std::fprintf(stderr, "sysreport: unknown argument '%s'\n%s", argv[1], kUsage);
        return 2;
    }
    PrintSection("Operating System", quill::GetOsName());
    PrintSection("Internet Explorer", quill::GetBrowserVersion());
    PrintSection("Processor Info", quill::GetCpuDescription());
    PrintSection("Memory", quill::Format(u"Total Memory: %d MB", quill::GetPhysicalMemoryMB()));
    PrintSection("Display Adapter", quill::GetDisplayAdapterName());
    return 0;
}
