// Secondary buffers on the null device: play, loop, stop and cursor, duplicates, volume, pan and frequency,
// clipping, notifications, locking and loss. The output runs at the buffers' own rate and channel count, so
// an unattenuated buffer comes out sample for sample.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/audio/AudioResult.h"
#include "platform/audio/BufferCaps.h"
#include "platform/audio/SoundBuffer.h"
#include "platform/audio/null/NullAudioDevice.h"
#include "platform/system/Event.h"

namespace platform {
namespace {

constexpr uint32_t kRate = 8000;
constexpr uint32_t kAllControls =
    BufferCaps::CtrlVolume | BufferCaps::CtrlPan | BufferCaps::CtrlFrequency | BufferCaps::CtrlPositionNotify;

class NullDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(device_.SetPrimaryFormat(WaveFormat::Pcm(1, kRate, 16)), AudioResult::Ok); }

    // A mono 16-bit buffer holding the samples.
    std::unique_ptr<SoundBuffer> MakeBuffer(const std::vector<int16_t>& samples, uint32_t flags = kAllControls,
                                            uint16_t channels = 1) {
        BufferDesc desc;
        desc.flags = flags;
        desc.bytes = static_cast<uint32_t>(samples.size() * 2);
        desc.format = WaveFormat::Pcm(channels, kRate, 16);
        std::unique_ptr<SoundBuffer> buffer;
        EXPECT_EQ(device_.CreateSoundBuffer(desc, buffer), AudioResult::Ok);
        LockedRegion region;
        EXPECT_EQ(buffer->Lock(0, desc.bytes, region), AudioResult::Ok);
        std::memcpy(region.first, samples.data(), desc.bytes);
        EXPECT_EQ(buffer->Unlock(region), AudioResult::Ok);
        return buffer;
    }

    std::vector<float> Run(uint32_t frames) {
        std::vector<float> out;
        device_.Advance(frames, &out);
        return out;
    }

    static bool IsPlaying(const SoundBuffer& buffer) {
        uint32_t status = 0;
        buffer.GetStatus(status);
        return (status & BufferStatus::Playing) != 0;
    }

    static uint32_t Cursor(const SoundBuffer& buffer) {
        uint32_t play = 0;
        uint32_t write = 0;
        buffer.GetCurrentPosition(play, write);
        return play;
    }

    NullAudioDevice device_;
};

std::vector<int16_t> Counting(uint32_t count, int16_t step = 100) {
    std::vector<int16_t> samples(count);
    for (uint32_t i = 0; i < count; ++i) {
        samples[i] = static_cast<int16_t>((i + 1) * step);
    }
    return samples;
}

float Level(int16_t sample) {
    return sample / 32768.0f;
}

TEST_F(NullDeviceTest, OneShotPlaysItsSamplesThenStopsWithTheCursorBackAtZero) {
    const auto samples = Counting(100);
    auto buffer = MakeBuffer(samples);
    ASSERT_EQ(buffer->Play(0), AudioResult::Ok);
    const std::vector<float> out = Run(150);
    for (size_t i = 0; i < 100; ++i) {
        ASSERT_FLOAT_EQ(out[i], Level(samples[i])) << i;
    }
    for (size_t i = 100; i < 150; ++i) {
        ASSERT_EQ(out[i], 0.0f) << i;
    }
    EXPECT_FALSE(IsPlaying(*buffer));
    EXPECT_EQ(Cursor(*buffer), 0u);
}

TEST_F(NullDeviceTest, LoopingWrapsWithoutAGapAndStopKeepsTheCursor) {
    const auto samples = Counting(64);
    auto buffer = MakeBuffer(samples);
    buffer->Play(PlayFlags::Looping);
    const std::vector<float> out = Run(200);
    for (size_t i = 0; i < out.size(); ++i) {
        ASSERT_FLOAT_EQ(out[i], Level(samples[i % 64])) << i;
    }
    uint32_t status = 0;
    buffer->GetStatus(status);
    EXPECT_EQ(status, BufferStatus::Playing | BufferStatus::Looping);
    buffer->Stop();
    EXPECT_EQ(Cursor(*buffer), (200u % 64) * 2);
    Run(10);
    EXPECT_EQ(Cursor(*buffer), (200u % 64) * 2) << "a stopped buffer does not move";
}

