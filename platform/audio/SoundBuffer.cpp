#include "platform/audio/SoundBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioResult.h"
#include "platform/audio/BufferCaps.h"
#include "platform/system/Event.h"

namespace platform {
namespace {

constexpr uint64_t kFractionOne = uint64_t{1} << 32;
constexpr float kFractionScale = 1.0f / 4294967296.0f;

// Hundredths of a decibel to an amplitude factor.
float AmplitudeOf(int32_t hundredthsDb) {
    return std::pow(10.0f, static_cast<float>(hundredthsDb) / 2000.0f);
}

uint8_t SilenceByte(const WaveFormat& format) {
    return format.bitsPerSample == 8 ? 0x80 : 0x00;
}

}  // namespace

SoundBuffer::Data::Data(uint32_t bytesWanted, const WaveFormat& waveFormat)
    : bytes(new uint8_t[bytesWanted]), size(bytesWanted), format(waveFormat) {
    std::memset(bytes.get(), SilenceByte(format), size);
}

SoundBuffer::SoundBuffer(AudioDevice& device, const BufferDesc& desc)
    : device_(device), data_(std::make_shared<Data>(desc.bytes, desc.format)), flags_(desc.flags) {}

SoundBuffer::SoundBuffer(AudioDevice& device, const SoundBuffer& original)
    : device_(device), data_(original.data_), flags_(original.flags_) {
    volume_.store(original.volume_.load());
    pan_.store(original.pan_.load());
    frequency_.store(original.frequency_.load());
}

SoundBuffer::~SoundBuffer() {
    device_.GetMixer().RemoveVoice(this);
}

int32_t SoundBuffer::GetStatus(uint32_t& status) const {
    status = status_.load();
    return AudioResult::Ok;
}

int32_t SoundBuffer::Restore() {
    if (device_.IsLost()) {
        return AudioResult::BufferLost;
    }
    if ((status_.load() & BufferStatus::BufferLost) != 0) {
        std::memset(data_->bytes.get(), SilenceByte(data_->format), data_->size);
        position_.store(0);
        status_.fetch_and(~BufferStatus::BufferLost);
    }
    return AudioResult::Ok;
}

void SoundBuffer::MarkLost() {
    status_.store(BufferStatus::BufferLost);
}

int32_t SoundBuffer::Lock(uint32_t offset, uint32_t bytes, LockedRegion& region) {
    region = LockedRegion{};
    if ((status_.load() & BufferStatus::BufferLost) != 0) {
        return AudioResult::BufferLost;
    }
    if (bytes == 0 || bytes > data_->size || offset >= data_->size) {
        return AudioResult::InvalidArg;
    }
    region.first = data_->bytes.get() + offset;
    region.firstBytes = std::min(bytes, data_->size - offset);
    if (region.firstBytes < bytes) {
        region.second = data_->bytes.get();
        region.secondBytes = bytes - region.firstBytes;
    }
    return AudioResult::Ok;
}

int32_t SoundBuffer::Unlock(const LockedRegion& region) {
    const uint8_t* begin = data_->bytes.get();
    const uint8_t* end = begin + data_->size;
    const bool firstInside = region.first >= begin && region.first + region.firstBytes <= end;
    const bool secondInside =
        region.second == nullptr || (region.second >= begin && region.second + region.secondBytes <= end);
    return firstInside && secondInside ? AudioResult::Ok : AudioResult::InvalidArg;
}

int32_t SoundBuffer::Play(uint32_t flags) {
    uint32_t status = status_.load();
    for (;;) {
        if ((status & BufferStatus::BufferLost) != 0) {
            return AudioResult::BufferLost;
        }
        uint32_t playing = BufferStatus::Playing;
        if ((flags & PlayFlags::Looping) != 0) {
            playing |= BufferStatus::Looping;
        }
        if (status_.compare_exchange_weak(status, playing)) {
            return AudioResult::Ok;
        }
    }
}

int32_t SoundBuffer::Stop() {
    status_.fetch_and(~(BufferStatus::Playing | BufferStatus::Looping));
    return AudioResult::Ok;
}

int32_t SoundBuffer::GetCurrentPosition(uint32_t& play, uint32_t& write) const {
    play = static_cast<uint32_t>(position_.load() >> kFractionBits) * data_->format.blockAlign;
    write = play;
    return AudioResult::Ok;
}

int32_t SoundBuffer::SetCurrentPosition(uint32_t offset) {
    if (offset >= data_->size) {
        return AudioResult::InvalidArg;
    }
    position_.store(static_cast<uint64_t>(offset / data_->format.blockAlign) << kFractionBits);
    return AudioResult::Ok;
}

int32_t SoundBuffer::SetVolume(int32_t volume) {
    if ((flags_ & BufferCaps::CtrlVolume) == 0) {
        return AudioResult::ControlUnavailable;
    }
    if (volume < BufferLimits::VolumeMin || volume > BufferLimits::VolumeMax) {
        return AudioResult::InvalidArg;
    }
    volume_.store(volume);
    return AudioResult::Ok;
}

int32_t SoundBuffer::GetVolume(int32_t& volume) const {
    volume = volume_.load();
    return (flags_ & BufferCaps::CtrlVolume) != 0 ? AudioResult::Ok : AudioResult::ControlUnavailable;
}

int32_t SoundBuffer::SetPan(int32_t pan) {
    if ((flags_ & BufferCaps::CtrlPan) == 0) {
        return AudioResult::ControlUnavailable;
    }
    if (pan < BufferLimits::PanLeft || pan > BufferLimits::PanRight) {
        return AudioResult::InvalidArg;
    }
    pan_.store(pan);
    return AudioResult::Ok;
}

int32_t SoundBuffer::GetPan(int32_t& pan) const {
    pan = pan_.load();
    return (flags_ & BufferCaps::CtrlPan) != 0 ? AudioResult::Ok : AudioResult::ControlUnavailable;
}

int32_t SoundBuffer::SetFrequency(uint32_t frequency) {
    if ((flags_ & BufferCaps::CtrlFrequency) == 0) {
        return AudioResult::ControlUnavailable;
    }
    if (frequency != BufferLimits::FrequencyOriginal &&
        (frequency < BufferLimits::FrequencyMin || frequency > BufferLimits::FrequencyMax)) {
        return AudioResult::InvalidArg;
    }
    frequency_.store(frequency);
    return AudioResult::Ok;
}

int32_t SoundBuffer::GetFrequency(uint32_t& frequency) const {
    const uint32_t set = frequency_.load();
    frequency = set == BufferLimits::FrequencyOriginal ? data_->format.samplesPerSec : set;
    return (flags_ & BufferCaps::CtrlFrequency) != 0 ? AudioResult::Ok : AudioResult::ControlUnavailable;
}

int32_t SoundBuffer::SetNotificationPositions(std::span<const NotifyPosition> positions) {
    if ((flags_ & BufferCaps::CtrlPositionNotify) == 0) {
        return AudioResult::ControlUnavailable;
    }
    if ((status_.load() & BufferStatus::Playing) != 0) {
        return AudioResult::InvalidCall;
    }
    if (positions.size() > kMaxNotifications) {
        return AudioResult::InvalidArg;
    }
    for (const NotifyPosition& position : positions) {
        if (position.offset >= data_->size || position.event == nullptr) {
            return AudioResult::InvalidArg;
        }
    }
    // A mix pass that began before the stop may still be reading the old list.
    notificationCount_.store(0);
    device_.GetMixer().WaitForPass();
    std::copy(positions.begin(), positions.end(), notifications_.begin());
    notificationCount_.store(static_cast<uint32_t>(positions.size()));
    return AudioResult::Ok;
}

float SoundBuffer::SampleAt(uint32_t frame, uint32_t channel) const {
    const WaveFormat& format = data_->format;
    const uint8_t* sample = data_->bytes.get() + static_cast<size_t>(frame) * format.blockAlign;
    if (format.bitsPerSample == 8) {
        return (static_cast<float>(sample[channel]) - 128.0f) * (1.0f / 128.0f);
    }
    const uint8_t* bytes = sample + channel * 2;
    const auto value = static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | bytes[1] << 8));
    return static_cast<float>(value) * (1.0f / 32768.0f);
}

