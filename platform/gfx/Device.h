#pragma once
// The fixed-function 3D device: frame, states, transforms, lights, buffers, textures, render targets,
// gamma and presentation. Pixel (0, 0) is the top-left corner; matrices are for row vectors; clip depth runs
// from 0 to 1; a clear touches only the viewport.
//
// Threads: every call is made on the thread that created the device (the main thread), except the Create
// calls for buffers and textures, which may come from any thread; what they need of the hardware is done at
// the next draw.
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/gfx/Buffer.h"
#include "platform/gfx/CubeTexture.h"
#include "platform/gfx/GfxResult.h"
#include "platform/gfx/GfxStates.h"
#include "platform/gfx/GfxStructs.h"
#include "platform/gfx/Surface.h"
#include "platform/gfx/Texture.h"

namespace platform::gfx {

class Device {
public:
    virtual ~Device() = default;

    // Lifetime and frame.
    // Ok while the device can draw; DeviceLost while it cannot; DeviceNotReset once Reset may bring it back.
    virtual Result TestCooperativeLevel() = 0;
    virtual Result Reset(const PresentParameters& parameters) = 0;
    virtual Result BeginScene() = 0;
    virtual Result EndScene() = 0;
    // Presents the back buffer. With doNotWait, a present that would block answers WasStillDrawing.
    virtual Result Present(bool doNotWait) = 0;
    virtual Result Clear(uint32_t flags, Color color, float z, uint32_t stencil) = 0;
    virtual Result SetDialogBoxMode(bool enable) = 0;
    virtual uint32_t GetAvailableTextureMem() = 0;

    // States.
    virtual Result SetRenderState(RenderState state, uint32_t value) = 0;
    virtual Result SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) = 0;
    virtual Result SetSamplerState(uint32_t sampler, SamplerState state, uint32_t value) = 0;
    virtual Result SetTransform(TransformState state, const Matrix& matrix) = 0;
    virtual Result SetViewport(const Viewport& viewport) = 0;
    virtual Result GetViewport(Viewport& out) = 0;
    // Clears and draws touch only this rectangle of the render target (pixels from its top-left) until null
    // takes the limit off.
    virtual Result SetScissorRect(const Rect* rect) = 0;
    virtual Result SetMaterial(const Material& material) = 0;
    virtual Result SetLight(uint32_t index, const Light& light) = 0;
    virtual Result LightEnable(uint32_t index, bool enable) = 0;
    virtual Result SetTexture(uint32_t stage, BaseTexture* texture) = 0;
    virtual Result SetFVF(uint32_t fvf) = 0;

    // Geometry.
    virtual Result CreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t fvf, Pool pool,
                                      std::unique_ptr<VertexBuffer>& out) = 0;
    virtual Result CreateIndexBuffer(uint32_t bytes, uint32_t usage, Format format, Pool pool,
                                     std::unique_ptr<IndexBuffer>& out) = 0;
    virtual Result SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset, uint32_t stride) = 0;
    virtual Result SetIndices(IndexBuffer* buffer) = 0;
    virtual Result DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) = 0;
    virtual Result DrawIndexedPrimitive(PrimitiveType type, int32_t baseVertex, uint32_t minIndex,
                                        uint32_t vertexCount, uint32_t startIndex, uint32_t primitiveCount) = 0;

    // Textures and surfaces. levels 0 makes the full chain.
    virtual Result CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, Format format,
                                 Pool pool, std::unique_ptr<Texture>& out) = 0;
    virtual Result CreateCubeTexture(uint32_t edge, uint32_t levels, uint32_t usage, Format format, Pool pool,
                                     std::unique_ptr<CubeTexture>& out) = 0;
    virtual Result GetBackBuffer(uint32_t index, std::unique_ptr<Surface>& out) = 0;
    // Null selects back buffer 0 again; otherwise a level-0 surface of a render-target texture.
    virtual Result SetRenderTarget(uint32_t index, Surface* target) = 0;
    // Copies a rectangle (null: all) of a system-memory surface to a point of a default-pool one.
    virtual Result UpdateSurface(Surface& source, const Rect* sourceRect, Surface& destination,
                                 const Point* destinationPoint) = 0;

    // Gamma.
    virtual void GetGammaRamp(GammaRamp& out) = 0;
    virtual void SetGammaRamp(const GammaRamp& ramp) = 0;

    // Draws a rectangle of a texture at a pixel position of the render target, tinted by color, with states
    // of its own: every state set through this interface is as it was afterwards. Text of the device
    // fonts is drawn this way.
    virtual Result DrawSprite(BaseTexture& texture, const Rect& source, int32_t x, int32_t y, Color color) = 0;

protected:
    Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
};

}  // namespace platform::gfx
