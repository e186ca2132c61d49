#pragma once
// A short sine tone as the sound manager plays it: the RIFF WAVE bytes of the tone (16-bit mono, 22050 Hz),
// and the play operation that loads it once under a sound id of its own (in the interface category) and
// plays it. The purchase dialog's beep is 3000 Hz for 200 ms. Without a sound manager nothing plays.
//
// Threads: any thread that may play interface sounds.
#include <cstdint>
#include <vector>

namespace quill {
class SoundManager;
}

namespace kestrovan {

class ToneSound {
public:
    static constexpr uint32_t kSampleRate = 22050;
    static constexpr uint32_t kSoundId = 60000;  // beyond every id of the packs' sound table
    static constexpr uint32_t kBeepFrequency = 3000;
    static constexpr uint32_t kBeepMs = 200;

    // The whole WAVE file of the tone: its header, then the samples at three quarters of full scale.
    static std::vector<uint8_t> WaveBytes(uint32_t frequency, uint32_t durationMs);
    // Plays the beep; false when there is no sound manager or the tone cannot be loaded.
    static bool PlayBeep(quill::SoundManager* sounds);
};

}  // namespace kestrovan
