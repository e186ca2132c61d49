#pragma once
// The device of the OpenGL backend: draws through the OpenGL 2.1 fixed-function pipeline into the SDL window
// it was made for. Buffers and textures keep their bytes in memory (textures are copied to OpenGL at the next
// draw that binds them, so they can be made and filled on any thread; static buffers likewise into buffer
// objects); render-target textures are drawn into through a framebuffer object. Only state that changed is
// sent (the state shadow). Presenting waits for the display's refresh where it offers that. The back buffer
// is read only when asked for (a screenshot). Clears and draws are held back until the scene ends
// (GlFrameRecord.h): a frame that would draw what the display shows already is neither drawn nor presented,
// so a screen at rest costs the rasteriser nothing; calls that need OpenGL at once (render targets,
// back-buffer reads, sprites drawn directly, resets) draw what was held back and the rest of that frame as it
// comes. A frame in which a texture or buffer that held-back draws read went is given up (the display keeps
// the last frame) and the next one is drawn as it comes. Where the window system can show part of the back
// buffer without a swap (GlPartialPresenter.h), a frame that differs from the last one in less than half the
// window is drawn again only where it differs (GlDamage.h) and only that part is shown; the back buffer then
// keeps the whole frame for the next one. Frames that change more are drawn whole and swapped. The context never gets lost, so the device never
// reports loss; a reset applies the new presentation parameters and returns the gamma ramp to the identity.
//
// Threads: the thread that owns the context (the main thread), except the Create calls.
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include <GL/gl.h>

#include "platform/gfx/Device.h"
#include "platform/gfx/gl/GlBufferCache.h"
#include "platform/gfx/gl/GlDamage.h"
#include "platform/gfx/gl/GlDeviceState.h"
#include "platform/gfx/gl/GlFrameRecord.h"
#include "platform/gfx/gl/GlPartialPresenter.h"
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
    void ClearNow(uint32_t flags, Color color, float z);
    void SendViewport();
    // A draw call kept with the state it was made under; the state's dirty marks are taken along.
    GlRecordedCall RecordDraw(GLenum mode, uint32_t count);
    // Draws what the frame held back, in order (within the area only, when one is given), and leaves the
    // current state as it was.
    void Replay(std::optional<GlRect> area = std::nullopt);
    void DrawRecorded(const GlRecordedCall& call);
    // Draws what was held back; the rest of the frame is drawn as it comes.
    void StopRecording();
    // The end of the frame's drawing: it is drawn unless it is the frame the display shows already.
    void EndFrame();
    // Draws the recorded frame whole or, where the back buffer holds the last frame, where it differs from
    // that; says what Present shows.
    void DrawRecordedFrame();
    // Sends the scissor of the state about to draw, within the replayed area, or takes the scissor off.
    void SendScissor();
    void SendScissorArea(std::optional<GlRect> area);
    void Hold(GlRecordedCall call);
    void DropHeldFrame();
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
    // The viewport and depth range OpenGL has (sent only before a clear or a draw).
    struct SentViewport {
        GLint x = 0, y = 0;
        GLsizei width = 0, height = 0;
        float minZ = 0, maxZ = 1;
        bool operator==(const SentViewport&) const = default;
    };
    std::optional<SentViewport> sentViewport_;
    std::optional<GlRect> sentScissor_;  // the rectangle OpenGL has (sent only before a clear or a draw)
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
    // The frame being drawn, while it is held back; the signature of the frame the display shows and when
    // it was presented.
    GlFrameRecord frame_;
    bool recording_ = true;
    bool frameEnded_ = false;
    bool unchanged_ = false;
    bool dropped_ = false;
    uint32_t framesAsTheyCome_ = 0;
    bool shownValid_ = false;
    uint64_t shownSignature_ = 0;
    std::chrono::steady_clock::time_point shownAt_;
    // Partial drawing: what differs from the last frame drawn, the area a replay is limited to, the area
    // Present shows without a swap (none: it swaps), and whether the back buffer holds the last frame drawn
    // (after a swap its pixels are undefined).
    GlPartialPresenter presenter_;
    GlDamage damage_;
    std::optional<GlRect> replayArea_;
    std::optional<GlRect> presentArea_;
    bool backBufferHolds_ = false;
};

}  // namespace platform::gfx
