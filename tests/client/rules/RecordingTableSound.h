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

    std::vector<uint32_t> SoundIds() const { return Each(sounds, &PlayedSound::id); }
    std::vector<float> SoundVolumes() const { return Each(sounds, &PlayedSound::volume); }
    std::vector<uint32_t> VoiceIds() const { return Each(voices, &PlayedSound::id); }

    std::vector<PlayedSound> sounds;
    std::vector<PlayedSound> voices;

private:
    template <typename Field>
    static std::vector<Field> Each(const std::vector<PlayedSound>& played, Field PlayedSound::*field) {
        std::vector<Field> values;
        for (const PlayedSound& sound : played) {
            values.push_back(sound.*field);
        }
        return values;
    }
};

}  // namespace kestrovan::test
