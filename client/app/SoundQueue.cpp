#include "client/app/SoundQueue.h"

#include "QuillLib/sound/SoundManager.h"

namespace kestrovan {

SoundQueue& SoundQueue::Instance() {
    static SoundQueue queue;
    return queue;
}

void SoundQueue::Push(quill::SoundManager* sounds, uint32_t id, float volume) {
    std::lock_guard lock(mutex_);
    if (queue_.empty() && sounds != nullptr) sounds->Play(id, volume, 0, false);
    queue_.emplace_back(id, volume);
}

void SoundQueue::Update(quill::SoundManager* sounds) {
    std::lock_guard lock(mutex_);
    if (queue_.empty() || sounds == nullptr || sounds->IsPlaying(queue_.front().first)) return;
    queue_.pop_front();
    if (!queue_.empty()) sounds->Play(queue_.front().first, queue_.front().second, 0, false);
}

size_t SoundQueue::Size() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

}  // namespace kestrovan
