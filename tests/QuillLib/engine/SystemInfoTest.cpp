#include <gtest/gtest.h>

#include "QuillLib/engine/DeviceErrorText.h"
#include "QuillLib/engine/OsName.h"
#include "QuillLib/engine/OsVersionInfo.h"
#include "QuillLib/engine/SystemInfo.h"

namespace quill {
namespace {

using Os = OsVersionInfo;

Os Record(uint32_t platform, uint32_t major, uint32_t minor, uint32_t build, uint32_t productType = 0,
          uint32_t flags = 0, uint16_t spMajor = 0, uint16_t spMinor = 0) {
    Os info;
    info.platform = platform;
    info.major = major;
    info.minor = minor;
    info.build = build;
    info.productType = productType;
    info.editionFlags = flags;
    info.servicePackMajor = spMajor;
    info.servicePackMinor = spMinor;
    return info;
}

TEST(OsNameTest, WindowsNtFamilyNames) {
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 5, 1, 2600, Os::kWorkstation, 0, 2)),
              u"Windows XP (Professional) v5.1 Build:2600 Service Pack:2");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 5, 2, 3790, Os::kServer, Os::kR2 | Os::kEnterprise)),
              u"Windows Server 2003 R2, (Enterprise Edition) v5.2 Build:3790");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 5, 2, 3790, Os::kServer, Os::kR2)),
              u"Windows Server 2003 R2, (Standard Edition) v5.2 Build:3790");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 5, 2, 3790, Os::kDomainController, Os::kWebServer)),
              u"Windows Server 2003 (Domain Controller), (Web Edition) v5.2 Build:3790");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 5, 1, 2600, Os::kWorkstation, Os::kPersonal, 1, 1)),
              u"Windows XP (Personal) v5.1 Build:2600 Service Pack: 1a");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 5, 1, 2600, Os::kWorkstation, Os::kStarter | Os::kPersonal)),
              u"Windows XP (Starter Edition) v5.1 Build:2600");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 5, 0, 2195, Os::kServer, Os::kEnterprise, 4)),
              u"Windows 2000 (Server), (Advanced Server) v5.0 Build:2195 Service Pack:4");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 5, 0, 2195, Os::kDomainController, Os::kDatacenter | Os::kEnterprise)),
              u"Windows 2000 (Domain Controller), (Datacenter) v5.0 Build:2195");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 4, 0, 1381, Os::kWorkstation, 0, 6, 1)),
              u"Windows NT (Workstation) v4.0 Build:1381 Service Pack: 6a");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 4, 0, 1381, Os::kDomainController,
                                 Os::kBackupDomainController | Os::kEnterprise, 5, 2)),
              u"Windows NT (Backup Domain Controller), (Enterprise) v4.0 Build:1381 Service Pack:5.2");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 4, 0, 0, Os::kDomainController, Os::kPrimaryDomainController, 0, 3)),
              u"Windows NT (Primary Domain Controller) v4.0 Service Pack:0.3");
}

TEST(OsNameTest, VersionSixNames) {
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 6, 0, 6000, Os::kWorkstation, Os::kHomePremium)),
              u"Windows Vista (Home Premium) v6.0 Build:6000");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 6, 0, 6000, Os::kWorkstation, Os::kUltimate | Os::kBusiness)),
              u"Windows Vista (Business) v6.0 Build:6000");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 6, 1, 7600)), u"Windows Vista (?\?) v6.1 Build:7600");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 6, 0, 6001, Os::kServer, Os::kDatacenter)),
              u"Windows Longhorn Server, (Datacenter Edition) v6.0 Build:6001");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsNt, 6, 0, 6001, Os::kServer)),
              u"Windows Longhorn Server, (Standard Edition) v6.0 Build:6001");
}