TEST_F(NullDeviceTest, DuplicatesShareTheBytesAndPlayTogether) {
    auto original = MakeBuffer(Counting(50));
    std::unique_ptr<SoundBuffer> duplicate;
    ASSERT_EQ(device_.DuplicateSoundBuffer(*original, duplicate), AudioResult::Ok);
    EXPECT_TRUE(duplicate->SharesDataWith(*original));

    LockedRegion region;
    original->Lock(0, 2, region);
    region.first[0] = 0x00;
    region.first[1] = 0x10;  // sample 0 becomes 4096
    original->Unlock(region);

    original->Play(0);
    duplicate->Play(0);
    const std::vector<float> out = Run(2);
    EXPECT_FLOAT_EQ(out[0], 2 * Level(4096));
    EXPECT_FLOAT_EQ(out[1], 2 * Level(200));
    duplicate->Stop();
    EXPECT_TRUE(IsPlaying(*original)) << "each copy has its own status";
}

TEST_F(NullDeviceTest, VolumeAttenuatesInHundredthsOfADecibelAndTheSumIsClipped) {
    const std::vector<int16_t> loud(10, 30000);
    auto buffer = MakeBuffer(loud);
    ASSERT_EQ(buffer->SetVolume(-602), AudioResult::Ok);
    buffer->Play(PlayFlags::Looping);
    EXPECT_NEAR(Run(1)[0], Level(30000) * 0.5f, 1e-3);

    buffer->SetVolume(0);
    auto second = MakeBuffer(loud);
    second->Play(PlayFlags::Looping);
    EXPECT_EQ(Run(1)[0], 1.0f);

    std::vector<int16_t> quiet(10, 0);
    EXPECT_EQ(buffer->SetVolume(1), AudioResult::InvalidArg);
    EXPECT_EQ(buffer->SetVolume(-10001), AudioResult::InvalidArg);
    auto noControl = MakeBuffer(quiet, 0);
    EXPECT_EQ(noControl->SetVolume(-100), AudioResult::ControlUnavailable);
    EXPECT_EQ(noControl->SetPan(0), AudioResult::ControlUnavailable);
}

TEST_F(NullDeviceTest, PanTakesDecibelsOffTheOtherSide) {
    ASSERT_EQ(device_.SetPrimaryFormat(WaveFormat::Pcm(2, kRate, 16)), AudioResult::Ok);
    auto buffer = MakeBuffer(std::vector<int16_t>(10, 16000));
    struct Case {
        int32_t pan;
        float left;
        float right;
    };
    for (const Case& c : {Case{0, 1.0f, 1.0f}, Case{2000, 0.1f, 1.0f}, Case{-602, 1.0f, 0.5f}}) {
        ASSERT_EQ(buffer->SetPan(c.pan), AudioResult::Ok);
        int32_t pan = 0;
        buffer->GetPan(pan);
        EXPECT_EQ(pan, c.pan);
        buffer->Play(PlayFlags::Looping);
        const std::vector<float> out = Run(1);
        EXPECT_NEAR(out[0], Level(16000) * c.left, 1e-3) << c.pan;
        EXPECT_NEAR(out[1], Level(16000) * c.right, 1e-3) << c.pan;
    }
    EXPECT_EQ(buffer->SetPan(10001), AudioResult::InvalidArg);
}

TEST_F(NullDeviceTest, FrequencyResamplesLinearly) {
    auto buffer = MakeBuffer({0, 1000, 2000, 3000});
    ASSERT_EQ(buffer->SetFrequency(kRate / 2), AudioResult::Ok);
    buffer->Play(0);
    const std::vector<float> out = Run(8);
    const float expected[] = {0, 500, 1000, 1500, 2000, 2500, 3000, 3000};
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_NEAR(out[i], expected[i] / 32768.0f, 1e-6) << i;
    }
    EXPECT_FALSE(IsPlaying(*buffer)) << "half speed plays twice as long";
    uint32_t frequency = 0;
    buffer->SetFrequency(BufferLimits::FrequencyOriginal);
    buffer->GetFrequency(frequency);
    EXPECT_EQ(frequency, kRate);
    EXPECT_EQ(buffer->SetFrequency(99), AudioResult::InvalidArg);
}

