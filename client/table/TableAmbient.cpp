#include "client/table/TableAmbient.h"

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/Transform.h"
#include "client/table/TableClock.h"

namespace kestrovan {

using quill::ScopedLock;

void TableAmbient::Install(std::unique_ptr<TableModelNode> model, std::function<int()> random) {
    ScopedLock hold(ambientLock_);
    ambientModel_ = std::move(model);
    ambientEffect_ = std::make_unique<AmbientEffect>(*ambientModel_, std::move(random));
}

void TableAmbient::Clear() {
    ScopedLock hold(ambientLock_);
    ambientEffect_.reset();
    ambientModel_.reset();
}

void TableAmbient::Restart(uint32_t now, const quill::Vec3& ownerPosition) {
    ScopedLock hold(ambientLock_);
    if (ambientEffect_ == nullptr || ambientEffect_->IsShown()) {
        return;
    }
    quill::Transform owner;
    owner.FromPosition(ownerPosition);
    ambientEffect_->SetOwnerTransform(owner);
    ambientEffect_->lastTime = now;
    ambientEffect_->Restart();
}

void TableAmbient::HideAmbientEffect() {
    ScopedLock hold(ambientLock_);
    if (ambientEffect_ != nullptr) {
        ambientEffect_->Hide();
    }
}

bool TableAmbient::IsShown() const {
    ScopedLock hold(ambientLock_);
    return ambientEffect_ != nullptr && ambientEffect_->IsShown();
}

void TableAmbient::SetLastTime(uint32_t time) {
    ScopedLock hold(ambientLock_);
    if (ambientEffect_ != nullptr) {
        ambientEffect_->lastTime = time;
    }
}

void TableAmbient::Tick(uint32_t time) {
    ScopedLock hold(ambientLock_);
    if (ambientEffect_ != nullptr && ambientEffect_->IsShown()) {
        ambientEffect_->Update(SecondsBetween(ambientEffect_->lastTime, time));
        ambientEffect_->lastTime = time;
    }
}

void TableAmbient::Draw(D3D9RenderDevice& device) {
    ScopedLock hold(ambientLock_);
    if (ambientEffect_ != nullptr && ambientEffect_->IsShown() && ambientModel_ != nullptr) {
        ambientModel_->Draw(device, 1.0f);
    }
}

bool TableAmbient::TakeRebuildRequest() {
    const bool pending = rebuildPending_;
    rebuildPending_ = false;
    return pending;
}

}  // namespace kestrovan
