#include "QuillLib/sound/SoundManager.h"

#include <atomic>
#include <cfloat>
#include <cmath>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/resource/SoundResource.h"
#include "QuillLib/sound/CreateSoundDecoder.h"
#include "QuillLib/sound/Sound.h"
#include "QuillLib/sound/StreamingSound.h"
#include "platform/audio/AudioResult.h"
#include "platform/audio/null/NullAudioDevice.h"
#include "platform/system/Sleep.h"

namespace quill {
namespace {

std::atomic<SoundManager*> currentManager{nullptr};

// 0 when the decoder's data can go into a buffer: it opens, it is PCM the mixer plays and it is not empty.
// Leaves the decoder as open or closed as it was.
int32_t CheckPlayable(SoundDecoder& decoder) {
    const bool wasOpen = decoder.IsOpen();
    if (!wasOpen) {
        if (const int32_t result = decoder.Open(); result != 0) {
            return result;
        }
    }
    const platform::WaveFormat* format = decoder.GetFormat();
    int32_t result = 0;
    if (format == nullptr || !format->IsPlayablePcm()) {
        result = platform::AudioResult::BadFormat;
    } else if (decoder.GetSize() < format->blockAlign) {
        result = platform::AudioResult::InvalidArg;
    }
    if (!wasOpen) {
        decoder.Close();
    }
    return result;
}

void LogUnplayable(uint32_t id, int32_t result) {
    TheLog().LogError(u"WARNING : Sound %u cannot be loaded (%d)\n", id, result);
}

}  // namespace

SoundManager::SoundManager(Engine* owner, platform::WindowHandle window, DeviceOpener openDevice)
    : owner_(owner), window_(window), openDevice_(std::move(openDevice)) {
    currentManager.store(this);
}

SoundManager::~SoundManager() {
    Shutdown();
    // A later manager may have taken over the global; only clear it when it still names this one.
    SoundManager* self = this;
    currentManager.compare_exchange_strong(self, nullptr);
}

SoundManager* SoundManager::Current() {
    return currentManager.load();
}

bool SoundManager::Initialize() {
    Shutdown();
    if (!StartDevice()) {
        return false;
    }
    if (SetPrimaryFormat(2, 44100, 16) != 0) {
        return false;
    }
    for (NotifySlot& slot : slots_) {
        slot.GetEvent().Reset();
    }
    stopEvent_.Reset();
    if (!notifyThread_.Start([this] { NotifyThreadProc(); })) {
        return false;
    }
    std::lock_guard lock(mutex_);
    deviceReady_ = true;
    return true;
}

bool SoundManager::StartDevice() {
    std::string error;
    std::unique_ptr<platform::AudioDevice> device = openDevice_ ? openDevice_(error) : nullptr;
    if (!device) {
        TheLog().LogError(u"WARNING : No audio device (%hs), sound plays on the null device\n", error);
        auto silent = std::make_unique<platform::NullAudioDevice>();
        if (!silent->StartRealTimeClock()) {
            return false;
        }
        device = std::move(silent);
    }
    device_ = std::move(device);
    return true;
}

void SoundManager::Shutdown() {
    if (notifyThread_.Joinable()) {
        stopEvent_.Set();
        notifyThread_.Join();
    }
    std::map<uint32_t, SharedPtr<Sound>> sounds;
    {
        std::lock_guard lock(mutex_);
        sounds.swap(sounds_);
        for (auto& set : categories_) {
            set.clear();
        }
        deviceReady_ = false;
        primaryFormatSet_ = false;
    }
    // A sound still held elsewhere lets go of the device before it closes.
    for (auto& [id, sound] : sounds) {
        sound->Abandon();
    }
    sounds.clear();
    device_.reset();
}

int32_t SoundManager::SetPrimaryFormat(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample) {
    if (!device_) {
        return platform::AudioResult::NotInitialized;
    }
    if (device_->SetPrimaryFormat(platform::WaveFormat::Pcm(channels, samplesPerSec, bitsPerSample)) != 0) {
        return -2;
    }
    std::lock_guard lock(mutex_);
    primaryFormatSet_ = true;
    return 0;
}

void SoundManager::NotifyThreadProc() {
    std::array<platform::Event*, kStreamSlotCount + 1> events{};
    for (size_t i = 0; i < kStreamSlotCount; ++i) {
        events[i] = &slots_[i].GetEvent();
    }
    events[kStreamSlotCount] = &stopEvent_;
    for (;;) {
        const int index = platform::WaitForAny(events, platform::kInfinite);
        if (index < 0 || static_cast<size_t>(index) == kStreamSlotCount) {
            return;
        }
        slots_[index].Dispatch();
        platform::Sleep(0);
    }
}

SharedPtr<Sound> SoundManager::LoadSound(const SharedPtr<SoundResource>& descriptor, uint32_t id, int category,
                                         uint32_t bufferCount, bool keepLoaded) {
    std::unique_ptr<SoundDecoder> decoder = CreateSoundDecoder(descriptor, false);
    if (!decoder) {
        LogUnplayable(id, platform::AudioResult::BadFormat);
        return {};
    }
    return CreateSound(std::move(decoder), id, category, bufferCount, keepLoaded);
}

SharedPtr<Sound> SoundManager::LoadStreamingSound(const SharedPtr<SoundResource>& descriptor, uint32_t id,
                                                  int category) {
    int32_t result = platform::AudioResult::BadFormat;
    std::unique_ptr<SoundDecoder> decoder = CreateSoundDecoder(descriptor, true, &result);
    if (!decoder) {
        LogUnplayable(id, result);
        return {};
    }
    return CreateStreamingSound(std::move(decoder), id, category);
}

SharedPtr<Sound> SoundManager::CreateSound(std::unique_ptr<SoundDecoder> decoder, uint32_t id, int category,
                                           uint32_t bufferCount, bool keepLoaded) {
    platform::AudioDevice* device = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (!IsReadyLocked() || !IsValidCategory(category) || !decoder) {
            return {};
        }
        if (auto found = sounds_.find(id); found != sounds_.end()) {
            return found->second;
        }
        device = device_.get();
    }
    if (const int32_t result = CheckPlayable(*decoder); result != 0) {
        LogUnplayable(id, result);
        return {};
    }
    auto sound = quill::make_shared<Sound>(*device, bufferCount, std::move(decoder), kSoundFlags, category,
                                           keepLoaded);
    if (keepLoaded) {
        if (const int32_t result = sound->CreateBuffers(); result != 0) {
            LogUnplayable(id, result);
            return {};
        }
    }
    return InsertSound(id, sound);
}

