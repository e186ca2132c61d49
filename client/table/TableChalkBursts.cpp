#include "client/table/TableChalkBursts.h"

#include "QuillLib/core/ScopedLock.h"
#include "client/table/DeviceParticleDrawer.h"
#include "client/table/TableClock.h"

namespace kestrovan {

using quill::ScopedLock;

void TableChalkBursts::SetChalkBurst(uint32_t kind, std::unique_ptr<ParticleBurst> burst) {
    ScopedLock hold(effectLock_);
    if (kind < chalkBursts_.size()) {
        if (currentBurst_ == chalkBursts_[kind].get()) {
            currentBurst_ = nullptr;
        }
        chalkBursts_[kind] = std::move(burst);
    }
}

ParticleBurst* TableChalkBursts::SelectChalkBurst(uint16_t chalkItemId) {
    ScopedLock hold(effectLock_);
    const uint32_t kind = chalkItemId == 4901 ? 0 : chalkItemId == 4902 ? 1 : 2;
    currentBurst_ = chalkBursts_[kind].get();
    return currentBurst_;
}

void TableChalkBursts::ClearChalkBursts() {
    ScopedLock hold(effectLock_);
    currentBurst_ = nullptr;
    for (auto& burst : chalkBursts_) {
        burst.reset();
    }
}

void TableChalkBursts::Tick(uint32_t time) {
    ScopedLock hold(effectLock_);
    if (currentBurst_ == nullptr) {
        return;
    }
    burstCalls_ = (burstCalls_ + 1) % 4;
    if (burstCalls_ == 0 && currentBurst_->IsActive()) {
        currentBurst_->Update(SecondsBetween(lastBurstTime_, time));
        lastBurstTime_ = time;
    }
}

void TableChalkBursts::Draw(D3D9RenderDevice& device, const quill::Camera& camera) {
    ScopedLock hold(effectLock_);
    if (currentBurst_ != nullptr) {
        DeviceParticleDrawer drawer(device, camera);
        currentBurst_->Draw(drawer);
    }
}

}  // namespace kestrovan
