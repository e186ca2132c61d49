// The SDL2 backend on SDL's dummy driver, which consumes the mixed output in real time as a sound card
// would: a short sound plays to its end.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include "platform/audio/AudioResult.h"
#include "platform/audio/BufferCaps.h"
#include "platform/audio/SoundBuffer.h"
#include "platform/audio/sdl/SdlAudioDevice.h"

namespace platform {
namespace {

TEST(SdlAudioDeviceTest, DummyDriverPlaysASoundToItsEnd) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string error;
    std::unique_ptr<AudioDevice> device = SdlAudioDevice::Open(error);
    ASSERT_NE(device, nullptr) << error;
    EXPECT_EQ(SdlAudioDevice::DriverName(), "dummy");
    ASSERT_EQ(device->SetPrimaryFormat(WaveFormat::Pcm(2, 44100, 16)), AudioResult::Ok);  // as opened
    // Another format reopens the output; the one it plays already keeps it.
    ASSERT_EQ(device->SetPrimaryFormat(WaveFormat::Pcm(1, 22050, 16)), AudioResult::Ok);
    EXPECT_EQ(device->GetPrimaryFormat().samplesPerSec, 22050u);
    ASSERT_EQ(device->SetPrimaryFormat(WaveFormat::Pcm(2, 44100, 16)), AudioResult::Ok);
    EXPECT_EQ(device->GetPrimaryFormat().channels, 2u);

    BufferDesc desc;
    desc.flags = BufferCaps::CtrlVolume;
    desc.format = WaveFormat::Pcm(1, 22050, 16);
    desc.bytes = 22050 / 5 * 2;  // 0.2 s
    std::unique_ptr<SoundBuffer> buffer;
    ASSERT_EQ(device->CreateSoundBuffer(desc, buffer), AudioResult::Ok);
    LockedRegion region;
    ASSERT_EQ(buffer->Lock(0, desc.bytes, region), AudioResult::Ok);
    for (uint32_t i = 0; i < desc.bytes; i += 2) {
        region.first[i + 1] = (i / 2) % 50 < 25 ? 0x20 : 0xE0;  // a square wave
    }
    buffer->Unlock(region);
    ASSERT_EQ(buffer->Play(0), AudioResult::Ok);

    uint32_t status = BufferStatus::Playing;
    uint32_t moved = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((status & BufferStatus::Playing) != 0 && std::chrono::steady_clock::now() < deadline) {
        uint32_t play = 0;
        uint32_t write = 0;
        buffer->GetCurrentPosition(play, write);
        moved = std::max(moved, play);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        buffer->GetStatus(status);
    }
    EXPECT_EQ(status & BufferStatus::Playing, 0u) << "the sound ended";
    EXPECT_GT(moved, 0u) << "the cursor was seen moving through the sound";
    buffer.reset();
    device.reset();
}

}  // namespace
}  // namespace platform