SharedPtr<Sound> SoundManager::CreateStreamingSound(std::unique_ptr<SoundDecoder> decoder, uint32_t id,
                                                    int category) {
    if (!decoder) {
        return {};
    }
    if (const int32_t result = CheckPlayable(*decoder); result != 0) {
        LogUnplayable(id, result);
        return {};
    }
    // The slot is taken and the sound stored under one hold of the lock, so two loads never share a slot.
    std::lock_guard lock(mutex_);
    if (!IsReadyLocked() || !IsValidCategory(category)) {
        return {};
    }
    if (auto found = sounds_.find(id); found != sounds_.end()) {
        return found->second;
    }
    NotifySlot* slot = FindFreeNotifySlot();
    if (slot == nullptr) {
        return {};
    }
    const uint32_t partSize = decoder->GetFormat()->avgBytesPerSec * kStreamSecondsPerPart;
    auto sound = quill::make_shared<StreamingSound>(*device_, std::move(decoder), kSoundFlags, kStreamNotifyCount,
                                                    partSize, *slot, category);
    slot->Attach(sound.get());
    sound->SetVolume(CategoryGainLocked(category));
    sounds_[id] = sound;
    categories_[category].insert(sound);
    return sound;
}

NotifySlot* SoundManager::FindFreeNotifySlot() {
    for (NotifySlot& slot : slots_) {
        if (slot.IsFree()) {
            return &slot;
        }
    }
    return nullptr;
}

SharedPtr<Sound> SoundManager::InsertSound(uint32_t id, const SharedPtr<Sound>& sound) {
    float gain = 1.0f;
    {
        std::lock_guard lock(mutex_);
        gain = CategoryGainLocked(sound->GetCategory());
    }
    sound->SetVolume(gain);
    std::lock_guard lock(mutex_);
    if (!IsReadyLocked()) {
        return {};
    }
    auto [where, inserted] = sounds_.emplace(id, sound);
    if (inserted) {
        categories_[sound->GetCategory()].insert(sound);
    }
    return where->second;
}

