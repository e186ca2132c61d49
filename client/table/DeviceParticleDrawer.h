#pragma once
// Draws the chalk particles on the render device: each particle a quad of its texture turned to face the
// camera (its sides along the view's right and up axes), blended, unlit and without depth writes.
//
// Threads: the main thread, inside the 3D pass.
#include "QuillLib/math/Camera.h"
#include "QuillLib/math/VertexData.h"
#include "client/table/ParticleDrawer.h"

namespace kestrovan {

class D3D9RenderDevice;

class DeviceParticleDrawer : public ParticleDrawer {
public:
    // view: the camera the particles face (the scene's current one).
    DeviceParticleDrawer(D3D9RenderDevice& device, const quill::Camera& view);
    // Lighting and depth writes as the 3D pass had them.
    ~DeviceParticleDrawer() override;
    DeviceParticleDrawer(const DeviceParticleDrawer&) = delete;
    DeviceParticleDrawer& operator=(const DeviceParticleDrawer&) = delete;

    void SetProjectionOffset(float offset) override;
    void DrawSprite(quill::Texture* texture, const quill::Transform& world, float opacity) override;

    uint32_t DrawnCount() const { return drawn_; }

private:
    void BeginSprites();

    D3D9RenderDevice& device_;
    quill::Vec3 right_;
    quill::Vec3 up_;
    quill::VertexData quad_;
    bool begun_ = false;
    uint32_t drawn_ = 0;
};

}  // namespace kestrovan
