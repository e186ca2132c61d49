#include "platform/gfx/gl/GlDevice.h"

#include <GL/glext.h>
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <chrono>
#include <thread>

#include "platform/gfx/MemoryBuffer.h"
#include "platform/gfx/MemoryCubeTexture.h"
#include "platform/gfx/MemorySurface.h"
#include "platform/gfx/MemoryTexture.h"
#include "platform/gfx/gl/GlBackBufferSurface.h"
#include "platform/system/posix/FreeMemory.h"

namespace platform::gfx {
namespace {

// Vertices of a draw of count primitives.
uint32_t VertexCount(PrimitiveType type, uint32_t count) {
    switch (type) {
        case PrimitiveType::PointList: return count;
        case PrimitiveType::LineList: return count * 2;
        case PrimitiveType::LineStrip: return count + 1;
        case PrimitiveType::TriangleList: return count * 3;
        default: return count + 2;  // strips and fans
    }
}

// The index address of a draw without indices (an index buffer object's first index is at address 0).
constexpr uintptr_t kNoIndices = ~uintptr_t{0};

// A frame that draws what the display already shows is still presented this often, so that a window the
// system lost the pixels of (uncovered, moved) gets them again.
constexpr auto kUnchangedFrameLimit = std::chrono::milliseconds(250);
// Frames drawn as they come after a frame was given up because a texture or buffer went while it was held
// back: a screen that replaces one in every frame still shows every second frame.
constexpr uint32_t kFramesAfterDrop = 1;

bool IsDynamic(const BufferBytes& buffer) {
    return (buffer.GetDesc().usage & Usage::Dynamic) != 0;
}

std::vector<std::byte> CopyBytes(const std::byte* from, size_t size) {
    return std::vector<std::byte>(from, from + size);
}

GLenum ModeOf(PrimitiveType type) {
    switch (type) {
        case PrimitiveType::PointList: return GL_POINTS;
        case PrimitiveType::LineList: return GL_LINES;
        case PrimitiveType::LineStrip: return GL_LINE_STRIP;
        case PrimitiveType::TriangleStrip: return GL_TRIANGLE_STRIP;
        case PrimitiveType::TriangleFan: return GL_TRIANGLE_FAN;
        default: return GL_TRIANGLES;
    }
}

// Whether the window already covers a display whose mode is the one asked for: then there is nothing to
// switch (and asking would only make SDL wait for a window manager's answer).
bool ShowsDesktopMode(SDL_Window* window, const PresentParameters& parameters) {
    const int display = SDL_GetWindowDisplayIndex(window);
    SDL_DisplayMode desktop{};
    SDL_Rect bounds{};
    if (display < 0 || SDL_GetDesktopDisplayMode(display, &desktop) != 0 || SDL_GetDisplayBounds(display, &bounds) != 0) {
        return false;
    }
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(window, &x, &y);
    SDL_GetWindowSize(window, &width, &height);
    const bool sameMode = static_cast<uint32_t>(desktop.w) == parameters.backBufferWidth &&
                          static_cast<uint32_t>(desktop.h) == parameters.backBufferHeight &&
                          (parameters.fullScreenRefreshRate == 0 || desktop.refresh_rate == 0 ||
                           static_cast<uint32_t>(desktop.refresh_rate) == parameters.fullScreenRefreshRate);
    return sameMode && x == bounds.x && y == bounds.y && width == bounds.w && height == bounds.h;
}

void SendGamma(SDL_Window* window, const GammaRamp& ramp) {
    // Some servers refuse gamma ramps; the game goes on without.
    SDL_SetWindowGammaRamp(window, ramp.red.data(), ramp.green.data(), ramp.blue.data());
}

}  // namespace

GlDevice::GlDevice(GlWindow window, const PresentParameters& parameters, int textureUnits)
    : window_(window),
      shadow_(GlCalls::Driver()),
      buffers_(textures_.Deletes()),
      pipeline_(shadow_, textureUnits) {
    ApplyPresentParameters(parameters);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

GlDevice::~GlDevice() {
    for (auto& [texture, buffers] : framebuffers_) {
        glDeleteFramebuffers(1, &buffers.first);
        glDeleteRenderbuffers(1, &buffers.second);
    }
    textures_.Flush();
}

void GlDevice::ApplyPresentParameters(const PresentParameters& parameters) {
    parameters_ = parameters;
    if (parameters.windowed) {
        SDL_SetWindowFullscreen(window_.window, 0);
    } else if (!ShowsDesktopMode(window_.window, parameters)) {
        SDL_DisplayMode mode{};
        mode.w = static_cast<int>(parameters.backBufferWidth);
        mode.h = static_cast<int>(parameters.backBufferHeight);
        mode.refresh_rate = static_cast<int>(parameters.fullScreenRefreshRate);
        SDL_SetWindowDisplayMode(window_.window, &mode);
        SDL_SetWindowFullscreen(window_.window, SDL_WINDOW_FULLSCREEN);
    }
    // A frame drawn faster than the display shows frames is never seen: presenting waits for the display's
    // refresh wherever the window system offers that, even when immediate presentation was asked for.
    SDL_GL_SetSwapInterval(1);
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window_.window, &width, &height);
    // The window system carries a full-screen switch out after this call: the drawable may still have its
    // old size, while the back buffer of a full-screen device is the size asked for.
    if (!parameters.windowed && parameters.backBufferWidth != 0 && parameters.backBufferHeight != 0) {
        width = static_cast<int>(parameters.backBufferWidth);
        height = static_cast<int>(parameters.backBufferHeight);
    }
    backBufferWidth_ = static_cast<uint32_t>(width);
    backBufferHeight_ = static_cast<uint32_t>(height);
    parameters_.backBufferWidth = backBufferWidth_;
    parameters_.backBufferHeight = backBufferHeight_;
    UseTarget(backBufferWidth_, backBufferHeight_, false);
}

void GlDevice::UseTarget(uint32_t width, uint32_t height, bool texture) {
    state_.targetWidth = width;
    state_.targetHeight = height;
    state_.targetIsTexture = texture;
    SetViewport(Viewport{0, 0, width, height, 0, 1});
    state_.MarkAllDirty();
}

Result GlDevice::Reset(const PresentParameters& parameters) {
    StopRecording();
    shownValid_ = false;
    sentViewport_.reset();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    ApplyPresentParameters(parameters);
    state_ = GlDeviceState{};
    UseTarget(backBufferWidth_, backBufferHeight_, false);
    gamma_ = GammaRamp::Identity();
    SendGamma(window_.window, gamma_);
    return Result::Ok;
}

Result GlDevice::BeginScene() {
    return Result::Ok;
}

Result GlDevice::EndScene() {
    EndFrame();
    return Result::Ok;
}

void GlDevice::EndFrame() {
    if (frameEnded_) return;
    frameEnded_ = true;
    if (textures_.Deletes()->EndWatch()) DropHeldFrame();
    if (dropped_) {
        unchanged_ = true;  // what the display shows stays one frame longer
        return;
    }
    const GlRect window{0, 0, static_cast<int32_t>(backBufferWidth_), static_cast<int32_t>(backBufferHeight_)};
    if (recording_ && shownValid_ && frame_.Signature() == shownSignature_) {
        // The display shows this frame already; after a while it is shown again, from the back buffer where
        // that holds it, else drawn again below.
        const bool recent = std::chrono::steady_clock::now() - shownAt_ < kUnchangedFrameLimit;
        if (recent || backBufferHolds_) {
            frame_.Reset();
            if (recent) unchanged_ = true;
            else presentArea_ = window;
            return;
        }
    }
    // A frame drawn as it came (recording stopped) has no signature to hold the next one against.
    shownValid_ = recording_;
    shownSignature_ = frame_.Signature();
    if (recording_) {
        DrawRecordedFrame();
    } else {
        Replay();
    }
    glFlush();
}

void GlDevice::DrawRecordedFrame() {
    const GlRect window{0, 0, static_cast<int32_t>(backBufferWidth_), static_cast<int32_t>(backBufferHeight_)};
    const std::optional<GlRect> changed = damage_.Between(frame_.Calls(), frame_.CallSignatures());
    const bool small = changed && presenter_.Available() && changed->Intersect(window).Area() * 2 < window.Area();
    if (!small) {
        Replay();
        return;
    }
    // Small changes are shown without a swap, so that the back buffer keeps the frame for the next one.
    const GlRect area = changed->Intersect(window);
    if (!backBufferHolds_) {
        Replay();
        presentArea_ = window;
    } else if (area.Empty()) {
        frame_.Reset();  // the same pixels by other calls
        unchanged_ = true;
    } else {
        Replay(area);
        presentArea_ = area;
    }
}

Result GlDevice::Present(bool) {
    EndFrame();
    if (!unchanged_) {
        const std::optional<GlRect> area = presentArea_;
        backBufferHolds_ = area && presenter_.Show(area->x0, area->y0, area->x1 - area->x0, area->y1 - area->y0);
        if (!backBufferHolds_) SDL_GL_SwapWindow(window_.window);
        shownAt_ = std::chrono::steady_clock::now();
    }
    presentArea_.reset();
    if (framesAsTheyCome_ > 0) --framesAsTheyCome_;
    recording_ = framesAsTheyCome_ == 0;
    if (!recording_) {
        damage_.Forget();  // the next frame draws straight into the back buffer
        backBufferHolds_ = false;
    }
    unchanged_ = false;
    dropped_ = false;
    frameEnded_ = false;
    const bool released = textures_.ReleaseUnused();
    textures_.Flush();
    if (released) {
        // Texture names changed under the shadow; what OpenGL gave back goes back to the system too.
        pipeline_.Forget();
        state_.MarkAllDirty();
        ReturnFreedMemory();
    }
    return Result::Ok;
}

void GlDevice::StopRecording() {
    if (textures_.Deletes()->EndWatch()) DropHeldFrame();
    Replay();
    recording_ = false;
    // What follows draws straight into the back buffer (or reads it, or leaves it for a texture): the next
    // frame cannot be held against this one.
    damage_.Forget();
    backBufferHolds_ = false;
}

// A texture or buffer that held-back calls read went: they are given up unread and the frame is not presented;
// the next frame is drawn as it comes (which reads each texture and buffer while its owner still holds it).
void GlDevice::DropHeldFrame() {
    frame_.Reset();
    dropped_ = true;
    shownValid_ = false;
    framesAsTheyCome_ = kFramesAfterDrop;
}

void GlDevice::Hold(GlRecordedCall call) {
    if (call.kind == GlRecordedCall::Kind::Clear) {
        frame_.Add(std::move(call));
        return;
    }
    // Every texture and buffer object the draw reads gets its OpenGL name now, watched until it is drawn.
    GlDeleteQueue& deletes = *textures_.Deletes();
    for (size_t stage = 0; stage < kMaxTextureStages; ++stage) {
        const auto& stageStates = call.state.stageStates[stage];
        if (stageStates[static_cast<uint32_t>(TextureStageState::ColorOp)] == TextureOp::Disable) break;
        if (call.state.textures[stage] == nullptr) continue;
        deletes.WatchTexture(textures_.NameOf(*call.state.textures[stage]));
        textures_.MarkRead(*call.state.textures[stage]);
    }
    if (call.vertices.empty()) {
        const GLuint name = buffers_.NameOf(call.state.stream->Bytes(), GL_ARRAY_BUFFER);
        shadow_.ArrayBuffer(name);
        deletes.WatchBuffer(name);
    }
    if (call.indexed && call.indices.empty()) {
        const GLuint name = buffers_.NameOf(call.state.indices->Bytes(), GL_ELEMENT_ARRAY_BUFFER);
        shadow_.ElementBuffer(name);
        deletes.WatchBuffer(name);
    }
    frame_.Add(std::move(call));
}

void GlDevice::Replay(std::optional<GlRect> area) {
    if (frame_.Empty()) return;
    GlDeviceState live = state_;
    replayArea_ = area;
    bool first = true;
    for (GlRecordedCall& call : frame_.Calls()) {
        state_ = std::move(call.state);
        if (call.kind == GlRecordedCall::Kind::Clear) {
            ClearNow(call.clearFlags, call.clearColor, call.clearZ);
            continue;
        }
        // OpenGL holds the state of the last draw drawn, which may be another frame's: the first draw sends
        // what differs from it.
        if (first) state_.MarkAllDirty();
        first = false;
        DrawRecorded(call);
    }
    frame_.Reset();
    replayArea_.reset();
    state_ = std::move(live);
    state_.MarkAllDirty();
}

void GlDevice::SendScissor() {
    std::optional<GlRect> area = ScissorOf(state_);
    if (replayArea_) area = area ? area->Intersect(*replayArea_) : *replayArea_;
    SendScissorArea(area);
}

void GlDevice::SendScissorArea(std::optional<GlRect> area) {
    if (area && area->Empty()) area = GlRect{};  // nothing passes, and OpenGL takes no negative size
    shadow_.Enable(GL_SCISSOR_TEST, area.has_value());
    if (!area || sentScissor_ == *area) return;
    glScissor(area->x0, area->y0, area->x1 - area->x0, area->y1 - area->y0);
    sentScissor_ = *area;
}

void GlDevice::DrawRecorded(const GlRecordedCall& call) {
    SendViewport();
    SendScissor();
    pipeline_.Apply(state_, textures_);
    uintptr_t vertices = 0;
    if (call.vertices.empty()) {
        vertices = BindVertices() + static_cast<uintptr_t>(call.baseVertex) * state_.stride;
    } else {
        shadow_.ArrayBuffer(0);
        vertices = reinterpret_cast<uintptr_t>(call.vertices.data());
    }
    pipeline_.SetupArrays(state_, vertices);
    if (!call.indexed) {
        Draw(call.mode, call.count, kNoIndices, call.first, 0, 0);
        return;
    }
    uintptr_t indices = 0;
    if (call.indices.empty()) {
        indices = BindIndices(call.startIndex);
    } else {
        shadow_.ElementBuffer(0);
        indices = reinterpret_cast<uintptr_t>(call.indices.data());
    }
    Draw(call.mode, call.count, indices, 0, call.minIndex, call.maxIndex);
}

Result GlDevice::Clear(uint32_t flags, Color color, float z, uint32_t) {
    if (recording_) {
        GlRecordedCall call;
        call.kind = GlRecordedCall::Kind::Clear;
        call.state = state_;
        call.clearFlags = flags;
        call.clearColor = color;
        call.clearZ = z;
        Hold(std::move(call));
        state_.renderDirty = true;
        return Result::Ok;
    }
    ClearNow(flags, color, z);
    return Result::Ok;
}

void GlDevice::ClearNow(uint32_t flags, Color color, float z) {
    SendViewport();
    // Clears touch only the viewport and ignore the depth-write switch.
    const Viewport& v = state_.viewport;
    const GLint y = state_.targetIsTexture ? static_cast<GLint>(v.y)
                                           : static_cast<GLint>(state_.targetHeight) - static_cast<GLint>(v.y + v.height);
    GlRect cleared{static_cast<int32_t>(v.x), y, static_cast<int32_t>(v.x + v.width), y + static_cast<int32_t>(v.height)};
    if (replayArea_) cleared = cleared.Intersect(*replayArea_);
    if (const std::optional<GlRect> scissor = ScissorOf(state_)) cleared = cleared.Intersect(*scissor);
    state_.renderDirty = true;
    if (cleared.Empty()) return;
    SendScissorArea(cleared);
    shadow_.DepthMask(true);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    GLbitfield mask = 0;
    if ((flags & ClearFlags::Target) != 0) {
        glClearColor(static_cast<float>((color >> 16) & 0xFF) / 255.0f, static_cast<float>((color >> 8) & 0xFF) / 255.0f,
                     static_cast<float>(color & 0xFF) / 255.0f, static_cast<float>(color >> 24) / 255.0f);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & ClearFlags::ZBuffer) != 0) {
        glClearDepth(z);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if ((flags & ClearFlags::Stencil) != 0) mask |= GL_STENCIL_BUFFER_BIT;
    glClear(mask);
}

Result GlDevice::SetRenderState(RenderState state, uint32_t value) {
    const auto index = static_cast<uint32_t>(state);
    if (index >= kRenderStateCount) return Result::InvalidCall;
    state_.renderStates[index] = value;
    state_.renderDirty = true;
    if (state == RenderState::SpecularEnable) state_.materialDirty = true;
    return Result::Ok;
}

Result GlDevice::SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) {
    const auto index = static_cast<uint32_t>(state);
    if (stage >= kMaxTextureStages || index >= kTextureStageStateCount) return Result::InvalidCall;
    state_.stageStates[stage][index] = value;
    return Result::Ok;
}