SharedPtr<Sound> SoundManager::GetSound(uint32_t id) {
    std::lock_guard lock(mutex_);
    if (!IsReadyLocked()) {
        return {};
    }
    auto found = sounds_.find(id);
    return found != sounds_.end() ? found->second : SharedPtr<Sound>();
}

bool SoundManager::Play(uint32_t id, float volume, uint32_t frequency, bool loop) {
    SharedPtr<Sound> sound;
    bool muted = false;
    {
        std::lock_guard lock(mutex_);
        if (!IsReadyLocked()) {
            return false;
        }
        auto found = sounds_.find(id);
        if (found == sounds_.end()) {
            return false;
        }
        sound = found->second;
        const int category = sound->GetCategory();
        if (category != kMusicCategory && !CategoryOnLocked(category)) {
            return true;
        }
        muted = category == kMusicCategory && !CategoryOnLocked(category);
    }
    return sound->Play(volume, frequency, loop, muted) >= 0;
}

bool SoundManager::Stop(uint32_t id) {
    SharedPtr<Sound> sound = GetSound(id);
    return sound && sound->StopAll() >= 0;
}

bool SoundManager::IsPlaying(uint32_t id) {
    SharedPtr<Sound> sound = GetSound(id);
    return sound && sound->IsPlaying();
}

bool SoundManager::RemoveSound(uint32_t id) {
    SharedPtr<Sound> sound;
    {
        std::lock_guard lock(mutex_);
        auto found = sounds_.find(id);
        if (found == sounds_.end()) {
            return false;
        }
        sound = found->second;
        categories_[sound->GetCategory()].erase(sound);
        sounds_.erase(found);
    }
    if (auto* stream = dynamic_cast<StreamingSound*>(sound.get())) {
        stream->Detach();
    }
    return true;
}

std::vector<SharedPtr<Sound>> SoundManager::SoundsOf(int category) {
    std::lock_guard lock(mutex_);
    return {categories_[category].begin(), categories_[category].end()};
}

bool SoundManager::SetCategoryEnabled(int category, bool enabled) {
    if (!IsValidCategory(category)) {
        return false;
    }
    bool wasOn = false;
    bool isOn = false;
    {
        std::lock_guard lock(mutex_);
        wasOn = CategoryOnLocked(category);
        categoryEnabled_[category] = enabled;
        isOn = CategoryOnLocked(category);
    }
    if (wasOn == isOn) {
        return false;
    }
    bool allTook = true;
    for (const SharedPtr<Sound>& sound : SoundsOf(category)) {
        if (category == kMusicCategory) {
            allTook = (isOn ? sound->Unmute() >= 0 : sound->Mute()) && allTook;
        } else if (!isOn) {
            const int32_t stopped = sound->StopAll();
            allTook = (stopped >= 0 || stopped == platform::AudioResult::NotInitialized) && allTook;
        }
    }
    return allTook;
}

bool SoundManager::ApplyCategoryVolume(int category) {
    if (!IsValidCategory(category)) {
        return false;
    }
    float gain = 1.0f;
    {
        std::lock_guard lock(mutex_);
        gain = CategoryGainLocked(category);
    }
    bool allTook = true;
    for (const SharedPtr<Sound>& sound : SoundsOf(category)) {
        allTook = sound->SetVolume(gain) && allTook;
    }
    return allTook;
}

bool SoundManager::SetCategoryVolume(int category, float volume) {
    if (!IsValidCategory(category)) {
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        if (!deviceReady_) {
            return false;
        }
        if (std::fabs(volume - categoryVolumes_[category]) < FLT_EPSILON) {
            return true;
        }
        categoryVolumes_[category] = volume;
    }
    return ApplyCategoryVolume(category);
}

void SoundManager::ReleaseIdleSounds() {
    std::vector<SharedPtr<Sound>> sounds;
    {
        std::lock_guard lock(mutex_);
        for (auto& [id, sound] : sounds_) {
            sounds.push_back(sound);
        }
    }
    for (const SharedPtr<Sound>& sound : sounds) {
        sound->ReleaseIfIdle();
    }
}

}  // namespace quill
