#pragma once
// Where the table's rules send their sounds: effects (the cue, contacts, rolling) play at once, referee
// voices queue behind each other. The game table connects it to the sound system; tests record the calls.
#include <cstdint>

namespace kestrovan {

class TableSound {
public:
    virtual ~TableSound() = default;
    // An effect at a volume of 0 to 1.
    virtual void PlaySound(uint32_t soundId, float volume) = 0;
    // A referee voice, played after the voices queued before it.
    virtual void QueueVoice(uint32_t voiceId, float volume) = 0;
};

}  // namespace kestrovan
