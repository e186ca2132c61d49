// The sound manager on the null device: loading, playing by id on the clock, categories and volumes,
// streaming slots refilled by the real notification thread, idle release, and what it does without a
// device or with damaged data.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "QuillLib/resource/SoundResource.h"
#include "QuillLib/sound/Sound.h"
#include "QuillLib/sound/SoundManager.h"
#include "QuillLib/sound/StreamingSound.h"
#include "platform/audio/BufferCaps.h"
#include "platform/audio/SoundBuffer.h"
#include "platform/audio/null/NullAudioDevice.h"
#include "tests/support/common/LogCapture.h"
#include "tests/support/sound/SoundFiles.h"

namespace quill {
namespace {

constexpr uint32_t kRate = 8000;

SharedPtr<SoundResource> Ramp(uint32_t samples) {
    return kvtest::SoundResourceOf(kvtest::WaveBytes(kvtest::RampSamples(samples), 1, kRate), SoundResource::kWave);
}

int32_t VolumeOf(const SharedPtr<Sound>& sound, size_t buffer = 0) {
    int32_t volume = 1;
    sound->GetBuffer(buffer)->GetVolume(volume);
    return volume;
}

class SoundManagerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(manager_.Initialize()); }

    SoundManager::DeviceOpener NullOpener() {
        return [this](std::string&) {
            auto device = std::make_unique<platform::NullAudioDevice>();
            device_ = device.get();
            return device;
        };
    }

    void RunMs(uint32_t ms) { device_->AdvanceMs(ms); }

    // Waits (at most ten seconds) until the notification thread has refilled the stream's first part.
    static bool WaitForRefill(StreamingSound& stream) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (stream.GetNextWriteOffset() == 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return stream.GetNextWriteOffset() != 0;
    }

    platform::NullAudioDevice* device_ = nullptr;
    SoundManager manager_{nullptr, nullptr, NullOpener()};
};

TEST_F(SoundManagerTest, OneShotAndLoopingSoundsAdvanceAndEndByTheClock) {
    ASSERT_NE(manager_.LoadSound(Ramp(kRate / 2), 17, 0, 1, false), nullptr);  // half a second
    ASSERT_NE(manager_.LoadSound(Ramp(kRate / 2), 18, 0, 1, true), nullptr);
    EXPECT_EQ(SoundManager::Current(), &manager_);
    ASSERT_TRUE(manager_.Play(17, 1.0f, 0, false));
    ASSERT_TRUE(manager_.PlayAtFullVolume(18, true));
    RunMs(400);
    EXPECT_TRUE(manager_.IsPlaying(17));
    RunMs(200);
    EXPECT_FALSE(manager_.IsPlaying(17));
    RunMs(5000);
    EXPECT_TRUE(manager_.IsPlaying(18));
    EXPECT_TRUE(manager_.Stop(18));
    EXPECT_FALSE(manager_.IsPlaying(18));
    EXPECT_FALSE(manager_.Play(99, 1.0f, 0, false)) << "an id never loaded";
    EXPECT_FALSE(manager_.Stop(99));
}

TEST_F(SoundManagerTest, DuplicatesShareTheDataAndPlayAtOnce) {
    const SharedPtr<Sound> sound = manager_.LoadSound(Ramp(kRate), 9, 0, 3, true);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(manager_.LoadSound(Ramp(10), 9, 2, 1, false), sound) << "a loaded id keeps its sound";
    ASSERT_EQ(sound->GetBufferCount(), 3u);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(manager_.Play(9, 1.0f, 0, false));
    }
    for (size_t i = 0; i < 3; ++i) {
        uint32_t status = 0;
        sound->GetBuffer(i)->GetStatus(status);
        EXPECT_NE(status & platform::BufferStatus::Playing, 0u) << i;
        EXPECT_TRUE(sound->GetBuffer(i)->SharesDataWith(*sound->GetBuffer(0)));
    }
}

