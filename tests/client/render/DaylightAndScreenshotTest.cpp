// Brightness ramps, the time-of-day model and screenshots of the back buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "client/render/Daylight.h"
#include "client/render/GammaRampBuilder.h"
#include "platform/gfx/ImageServices.h"
#include "platform/gfx/MemoryTexture.h"
#include "tests/support/common/TempDirectory.h"
#include "tests/support/gfx/RecordingDeviceFixture.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;

class RecordingSounds : public AmbientSoundPlayer {
public:
    void Play(uint32_t id) override { events.push_back("play " + std::to_string(id)); }
    void Stop(uint32_t id) override { events.push_back("stop " + std::to_string(id)); }
    std::vector<std::string> events;
};

TEST(GammaRampTest, BrightnessShiftsAndClampsEveryLevel) {
    EXPECT_EQ(GammaEntry(1.0f, 0), 0);
    EXPECT_EQ(GammaEntry(1.0f, 200), 200 << 8);
    EXPECT_EQ(GammaEntry(1.5f, 0), 127 << 8);
    EXPECT_EQ(GammaEntry(1.5f, 200), 255 << 8);
    EXPECT_EQ(GammaEntry(0.5f, 100), 0);
    gfx::GammaRamp ramp;
    BuildGammaRamp(1.0f, ramp);
    EXPECT_EQ(ramp, gfx::GammaRamp::Identity());
}

TEST(DaylightTest, ColoursFadesAndSoundsFollowTheClock) {
    RecordingSounds sounds;
    Daylight light;
    light.UpdateAmbientLight(43200, sounds);  // noon
    EXPECT_EQ(light.daylightColor, 0x52ffffffu);
    light.UpdateAmbientLight(45000, sounds);  // halfway to 13:00
    EXPECT_EQ(light.daylightColor >> 24, 0x62u);
    EXPECT_EQ(light.night, 0);
    light.UpdateAmbientLight(86399, sounds);  // between 23:00 and 00:00
    EXPECT_EQ(light.daylightColor, 0x3d00045du);  // green 2 moves 3 x 3599 / 3600 toward 5, truncated
    EXPECT_EQ(light.night, 1);
    EXPECT_EQ(light.blinkPhase, 1u);

    Daylight day;
    day.UpdateAmbientLight(24300, sounds);  // the day fades in from 06:30
    EXPECT_FLOAT_EQ(day.dayFade, 0.5f);
    day.UpdateAmbientLight(14400, sounds);
    day.UpdateAmbientLight(16200, sounds);
    day.UpdateAmbientLight(25200, sounds);
    day.UpdateAmbientLight(40000, sounds);
    EXPECT_EQ(sounds.events, (std::vector<std::string>{"play 1", "stop 1", "play 0", "stop 0"}));
    EXPECT_EQ(day.overlayColor >> 24, 255u);

    Daylight fixed;
    fixed.daylightMode = 1;
    fixed.UpdateAmbientLight(0, sounds);
    EXPECT_EQ(fixed.daylightColor, 0x7200055du);
    EXPECT_EQ(fixed.night, 1);
    EXPECT_FLOAT_EQ(fixed.dawnFade, 0.5f);
}

class ScreenshotTest : public kvtest::RecordingDeviceFixture {};

TEST_F(ScreenshotTest, AFileThatCannotBeWrittenIsReported) {
    CreateDevice();
    ASSERT_TRUE(device->BeginFrame());
    kvtest::TempDirectory folder;
    EXPECT_FALSE(device->SaveScreenshot(folder.Path() / "no such folder" / "shot.jpg"));
}

TEST_F(ScreenshotTest, EveryFormatDecodesAgainAndUnknownExtensionsSaveBitmaps) {
    CreateDevice();
    device->clearColor = 0xFF20A040;
    ASSERT_TRUE(device->BeginFrame());
    kvtest::TempDirectory folder;
    for (const char* name : {"shot.bmp", "shot.jpg", "shot.tga", "shot.png", "shot.dds", "shot.JPG"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(device->SaveScreenshot(folder.Path() / name));
        std::ifstream in(folder.Path() / name, std::ios::binary);
        const std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto* first = reinterpret_cast<const std::byte*>(chars.data());
        const std::vector<std::byte> file(first, first + chars.size());
        gfx::ImageInfo info;
        ASSERT_EQ(gfx::GetImageInfoFromFileInMemory(file, info), gfx::Result::Ok);
        EXPECT_EQ(info.width, 800u);
        const std::string extension = std::filesystem::path(name).extension().string();
        if (extension == ".JPG") {
            EXPECT_EQ(info.fileFormat, gfx::ImageFileFormat::Bmp);
        }
        std::unique_ptr<gfx::Texture> texture;
        ASSERT_EQ(gfx::CreateTextureFromFileInMemoryEx(*device->GetGfxDevice(), file, gfx::TextureLoadOptions{1}, nullptr, texture),
                  gfx::Result::Ok);
        const auto& bytes = static_cast<gfx::MemoryTexture&>(*texture).GetLevel(0)->UnguardedBytes();
        uint32_t pixel;
        std::memcpy(&pixel, bytes.data() + 4 * (300 * 800 + 400), 4);
        EXPECT_NEAR(static_cast<int>((pixel >> 8) & 0xFF), 0xA0, 4);
        EXPECT_NEAR(static_cast<int>((pixel >> 16) & 0xFF), 0x20, 4);
    }
}

}  // namespace
}  // namespace kestrovan
