#pragma once
// The device of the recording backend: every call is logged with its arguments and answers Ok unless a result
// was scripted for its name; buffers, textures and surfaces are real memory, the back buffer included, and
// clears fill the render target's viewport. It keeps the states it was given so tests can read them, and it
// is the null device when the whole client runs without a display (with the log disabled).
//
// Threads: as Device; the state accessors on the device's thread.
#include <array>
#include <map>
#include <memory>

#include "platform/gfx/Device.h"
#include "platform/gfx/MemorySurface.h"
#include "platform/gfx/headless/RecordingSetup.h"

namespace platform::gfx {

class RecordingDevice : public Device {
public:
    RecordingDevice(std::shared_ptr<RecordingSetup> setup, const PresentParameters& parameters);

    Result TestCooperativeLevel() override;
    Result Reset(const PresentParameters& parameters) override;
    Result BeginScene() override;
    Result EndScene() override;
    Result Present(bool doNotWait) override;
    Result Clear(uint32_t flags, Color color, float z, uint32_t stencil) override;
    Result SetDialogBoxMode(bool enable) override;
    uint32_t GetAvailableTextureMem() override;

    Result SetRenderState(RenderState state, uint32_t value) override;
    Result SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) override;
    Result SetSamplerState(uint32_t sampler, SamplerState state, uint32_t value) override;
    Result SetTransform(TransformState state, const Matrix& matrix) override;
    Result SetViewport(const Viewport& viewport) override;
    Result GetViewport(Viewport& out) override;
    Result SetScissorRect(const Rect* rect) override;
    Result SetMaterial(const Material& material) override;
    Result SetLight(uint32_t index, const Light& light) override;
    Result LightEnable(uint32_t index, bool enable) override;
    Result SetTexture(uint32_t stage, BaseTexture* texture) override;
    Result SetFVF(uint32_t fvf) override;

    Result CreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t fvf, Pool pool,
                              std::unique_ptr<VertexBuffer>& out) override;
    Result CreateIndexBuffer(uint32_t bytes, uint32_t usage, Format format, Pool pool,
                             std::unique_ptr<IndexBuffer>& out) override;
    Result SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset, uint32_t stride) override;
    Result SetIndices(IndexBuffer* buffer) override;
    Result DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) override;
    Result DrawIndexedPrimitive(PrimitiveType type, int32_t baseVertex, uint32_t minIndex, uint32_t vertexCount,
                                uint32_t startIndex, uint32_t primitiveCount) override;

    Result CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, Format format, Pool pool,
                         std::unique_ptr<Texture>& out) override;
    Result CreateCubeTexture(uint32_t edge, uint32_t levels, uint32_t usage, Format format, Pool pool,
                             std::unique_ptr<CubeTexture>& out) override;
    Result GetBackBuffer(uint32_t index, std::unique_ptr<Surface>& out) override;
    Result SetRenderTarget(uint32_t index, Surface* target) override;
    Result UpdateSurface(Surface& source, const Rect* sourceRect, Surface& destination,
                         const Point* destinationPoint) override;

    void GetGammaRamp(GammaRamp& out) override;
    void SetGammaRamp(const GammaRamp& ramp) override;
    Result DrawSprite(BaseTexture& texture, const Rect& source, int32_t x, int32_t y, Color color) override;

    // What the device holds now, for tests.
    uint32_t GetRenderState(RenderState state) const;
    uint32_t GetTextureStageState(uint32_t stage, TextureStageState state) const;
    uint32_t GetSamplerState(uint32_t sampler, SamplerState state) const;
    Matrix GetTransform(TransformState state) const;
    BaseTexture* GetTexture(uint32_t stage) const { return stage < textures_.size() ? textures_[stage] : nullptr; }
    const Material& GetMaterial() const { return material_; }
    const std::map<uint32_t, Light>& GetLights() const { return lights_; }
    bool IsLightEnabled(uint32_t index) const;
    uint32_t GetFVF() const { return fvf_; }
    const PresentParameters& GetPresentParameters() const { return parameters_; }
    uint32_t GetPresentCount() const { return presents_; }
    MemorySurface& GetBackBufferSurface() { return *backBuffer_; }

private:
    Result Answer(const char* call, Result usual);
    void MakeBackBuffer();
    void FillRenderTarget(Color color);

    std::shared_ptr<RecordingSetup> setup_;
    PresentParameters parameters_;
    std::unique_ptr<MemorySurface> backBuffer_;
    std::shared_ptr<PixelImage> renderTarget_;
    Viewport viewport_;
    std::map<uint32_t, uint32_t> renderStates_;
    std::map<uint32_t, uint32_t> stageStates_;
    std::map<uint32_t, uint32_t> samplerStates_;
    std::map<uint32_t, Matrix> transforms_;
    std::array<BaseTexture*, kMaxTextureStages> textures_{};
    Material material_;
    std::map<uint32_t, Light> lights_;
    std::map<uint32_t, bool> lightsEnabled_;
    uint32_t fvf_ = 0;
    GammaRamp gamma_ = GammaRamp::Identity();
    bool inScene_ = false;
    uint32_t presents_ = 0;
};

}  // namespace platform::gfx
