#pragma once
// Up to 200 chalk particles thrown from the cue tip when a stroke starts: they fly out of a small spindle around
// the tip, fall to the bed and fade. The table keeps one burst per chalk kind and starts the one of the shot's
// chalk.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/math/Transform.h"
#include "client/table/Particle.h"
#include "client/table/ParticleDrawer.h"

namespace quill {
class Texture;
}

namespace kestrovan {

class ParticleBurst {
public:
    static constexpr uint32_t kMaxParticles = 200;

    // texture: the particles' image (its device texture made already), which the burst keeps; null draws plain
    // quads. random (0 to 32767) places the particles; when empty, the runtime's rand seeded with the
    // millisecond tick count at every Emit.
    explicit ParticleBurst(quill::SharedPtr<quill::Texture> texture, std::function<int()> random = {});
    ParticleBurst(const ParticleBurst&) = delete;
    ParticleBurst& operator=(const ParticleBurst&) = delete;

    // Makes the burst active with count particles (at most 200) and their fade and emission values.
    void Start(uint32_t count, float fadeDuration, float startAlpha, float particleSize, float spawnRadius,
               float maxSpeed, float acceleration, float extra);
    // Throws every particle in use from the emitter's placement.
    void Emit(const quill::Transform& emitter);
    // Advances every particle in use; the burst ends once all have landed and faded.
    void Update(float dt);
    // Draws the particles while the burst is active, with the projection's depth offset around them.
    void Draw(ParticleDrawer& drawer) const;

    bool IsActive() const;
    uint32_t Count() const;
    float Elapsed() const;
    quill::Texture* GetTexture() const { return texture_.get(); }
    const Particle& ParticleAt(uint32_t index) const { return *particles_[index]; }

private:
    int Random() const;

    quill::SharedPtr<quill::Texture> texture_;
    std::function<int()> random_;
    std::array<std::unique_ptr<Particle>, kMaxParticles> particles_;
    bool active_ = false;
    uint32_t count_ = kMaxParticles;
    float particleSize_ = 0.0f;
    float spawnRadius_ = 0.0f;
    float maxSpeed_ = 0.0f;
    float elapsed_ = 0.0f;
    float extra_ = 0.0f;
};

}  // namespace kestrovan