TEST(OsNameTest, Windows9xFamilyNamesAndMinorVersions) {
    EXPECT_EQ(BuildOsName(Record(Os::kWindows9x, 4, 0, 950)), u"Windows 95 v4.0 Build:950");
    EXPECT_EQ(BuildOsName(Record(Os::kWindows9x, 4, 0, 1000)), u"Windows 95 SP1 v4.0 Build:1000");
    EXPECT_EQ(BuildOsName(Record(Os::kWindows9x, 4, 3, 1111)), u"Windows 95 B [aka OSR2] v4.3 Build:1111");
    EXPECT_EQ(BuildOsName(Record(Os::kWindows9x, 4, 3, 1214)), u"Windows 95 C [aka OSR2.5] v4.3 Build:1214");
    EXPECT_EQ(BuildOsName(Record(Os::kWindows9x, 4, 10, 1998)), u"Windows 98 v4.1 Build:1998");
    EXPECT_EQ(BuildOsName(Record(Os::kWindows9x, 4, 10, 2000)), u"Windows 98 SP1 v4.1 Build:2000");
    EXPECT_EQ(BuildOsName(Record(Os::kWindows9x, 4, 10, 2222)), u"Windows 98 Second Edition v4.1 Build:2222");
    EXPECT_EQ(BuildOsName(Record(Os::kWindows9x, 4, 90, 3000)), u"Windows Millenium Edition v4.9 Build:3000");
    EXPECT_EQ(BuildOsName(Record(Os::kWindows9x, 4, 15, 0)), u"Windows ?? v4.15");
}

TEST(OsNameTest, OtherPlatforms) {
    EXPECT_EQ(BuildOsName(Record(Os::kDos, 6, 22, 0)), u"DOS v6.22");
    EXPECT_EQ(BuildOsName(Record(Os::kWindows, 3, 11, 0)), u"Windows v3.11");
    EXPECT_EQ(BuildOsName(Record(Os::kWindowsCe, 5, 0, 1400)), u"Windows CE v5.0 Build:1400");
    EXPECT_EQ(BuildOsName(Record(9, 1, 0, 0)), u"Unknown OS v1.0");
    // Linux versions print as they are: 6.10 is not a tenth.
    EXPECT_EQ(BuildOsName(Record(Os::kLinux, 6, 10, 3)), u"Linux v6.10 Build:3");
}

TEST(OsVersionInfoTest, LinuxRecordNeverClaimsTheWindows95Family) {
    OsVersionInfo info;
    ASSERT_TRUE(info.Query());
    EXPECT_EQ(info.platform, OsVersionInfo::kLinux);
    EXPECT_NE(info.platform, OsVersionInfo::kWindows9x);
    EXPECT_EQ(GetOsName().rfind(u"Linux v", 0), 0u);
}

TEST(SystemInfoTest, MemoryRoundsUpToWholeMegabytes) {
    EXPECT_EQ(BytesToMegabytesRoundedUp(0), 0u);
    EXPECT_EQ(BytesToMegabytesRoundedUp(1), 1u);
    EXPECT_EQ(BytesToMegabytesRoundedUp(1024 * 1024), 1u);
    EXPECT_EQ(BytesToMegabytesRoundedUp(2ull << 30), 2048u);
    EXPECT_EQ(BytesToMegabytesRoundedUp((2ull << 30) + 1), 2049u);
    EXPECT_EQ(BytesToMegabytesRoundedUp(64ull << 30), 65536u);  // beyond what 32 bits of bytes could hold
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
    EXPECT_EQ(GetDeviceErrorText(20, kLanguageKorean), u"알 수 없는 오류가 발생하였습니다.");
    EXPECT_EQ(GetDeviceErrorText(0xFFFFFFFF, kLanguageKorean), u"알 수 없는 오류가 발생하였습니다.");
    EXPECT_EQ(GetDeviceErrorText(0, 2), u"Unsupported language.");
    EXPECT_EQ(GetDeviceErrorText(3, -1), u"Unsupported language.");
}

}  // namespace
}  // namespace quill
