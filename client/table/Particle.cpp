#include "client/table/Particle.h"

#include <algorithm>

namespace kestrovan {

void Particle::Launch(const quill::Transform& emitter, const quill::Vec3& position, float size,
                      const quill::Vec3& velocity) {
    local_.SetPosition(position);
    local_.scale = {size, size, 1.0f};
    local_.UpdateMatrix();
    velocity_ = velocity;
    fadeTime_ = 0.0f;
    landed_ = false;
    floorLimit_ = emitter.position.z;
    fallDirection_ = {0.0f, 0.0f, -1.0f};
    parent_ = emitter;
    RefreshWorld();
}

void Particle::SetFade(float fadeDuration, float startAlpha, float acceleration) {
    fadeDuration_ = fadeDuration;
    startAlpha_ = startAlpha;
    opacity_ = startAlpha;
    acceleration_ = acceleration;
}

bool Particle::Update(float dt) {
    if (landed_) {
        fadeTime_ += dt;
        opacity_ = std::max(0.0f, (1.0f - fadeTime_ / fadeDuration_) * startAlpha_);
        return fadeTime_ >= fadeDuration_;
    }
    quill::Vec3 p = local_.position + velocity_ * dt;
    const float fallen = quill::Vec3::Dot(p, fallDirection_);
    if (fallen >= floorLimit_) {
        // It reached the floor in this step: put it back onto it.
        landed_ = true;
        p = p - fallDirection_ * (fallen - floorLimit_);
    }
    local_.SetPosition(p);
    RefreshWorld();
    velocity_ = velocity_ + fallDirection_ * acceleration_ * dt;
    return false;
}

void Particle::RefreshWorld() {
    world_ = local_;
    if (!parent_.IsIdentity()) {
        world_.Combine(parent_);
    }
}

}  // namespace kestrovan