void SoundBuffer::FireNotifications(uint32_t fromByte, uint32_t toByte) const {
    const uint32_t count = notificationCount_.load();
    for (uint32_t i = 0; i < count; ++i) {
        const NotifyPosition& position = notifications_[i];
        if (position.offset >= fromByte && position.offset < toByte) {
            position.event->Set();
        }
    }
}

void SoundBuffer::MixInto(float* out, uint32_t frames, uint32_t outChannels, uint32_t outRate) {
    const uint32_t status = status_.load();
    const uint32_t frameCount = FrameCount();
    if ((status & BufferStatus::Playing) == 0 || frameCount == 0 || outRate == 0) {
        return;
    }
    const bool looping = (status & BufferStatus::Looping) != 0;
    const uint32_t blockAlign = data_->format.blockAlign;
    const uint32_t sourceChannels = data_->format.channels;
    const uint64_t end = static_cast<uint64_t>(frameCount) << kFractionBits;
    const uint32_t frequency = frequency_.load();
    const uint32_t rate = frequency == BufferLimits::FrequencyOriginal ? data_->format.samplesPerSec : frequency;
    const uint64_t step = (static_cast<uint64_t>(rate) << kFractionBits) / outRate;

    const float amplitude = AmplitudeOf(volume_.load());
    const int32_t pan = pan_.load();
    const float leftGain = amplitude * (pan > 0 ? AmplitudeOf(-pan) : 1.0f);
    const float rightGain = amplitude * (pan < 0 ? AmplitudeOf(pan) : 1.0f);

    const uint64_t start = position_.load();
    uint64_t position = start;
    uint32_t segmentStart = static_cast<uint32_t>(position >> kFractionBits) * blockAlign;
    bool ended = false;
    // Past the last frame a looping buffer wraps (notifications up to its end fire first); another ends.
    auto wrapAtEnd = [&] {
        if (position < end) {
            return;
        }
        FireNotifications(segmentStart, data_->size);
        if (!looping) {
            ended = true;
            return;
        }
        position %= end;
        segmentStart = 0;
    };

    for (uint32_t i = 0; i < frames && !ended; ++i) {
        const auto frame = static_cast<uint32_t>(position >> kFractionBits);
        const float fraction = static_cast<float>(position & (kFractionOne - 1)) * kFractionScale;
        const uint32_t next = frame + 1 < frameCount ? frame + 1 : (looping ? 0 : frame);
        float mixed[2];
        for (uint32_t channel = 0; channel < sourceChannels; ++channel) {
            const float a = SampleAt(frame, channel);
            mixed[channel] = a + (SampleAt(next, channel) - a) * fraction;
        }
        float* target = out + static_cast<size_t>(i) * outChannels;
        if (outChannels == 1) {
            target[0] += amplitude * (sourceChannels == 1 ? mixed[0] : 0.5f * (mixed[0] + mixed[1]));
        } else {
            target[0] += leftGain * mixed[0];
            target[1] += rightGain * mixed[sourceChannels == 1 ? 0 : 1];
        }
        position += step;
        wrapAtEnd();
    }
    if (ended) {
        // Only a cursor that nobody moved meanwhile ends the play; a restart from another thread wins.
        uint64_t expected = start;
        if (position_.compare_exchange_strong(expected, 0)) {
            status_.fetch_and(~(BufferStatus::Playing | BufferStatus::Looping));
        }
        return;
    }
    FireNotifications(segmentStart, static_cast<uint32_t>(position >> kFractionBits) * blockAlign);
    uint64_t expected = start;
    position_.compare_exchange_strong(expected, position);
}

}  // namespace platform
