#pragma once
// The audio device on SDL2: the mixer runs on SDL's audio callback thread and its passes go to the sound
// card. Only SDL's audio subsystem is started here, so the device lives beside the video subsystem that the
// window backend starts.
//
// Threads: opened, reformatted and closed on the thread that starts the sound manager; the callback runs on
// SDL's audio thread, mixing into a scratch sized when the output opened, so it neither allocates nor waits.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/AudioDevice.h"

namespace platform {

class SdlAudioDevice : public AudioDevice {
public:
    // Starts SDL's audio subsystem and opens the default output at 44100 Hz, stereo, 16 bits. Null, with
    // SDL's reason in error, when there is no output to open.
    static std::unique_ptr<AudioDevice> Open(std::string& error);

    ~SdlAudioDevice() override;

    // The name of the audio driver SDL chose ("pulseaudio", "alsa", "dummy", ...).
    static std::string DriverName();

protected:
    bool ApplyPrimaryFormat(const WaveFormat& format) override;

private:
    SdlAudioDevice() = default;

    bool OpenOutput(const WaveFormat& format, std::string& error);
    void CloseOutput();
    static void Callback(void* self, uint8_t* stream, int length);
    void Render(uint8_t* stream, uint32_t length);

    uint32_t output_ = 0;  // SDL's device id, 0 while closed
    uint32_t bytesPerSample_ = 2;
    std::vector<float> scratch_;
};

}  // namespace platform
