#pragma once
// Speech for the referee's voice lines, made at build time by the espeak-ng program. Where the program is
// missing or fails, the line becomes a plain two-note tone so that the data still builds and every voice id
// still plays something.
#include <optional>
#include <string>

#include "tools/mkdata/PcmSound.h"

namespace mkdata {

class SpeechSynth {
public:
    // Whether espeak-ng can be run here; asked once by the caller.
    static bool IsAvailable();
    // The spoken text, or empty when the program fails.
    static std::optional<PcmSound> Speak(const std::string& text, const std::string& voice);
    // The stand-in for a line that could not be spoken.
    static PcmSound Tone();
};

}  // namespace mkdata
