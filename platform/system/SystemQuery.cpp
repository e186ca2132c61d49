#include "platform/system/SystemQuery.h"

#include <sys/sysinfo.h>
#include <sys/utsname.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define KV_HAVE_CPUID 1
#endif

namespace platform {
namespace {

// Reads the number at the front of text and moves past it and one following separator.
uint32_t TakeNumber(std::string_view& text) {
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) {
        text = {};
        return 0;
    }
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
    } else {
        text = {};
    }
    return value;
}

std::string ReadSmallFile(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::string text;
    std::getline(file, text);
    return text;
}

std::optional<uint16_t> ReadHexId(const std::filesystem::path& path) {
    const std::string text = ReadSmallFile(path);
    std::string_view digits(text);
    if (digits.starts_with("0x")) {
        digits.remove_prefix(2);
    }
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || value > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(value);
}

bool IsDisplayController(const std::filesystem::path& device) {
    // PCI class 0x03xxxx: display controllers (VGA, XGA, 3D and others).
    return ReadSmallFile(device / "class").starts_with("0x03");
}

std::string ReadPciNameList() {
    for (const char* path : {"/usr/share/misc/pci.ids", "/usr/share/hwdata/pci.ids", "/usr/share/pci.ids"}) {
        std::ifstream file(path);
        if (file) {
            std::ostringstream text;
            text << file.rdbuf();
            return text.str();
        }
    }
    return {};
}

std::optional<uint16_t> ParseListedId(std::string_view line) {
    uint32_t value = 0;
    if (line.size() < 6 || line[4] != ' ') {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(line.data(), line.data() + 4, value, 16);
    if (error != std::errc() || end != line.data() + 4) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(value);
}

std::string_view ListedName(std::string_view line) {
    line.remove_prefix(std::min<size_t>(4, line.size()));
    while (!line.empty() && line.front() == ' ') {
        line.remove_prefix(1);
    }
    return line;
}

}  // namespace

KernelVersion ParseKernelRelease(std::string_view systemName, std::string_view release) {
    KernelVersion version;
    version.systemName = std::string(systemName);
    version.release = std::string(release);
    std::string_view rest = release;
    version.major = TakeNumber(rest);
    version.minor = TakeNumber(rest);
    version.patch = TakeNumber(rest);
    return version;
}

std::optional<KernelVersion> QueryKernelVersion() {
    utsname names{};
    if (uname(&names) != 0) {
        return std::nullopt;
    }
    return ParseKernelRelease(names.sysname, names.release);
}

uint64_t QueryPhysicalMemoryBytes() {
    struct sysinfo info {};
    if (sysinfo(&info) != 0) {
        return 0;
    }
    return static_cast<uint64_t>(info.totalram) * info.mem_unit;
}

std::string LookUpPciName(std::string_view nameList, uint16_t vendor, uint16_t device) {
    std::string vendorName;
    bool inVendor = false;
    size_t start = 0;
    while (start < nameList.size()) {
        size_t end = nameList.find('\n', start);
        if (end == std::string_view::npos) {
            end = nameList.size();
        }
        std::string_view line = nameList.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() != '\t') {
            if (inVendor) {
                break;  // the vendor's block ended without the device
            }
            inVendor = ParseListedId(line) == vendor;
            if (inVendor) {
                vendorName = std::string(ListedName(line));
            }
        } else if (inVendor && line.size() > 1 && line[1] != '\t') {
            line.remove_prefix(1);
            if (ParseListedId(line) == device) {
                return vendorName + " " + std::string(ListedName(line));
            }
        }
    }
    return vendorName;
}

std::optional<std::string> QueryDisplayAdapterName() {
    std::error_code error;
    std::vector<std::filesystem::path> devices;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/bus/pci/devices", error)) {
        devices.push_back(entry.path());
    }
    std::sort(devices.begin(), devices.end());
    for (const auto& device : devices) {
        if (!IsDisplayController(device)) {
            continue;
        }
        const std::optional<uint16_t> vendor = ReadHexId(device / "vendor");
        const std::optional<uint16_t> model = ReadHexId(device / "device");
        if (!vendor || !model) {
            continue;
        }
        std::string name = LookUpPciName(ReadPciNameList(), *vendor, *model);
        if (!name.empty()) {
            return name;
        }
        char ids[40];
        std::snprintf(ids, sizeof ids, "PCI display controller [%04x:%04x]", *vendor, *model);
        return std::string(ids);
    }
    return std::nullopt;
}

uint32_t ParseCpuInfoClockMHz(std::string_view cpuInfo) {
    constexpr std::string_view kKey = "cpu MHz";
    while (!cpuInfo.empty()) {
        const size_t end = std::min(cpuInfo.find('\n'), cpuInfo.size());
        std::string_view line = cpuInfo.substr(0, end);
        cpuInfo.remove_prefix(std::min(end + 1, cpuInfo.size()));
        if (!line.starts_with(kKey)) continue;
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        line.remove_prefix(colon + 1);
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        uint32_t mhz = 0;
        const auto [rest, error] = std::from_chars(line.data(), line.data() + line.size(), mhz);
        return error == std::errc() ? mhz : 0;
    }
    return 0;
}

uint32_t QueryReportedCpuClockMHz() {
    // The first processor's block comes first; its clock line lies well within the first few kilobytes.
    std::ifstream file("/proc/cpuinfo");
    std::string text(4096, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(file.gcount()));
    return ParseCpuInfoClockMHz(text);
}

#ifdef KV_HAVE_CPUID

bool CpuidAvailable() {
    return __get_cpuid_max(0, nullptr) != 0;
}

CpuRegisters Cpuid(uint32_t leaf) {
    CpuRegisters registers;
    __cpuid(leaf, registers.eax, registers.ebx, registers.ecx, registers.edx);
    return registers;
}

uint64_t ReadTimeStampCounter() {
    return __rdtsc();
}

#else

bool CpuidAvailable() {
    return false;
}

CpuRegisters Cpuid(uint32_t) {
    return {};
}

uint64_t ReadTimeStampCounter() {
    return 0;
}

#endif

}  // namespace platform