Result GlDevice::SetSamplerState(uint32_t sampler, SamplerState state, uint32_t value) {
    const auto index = static_cast<uint32_t>(state);
    if (sampler >= kMaxTextureStages || index >= kSamplerStateCount) return Result::InvalidCall;
    state_.samplerStates[sampler][index] = value;
    return Result::Ok;
}

Result GlDevice::SetTransform(TransformState state, const Matrix& matrix) {
    const auto index = static_cast<uint32_t>(state);
    if (state == TransformState::World) {
        state_.world = matrix;
    } else if (state == TransformState::View) {
        state_.view = matrix;
    } else if (state == TransformState::Projection) {
        state_.projection = matrix;
    } else if (index >= static_cast<uint32_t>(TransformState::Texture0) &&
               index < static_cast<uint32_t>(TransformState::Texture0) + kMaxTextureStages) {
        state_.textureMatrices[index - static_cast<uint32_t>(TransformState::Texture0)] = matrix;
        return Result::Ok;
    } else {
        return Result::InvalidCall;
    }
    state_.transformsDirty = true;
    return Result::Ok;
}

Result GlDevice::SetViewport(const Viewport& viewport) {
    state_.viewport = viewport;
    state_.transformsDirty = true;  // the half-pixel offset depends on the viewport's size
    return Result::Ok;
}

