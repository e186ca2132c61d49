#include "client/table/ParticleBurst.h"
#include "client/ui/WidgetToolkit.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/resource/Texture.h"
#include "platform/system/Clock.h"
#include "platform/system/Rand.h"

namespace kestrovan {
namespace {


constexpr float kLargestRandom = 32767.0f;
constexpr float kBedOffset = -0.01f;

}  // namespace

ParticleBurst::ParticleBurst(quill::SharedPtr<quill::Texture> texture, std::function<int()> random)
    : texture_(std::move(texture)), random_(std::move(random)) {
    for (auto& particle : particles_) {
        particle = std::make_unique<Particle>();
    }
}

int ParticleBurst::Random() const {
    return random_ ? random_() : platform::Rand();
}

void ParticleBurst::Start(uint32_t count, float fadeDuration, float startAlpha, float particleSize,
                          float spawnRadius, float maxSpeed, float acceleration, float extra) {
    WidgetToolkit::CheckTreeAccess("ParticleBurst::Start");
    active_ = true;
    count_ = std::min(count, kMaxParticles);
    particleSize_ = particleSize;
    spawnRadius_ = spawnRadius;
    maxSpeed_ = maxSpeed;
    for (uint32_t i = 0; i < count_; ++i) {
        particles_[i]->SetFade(fadeDuration, startAlpha, acceleration);
    }
    elapsed_ = 0.0f;
    extra_ = extra;
}

void ParticleBurst::Emit(const quill::Transform& emitter) {
    if (!random_) {
        platform::SRand(platform::TimeGetTime());
    }
    WidgetToolkit::CheckTreeAccess("ParticleBurst::Emit");
    for (uint32_t i = 0; i < count_; ++i) {
        // Four draws: the distance from the stroke's axis, the angle about it, the place along it and the size.
        const float d = static_cast<float>(Random()) * spawnRadius_ / kLargestRandom;
        const float a = static_cast<float>(Random()) * 2.0f * quill::kPi / kLargestRandom;
        const float h = 0.7f * std::sqrt(std::max(spawnRadius_ * spawnRadius_ - d * d, 0.0f));
        const float u = static_cast<float>(Random()) * h * 2.0f / kLargestRandom - h;
        const float s = (static_cast<float>(Random()) * 0.4f / kLargestRandom + 0.8f) * particleSize_;
        const quill::Vec3 position{u, d * std::cos(a), d * std::sin(a)};
        quill::Vec3 direction = position;
        direction.Normalize();
        const float speed = static_cast<float>(Random()) * maxSpeed_ / kLargestRandom;
        particles_[i]->Launch(emitter, position, s, direction * speed);
    }
}

void ParticleBurst::Update(float dt) {
    WidgetToolkit::CheckTreeAccess("ParticleBurst::Update");
    if (!active_) {
        return;
    }
    elapsed_ += dt;
    bool allDone = true;
    for (uint32_t i = 0; i < count_; ++i) {
        allDone = particles_[i]->Update(dt) && allDone;
    }
    if (allDone) {
        active_ = false;
    }
}

void ParticleBurst::Draw(ParticleDrawer& drawer) const {
    if (!active_) {
        return;
    }
    drawer.SetProjectionOffset(kBedOffset);
    for (uint32_t i = 0; i < count_; ++i) {
        drawer.DrawSprite(texture_.get(), particles_[i]->World(), particles_[i]->Opacity());
    }
    drawer.SetProjectionOffset(0.0f);
}

bool ParticleBurst::IsActive() const {
    return active_;
}

uint32_t ParticleBurst::Count() const {
    return count_;
}

float ParticleBurst::Elapsed() const {
    return elapsed_;
}

}  // namespace kestrovan
