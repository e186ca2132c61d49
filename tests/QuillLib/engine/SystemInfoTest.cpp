#include <gtest/gtest.h>

#include "QuillLib/engine/DeviceErrorText.h"
#include "QuillLib/engine/OsName.h"
#include "QuillLib/engine/OsVersionInfo.h"
#include "QuillLib/engine/SystemInfo.h"

namespace quill {
namespace {

using Os = OsVersionInfo;

constexpr uint32_t kNt = Os::kWindowsNt;
constexpr uint32_t k9x = Os::kWindows9x;
constexpr uint32_t kWs = Os::kWorkstation;
constexpr uint32_t kServer = Os::kServer;
constexpr uint32_t kDc = Os::kDomainController;

WString NameOf(uint32_t platform, uint32_t major, uint32_t minor, uint32_t build, uint32_t productType = kWs,
               uint32_t editionFlags = 0, uint16_t servicePackMajor = 0, uint16_t servicePackMinor = 0) {
    Os info;
    info.platform = platform;
    info.major = major;
    info.minor = minor;
    info.build = build;
    info.productType = productType;
    info.editionFlags = editionFlags;
    info.servicePackMajor = servicePackMajor;
    info.servicePackMinor = servicePackMinor;
    return BuildOsName(info);
}

TEST(OsNameTest, WindowsNtFamilyNames) {
    EXPECT_EQ(NameOf(kNt, 5, 1, 2600, kWs, 0, 2), u"Windows XP (Professional) v5.1 Build:2600 Service Pack:2");
    EXPECT_EQ(NameOf(kNt, 5, 2, 3790, kServer, Os::kR2 | Os::kEnterprise),
              u"Windows Server 2003 R2, (Enterprise Edition) v5.2 Build:3790");
    EXPECT_EQ(NameOf(kNt, 5, 2, 3790, kServer, Os::kR2), u"Windows Server 2003 R2, (Standard Edition) v5.2 Build:3790");
    EXPECT_EQ(NameOf(kNt, 5, 2, 3790, kDc, Os::kWebServer),
              u"Windows Server 2003 (Domain Controller), (Web Edition) v5.2 Build:3790");
    EXPECT_EQ(NameOf(kNt, 5, 1, 2600, kWs, Os::kPersonal, 1, 1),
              u"Windows XP (Personal) v5.1 Build:2600 Service Pack: 1a");
    EXPECT_EQ(NameOf(kNt, 5, 1, 2600, kWs, Os::kStarter | Os::kPersonal),
              u"Windows XP (Starter Edition) v5.1 Build:2600");
    EXPECT_EQ(NameOf(kNt, 5, 0, 2195, kServer, Os::kEnterprise, 4),
              u"Windows 2000 (Server), (Advanced Server) v5.0 Build:2195 Service Pack:4");
    EXPECT_EQ(NameOf(kNt, 5, 0, 2195, kDc, Os::kDatacenter | Os::kEnterprise),
              u"Windows 2000 (Domain Controller), (Datacenter) v5.0 Build:2195");
    EXPECT_EQ(NameOf(kNt, 4, 0, 1381, kWs, 0, 6, 1), u"Windows NT (Workstation) v4.0 Build:1381 Service Pack: 6a");
    EXPECT_EQ(NameOf(kNt, 4, 0, 1381, kDc, Os::kBackupDomainController | Os::kEnterprise, 5, 2),
              u"Windows NT (Backup Domain Controller), (Enterprise) v4.0 Build:1381 Service Pack:5.2");
    EXPECT_EQ(NameOf(kNt, 4, 0, 0, kDc, Os::kPrimaryDomainController, 0, 3),
              u"Windows NT (Primary Domain Controller) v4.0 Service Pack:0.3");
    EXPECT_EQ(NameOf(kNt, 6, 0, 6000, kWs, Os::kHomePremium), u"Windows Vista (Home Premium) v6.0 Build:6000");
    EXPECT_EQ(NameOf(kNt, 6, 0, 6000, kWs, Os::kUltimate | Os::kBusiness), u"Windows Vista (Business) v6.0 Build:6000");
    EXPECT_EQ(NameOf(kNt, 6, 1, 7600), u"Windows Vista (?\?) v6.1 Build:7600");
    EXPECT_EQ(NameOf(kNt, 6, 0, 6001, kServer, Os::kDatacenter),
              u"Windows Longhorn Server, (Datacenter Edition) v6.0 Build:6001");
    EXPECT_EQ(NameOf(kNt, 6, 0, 6001, kServer), u"Windows Longhorn Server, (Standard Edition) v6.0 Build:6001");
}

TEST(OsNameTest, Windows9xAndOtherPlatforms) {
    EXPECT_EQ(NameOf(k9x, 4, 0, 950), u"Windows 95 v4.0 Build:950");
    EXPECT_EQ(NameOf(k9x, 4, 0, 1000), u"Windows 95 SP1 v4.0 Build:1000");
    EXPECT_EQ(NameOf(k9x, 4, 3, 1111), u"Windows 95 B [aka OSR2] v4.3 Build:1111");
    EXPECT_EQ(NameOf(k9x, 4, 3, 1214), u"Windows 95 C [aka OSR2.5] v4.3 Build:1214");
    EXPECT_EQ(NameOf(k9x, 4, 10, 1998), u"Windows 98 v4.1 Build:1998");
    EXPECT_EQ(NameOf(k9x, 4, 10, 2000), u"Windows 98 SP1 v4.1 Build:2000");
    EXPECT_EQ(NameOf(k9x, 4, 10, 2222), u"Windows 98 Second Edition v4.1 Build:2222");
    EXPECT_EQ(NameOf(k9x, 4, 90, 3000), u"Windows Millenium Edition v4.9 Build:3000");
    EXPECT_EQ(NameOf(k9x, 4, 15, 0), u"Windows ?? v4.15");
    EXPECT_EQ(NameOf(Os::kDos, 6, 22, 0), u"DOS v6.22");
    EXPECT_EQ(NameOf(Os::kWindows, 3, 11, 0), u"Windows v3.11");
    EXPECT_EQ(NameOf(Os::kWindowsCe, 5, 0, 1400), u"Windows CE v5.0 Build:1400");
    EXPECT_EQ(NameOf(9, 1, 0, 0), u"Unknown OS v1.0");
    EXPECT_EQ(NameOf(Os::kLinux, 6, 10, 3), u"Linux v6.10 Build:3") << "Linux minor versions are not tenths";
}

TEST(OsVersionInfoTest, LinuxRecordNeverClaimsTheWindows95Family) {
    OsVersionInfo info;
    ASSERT_TRUE(info.Query());
    EXPECT_EQ(info.platform, OsVersionInfo::kLinux);
    EXPECT_EQ(GetOsName().rfind(u"Linux v", 0), 0u);
}

TEST(SystemInfoTest, MemoryRoundsUpToWholeMegabytes) {
    EXPECT_EQ(BytesToMegabytesRoundedUp(0), 0u);
    EXPECT_EQ(BytesToMegabytesRoundedUp(1), 1u);
    EXPECT_EQ(BytesToMegabytesRoundedUp(1024 * 1024), 1u);
    EXPECT_EQ(BytesToMegabytesRoundedUp(2ull << 30), 2048u);
    EXPECT_EQ(BytesToMegabytesRoundedUp((2ull << 30) + 1), 2049u);
    EXPECT_EQ(BytesToMegabytesRoundedUp(64ull << 30), 65536u) << "beyond what 32 bits of bytes could hold";
    EXPECT_EQ(BytesToMegabytesRoundedUp(UINT64_MAX), UINT32_MAX);
    EXPECT_GT(GetPhysicalMemoryMB(), 0u);
}

TEST(SystemInfoTest, QueriesThatCannotAnswerGiveTheirFailureTexts) {
    EXPECT_EQ(GetBrowserVersion(), u"Failed to get Internet Explorer version");
    EXPECT_FALSE(GetDisplayAdapterName().empty());
}

TEST(DeviceErrorTextTest, CodesInBothLanguages) {
    EXPECT_EQ(GetDeviceErrorText(0, kLanguageEnglish), u"Suceeded.");
    EXPECT_EQ(GetDeviceErrorText(5, kLanguageEnglish), u"Unsupported back buffer format.");
    EXPECT_EQ(GetDeviceErrorText(13, kLanguageEnglish), u"Failed to create DirectDraw7.");
    EXPECT_EQ(GetDeviceErrorText(14, kLanguageEnglish), u"Undefined error.");
    EXPECT_EQ(GetDeviceErrorText(8, kLanguageKorean), u"Direct3D 디바이스를 생성할 수 없습니다.");
    EXPECT_EQ(GetDeviceErrorText(0xFFFFFFFF, kLanguageKorean), u"알 수 없는 오류가 발생하였습니다.");
    EXPECT_EQ(GetDeviceErrorText(0, 2), u"Unsupported language.");
    EXPECT_EQ(GetDeviceErrorText(3, -1), u"Unsupported language.");
}

}  // namespace
}  // namespace quill