// The viewport of the state about to draw (it may be a held-back call's), sent when OpenGL has another.
void GlDevice::SendViewport() {
    const Viewport& viewport = state_.viewport;
    const GLint y = state_.targetIsTexture ? static_cast<GLint>(viewport.y)
                                           : static_cast<GLint>(state_.targetHeight) -
                                                 static_cast<GLint>(viewport.y + viewport.height);
    const SentViewport wanted{static_cast<GLint>(viewport.x), y, static_cast<GLsizei>(viewport.width),
                              static_cast<GLsizei>(viewport.height), viewport.minZ, viewport.maxZ};
    if (sentViewport_ == wanted) return;
    glViewport(wanted.x, wanted.y, wanted.width, wanted.height);
    glDepthRange(wanted.minZ, wanted.maxZ);
    sentViewport_ = wanted;
}

Result GlDevice::GetViewport(Viewport& out) {
    out = state_.viewport;
    return Result::Ok;
}

Result GlDevice::SetScissorRect(const Rect* rect) {
    if (rect == nullptr) {
        state_.scissor.reset();
    } else {
        state_.scissor = *rect;
    }
    return Result::Ok;
}

Result GlDevice::SetMaterial(const Material& material) {
    state_.material = material;
    state_.materialDirty = true;
    return Result::Ok;
}

