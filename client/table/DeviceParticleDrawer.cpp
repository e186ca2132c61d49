#include "client/table/DeviceParticleDrawer.h"

#include <cstring>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/resource/Texture.h"
#include "client/render/ColorPacking.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/render/TextureStageCascade.h"

namespace kestrovan {
namespace {

using quill::Vec3;

constexpr uint32_t kQuadLayout = quill::VertexData::kPosition | quill::VertexData::kColour | 0x100;
constexpr uint32_t kQuadVertices = 6;

}  // namespace

DeviceParticleDrawer::DeviceParticleDrawer(D3D9RenderDevice& device, const quill::Camera& view) : device_(device) {
    quill::ScopedLock hold(view.GetLock());
    right_ = view.View().right;
    up_ = view.View().viewUp;
    quad_.SetLayout(kQuadLayout, kQuadVertices);
}

DeviceParticleDrawer::~DeviceParticleDrawer() {
    if (begun_) {
        device_.SetZWriteEnable(true);
        device_.EnableLights(true, true, true);
    }
}

void DeviceParticleDrawer::SetProjectionOffset(float offset) {
    device_.UpdateProjection(offset);
}

void DeviceParticleDrawer::BeginSprites() {
    begun_ = true;
    device_.SetAlphaMode(1);
    device_.SetZWriteEnable(false);
    device_.EnableLights(false, false, false);
    device_.SetMaterialAlpha(1.0f);
    device_.SetCullMode(0);
    device_.SetWorld(nullptr);
}

void DeviceParticleDrawer::DrawSprite(quill::Texture* texture, const quill::Transform& world, float opacity) {
    if (!begun_) {
        BeginSprites();
    }
    float width = 1.0f;
    float height = 1.0f;
    if (texture != nullptr) {
        width = static_cast<float>(texture->GetWidth());
        height = static_cast<float>(texture->GetHeight());
    }
    const Vec3 across = right_ * (width * world.scale.x * 0.5f);
    const Vec3 upward = up_ * (height * world.scale.y * 0.5f);
    const Vec3& c = world.position;
    const uint32_t colour = PackColor(1.0f, 1.0f, 1.0f, opacity);
    struct Corner {
        Vec3 position;
        float u, v;
    };
    const Corner tl{c - across + upward, 0, 0}, tr{c + across + upward, 1, 0};
    const Corner bl{c - across - upward, 0, 1}, br{c + across - upward, 1, 1};
    const Corner corners[kQuadVertices] = {tl, tr, bl, tr, br, bl};
    float* vertex = quad_.Words().data();
    for (const Corner& corner : corners) {
        vertex[0] = corner.position.x;
        vertex[1] = corner.position.y;
        vertex[2] = corner.position.z;
        std::memcpy(&vertex[3], &colour, sizeof colour);
        vertex[4] = corner.u;
        vertex[5] = corner.v;
        vertex += quad_.Stride();
    }
    quad_.MarkChanged();
    if (!device_.GetBufferPool().SelectDynamicVertexBuffer(kQuadLayout, 0) || !device_.SetVertexFormat(kQuadLayout) ||
        !device_.ApplyTextureStages(LayerFlag::Base)) {
        return;
    }
    // A texture the device cannot make draws as a plain quad.
    if ((texture == nullptr || !texture->Bind(0)) && !(device_.ApplyTextureStages(0) && device_.ClearTexture(0))) {
        return;
    }
    if (device_.DrawTriangles(quad_) == kQuadVertices) {
        ++drawn_;
    }
}

}  // namespace kestrovan
