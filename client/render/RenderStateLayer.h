#pragma once
// The render-state layer of the device: every state the game sets goes through here, is compared with what
// was last set and skipped when it would change nothing. It also turns a material's layers into the
// texture-stage cascade, animates texture coordinates by the clock, keeps two groups of lights with the
// ambient colour, and opens the lit 3D pass and the unlit 2D pass. Setters answer false when a device call
// fails; a skipped call counts as success.
//
// Threads: the main thread.
#include <cstdint>
#include <utility>
#include <vector>

#include "QuillLib/math/Matrix4.h"
#include "QuillLib/render/BufferPool.h"
#include "QuillLib/render/SceneRenderDevice.h"
#include "client/render/RenderPassTypes.h"
#include "client/render/RenderStateCache.h"
#include "client/render/TextureStageCascade.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/DeviceClock.h"

namespace kestrovan {

class RenderStateLayer : public quill::SceneRenderDevice {
public:
    bool SetAlphaMode(int32_t mode) override;
    bool SetSpecularEnable(bool enable) override;
    bool SetCullMode(int32_t mode) override;
    bool SetZWriteEnable(bool enable);
    bool SetDither();
    bool SetWrap(uint32_t stage, uint32_t value);
    bool SetTexture(platform::gfx::BaseTexture* texture, uint32_t stage) override;
    bool ClearTexture(uint32_t stage) override;
    bool SetTextureAddress(uint32_t stage, uint32_t u, uint32_t v) override;
    bool SetVertexFormat(uint32_t engineFormat) override;
    bool SetMaterialAlpha(float alpha) override;
    bool SetViewport(uint32_t x, uint32_t y, uint32_t width, uint32_t height);
    // Clears and draws touch only the rectangle (screen pixels) until null takes the limit off.
    bool SetScissorRect(const platform::gfx::Rect* rect);
    bool Clear(bool target, bool depth);
    // Null selects back buffer 0 again.
    bool SetRenderTarget(platform::gfx::Surface* target);
    // Null (or the identity) means the identity.
    bool SetWorld(const quill::Matrix4* matrix) override;
    bool SetView(const quill::Matrix4* matrix);
    bool SetProjection(const quill::Matrix4* matrix);
    // Moves the near plane of the projection by offset (the far plane stays).
    bool UpdateProjection(float offset);

    void SetAmbientColor(float r, float g, float b, float a);
    bool ApplyAmbient();
    bool AddDirectionalLight(const DirectionalLightDesc& desc);
    bool AddPointLight(const PointLightDesc& desc);
    bool EnableLights(bool groupA, bool groupB, bool on) override;
    bool DisableAllLights() override;
    // A scene's lights: the light's id, colour times intensity, its parts and its direction or position.
    bool AddSceneLight(const quill::DirectLight& light) override;
    bool AddSceneLight(const quill::PointLight& light) override;

    bool ApplyTextureStages(uint32_t flags) override;
    bool ApplyMaterial(const MaterialState& material);
    bool ApplyBumpStage(uint32_t flags, const quill::MaterialStage& bumpStage) override;
    bool ApplyTimedEffects(const quill::Material& material) override;
    // Sampler filter of a stage: quality 0 point, 1 linear, 2 linear with linear mips, 3 anisotropic.
    bool SetFilter(uint32_t stage, float bias, uint32_t quality, uint32_t anisotropy);
    bool SetDefaultRenderStates();
    bool Begin3D(const SceneEnvironment& environment) override;
    bool Begin2D() override;
    bool DrawLineStrip(uint32_t start, uint32_t count);
    bool ApplyObjectState(const ObjectState& object);

    quill::BufferPool& GetBufferPool() override { return bufferPool_; }
    const RenderStateCache& GetStateCache() const { return cache_; }

protected:
    RenderStateLayer(uint32_t width, uint32_t height, platform::gfx::DeviceClock& clock)
        : quill::SceneRenderDevice(width, height), clock_(clock) {}

    bool State(platform::gfx::RenderState state, uint32_t value);
    bool StageState(uint32_t stage, platform::gfx::TextureStageState state, uint32_t value);
    bool StageFloat(uint32_t stage, platform::gfx::TextureStageState state, float value);
    bool Transform(platform::gfx::TransformState state, const quill::Matrix4& matrix);
    bool SetIdentityTracked(platform::gfx::TransformState state, const quill::Matrix4* matrix, quill::Matrix4& cached,
                            uint8_t& identity);
    quill::Matrix4 AdjustedProjection() const;
    bool ApplyStage(uint32_t stage, const StageSetting& setting);
    bool AnimateTextureCoordinates(const MaterialState& material, uint32_t maskedFlags);
    bool RotateBumpMatrix(const MaterialState& material, uint32_t maskedFlags);
    quill::Matrix4 ReflectionMatrix() const;
    bool AddLight(const platform::gfx::Light& light, uint32_t lightId, bool directional);
    bool SetLightGroup(std::vector<std::pair<uint32_t, uint32_t>>& group, uint32_t count, uint8_t& on, bool wanted);
    CascadeLimits Limits() const;

    platform::gfx::Device* gfx_ = nullptr;
    platform::gfx::SurfaceDesc backBufferDesc_;
    quill::BufferPool bufferPool_;
    platform::gfx::DeviceClock& clock_;
    RenderStateCache cache_;
    std::vector<std::pair<uint32_t, uint32_t>> lightsA_;
    std::vector<std::pair<uint32_t, uint32_t>> lightsB_;
};

}  // namespace kestrovan
