#include "client/table/TableChalkBursts.h"

#include "client/table/DeviceParticleDrawer.h"
#include "client/table/TableClock.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {


void TableChalkBursts::SetChalkBurst(uint32_t kind, std::unique_ptr<ParticleBurst> burst) {
    WidgetToolkit::CheckTreeAccess("TableChalkBursts::SetChalkBurst");
    if (kind < chalkBursts_.size()) {
        if (currentBurst_ == chalkBursts_[kind].get()) {
            currentBurst_ = nullptr;
        }
        chalkBursts_[kind] = std::move(burst);
    }
}

ParticleBurst* TableChalkBursts::SelectChalkBurst(uint16_t chalkItemId) {
    WidgetToolkit::CheckTreeAccess("TableChalkBursts::SelectChalkBurst");
    const uint32_t kind = chalkItemId == 4901 ? 0 : chalkItemId == 4902 ? 1 : 2;
    currentBurst_ = chalkBursts_[kind].get();
    return currentBurst_;
}

void TableChalkBursts::ClearChalkBursts() {
    WidgetToolkit::CheckTreeAccess("TableChalkBursts::ClearChalkBursts");
    currentBurst_ = nullptr;
    for (auto& burst : chalkBursts_) {
        burst.reset();
    }
}

void TableChalkBursts::Tick(uint32_t time) {
    WidgetToolkit::CheckTreeAccess("TableChalkBursts::Tick");
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
    WidgetToolkit::CheckTreeAccess("TableChalkBursts::Draw");
    if (currentBurst_ != nullptr) {
        DeviceParticleDrawer drawer(device, camera);
        currentBurst_->Draw(drawer);
    }
}

}  // namespace kestrovan
