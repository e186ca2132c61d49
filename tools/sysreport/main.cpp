// Prints the system report of this machine, in the form the program writes to its start log: operating
// system, browser, processor, memory and display adapter.
#include <cstdio>

#include "QuillLib/core/Format.h"
#include "QuillLib/engine/SystemInfo.h"
#include "platform/system/CodePage.h"

namespace {

void PrintSection(const char* title, const quill::WString& line) {
    std::printf("[%s]\n  %s\n", title, platform::Utf16ToUtf8(line).c_str());
}

}  // namespace

int main() {
    PrintSection("Operating System", quill::GetOsName());
    PrintSection("Internet Explorer", quill::GetBrowserVersion());
    PrintSection("Processor Info", quill::GetCpuDescription());
    PrintSection("Memory", quill::Format(u"Total Memory: %d MB", quill::GetPhysicalMemoryMB()));
    PrintSection("Display Adapter", quill::GetDisplayAdapterName());
    return 0;
}
