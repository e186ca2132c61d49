#pragma once
// The game's sound: it owns the audio device and every loaded sound, known by numeric ids that the callers
// choose. Sounds belong to one of three categories (0 interface and effects, 1 music, 2 the shop screens),
// each with a volume and an enable switch under a master volume and switch. Music (category 1) is muted
// rather than stopped when switched off, so that it resumes where it was. Up to eight streaming sounds
// refill on the manager's notification thread.
//
// The manager is one of the engine's subsystems; while it exists SoundManager::Current() names it.
// Without a usable device every operation answers false or null and the game runs silent; when the device
// cannot be opened at all the manager logs one line and plays on the null device, which keeps time but is
// heard nowhere.
//
// Threads: the screens load and remove sounds on the main thread (their load and leave) and play and stop them
// on the main, game and dispatch threads; the game thread releases idle sounds; the settings change enables and
// volumes. The map, the category sets, the enables and the volumes are guarded
// by one mutex, which is never held while a sound is called, since a sound may wait for the notification
// thread's refill.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "QuillLib/core/EngineSubsystem.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/sound/NotifySlot.h"
#include "platform/audio/AudioDevice.h"
#include "platform/system/Event.h"
#include "platform/system/Thread.h"
#include "platform/ui/WindowHandle.h"

namespace quill {

class Engine;
class Sound;
class SoundDecoder;
class SoundResource;

class SoundManager : public EngineSubsystem {
public:
    // Opens the real audio device; null (with the reason in error) when there is none.
    using DeviceOpener = std::function<std::unique_ptr<platform::AudioDevice>(std::string& error)>;

    static constexpr int kCategoryCount = 3;
    static constexpr int kMusicCategory = 1;
    static constexpr size_t kStreamSlotCount = 8;
    // Sounds are made with volume and frequency control, in software.
    static constexpr uint32_t kSoundFlags = 0xA8;
    // A stream's buffer: two parts of three seconds each.
    static constexpr uint32_t kStreamNotifyCount = 2;
    static constexpr uint32_t kStreamSecondsPerPart = 3;

    // owner: the engine the manager belongs to (kept, may be null); window: the game window.
    SoundManager(Engine* owner, platform::WindowHandle window, DeviceOpener openDevice);
    ~SoundManager() override;

    // The manager most recently built and not yet destroyed; null when there is none.
    static SoundManager* Current();

    // Starts over: opens the device (or the null device), sets the output to 44100 Hz stereo 16 bits and
    // starts the notification thread. False when the output format or the thread fails.
    bool Initialize() override;
    // Stops the notification thread, drops every sound and closes the device; safe at any time.
    void Shutdown() override;

    // CO_E_NOTINITIALIZED without a device, -2 when the device refuses the format.
    int32_t SetPrimaryFormat(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample);

    // bufferCount counts the first buffer and its duplicates. keepLoaded makes the buffers now and keeps
    // them while idle. An id already loaded returns the loaded sound. Null, with a log line for data that
    // cannot be played, when the sound cannot be made.
    SharedPtr<Sound> LoadSound(const SharedPtr<SoundResource>& descriptor, uint32_t id, int category,
                               uint32_t bufferCount, bool keepLoaded);
    // A streaming sound on a notification slot of its own, held from now until RemoveSound. Null when all
    // eight slots are taken or the data cannot be played.
    SharedPtr<Sound> LoadStreamingSound(const SharedPtr<SoundResource>& descriptor, uint32_t id, int category);
    SharedPtr<Sound> CreateSound(std::unique_ptr<SoundDecoder> decoder, uint32_t id, int category,
                                 uint32_t bufferCount, bool keepLoaded);
    SharedPtr<Sound> CreateStreamingSound(std::unique_ptr<SoundDecoder> decoder, uint32_t id, int category);

    // Null when not ready or not loaded.
    SharedPtr<Sound> GetSound(uint32_t id);

    // Plays at volume 0..1 and frequency (0: the sound's own rate). A disabled category other than music
    // plays nothing and answers true; disabled music starts muted. False when not ready or not loaded.
    bool Play(uint32_t id, float volume, uint32_t frequency, bool loop);
    bool PlayAtFullVolume(uint32_t id, bool loop) { return Play(id, 1.0f, 0, loop); }
    bool Stop(uint32_t id);
    // A muted sound counts as playing.
    bool IsPlaying(uint32_t id);
    // Frees a streaming sound's slot too. True when the id was loaded.
    bool RemoveSound(uint32_t id);

    // False when the category is out of range or the switch does not change; otherwise true when every
    // sound of the category took the change.
    bool SetCategoryEnabled(int category, bool enabled);
    // Gives every sound of the category the category volume times the master volume.
    bool ApplyCategoryVolume(int category);
    // Stores a category's volume (0..1) and applies it; false without a device, true for a change below
    // FLT_EPSILON, which changes nothing.
    bool SetCategoryVolume(int category, float volume);

    // Sounds that are not kept loaded and not playing release their buffers; the next play makes them
    // again. Called periodically.
    void ReleaseIdleSounds();

    // The open device (the null device when no real one opened); null when not initialised.
    platform::AudioDevice* GetDevice() { return device_.get(); }
    Engine* GetOwner() const { return owner_; }
    platform::WindowHandle GetWindow() const { return window_; }

private:
    bool IsReadyLocked() const { return deviceReady_ && primaryFormatSet_; }
    static bool IsValidCategory(int category) { return category >= 0 && category < kCategoryCount; }
    float CategoryGainLocked(int category) const { return categoryVolumes_[category] * masterVolume_; }
    bool CategoryOnLocked(int category) const { return masterEnabled_ && categoryEnabled_[category]; }
    NotifySlot* FindFreeNotifySlot();
    std::vector<SharedPtr<Sound>> SoundsOf(int category);
    // Stores the sound under the id, or returns the one another thread stored first.
    SharedPtr<Sound> InsertSound(uint32_t id, const SharedPtr<Sound>& sound);
    bool StartDevice();
    void NotifyThreadProc();

    Engine* const owner_;
    const platform::WindowHandle window_;
    const DeviceOpener openDevice_;
    std::unique_ptr<platform::AudioDevice> device_;

    std::mutex mutex_;
    std::map<uint32_t, SharedPtr<Sound>> sounds_;
    std::array<std::set<SharedPtr<Sound>>, kCategoryCount> categories_;
    bool deviceReady_ = false;
    bool primaryFormatSet_ = false;
    float masterVolume_ = 1.0f;
    std::array<float, kCategoryCount> categoryVolumes_{1.0f, 1.0f, 1.0f};
    bool masterEnabled_ = true;
    std::array<bool, kCategoryCount> categoryEnabled_{true, true, true};

    std::array<NotifySlot, kStreamSlotCount> slots_;
    platform::Event stopEvent_{false, false};
    platform::Thread notifyThread_;
};

}  // namespace quill
