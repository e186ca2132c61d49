#include "client/scenes/common/AppTableSound.h"

#include "QuillLib/sound/SoundManager.h"
#include "client/app/SoundQueue.h"

namespace kestrovan {

void AppTableSound::PlaySound(uint32_t soundId, float volume) {
    if (quill::SoundManager* sounds = quill::SoundManager::Current()) sounds->Play(soundId, volume, 0, false);
}

void AppTableSound::QueueVoice(uint32_t voiceId, float volume) {
    quill::SoundManager* sounds = quill::SoundManager::Current();
    if (sounds != nullptr) SoundQueue::Instance().Push(sounds, voiceId, volume);
}

}  // namespace kestrovan