Result GlDevice::SetLight(uint32_t index, const Light& light) {
    if (index >= kMaxTextureStages) return Result::InvalidCall;
    state_.lights[index] = light;
    state_.lightsDirty = true;
    return Result::Ok;
}

Result GlDevice::LightEnable(uint32_t index, bool enable) {
    if (index >= kMaxTextureStages) return Result::InvalidCall;
    state_.lightEnabled[index] = enable;
    state_.lightsDirty = true;
    return Result::Ok;
}

Result GlDevice::SetTexture(uint32_t stage, BaseTexture* texture) {
    if (stage >= kMaxTextureStages) return Result::InvalidCall;
    state_.textures[stage] = texture;
    return Result::Ok;
}

Result GlDevice::SetFVF(uint32_t fvf) {
    state_.fvf = fvf;
    return Result::Ok;
}

Result GlDevice::CreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t fvf, Pool pool,
                                    std::unique_ptr<VertexBuffer>& out) {
    if (bytes == 0) return Result::InvalidCall;
    out = std::make_unique<MemoryVertexBuffer>(BufferDesc{Format::Unknown, usage, pool, bytes, fvf});
    return Result::Ok;
}

Result GlDevice::CreateIndexBuffer(uint32_t bytes, uint32_t usage, Format format, Pool pool,
                                   std::unique_ptr<IndexBuffer>& out) {
    if (bytes == 0 || format != Format::Index16) return Result::InvalidCall;
    out = std::make_unique<MemoryIndexBuffer>(BufferDesc{format, usage, pool, bytes, 0});
    return Result::Ok;
}

