#include "client/app/Settings.h"

#include <gtest/gtest.h>

#include "tests/client/app/AppFixture.h"

namespace kestrovan {
namespace {

Settings Loaded(const std::string& text) {
    Settings settings;
    settings.Load(platform::ProfileDocument(text));
    return settings;
}

TEST(Settings, EmptyFileKeepsDefaultsAndValuesAreClamped) {
    const Settings empty = Loaded("");
    EXPECT_EQ(empty.fullScreen, 1);
    EXPECT_EQ(empty.width, 0u);
    EXPECT_EQ(empty.refreshRate, 60u);
    EXPECT_EQ(empty.textureDetail, 1u);
    EXPECT_EQ(empty.textureFilter, 2u);
    EXPECT_EQ(empty.anisotropy, 8u);
    EXPECT_EQ(empty.gamma, 100u);
    EXPECT_EQ(empty.cameraMode, 1u);

    EXPECT_EQ(Loaded("[Video]\nfsaa=7").fsaa, 6u);
    EXPECT_EQ(Loaded("[Video]\nfsaa=9").fsaa, 8u);
    EXPECT_EQ(Loaded("[Video]\nfsaa=-3").fsaa, 0u);
    EXPECT_EQ(Loaded("[Control]\ncameramode=0").cameraMode, 1u);
    EXPECT_EQ(Loaded("[Control]\ncameramode=5").cameraMode, 3u);
    EXPECT_EQ(Loaded("[Video]\nanisotropic=20").anisotropy, 16u);
    EXPECT_EQ(Loaded("[Video]\ngamma=10").gamma, 50u);
    EXPECT_EQ(Loaded("[Video]\nfullscreen=5").fullScreen, 1);
    EXPECT_EQ(Loaded("[Control]\nshotsensitive=1000").shotSensitivity, 300u);
    const Settings audio = Loaded("[Audio]\nFX=0\nFXVolume=130\n");
    EXPECT_EQ(audio.fxVolume, 100u);
    EXPECT_EQ(audio.voiceOn, 0);  // the third channel follows the effects
    EXPECT_EQ(audio.voiceVolume, 100u);
}

TEST(Settings, FileRoundTripKeepsOtherLinesAndWritesEveryKey) {
    test::ScratchFolder folder;
    folder.Write("config.ini", "[Game]\nlang=7\nfavourite=3\n[Video]\nFullScreen=0\n");
    Settings settings;
    settings.LoadFile(u"config.ini");
    EXPECT_EQ(settings.language, 1u);
    EXPECT_EQ(settings.fullScreen, 0);
    settings.gamma = 120;
    settings.horizontalInverse = 1;
    ASSERT_TRUE(settings.SaveFile(u"config.ini"));
    const std::string text = folder.Read("config.ini");
    EXPECT_NE(text.find("lang= 1\r\n"), std::string::npos);
    EXPECT_NE(text.find("favourite=3\r\n"), std::string::npos);
    EXPECT_NE(text.find("FullScreen= 0\r\n"), std::string::npos);
    EXPECT_NE(text.find("horizentalinverse= 1\r\n"), std::string::npos);
    EXPECT_LT(text.find("width"), text.find("watereffect"));

    Settings again;
    again.LoadFile(u"config.ini");
    EXPECT_EQ(again.gamma, 120u);
    EXPECT_EQ(again.horizontalInverse, 1);
    EXPECT_FALSE(again.IsModeGroupChanged(settings));
    EXPECT_FALSE(again.IsControlGroupChanged(settings));
}

// A file of several megabytes is read whole, its last key included, and saved whole; one past the size the read
// takes, or one in UTF-16, is read but never rebuilt, so nothing of it is lost.
TEST(Settings, LargeAndUtf16FilesAreReadWholeOrLeftAsTheyAre) {
    test::ScratchFolder folder;
    const std::string filler = "[Notes]\n" + std::string(3u << 20, 'x') + "\n";
    folder.Write("config.ini", filler + "[Game]\nlang=1\n[Tail]\nlast=42\n");
    Settings settings;
    settings.LoadFile(u"config.ini");
    EXPECT_EQ(settings.language, 1u);
    ASSERT_TRUE(settings.SaveFile(u"config.ini"));
    const std::string saved = folder.Read("config.ini");
    EXPECT_NE(saved.find("last=42\r\n"), std::string::npos) << "the key after the third megabyte";
    EXPECT_NE(saved.find(std::string(3u << 20, 'x') + "\r\n"), std::string::npos) << "the long line whole";

    const std::string huge = "[Game]\nlang=1\n[Notes]\n" + std::string(kMaxProfileFileBytes, 'y') + "\n";
    folder.Write("config.ini", huge);
    settings.LoadFile(u"config.ini");
    EXPECT_EQ(settings.language, 1u);
    EXPECT_FALSE(settings.SaveFile(u"config.ini"));
    EXPECT_EQ(folder.Read("config.ini"), huge);

    // "[Game]\r\nlang=1\r\n" in UTF-16 with its byte-order mark, little-endian.
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("[Game]\r\nlang=1\r\n")) utf16 += std::string{c, '\0'};
    folder.Write("config.ini", utf16);
    Settings wide;
    wide.LoadFile(u"config.ini");
    EXPECT_EQ(wide.language, 1u);
    EXPECT_FALSE(wide.SaveFile(u"config.ini"));
    EXPECT_EQ(folder.Read("config.ini"), utf16);
}

// The game server's address comes from [Server] when it is usable and is never written back: the player's lines
// stay as they were.
TEST(Settings, ServerAddressIsReadFromItsSectionAndNeverWritten) {
    const Settings none = Loaded("");
    EXPECT_EQ(none.server.host, u"127.0.0.1");
    EXPECT_EQ(none.server.port, 7777);
    const Settings named = Loaded("[server]\nHOST = games.example.net \nport=40001\n");
    EXPECT_EQ(named.server.host, u"games.example.net");
    EXPECT_EQ(named.server.port, 40001);
    for (const char* bad : {"[Server]\nHost=\nPort=0\n", "[Server]\nPort=65536\n", "[Server]\nPort=-7\n",
                            "[Server]\nPort=abc\n"}) {
        const Settings kept = Loaded(bad);
        EXPECT_EQ(kept.server.host, u"127.0.0.1") << bad;
        EXPECT_EQ(kept.server.port, 7777) << bad;
    }
    EXPECT_EQ(Loaded("[Server]\nHost=" + std::string(256, 'h') + "\n").server.host, u"127.0.0.1");
    EXPECT_EQ(Loaded("[Server]\nHost=" + std::string(255, 'h') + "\n").server.host.size(), 255u);

    test::ScratchFolder folder;
    folder.Write("config.ini", "[Server]\nHost=10.0.0.9\nPort=7000\n");
    Settings settings;
    settings.LoadFile(u"config.ini");
    settings.server.port = 1;
    ASSERT_TRUE(settings.SaveFile(u"config.ini"));
    const std::string text = folder.Read("config.ini");
    EXPECT_NE(text.find("[Server]\r\nHost=10.0.0.9\r\nPort=7000\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Port= "), std::string::npos) << text;
}

TEST(Settings, ServerOptionWordDecodesClampedAndEncodes) {
    Settings settings;
    settings.ApplyServerOptions(0);
    EXPECT_EQ(settings.voiceVolume, 100u);
    EXPECT_EQ(settings.voiceOn, 1);
    EXPECT_EQ(settings.chatFilter, 1);
    EXPECT_EQ(settings.serverOptionsKnown, 0);
    EXPECT_EQ(settings.schoolGuideState, 2u);

    // A low byte past 100 must not wrap the volume into billions.
    settings.ApplyServerOptions(0x800 | 0xC8);
    EXPECT_EQ(settings.voiceVolume, 0u);
    EXPECT_EQ(settings.serverOptionsKnown, 1);

    Settings encoded;
    encoded.schoolGuideState = 2;
    EXPECT_EQ(encoded.EncodeOptionWord(), 0x800u);
    encoded.voiceOn = encoded.chatFilter = encoded.roomOption = 0;
    EXPECT_EQ(encoded.EncodeOptionWord(), 0xF00u);
    Settings example;
    example.voiceVolume = 30;
    example.chatFilter = 0;
    example.schoolGuideState = 1;
    EXPECT_EQ(example.EncodeOptionWord(), 70u | 0x200u | 0x800u | 0x1000u);
    example.ApplyServerOptions(example.EncodeOptionWord());
    EXPECT_EQ(example.voiceVolume, 30u);
    EXPECT_EQ(example.chatFilter, 0);
    EXPECT_EQ(example.EncodeExtraOptions(), 3);
}

TEST(Settings, MultisampleLevelsStayInTheirTable) {
    Settings settings;
    const uint8_t bgmBefore = settings.bgmOn;
    settings.SetMultisampleSupported(16);
    settings.SetMultisampleSupported(4);
    settings.SetMultisampleSupported(2);
    EXPECT_EQ(settings.bgmOn, bgmBefore);
    EXPECT_FALSE(settings.IsMultisampleSupported(16));
    EXPECT_EQ(settings.HighestMultisampleAtMost(8), 4u);
    EXPECT_EQ(settings.HighestMultisampleAtMost(40), 4u);
    EXPECT_EQ(settings.HighestMultisampleAtMost(3), 2u);
    EXPECT_EQ(settings.HighestMultisampleAtMost(0), 0u);
}

TEST(Settings, DeviceCapsLowerWhatTheDeviceCannotCarry) {
    Settings settings;
    settings.maxAnisotropy = 4;
    EXPECT_FALSE(settings.ClampAnisotropy());
    EXPECT_EQ(settings.anisotropy, 4u);
    EXPECT_TRUE(settings.ClampAnisotropy());

    GraphicsCaps caps;
    caps.flags = {1, 1, 1, 1, 1};
    caps.limits[1] = 4096;
    caps.limits[5] = 4;
    settings.bitsPerPixel = 32;
    EXPECT_TRUE(settings.ApplyDeviceCaps(caps));
    caps.flags[1] = 0;
    caps.flags[2] = 0;
    EXPECT_FALSE(settings.ApplyDeviceCaps(caps));
    EXPECT_EQ(settings.tableEffect, 0);
    EXPECT_EQ(settings.textureDetail, 2u);
    EXPECT_EQ(settings.bitsPerPixel, 16u);
}

}  // namespace
}  // namespace kestrovan
