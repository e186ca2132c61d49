#include "platform/audio/AudioDevice.h"

#include <utility>

#include "platform/audio/AudioResult.h"
#include "platform/audio/BufferCaps.h"
#include "platform/audio/SoundBuffer.h"

namespace platform {

AudioDevice::AudioDevice() : primaryFormat_(WaveFormat::Pcm(2, 44100, 16)) {}

int32_t AudioDevice::SetPrimaryFormat(const WaveFormat& format) {
    if (!format.IsPlayablePcm()) {
        return AudioResult::BadFormat;
    }
    if (!ApplyPrimaryFormat(format)) {
        return AudioResult::Fail;
    }
    primaryFormat_ = format;
    return AudioResult::Ok;
}

int32_t AudioDevice::CreateSoundBuffer(const BufferDesc& desc, std::unique_ptr<SoundBuffer>& buffer) {
    buffer.reset();
    if ((desc.flags & BufferCaps::PrimaryBuffer) != 0 || desc.bytes < BufferLimits::SizeMin ||
        desc.bytes > BufferLimits::SizeMax) {
        return AudioResult::InvalidArg;
    }
    if (!desc.format.IsPlayablePcm()) {
        return AudioResult::BadFormat;
    }
    return Register(std::make_unique<SoundBuffer>(*this, desc), buffer);
}

int32_t AudioDevice::DuplicateSoundBuffer(const SoundBuffer& original, std::unique_ptr<SoundBuffer>& duplicate) {
    duplicate.reset();
    return Register(std::make_unique<SoundBuffer>(*this, original), duplicate);
}

int32_t AudioDevice::Register(std::unique_ptr<SoundBuffer> made, std::unique_ptr<SoundBuffer>& buffer) {
    if (!mixer_.AddVoice(made.get())) {
        return AudioResult::OutOfMemory;
    }
    if (lost_.load()) {
        made->MarkLost();
    }
    buffer = std::move(made);
    return AudioResult::Ok;
}

void AudioDevice::LoseBuffers() {
    lost_.store(true);
    mixer_.ForEachVoice([](SoundBuffer& voice) { voice.MarkLost(); });
}

}  // namespace platform