Result GlDevice::SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset, uint32_t stride) {
    if (stream != 0) return Result::InvalidCall;
    state_.stream = dynamic_cast<MemoryVertexBuffer*>(buffer);
    state_.streamOffset = offset;
    state_.stride = stride;
    return buffer == nullptr || state_.stream != nullptr ? Result::Ok : Result::InvalidCall;
}

Result GlDevice::SetIndices(IndexBuffer* buffer) {
    state_.indices = dynamic_cast<MemoryIndexBuffer*>(buffer);
    return buffer == nullptr || state_.indices != nullptr ? Result::Ok : Result::InvalidCall;
}

uintptr_t GlDevice::BindVertices() {
    const GLuint name = buffers_.NameOf(state_.stream->Bytes(), GL_ARRAY_BUFFER);
    shadow_.ArrayBuffer(name);
    const uintptr_t start = name != 0 ? 0 : reinterpret_cast<uintptr_t>(state_.stream->Data());
    return start + state_.streamOffset;
}

uintptr_t GlDevice::BindIndices(uint32_t startIndex) {
    const GLuint name = buffers_.NameOf(state_.indices->Bytes(), GL_ELEMENT_ARRAY_BUFFER);
    shadow_.ElementBuffer(name);
    const uintptr_t start = name != 0 ? 0 : reinterpret_cast<uintptr_t>(state_.indices->Data());
    return start + static_cast<uintptr_t>(startIndex) * 2;
}

