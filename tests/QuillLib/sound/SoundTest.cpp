// Sounds and streaming sounds on the null device, whose output runs at the sounds' own rate so that every
// output sample can be traced to the decoded data. Streams are refilled here the way the notification thread
// does it: after each pass of the clock, when the slot's event was set.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "QuillLib/resource/SoundResource.h"
#include "QuillLib/sound/CreateSoundDecoder.h"
#include "QuillLib/sound/NotifySlot.h"
#include "QuillLib/sound/Sound.h"
#include "QuillLib/sound/StreamingSound.h"
#include "platform/audio/AudioResult.h"
#include "platform/audio/BufferCaps.h"
#include "platform/audio/SoundBuffer.h"
#include "platform/audio/null/NullAudioDevice.h"
#include "platform/system/Sleep.h"
#include "tests/support/sound/SoundFiles.h"

namespace quill {
namespace {

constexpr uint32_t kSampleRate = 8000;
constexpr uint32_t kFlags = platform::BufferCaps::CtrlVolume | platform::BufferCaps::CtrlFrequency;
constexpr uint32_t kPart = kSampleRate * 2 * 3;  // three seconds of 16-bit mono

float Level(int16_t sample) {
    return sample / 32768.0f;
}

std::unique_ptr<SoundDecoder> RampDecoder(uint32_t samples, bool open) {
    const auto resource = kvtest::SoundResourceOf(kvtest::WaveBytes(kvtest::RampSamples(samples), 1, kSampleRate),
                                                  SoundResource::kWave);
    return CreateSoundDecoder(resource, open);
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override { device_.SetPrimaryFormat(platform::WaveFormat::Pcm(1, kSampleRate, 16)); }

    // Output frames, refilling the stream of slot (when given) after every pass that set its event.
    std::vector<float> Run(uint32_t frames, NotifySlot* slot = nullptr) {
        std::vector<float> out;
        for (uint32_t done = 0; done < frames; done += 1000) {
            device_.Advance(std::min(1000u, frames - done), &out);
            if (slot != nullptr && slot->GetEvent().Wait(0)) {
                slot->Dispatch();
            }
        }
        return out;
    }

    std::unique_ptr<StreamingSound> MakeStream(uint32_t samples) {
        auto stream = std::make_unique<StreamingSound>(device_, RampDecoder(samples, true), kFlags, 2, kPart, slot_, 1);
        slot_.Attach(stream.get());
        return stream;
    }

    static uint32_t Cursor(platform::SoundBuffer& buffer) {
        uint32_t play = 0;
        uint32_t write = 0;
        buffer.GetCurrentPosition(play, write);
        return play;
    }

    platform::NullAudioDevice device_;
    NotifySlot slot_;
};

TEST_F(SoundTest, VolumeToDecibelsInHundredths) {
    Sound sound(device_, 1, RampDecoder(10, false), kFlags, 0, false);
    struct Case {
        float volume;
        float soundVolume;
        int32_t hundredths;
    };
    for (const Case& c : {Case{0.5f, 1.0f, -602}, Case{0.01f, 1.0f, -4000}, Case{0.0f, 1.0f, -10000},
                          Case{1.0f, 1.0f, 0}, Case{2.0f, 1.0f, 0}, Case{-1.0f, 1.0f, -10000},
                          Case{1.0f, 0.5f, -602}, Case{0.00001f, 1.0f, -10000}, Case{std::nanf(""), 1.0f, -10000}}) {
        sound.SetVolume(c.soundVolume);
        EXPECT_EQ(sound.VolumeToDecibels(c.volume), c.hundredths) << c.volume << " x " << c.soundVolume;
    }
}

TEST_F(SoundTest, BuffersComeAtTheFirstPlayAndThreeOverlappingPlaysOnTwoRestartTheLast) {
    Sound sound(device_, 2, RampDecoder(4000, false), kFlags, 0, false);
    EXPECT_EQ(sound.GetBufferCount(), 0u);
    ASSERT_EQ(sound.Play(1.0f, 0, false, false), 0);
    ASSERT_EQ(sound.GetBufferCount(), 2u);
    EXPECT_TRUE(sound.GetBuffer(1)->SharesDataWith(*sound.GetBuffer(0)));
    EXPECT_FALSE(sound.GetDecoder()->IsOpen()) << "a plain sound's decoder is open only while it fills";
    Run(1000);
    ASSERT_EQ(sound.Play(1.0f, 0, false, false), 0);
    Run(500);
    EXPECT_EQ(Cursor(*sound.GetBuffer(0)), 3000u);
    EXPECT_EQ(Cursor(*sound.GetBuffer(1)), 1000u);

    ASSERT_EQ(sound.Play(1.0f, 0, false, false), 0);
    EXPECT_EQ(Cursor(*sound.GetBuffer(1)), 0u) << "the last buffer starts over";
    EXPECT_EQ(Cursor(*sound.GetBuffer(0)), 3000u);
    Run(4000);
    EXPECT_FALSE(sound.IsPlaying());
    sound.ReleaseIfIdle();
    EXPECT_EQ(sound.GetBufferCount(), 0u);
}

TEST_F(SoundTest, MutedPlayKeepsCountingAsPlayingAndUnmuteResumesInPlace) {
    Sound sound(device_, 1, RampDecoder(8000, false), kFlags, 1, true);
    ASSERT_EQ(sound.CreateBuffers(), 0);
    ASSERT_EQ(sound.Play(1.0f, 0, true, false), 0);
    Run(1500);
    EXPECT_TRUE(sound.Mute());
    Run(1000);
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_EQ(Cursor(*sound.GetBuffer(0)), 3000u);
    ASSERT_EQ(sound.Unmute(), 0);
    const std::vector<float> out = Run(1);
    EXPECT_FLOAT_EQ(out[0], Level(kvtest::RampSamples(1501)[1500]));
    sound.ReleaseIfIdle();
    EXPECT_EQ(sound.GetBufferCount(), 1u) << "a sound kept loaded keeps its buffers";
}

TEST_F(SoundTest, LostBufferIsRestoredAndRefilledOnTheNextPlayAfterBoundedRetries) {
    Sound sound(device_, 1, RampDecoder(100, false), kFlags, 0, true);
    ASSERT_EQ(sound.CreateBuffers(), 0);
    int sleeps = 0;
    platform::SetSleepHook([&](uint32_t) { ++sleeps; });
    device_.LoseBuffers();
    EXPECT_EQ(sound.Play(1.0f, 0, false, false), -2) << "the device stays lost: the play gives up";
    EXPECT_EQ(sleeps, Sound::kRestoreTries - 1);

    device_.RegainDevice();
    ASSERT_EQ(sound.Play(1.0f, 0, false, false), 0);
    platform::SetSleepHook({});
    const std::vector<float> out = Run(2);
    EXPECT_FLOAT_EQ(out[1], Level(kvtest::RampSamples(2)[1])) << "refilled from the decoder";
}

// Streams of 10 s (longer than the 6 s buffer) and 1 s (shorter), looping or not, played for 14 s.
TEST_F(SoundTest, StreamsRefillInOrderAndLoopWithoutAGap) {
    struct Case {
        uint32_t samples;
        bool loop;
    };
    for (const Case& c : {Case{10 * kSampleRate, false}, Case{10 * kSampleRate, true}, Case{kSampleRate, true}, Case{kSampleRate, false}}) {
        SCOPED_TRACE(testing::Message() << c.samples << (c.loop ? " looping" : " once"));
        const std::vector<int16_t> ramp = kvtest::RampSamples(c.samples);
        auto stream = MakeStream(c.samples);
        ASSERT_EQ(stream->Play(1.0f, 0, c.loop, false), 0);
        const std::vector<float> out = Run(14 * kSampleRate, &slot_);
        for (size_t i = 0; i < out.size(); ++i) {
            const float expected = c.loop || i < c.samples ? Level(ramp[i % c.samples]) : 0.0f;
            ASSERT_EQ(out[i], expected) << "at output sample " << i;
        }
        EXPECT_EQ(stream->IsPlaying(), c.loop) << "a stream played once stops after its last part";
        stream.reset();
        EXPECT_TRUE(slot_.IsFree());
    }
}

TEST_F(SoundTest, ReleasedStreamKeepsItsSlotAndStartsAgainFromTheBeginning) {
    auto stream = MakeStream(10 * kSampleRate);
    ASSERT_EQ(stream->Play(1.0f, 0, true, false), 0);
    Run(4 * kSampleRate, &slot_);
    EXPECT_EQ(stream->GetNextWriteOffset(), kPart);
    stream->StopAll();
    stream->ReleaseIfIdle();
    EXPECT_EQ(stream->GetBufferCount(), 0u);
    EXPECT_EQ(slot_.GetSound(), stream.get());

    ASSERT_EQ(stream->Play(1.0f, 0, true, false), 0);
    EXPECT_EQ(stream->GetNextWriteOffset(), 0u);
    EXPECT_EQ(Run(1)[0], Level(kvtest::RampSamples(1)[0]));
    stream->Detach();
    EXPECT_TRUE(slot_.IsFree());
    stream->StopAll();
    stream->ReleaseIfIdle();
    EXPECT_EQ(stream->Play(1.0f, 0, true, false), platform::AudioResult::NotInitialized)
        << "a detached stream has no slot to stream through";
}

}  // namespace
}  // namespace quill
