#pragma once
// The device of the OpenGL backend: draws through the OpenGL 2.1 fixed-function pipeline into the SDL window
// it was made for. Buffers and textures keep their bytes in memory (textures are copied to OpenGL at the next
// draw that binds them, so they can be made and filled on any thread; static buffers likewise into buffer
// objects); render-target textures are drawn into through a framebuffer object. Only state that changed is
// sent (the state shadow). Presenting waits for the display's refresh where it offers that. The back buffer
// is read only when asked for (a screenshot). The context never gets lost, so the device never reports loss; a reset applies the new presentation
// parameters and returns the gamma ramp to the identity.
//
// Threads: the thread that owns the context (the main thread), except the Create calls.
#include <map>
#include <memory>
#include <thread>

#include <GL/gl.h>

#include "platform/gfx/Device.h"
#include "platform/gfx/gl/GlBufferCache.h"
#include "platform/gfx/gl/GlDeviceState.h"
#include "platform/gfx/gl/GlPipeline.h"
#include "platform/gfx/gl/GlStateShadow.h"
#include "platform/gfx/gl/GlTextureCache.h"
#include "platform/gfx/gl/GlWindow.h"

namespace platform::gfx {

class PixelImage;

class GlDevice : public Device {
public:
    GlDevice(GlWindow window, const PresentParameters& parameters, int textureUnits);
    ~GlDevice() override;

    Result TestCooperativeLevel() override { return Result::Ok; }
    Result Reset(const PresentParameters& parameters) override;
    Result BeginScene() override;
    Result EndScene() override;
    Result Present(bool doNotWait) override;
    Result Clear(uint32_t flags, Color color, float z, uint32_t stencil) override;
    Result SetDialogBoxMode(bool) override { return Result::Ok; }
    uint32_t GetAvailableTextureMem() override { return 0; }

    Result SetRenderState(RenderState state, uint32_t value) override;
    Result SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) override;
    Result SetSamplerState(uint32_t sampler, SamplerState state, uint32_t value) override;
    Result SetTransform(TransformState state, const Matrix& matrix) override;
    Result SetViewport(const Viewport& viewport) override;
    Result GetViewport(Viewport& out) override;
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

    void GetGammaRamp(GammaRamp& out) override { out = gamma_; }
    void SetGammaRamp(const GammaRamp& ramp) override;
    Result DrawSprite(BaseTexture& texture, const Rect& source, int32_t x, int32_t y, Color color) override;

private:
    void ApplyPresentParameters(const PresentParameters& parameters);
    // Binds the stream's vertices (a buffer object, or memory) and returns the address of the first one.
    uintptr_t BindVertices();
    // Binds the index buffer (a buffer object, or memory) and returns the address of the first index.
    uintptr_t BindIndices(uint32_t startIndex);
    Result Draw(GLenum mode, uint32_t vertices, uintptr_t indices, uint32_t first, uint32_t minIndex,
                uint32_t maxIndex);
    void UseTarget(uint32_t width, uint32_t height, bool texture);
    GLuint FramebufferFor(GLuint texture, uint32_t width, uint32_t height);

    GlWindow window_;
    std::thread::id thread_ = std::this_thread::get_id();  // the thread that owns the context
    PresentParameters parameters_;
    GlDeviceState state_;
    GlStateShadow shadow_;
    GlTextureCache textures_;
    GlBufferCache buffers_;
    GlPipeline pipeline_;
    GammaRamp gamma_ = GammaRamp::Identity();
    uint32_t backBufferWidth_ = 0;
    uint32_t backBufferHeight_ = 0;
    // Render-target textures made here, by their level-0 image, and the framebuffers made for them.
    struct RenderTarget {
        std::weak_ptr<PixelImage> image;
        GLuint name = 0;
        uint32_t width = 0;  // of the storage given to it, 0 before it was first drawn into
        uint32_t height = 0;
    };
    std::map<const PixelImage*, RenderTarget> renderTargets_;
    std::map<GLuint, std::pair<GLuint, GLuint>> framebuffers_;  // texture name -> (framebuffer, depth buffer)
};

}  // namespace platform::gfx