Result GlDevice::Draw(GLenum mode, uint32_t vertices, uintptr_t indices, uint32_t first, uint32_t minIndex,
                      uint32_t maxIndex) {
    const auto* indexAddress = reinterpret_cast<const void*>(indices);
    if (indices == kNoIndices) {
        glDrawArrays(mode, static_cast<GLint>(first), static_cast<GLsizei>(vertices));
    } else {
        glDrawRangeElements(mode, minIndex, maxIndex, static_cast<GLsizei>(vertices), GL_UNSIGNED_SHORT, indexAddress);
    }
    return Result::Ok;
}

Result GlDevice::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
    if (state_.stream == nullptr || state_.stride == 0) return Result::InvalidCall;
    const uint32_t vertices = VertexCount(type, primitiveCount);
    const uint64_t end = state_.streamOffset + (static_cast<uint64_t>(startVertex) + vertices) * state_.stride;
    if (end > state_.stream->GetDesc().size) return Result::InvalidCall;
    if (recording_) {
        GlRecordedCall call = RecordDraw(ModeOf(type), vertices);
        call.first = startVertex;
        if (IsDynamic(state_.stream->Bytes())) {
            const size_t from = state_.streamOffset + static_cast<size_t>(startVertex) * state_.stride;
            call.vertices = CopyBytes(state_.stream->Data() + from, end - from);
            call.first = 0;
        }
        Hold(std::move(call));
        return Result::Ok;
    }
    SendViewport();
    SendScissor();
    pipeline_.Apply(state_, textures_);
    pipeline_.SetupArrays(state_, BindVertices());
    return Draw(ModeOf(type), vertices, kNoIndices, startVertex, 0, 0);
}

GlRecordedCall GlDevice::RecordDraw(GLenum mode, uint32_t count) {
    GlRecordedCall call;
    call.state = state_;
    call.mode = mode;
    call.count = count;
    // What the pipeline would have sent for this draw is sent when it is drawn.
    state_.renderDirty = state_.transformsDirty = state_.lightsDirty = state_.materialDirty = state_.stagesDirty =
        false;
    return call;
}

