#pragma once
// The record that describes the running operating system: its platform family, version, build, service
// pack and edition. The name builder (OsName.h) turns it into the text of the system report; the renderer
// reads the platform code (a code of 2, the Windows 95 family, turns its wide-text measuring off).
//
// On Linux the record says platform kLinux with the kernel's version; build is the kernel's patch level.
// Service packs, editions and product types do not exist there and stay 0.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace platform {
struct KernelVersion;
}

namespace quill {

struct OsVersionInfo {
    // Platform codes.
    static constexpr uint32_t kDos = 0;
    static constexpr uint32_t kWindows = 1;
    static constexpr uint32_t kWindows9x = 2;
    static constexpr uint32_t kWindowsNt = 3;
    static constexpr uint32_t kWindowsCe = 4;
    static constexpr uint32_t kLinux = 5;

    // Product types.
    static constexpr uint32_t kWorkstation = 0;
    static constexpr uint32_t kServer = 1;
    static constexpr uint32_t kDomainController = 2;

    // Edition flags.
    static constexpr uint32_t kSmallBusiness = 0x1;
    static constexpr uint32_t kEnterprise = 0x2;
    static constexpr uint32_t kPrimaryDomainController = 0x4;
    static constexpr uint32_t kBackupDomainController = 0x8;
    static constexpr uint32_t kTerminalServices = 0x10;
    static constexpr uint32_t kDatacenter = 0x20;
    static constexpr uint32_t kPersonal = 0x40;
    static constexpr uint32_t kWebServer = 0x80;
    static constexpr uint32_t kEmbedded = 0x100;
    static constexpr uint32_t kSingleUserTerminal = 0x200;
    static constexpr uint32_t kUniprocessorFree = 0x400;
    static constexpr uint32_t kUniprocessorChecked = 0x800;
    static constexpr uint32_t kMultiprocessorFree = 0x1000;
    static constexpr uint32_t kMultiprocessorChecked = 0x2000;
    static constexpr uint32_t kMediaCenter = 0x4000;
    static constexpr uint32_t kTabletPc = 0x8000;
    static constexpr uint32_t kStarter = 0x10000;
    static constexpr uint32_t kR2 = 0x20000;
    static constexpr uint32_t kComputeCluster = 0x40000;
    static constexpr uint32_t kStorageServer = 0x80000;
    static constexpr uint32_t kSecurityAppliance = 0x100000;
    static constexpr uint32_t kBackOffice = 0x200000;
    static constexpr uint32_t kUltimate = 0x400000;
    static constexpr uint32_t kHomeBasicN = 0x800000;
    static constexpr uint32_t kHomeBasic = 0x1000000;
    static constexpr uint32_t kHomePremium = 0x2000000;
    static constexpr uint32_t kBusinessN = 0x4000000;
    static constexpr uint32_t kBusiness = 0x8000000;

    uint32_t platform = 0;
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    WString servicePack;
    uint16_t servicePackMajor = 0;
    uint16_t servicePackMinor = 0;
    uint32_t editionFlags = 0;
    uint32_t productType = kWorkstation;

    // Fills the record from the running system; false (record unchanged) when the system does not say.
    bool Query();

    // The record of a Linux kernel version.
    static OsVersionInfo FromKernel(const platform::KernelVersion& kernel);

    bool HasEdition(uint32_t flag) const { return (editionFlags & flag) != 0; }
};

}  // namespace quill
