#include "client/table/AmbientEffect.h"

#include <cmath>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Quaternion.h"
#include "platform/system/Rand.h"

namespace kestrovan {
namespace {

constexpr float kScale = 0.3f;

}  // namespace

AmbientEffect::AmbientEffect(TableModelNode& model, std::function<int()> random)
    : model_(model), random_(std::move(random)) {
    model_.SetVisible(false);
}

void AmbientEffect::Restart() {
    const int r = random_ ? random_() : platform::Rand();
    axis_ = {0.0f, static_cast<float>(r) * 0.8f / 32767.0f - 0.4f, -1.0f};
    axis_.Normalize();
    model_.SetVisible(true);
}

void AmbientEffect::Hide() {
    elapsed_ = 0.0f;
    model_.SetVisible(false);
}

void AmbientEffect::Update(float dt) {
    if (!model_.IsVisible()) {
        return;
    }
    elapsed_ += dt;
    // Laid on its side (a quarter turn about -y), shrunk, then swung about the axis.
    quill::Quaternion lay;
    lay.FromAxisAngle(quill::kHalfPi, {0.0f, -1.0f, 0.0f});
    quill::Quaternion swing;
    swing.FromAxisAngle(std::fmod(elapsed_ * 0.8f, 0.3f) - 0.1f, axis_);
    quill::Transform placement;
    quill::Quaternion::Multiply(placement.rotation, swing, lay);
    placement.scale = {kScale, kScale, kScale};
    placement.UpdateMatrix();
    placement.Combine(owner_);
    model_.SetTransform(placement);
    if (elapsed_ > kDuration) {
        elapsed_ = 0.0f;
        model_.SetVisible(false);
    }
}

}  // namespace kestrovan
