#include "client/table/TableAmbient.h"

#include "QuillLib/math/Transform.h"
#include "client/table/TableClock.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {


void TableAmbient::Install(std::unique_ptr<TableModelNode> model, std::function<int()> random) {
    WidgetToolkit::CheckTreeAccess("TableAmbient::Install");
    ambientModel_ = std::move(model);
    ambientEffect_ = std::make_unique<AmbientEffect>(*ambientModel_, std::move(random));
}

void TableAmbient::Clear() {
    WidgetToolkit::CheckTreeAccess("TableAmbient::Clear");
    ambientEffect_.reset();
    ambientModel_.reset();
}

void TableAmbient::Restart(uint32_t now, const quill::Vec3& ownerPosition) {
    WidgetToolkit::CheckTreeAccess("TableAmbient::Restart");
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
    WidgetToolkit::CheckTreeAccess("TableAmbient::HideAmbientEffect");
    if (ambientEffect_ != nullptr) {
        ambientEffect_->Hide();
    }
}

bool TableAmbient::IsShown() const {
    return ambientEffect_ != nullptr && ambientEffect_->IsShown();
}

void TableAmbient::SetLastTime(uint32_t time) {
    WidgetToolkit::CheckTreeAccess("TableAmbient::SetLastTime");
    if (ambientEffect_ != nullptr) {
        ambientEffect_->lastTime = time;
    }
}

void TableAmbient::Tick(uint32_t time) {
    WidgetToolkit::CheckTreeAccess("TableAmbient::Tick");
    if (ambientEffect_ != nullptr && ambientEffect_->IsShown()) {
        ambientEffect_->Update(SecondsBetween(ambientEffect_->lastTime, time));
        ambientEffect_->lastTime = time;
    }
}

void TableAmbient::Draw(D3D9RenderDevice& device) {
    WidgetToolkit::CheckTreeAccess("TableAmbient::Draw");
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