TEST_F(SoundManagerTest, VolumesReachTheBuffers) {
    const SharedPtr<Sound> sound = manager_.LoadSound(Ramp(kRate), 5, 0, 1, true);
    ASSERT_TRUE(manager_.Play(5, 0.5f, 0, true));
    EXPECT_EQ(VolumeOf(sound), -602);
    EXPECT_TRUE(manager_.SetCategoryVolume(0, 0.5f));
    EXPECT_EQ(VolumeOf(sound), -1204) << "the play's volume times the category's";
    EXPECT_TRUE(manager_.SetCategoryVolume(0, 0.5f + 1e-8f));
    EXPECT_FLOAT_EQ(sound->GetSoundVolume(), 0.5f);
    EXPECT_TRUE(manager_.SetCategoryVolume(2, 0.1f));
    EXPECT_EQ(VolumeOf(sound), -1204) << "another category's volume";
    EXPECT_FALSE(manager_.SetCategoryVolume(3, 0.1f));

    const SharedPtr<Sound> late = manager_.LoadSound(Ramp(kRate), 6, 0, 1, false);
    EXPECT_FLOAT_EQ(late->GetSoundVolume(), 0.5f) << "a new sound gets its category's volume";
    ASSERT_TRUE(manager_.Play(6, 1.0f, 0, false));
    EXPECT_EQ(VolumeOf(late), -602);
}

TEST_F(SoundManagerTest, SwitchedOffEffectsPlayNothingAndMusicResumesInPlace) {
    manager_.LoadSound(Ramp(kRate), 17, 0, 1, false);
    const SharedPtr<Sound> music = manager_.LoadStreamingSound(Ramp(20 * kRate), 2, 1);
    ASSERT_NE(music, nullptr);
    EXPECT_TRUE(manager_.SetCategoryEnabled(0, false));
    EXPECT_FALSE(manager_.SetCategoryEnabled(0, false)) << "no change";
    EXPECT_TRUE(manager_.Play(17, 1.0f, 0, false));
    EXPECT_FALSE(manager_.IsPlaying(17));

    EXPECT_TRUE(manager_.SetCategoryEnabled(1, false));
    ASSERT_TRUE(manager_.PlayAtFullVolume(2, true));
    EXPECT_TRUE(manager_.IsPlaying(2)) << "muted music counts as playing";
    uint32_t status = 0;
    music->GetBuffer(0)->GetStatus(status);
    EXPECT_EQ(status & platform::BufferStatus::Playing, 0u);
    EXPECT_TRUE(manager_.SetCategoryEnabled(1, true));
    RunMs(1000);
    EXPECT_TRUE(manager_.SetCategoryEnabled(1, false));
    uint32_t play = 0;
    uint32_t write = 0;
    music->GetBuffer(0)->GetCurrentPosition(play, write);
    EXPECT_NEAR(play, 2 * kRate, 2) << "one second in";
    RunMs(1000);
    EXPECT_TRUE(manager_.SetCategoryEnabled(1, true));
    RunMs(10);
    music->GetBuffer(0)->GetCurrentPosition(play, write);
    EXPECT_NEAR(play, 2 * kRate + 160, 4) << "on from where it was muted";
    EXPECT_FALSE(manager_.SetCategoryEnabled(-1, true));
}

