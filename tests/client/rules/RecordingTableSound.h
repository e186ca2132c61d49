#pragma once
// A TableSound that records every effect and voice, for the rules tests.
#include <cstdint>
#include <vector>

#include "client/rules/TableSound.h"

namespace kestrovan::test {

struct PlayedSound {
    uint32_t id;
    float volume;
};

class RecordingTableSound : public TableSound {
public:
    void PlaySound(uint32_t soundId, float volume) override { sounds.push_back({soundId, volume}); }
    void QueueVoice(uint32_t voiceId, float volume) override { voices.push_back({voiceId, volume}); }

    std::vector<uint32_t> VoiceIds() const {
        std::vector<uint32_t> ids;
        for (const PlayedSound& voice : voices) {
            ids.push_back(voice.id);
        }
        return ids;
    }
    std::vector<uint32_t> SoundIds() const {
        std::vector<uint32_t> ids;
        for (const PlayedSound& sound : sounds) {
            ids.push_back(sound.id);
        }
        return ids;
    }

    std::vector<PlayedSound> sounds;
    std::vector<PlayedSound> voices;
};

}  // namespace kestrovan::test