Result GlDevice::DrawIndexedPrimitive(PrimitiveType type, int32_t baseVertex, uint32_t minIndex, uint32_t vertexCount,
                                      uint32_t startIndex, uint32_t primitiveCount) {
    if (state_.stream == nullptr || state_.indices == nullptr || state_.stride == 0 || baseVertex < 0) {
        return Result::InvalidCall;
    }
    const uint32_t indices = VertexCount(type, primitiveCount);
    if ((static_cast<uint64_t>(startIndex) + indices) * 2 > state_.indices->GetDesc().size) return Result::InvalidCall;
    const uint64_t end = state_.streamOffset + (static_cast<uint64_t>(baseVertex) + minIndex + vertexCount) * state_.stride;
    if (end > state_.stream->GetDesc().size) return Result::InvalidCall;
    if (recording_) {
        GlRecordedCall call = RecordDraw(ModeOf(type), indices);
        call.indexed = true;
        call.startIndex = startIndex;
        call.minIndex = minIndex;
        call.maxIndex = minIndex + (vertexCount == 0 ? 0 : vertexCount - 1);
        call.baseVertex = static_cast<uint32_t>(baseVertex);
        if (IsDynamic(state_.stream->Bytes())) {
            const size_t from = state_.streamOffset + static_cast<size_t>(baseVertex) * state_.stride;
            call.vertices = CopyBytes(state_.stream->Data() + from, end - from);
            call.baseVertex = 0;
        }
        if (IsDynamic(state_.indices->Bytes())) {
            call.indices = CopyBytes(state_.indices->Data() + static_cast<size_t>(startIndex) * 2, size_t{indices} * 2);
            call.startIndex = 0;
        }
        Hold(std::move(call));
        return Result::Ok;
    }
    SendViewport();
    SendScissor();
    pipeline_.Apply(state_, textures_);
    pipeline_.SetupArrays(state_, BindVertices() + static_cast<uintptr_t>(baseVertex) * state_.stride);
    return Draw(ModeOf(type), indices, BindIndices(startIndex), 0, minIndex,
                minIndex + (vertexCount == 0 ? 0 : vertexCount - 1));
}

Result GlDevice::CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, Format format, Pool pool,
                               std::unique_ptr<Texture>& out) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width == 0 || height == 0 || !GetFormatLayout(format).known || width > static_cast<uint32_t>(maxSize) ||
        height > static_cast<uint32_t>(maxSize)) {
        return Result::InvalidCall;
    }
    auto texture = std::make_unique<MemoryTexture>(width, height, levels, usage, format, pool);
    if (std::this_thread::get_id() == thread_) textures_.Track(*texture);
    if ((usage & Usage::RenderTarget) != 0) {
        renderTargets_[texture->GetLevel(0).get()] = RenderTarget{texture->GetLevel(0), textures_.NameOf(*texture)};
    }
    out = std::move(texture);
    return Result::Ok;
}

Result GlDevice::CreateCubeTexture(uint32_t edge, uint32_t levels, uint32_t usage, Format format, Pool pool,
                                   std::unique_ptr<CubeTexture>& out) {
    if (edge == 0 || !GetFormatLayout(format).known) return Result::InvalidCall;
    out = std::make_unique<MemoryCubeTexture>(edge, levels, usage, format, pool);
    return Result::Ok;
}

Result GlDevice::GetBackBuffer(uint32_t index, std::unique_ptr<Surface>& out) {
    if (index != 0) return Result::InvalidCall;
    StopRecording();
    out = std::make_unique<GlBackBufferSurface>(backBufferWidth_, backBufferHeight_);
    return Result::Ok;
}

GLuint GlDevice::FramebufferFor(GLuint texture, uint32_t width, uint32_t height) {
    auto found = framebuffers_.find(texture);
    if (found != framebuffers_.end()) return found->second.first;
    GLuint framebuffer = 0, depth = 0;
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    framebuffers_[texture] = {framebuffer, depth};
    return framebuffer;
}

Result GlDevice::SetRenderTarget(uint32_t index, Surface* target) {
    if (index != 0) return Result::InvalidCall;
    if (target == nullptr && !state_.targetIsTexture) {
        UseTarget(backBufferWidth_, backBufferHeight_, false);  // drawing goes on into the back buffer
        return Result::Ok;
    }
    StopRecording();
    if (target == nullptr) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        UseTarget(backBufferWidth_, backBufferHeight_, false);
        return Result::Ok;
    }
    auto* surface = dynamic_cast<MemorySurface*>(target);
    const auto found = surface != nullptr ? renderTargets_.find(surface->GetImage().get()) : renderTargets_.end();
    if (found == renderTargets_.end() || found->second.image.expired()) return Result::InvalidCall;
    const SurfaceDesc desc = surface->GetDesc();
    // The texture needs storage before it can be drawn into.
    RenderTarget& made = found->second;
    if (made.width != desc.width || made.height != desc.height) {
        shadow_.BindTexture(0, GL_TEXTURE_2D, made.name);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(desc.width), static_cast<GLsizei>(desc.height), 0,
                     GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
        made.width = desc.width;
        made.height = desc.height;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, FramebufferFor(found->second.name, desc.width, desc.height));
    UseTarget(desc.width, desc.height, true);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE ? Result::Ok : Result::Fail;
}