TEST_F(NullDeviceTest, NotificationsFireWhenTheCursorPassesTheirOffsetIncludingAcrossTheWrap) {
    auto buffer = MakeBuffer(Counting(100));
    Event firstHalf(false, false);
    Event secondHalf(false, false);
    const NotifyPosition positions[] = {{99, &firstHalf}, {199, &secondHalf}};
    ASSERT_EQ(buffer->SetNotificationPositions(positions), AudioResult::Ok);
    buffer->Play(PlayFlags::Looping);

    Run(49);
    EXPECT_FALSE(firstHalf.Wait(0));
    Run(1);
    EXPECT_TRUE(firstHalf.Wait(0));
    EXPECT_FALSE(secondHalf.Wait(0));
    Run(60);  // past the end and over the wrap in one pass
    EXPECT_TRUE(secondHalf.Wait(0));
    EXPECT_FALSE(firstHalf.Wait(0));

    EXPECT_EQ(buffer->SetNotificationPositions(positions), AudioResult::InvalidCall) << "only while stopped";
    buffer->Stop();
    const NotifyPosition outside[] = {{200, &firstHalf}};
    EXPECT_EQ(buffer->SetNotificationPositions(outside), AudioResult::InvalidArg);
}

TEST_F(NullDeviceTest, LockWrapsPastTheEndIntoASecondRegion) {
    auto buffer = MakeBuffer(Counting(10));
    LockedRegion region;
    ASSERT_EQ(buffer->Lock(16, 8, region), AudioResult::Ok);
    EXPECT_EQ(region.firstBytes, 4u);
    EXPECT_EQ(region.secondBytes, 4u);
    EXPECT_EQ(region.second + 16, region.first);
    EXPECT_EQ(buffer->Lock(0, 21, region), AudioResult::InvalidArg);
    EXPECT_EQ(buffer->Lock(20, 1, region), AudioResult::InvalidArg);
    EXPECT_EQ(buffer->SetCurrentPosition(20), AudioResult::InvalidArg);
}

TEST_F(NullDeviceTest, LostBuffersStopAndRestoreOnlyOnceTheDeviceIsBack) {
    auto buffer = MakeBuffer(Counting(10));
    buffer->Play(PlayFlags::Looping);
    device_.LoseBuffers();

    uint32_t status = 0;
    buffer->GetStatus(status);
    EXPECT_EQ(status, BufferStatus::BufferLost);
    LockedRegion region;
    EXPECT_EQ(buffer->Lock(0, 2, region), AudioResult::BufferLost);
    EXPECT_EQ(buffer->Play(0), AudioResult::BufferLost);
    EXPECT_EQ(buffer->Restore(), AudioResult::BufferLost);

    device_.RegainDevice();
    ASSERT_EQ(buffer->Restore(), AudioResult::Ok);
    buffer->GetStatus(status);
    EXPECT_EQ(status, 0u);
    buffer->Play(0);
    EXPECT_EQ(Run(1)[0], 0.0f) << "restored memory is silence until refilled";
}

TEST_F(NullDeviceTest, CreationRefusesWhatTheMixerCannotPlay) {
    std::unique_ptr<SoundBuffer> buffer;
    BufferDesc desc;
    desc.bytes = 100;
    desc.format = WaveFormat::Pcm(1, kRate, 24);
    EXPECT_EQ(device_.CreateSoundBuffer(desc, buffer), AudioResult::BadFormat);
    desc.format = WaveFormat::Pcm(2, kRate, 8);
    desc.flags = BufferCaps::PrimaryBuffer;
    EXPECT_EQ(device_.CreateSoundBuffer(desc, buffer), AudioResult::InvalidArg);
    desc.flags = 0;
    desc.bytes = 2;
    EXPECT_EQ(device_.CreateSoundBuffer(desc, buffer), AudioResult::InvalidArg);
    EXPECT_EQ(device_.SetPrimaryFormat(WaveFormat::Pcm(6, kRate, 16)), AudioResult::BadFormat);
}

}  // namespace
}  // namespace platform
