#include "QuillLib/engine/OsName.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/engine/OsVersionInfo.h"

namespace quill {
namespace {

using Os = OsVersionInfo;

WString Windows9xName(const Os& info) {
    const uint32_t minor = info.minor;
    const uint32_t build = info.build;
    if (info.major != 4)
        return u"Windows ??";
    if (minor == 0 && build == 950)
        return u"Windows 95";
    if (build >= 951 && build <= 1080)
        return u"Windows 95 SP1";
    if (minor < 10 && build >= 1081 && build <= 1213)
        return u"Windows 95 B [aka OSR2]";
    if (minor < 10 && build >= 1214)
        return u"Windows 95 C [aka OSR2.5]";
    if (minor == 10 && build == 1998)
        return u"Windows 98";
    if (minor == 10 && build >= 1999 && build <= 2182)
        return u"Windows 98 SP1";
    if (minor == 10 && build >= 2183)
        return u"Windows 98 Second Edition";
    if (minor == 90)
        return u"Windows Millenium Edition";
    return u"Windows ??";
}

WString WindowsNt4Name(const Os& info) {
    WString name = u"Windows NT";
    if (info.productType == Os::kWorkstation) {
        name += u" (Workstation)";
    } else if (info.productType == Os::kServer) {
        name += u" (Server)";
    } else if (info.productType == Os::kDomainController && info.HasEdition(Os::kPrimaryDomainController)) {
        name += u" (Primary Domain Controller)";
    } else if (info.productType == Os::kDomainController && info.HasEdition(Os::kBackupDomainController)) {
        name += u" (Backup Domain Controller)";
    }
    if (info.HasEdition(Os::kDatacenter)) {
        name += u", (Datacenter)";
    } else if (info.HasEdition(Os::kEnterprise)) {
        name += u", (Enterprise)";
    }
    return name;
}

WString Windows2000Name(const Os& info) {
    WString name = u"Windows 2000";
    if (info.productType == Os::kWorkstation) {
        name += u" (Professional)";
    } else if (info.productType == Os::kServer) {
        name += u" (Server)";
    } else if (info.productType == Os::kDomainController) {
        name += u" (Domain Controller)";
    }
    if (info.HasEdition(Os::kDatacenter)) {
        name += u", (Datacenter)";
    } else if (info.HasEdition(Os::kEnterprise)) {
        name += u", (Advanced Server)";
    }
    return name;
}

WString WindowsXpProduct(const Os& info) {
    const bool r2 = info.HasEdition(Os::kR2);
    if (info.HasEdition(Os::kStarter))
        return u"Windows XP (Starter Edition)";
    if (info.HasEdition(Os::kPersonal))
        return u"Windows XP (Personal)";
    if (info.productType == Os::kWorkstation)
        return u"Windows XP (Professional)";
    if (info.productType == Os::kServer && !r2)
        return u"Windows Server 2003";
    if (info.productType == Os::kDomainController && !r2)
        return u"Windows Server 2003 (Domain Controller)";
    if (info.productType == Os::kServer)
        return u"Windows Server 2003 R2";
    if (info.productType == Os::kDomainController)
        return u"Windows Server 2003 R2 (Domain Controller)";
    return u"Windows ??";
}

WString WindowsXpName(const Os& info) {
    WString name = WindowsXpProduct(info);
    if (info.HasEdition(Os::kDatacenter)) {
        name += u", (Datacenter Edition)";
    } else if (info.HasEdition(Os::kEnterprise)) {
        name += u", (Enterprise Edition)";
    } else if (info.HasEdition(Os::kWebServer)) {
        name += u", (Web Edition)";
    } else if (info.productType == Os::kServer) {
        name += u", (Standard Edition)";
    }
    return name;
}

const char16_t* VistaEdition(const Os& info) {
    if (info.HasEdition(Os::kStarter))
        return u"Starter Edition";
    if (info.HasEdition(Os::kHomeBasicN))
        return u"Home Basic N";
    if (info.HasEdition(Os::kHomeBasic))
        return u"Home Basic";
    if (info.HasEdition(Os::kHomePremium))
        return u"Home Premium";
    if (info.HasEdition(Os::kBusinessN))
        return u"Business N";
    if (info.HasEdition(Os::kBusiness))
        return u"Business";
    if (info.HasEdition(Os::kEnterprise))
        return u"Enterprise";
    if (info.HasEdition(Os::kUltimate))
        return u"Ultimate";
    return u"??";
}

WString WindowsVistaName(const Os& info) {
    if (info.productType == Os::kWorkstation) {
        return Format(u"Windows Vista (%s)", VistaEdition(info));
    }
    // Servers and domain controllers alike.
    WString name = u"Windows Longhorn Server";
    if (info.HasEdition(Os::kDatacenter)) {
        name += u", (Datacenter Edition)";
    } else if (info.HasEdition(Os::kEnterprise)) {
        name += u", (Enterprise Edition)";
    } else {
        name += u", (Standard Edition)";
    }
    return name;
}

WString WindowsNtName(const Os& info) {
    if (info.major < 5)
        return WindowsNt4Name(info);
    if (info.major == 5 && info.minor == 0)
        return Windows2000Name(info);
    if (info.major == 5)
        return WindowsXpName(info);
    return WindowsVistaName(info);
}

WString ProductName(const Os& info) {
    switch (info.platform) {
        case Os::kDos:
            return u"DOS";
        case Os::kWindows:
            return u"Windows";
        case Os::kWindows9x:
            return Windows9xName(info);
        case Os::kWindowsNt:
            return WindowsNtName(info);
        case Os::kWindowsCe:
            return u"Windows CE";
        case Os::kLinux:
            return u"Linux";
        default:
            return u"Unknown OS";
    }
}

// Windows prints its minor versions in tenths when they are multiples of ten (4.10 is "4.1", 4.90 "4.9").
// Linux minor versions are plain numbers (6.10 stays "6.10").
WString MinorVersion(const Os& info) {
    if (info.platform == Os::kLinux)
        return Format(u"%d", info.minor);
    if (info.minor % 10 == 0)
        return Format(u"%01d", info.minor / 10);
    if (info.minor < 10)
        return Format(u"%01d", info.minor);
    return Format(u"%02d", info.minor);
}

WString ServicePack(const Os& info) {
    const bool nt4 = info.platform == Os::kWindowsNt && info.major == 4;
    const bool xp = info.platform == Os::kWindowsNt && info.major == 5 && info.minor != 0;
    const int spMajor = info.servicePackMajor;
    const int spMinor = info.servicePackMinor;
    if (spMajor != 0 && spMinor != 0) {
        if (nt4 && spMajor == 6 && spMinor == 1)
            return u" Service Pack: 6a";
        if (xp && spMajor == 1 && spMinor == 1)
            return u" Service Pack: 1a";
        return Format(u" Service Pack:%d.%d", spMajor, spMinor);
    }
    if (spMajor != 0)
        return Format(u" Service Pack:%d", spMajor);
    if (spMinor != 0)
        return Format(u" Service Pack:0.%d", spMinor);
    return {};
}

}  // namespace

WString BuildOsName(const OsVersionInfo& info) {
    WString text = ProductName(info);
    text += Format(u" v%d.", info.major);
    text += MinorVersion(info);
    if (info.build != 0) {
        text += Format(u" Build:%d", info.build);
    }
    text += ServicePack(info);
    return text;
}

}  // namespace quill
