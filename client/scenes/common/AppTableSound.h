#pragma once
// The table's sounds in the program: effects play at once through the sound manager (the contact, cue and
// rolling sounds are loaded with the interface packs at start-up), referee voices queue behind each other
// in the announcement queue. Without a sound manager (no audio device) nothing plays.
//
// Threads: the game thread (the shot and the rules call it).
#include "client/rules/TableSound.h"

namespace kestrovan {

class AppTableSound : public TableSound {
public:
    void PlaySound(uint32_t soundId, float volume) override;
    void QueueVoice(uint32_t voiceId, float volume) override;
};

}  // namespace kestrovan