Result GlDevice::UpdateSurface(Surface& source, const Rect* sourceRect, Surface& destination, const Point* destinationPoint) {
    const SurfaceDesc from = source.GetDesc(), to = destination.GetDesc();
    if (from.format != to.format || IsCompressed(from.format)) return Result::InvalidCall;
    const Rect area = sourceRect != nullptr ? *sourceRect
                                            : Rect{0, 0, static_cast<int32_t>(from.width), static_cast<int32_t>(from.height)};
    const Point at = destinationPoint != nullptr ? *destinationPoint : Point{};
    const Rect target{at.x, at.y, at.x + area.Width(), at.y + area.Height()};
    LockedRect read, write;
    if (!Succeeded(source.LockRect(read, &area, LockFlags::ReadOnly))) return Result::InvalidCall;
    if (!Succeeded(destination.LockRect(write, &target, 0))) {
        source.UnlockRect();
        return Result::InvalidCall;
    }
    const size_t rowBytes = static_cast<size_t>(area.Width()) * GetFormatLayout(from.format).bytesPerPixel;
    for (int32_t row = 0; row < area.Height(); ++row) {
        std::memcpy(static_cast<std::byte*>(write.bits) + static_cast<size_t>(row) * write.pitch,
                    static_cast<const std::byte*>(read.bits) + static_cast<size_t>(row) * read.pitch, rowBytes);
    }
    destination.UnlockRect();
    source.UnlockRect();
    return Result::Ok;
}

void GlDevice::SetGammaRamp(const GammaRamp& ramp) {
    gamma_ = ramp;
    SendGamma(window_.window, ramp);
}

Result GlDevice::DrawSprite(BaseTexture& texture, const Rect& source, int32_t x, int32_t y, Color color) {
    auto* plain = dynamic_cast<MemoryTexture*>(&texture);
    if (plain == nullptr) return Result::InvalidCall;
    SurfaceDesc desc;
    plain->GetLevelDesc(0, desc);
    StopRecording();
    SendViewport();
    // Its pixels reach OpenGL first: a texture made for this one sprite (a device font's line) was never drawn.
    textures_.Bind(shadow_, 0, plain);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, state_.viewport.width, state_.viewport.height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    for (GLenum off :
         {GL_LIGHTING, GL_DEPTH_TEST, GL_CULL_FACE, GL_FOG, GL_ALPHA_TEST, GL_TEXTURE_CUBE_MAP, GL_SCISSOR_TEST}) {
        glDisable(off);
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, textures_.NameOf(*plain));
    glEnable(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    const float u0 = static_cast<float>(source.left) / desc.width, u1 = static_cast<float>(source.right) / desc.width;
    const float v0 = static_cast<float>(source.top) / desc.height, v1 = static_cast<float>(source.bottom) / desc.height;
    const float left = static_cast<float>(x), top = static_cast<float>(y);
    const float right = left + static_cast<float>(source.Width()), bottom = top + static_cast<float>(source.Height());
    glColor4ub(static_cast<GLubyte>((color >> 16) & 0xFF), static_cast<GLubyte>((color >> 8) & 0xFF),
               static_cast<GLubyte>(color & 0xFF), static_cast<GLubyte>(color >> 24));
    glBegin(GL_QUADS);
    glTexCoord2f(u0, v0);
    glVertex2f(left, top);
    glTexCoord2f(u1, v0);
    glVertex2f(right, top);
    glTexCoord2f(u1, v1);
    glVertex2f(right, bottom);
    glTexCoord2f(u0, v1);
    glVertex2f(left, bottom);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopClientAttrib();
    glPopAttrib();
    // The attributes came back with the pops, but not what the shadow knows of the sprite's texture and unit.
    textures_.ForgetParameters(*plain);
    pipeline_.Forget();
    state_.MarkAllDirty();
    return Result::Ok;
}

}  // namespace platform::gfx
