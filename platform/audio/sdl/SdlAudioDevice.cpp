#include "platform/audio/sdl/SdlAudioDevice.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>

namespace platform {
namespace {

// The sound library under SDL's ALSA driver prints each step of a failed open to stderr (eight lines on a
// machine without a sound card) through its error printer; the failure itself reaches the log as one line.
// While SDL starts and opens the output, and while it closes, the printer of the library (the one SDL loads
// by the same name) prints nothing. Without the library there is nothing to quiet.
class QuietSoundLibrary {
public:
    QuietSoundLibrary() {
        library_ = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (library_ != nullptr) {
            setPrinter_ = reinterpret_cast<SetPrinter>(dlsym(library_, "snd_lib_error_set_handler"));
        }
        if (setPrinter_ != nullptr) setPrinter_(&Silent);
    }
    ~QuietSoundLibrary() {
        if (setPrinter_ != nullptr) setPrinter_(nullptr);  // the library's own printer again
        if (library_ != nullptr) dlclose(library_);
    }
    QuietSoundLibrary(const QuietSoundLibrary&) = delete;
    QuietSoundLibrary& operator=(const QuietSoundLibrary&) = delete;

private:
    using Printer = void (*)(const char* file, int line, const char* function, int error, const char* format, ...);
    using SetPrinter = int (*)(Printer);
    static void Silent(const char*, int, const char*, int, const char*, ...) {}

    void* library_ = nullptr;
    SetPrinter setPrinter_ = nullptr;
};

}  // namespace

std::unique_ptr<AudioDevice> SdlAudioDevice::Open(std::string& error) {
    const QuietSoundLibrary quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    std::unique_ptr<SdlAudioDevice> device(new SdlAudioDevice());
    if (!device->OpenOutput(device->GetPrimaryFormat(), error)) {
        return nullptr;  // the destructor stops the subsystem again
    }
    return device;
}

SdlAudioDevice::~SdlAudioDevice() {
    const QuietSoundLibrary quiet;
    CloseOutput();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::string SdlAudioDevice::DriverName() {
    const char* name = SDL_GetCurrentAudioDriver();
    return name != nullptr ? name : "";
}

bool SdlAudioDevice::ApplyPrimaryFormat(const WaveFormat& format) {
    // The output plays this format already: reopening it would only wait for a buffer's playing time.
    const WaveFormat& current = GetPrimaryFormat();
    if (output_ != 0 && format.channels == current.channels && format.samplesPerSec == current.samplesPerSec &&
        format.bitsPerSample == current.bitsPerSample) {
        return true;
    }
    std::string error;
    return OpenOutput(format, error);
}

bool SdlAudioDevice::OpenOutput(const WaveFormat& format, std::string& error) {
    CloseOutput();
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(format.samplesPerSec);
    wanted.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(format.channels);
    wanted.samples = 1024;
    wanted.callback = &SdlAudioDevice::Callback;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // SDL converts from the wanted format when the card differs, so the mixer's output is exactly this.
    const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (id == 0) {
        error = SDL_GetError();
        return false;
    }
    output_ = id;
    bytesPerSample_ = format.bitsPerSample / 8;
    GetMixer().SetOutputFormat(format.samplesPerSec, format.channels);
    scratch_.assign(static_cast<size_t>(std::max<Uint16>(obtained.samples, 1024)) * format.channels, 0.0f);
    SDL_PauseAudioDevice(id, 0);
    return true;
}

void SdlAudioDevice::CloseOutput() {
    if (output_ != 0) {
        SDL_CloseAudioDevice(output_);  // waits for a running callback to return
        output_ = 0;
    }
}

void SdlAudioDevice::Callback(void* self, uint8_t* stream, int length) {
    static_cast<SdlAudioDevice*>(self)->Render(stream, static_cast<uint32_t>(length));
}

void SdlAudioDevice::Render(uint8_t* stream, uint32_t length) {
    Mixer& mixer = GetMixer();
    const uint32_t channels = mixer.OutputChannels();
    const uint32_t frameBytes = channels * bytesPerSample_;
    const auto scratchFrames = static_cast<uint32_t>(scratch_.size() / channels);
    uint32_t frames = length / frameBytes;
    while (frames > 0) {
        const uint32_t step = std::min(frames, scratchFrames);
        const size_t samples = static_cast<size_t>(step) * channels;
        mixer.Mix(scratch_.data(), step);
        if (bytesPerSample_ == 1) {
            Mixer::ToUnsigned8(scratch_.data(), stream, samples);
        } else {
            Mixer::ToSigned16(scratch_.data(), reinterpret_cast<int16_t*>(stream), samples);
        }
        stream += samples * bytesPerSample_;
        frames -= step;
    }
}

}  // namespace platform