TEST_F(SoundManagerTest, StreamsLoadedBeforePlayingGetSlotsOfTheirOwnAndBothRefill) {
    const SharedPtr<Sound> first = manager_.LoadStreamingSound(Ramp(10 * kRate), 2, 1);
    const SharedPtr<Sound> second = manager_.LoadStreamingSound(Ramp(10 * kRate), 4, 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(first->GetNotifySlot(), second->GetNotifySlot());
    ASSERT_TRUE(manager_.PlayAtFullVolume(2, true));
    ASSERT_TRUE(manager_.PlayAtFullVolume(4, true));
    RunMs(3100);
    EXPECT_TRUE(WaitForRefill(static_cast<StreamingSound&>(*first)));
    EXPECT_TRUE(WaitForRefill(static_cast<StreamingSound&>(*second)));
}

TEST_F(SoundManagerTest, EightStreamSlotsAreFreedOnlyByRemoval) {
    for (uint32_t id = 100; id < 108; ++id) {
        ASSERT_NE(manager_.LoadStreamingSound(Ramp(kRate), id, 1), nullptr) << id;
    }
    EXPECT_EQ(manager_.LoadStreamingSound(Ramp(kRate), 108, 1), nullptr) << "a ninth stream";
    ASSERT_TRUE(manager_.PlayAtFullVolume(100, false));
    ASSERT_TRUE(manager_.Stop(100));
    manager_.ReleaseIdleSounds();
    EXPECT_EQ(manager_.GetSound(100)->GetBufferCount(), 0u);
    EXPECT_EQ(manager_.LoadStreamingSound(Ramp(kRate), 108, 1), nullptr) << "a released stream keeps its slot";
    EXPECT_TRUE(manager_.PlayAtFullVolume(100, false)) << "and plays again";

    EXPECT_TRUE(manager_.RemoveSound(100));
    EXPECT_FALSE(manager_.RemoveSound(100));
    EXPECT_NE(manager_.LoadStreamingSound(Ramp(kRate), 108, 1), nullptr);
}

TEST_F(SoundManagerTest, IdleReleaseDropsOnlyTheBuffersOfStoppedPlainSounds) {
    const SharedPtr<Sound> plain = manager_.LoadSound(Ramp(kRate / 10), 1, 0, 2, false);
    const SharedPtr<Sound> kept = manager_.LoadSound(Ramp(kRate / 10), 2, 0, 2, true);
    manager_.Play(1, 1.0f, 0, false);
    manager_.Play(2, 1.0f, 0, false);
    manager_.ReleaseIdleSounds();
    EXPECT_EQ(plain->GetBufferCount(), 2u) << "still playing";
    RunMs(200);
    manager_.ReleaseIdleSounds();
    EXPECT_EQ(plain->GetBufferCount(), 0u);
    EXPECT_EQ(kept->GetBufferCount(), 2u);
    EXPECT_TRUE(manager_.Play(1, 1.0f, 0, false));
    EXPECT_TRUE(manager_.IsPlaying(1)) << "buffers made again";
}

TEST_F(SoundManagerTest, DamagedDataFailsItsLoadWithALogLine) {
    test::LogCapture log;
    std::vector<uint8_t> truncated = kvtest::WaveBytes(kvtest::RampSamples(100), 1, kRate);
    truncated.resize(truncated.size() / 2);
    const std::vector<uint8_t> garbage(3000, 0x5A);
    EXPECT_EQ(manager_.LoadSound(kvtest::SoundResourceOf(truncated, SoundResource::kWave), 30, 0, 1, false), nullptr);
    EXPECT_EQ(manager_.LoadSound(kvtest::SoundResourceOf(garbage, SoundResource::kWave), 31, 0, 1, true), nullptr);
    EXPECT_EQ(manager_.LoadStreamingSound(kvtest::SoundResourceOf(garbage, SoundResource::kOggVorbis), 32, 1),
              nullptr);
    EXPECT_EQ(manager_.LoadSound(kvtest::SoundResourceOf(garbage, 5), 33, 0, 1, false), nullptr);
    EXPECT_EQ(manager_.LoadSound(Ramp(10), 34, 3, 1, false), nullptr) << "no such category";
    for (const char* id : {"Sound 30 ", "Sound 31 ", "Sound 32 ", "Sound 33 "}) {
        EXPECT_TRUE(log.Contains(std::string("WARNING : ") + id)) << id;
    }
    EXPECT_FALSE(manager_.IsPlaying(30));
}

TEST(SoundManagerLifecycleTest, WithoutADeviceNothingPlaysAndAFailedOpenFallsBackToTheNullDevice) {
    SoundManager idle(nullptr, nullptr, {});
    EXPECT_EQ(idle.LoadSound(Ramp(10), 1, 0, 1, false), nullptr);
    EXPECT_FALSE(idle.Play(1, 1.0f, 0, false));
    EXPECT_FALSE(idle.SetCategoryVolume(0, 0.5f));
    EXPECT_EQ(idle.GetSound(1), nullptr);
    idle.Shutdown();

    test::LogCapture log;
    SoundManager fallback(nullptr, nullptr, [](std::string& error) -> std::unique_ptr<platform::AudioDevice> {
        error = "no card";
        return nullptr;
    });
    ASSERT_TRUE(fallback.Initialize());
    EXPECT_TRUE(log.Contains("WARNING : No audio device (no card)"));
    ASSERT_NE(fallback.LoadSound(Ramp(kRate / 100), 1, 0, 1, false), nullptr);
    ASSERT_TRUE(fallback.Play(1, 1.0f, 0, false));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (fallback.IsPlaying(1) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(fallback.IsPlaying(1)) << "the null device keeps time, so sounds end";

    const SharedPtr<Sound> held = fallback.GetSound(1);
    ASSERT_TRUE(fallback.Initialize()) << "a second start begins from scratch";
    EXPECT_EQ(fallback.GetSound(1), nullptr);
    EXPECT_LT(held->Play(1.0f, 0, false, false), 0) << "a sound held past shutdown no longer reaches a device";
}

}  // namespace
}  // namespace quill
