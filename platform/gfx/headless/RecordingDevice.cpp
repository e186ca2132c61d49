#include "platform/gfx/headless/RecordingDevice.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/gfx/MemoryCubeTexture.h"
#include "platform/gfx/MemoryTexture.h"
#include "platform/gfx/PixelConversion.h"
#include "platform/gfx/headless/RecordingBuffer.h"

namespace platform::gfx {
namespace {

uint32_t Number(Format format) {
    return static_cast<uint32_t>(format);
}

uint32_t Key(uint32_t stage, uint32_t state) {
    return stage * 256 + state;
}

}  // namespace

RecordingDevice::RecordingDevice(std::shared_ptr<RecordingSetup> setup, const PresentParameters& parameters)
    : setup_(std::move(setup)), parameters_(parameters) {
    MakeBackBuffer();
}

Result RecordingDevice::Answer(const char* call, Result usual) {
    if (const auto scripted = setup_->TakeScripted(call)) return *scripted;
    return usual;
}

void RecordingDevice::MakeBackBuffer() {
    uint32_t width = parameters_.backBufferWidth, height = parameters_.backBufferHeight;
    if (width == 0) width = setup_->adapter.windowWidth;
    if (height == 0) height = setup_->adapter.windowHeight;
    parameters_.backBufferWidth = width;
    parameters_.backBufferHeight = height;
    if (parameters_.backBufferFormat == Format::Unknown) parameters_.backBufferFormat = Format::X8R8G8B8;
    auto image = std::make_shared<PixelImage>(parameters_.backBufferFormat, width, height);
    SurfaceDesc desc;
    desc.format = parameters_.backBufferFormat;
    desc.usage = Usage::RenderTarget;
    desc.width = width;
    desc.height = height;
    backBuffer_ = std::make_unique<MemorySurface>(image, desc);
    renderTarget_ = image;
    viewport_ = Viewport{0, 0, width, height, 0, 1};
}

Result RecordingDevice::TestCooperativeLevel() {
    setup_->log.Record("TestCooperativeLevel");
    return Answer("TestCooperativeLevel", Result::Ok);
}

Result RecordingDevice::Reset(const PresentParameters& parameters) {
    setup_->log.Record("Reset", parameters.backBufferWidth, parameters.backBufferHeight,
                       Number(parameters.backBufferFormat), parameters.windowed, parameters.multiSampleType,
                       parameters.flags);
    const Result result = Answer("Reset", Result::Ok);
    if (!Succeeded(result)) return result;
    parameters_ = parameters;
    MakeBackBuffer();
    // A reset returns the device to its default states, the gamma ramp included.
    renderStates_.clear();
    stageStates_.clear();
    samplerStates_.clear();
    transforms_.clear();
    textures_.fill(nullptr);
    lights_.clear();
    lightsEnabled_.clear();
    fvf_ = 0;
    gamma_ = GammaRamp::Identity();
    return result;
}

Result RecordingDevice::BeginScene() {
    setup_->log.Record("BeginScene");
    const Result result = Answer("BeginScene", inScene_ ? Result::InvalidCall : Result::Ok);
    if (Succeeded(result)) inScene_ = true;
    return result;
}

Result RecordingDevice::EndScene() {
    setup_->log.Record("EndScene");
    const Result result = Answer("EndScene", inScene_ ? Result::Ok : Result::InvalidCall);
    inScene_ = false;
    return result;
}

Result RecordingDevice::Present(bool doNotWait) {
    setup_->log.Record("Present", doNotWait);
    const Result result = Answer("Present", Result::Ok);
    if (Succeeded(result)) ++presents_;
    return result;
}

Result RecordingDevice::Clear(uint32_t flags, Color color, float z, uint32_t stencil) {
    setup_->log.Record("Clear", flags, color, z, stencil);
    const Result result = Answer("Clear", Result::Ok);
    if (Succeeded(result) && (flags & ClearFlags::Target) != 0) {
        FillRenderTarget(color);
    }
    return result;
}

void RecordingDevice::FillRenderTarget(Color color) {
    const uint32_t right = std::min(viewport_.x + viewport_.width, renderTarget_->GetWidth());
    const uint32_t bottom = std::min(viewport_.y + viewport_.height, renderTarget_->GetHeight());
    if (viewport_.x >= right || viewport_.y >= bottom) return;
    const Rect area{static_cast<int32_t>(viewport_.x), static_cast<int32_t>(viewport_.y), static_cast<int32_t>(right),
                    static_cast<int32_t>(bottom)};
    // One row of the colour in the target's format, copied to every row.
    const std::vector<uint32_t> colour(static_cast<size_t>(area.Width()), color);
    std::vector<std::byte> row(static_cast<size_t>(area.Width()) * GetFormatLayout(renderTarget_->GetFormat()).bytesPerPixel);
    if (!EncodePixels(renderTarget_->GetFormat(), colour, area.Width(), 1, row.data(), static_cast<uint32_t>(row.size()))) {
        return;
    }
    LockedRect locked;
    if (Succeeded(renderTarget_->Lock(locked, &area, 0))) {
        for (int32_t y = 0; y < area.Height(); ++y) {
            std::memcpy(static_cast<std::byte*>(locked.bits) + static_cast<size_t>(y) * locked.pitch, row.data(), row.size());
        }
        renderTarget_->Unlock();
    }
}

Result RecordingDevice::SetDialogBoxMode(bool enable) {
    setup_->log.Record("SetDialogBoxMode", enable);
    return Answer("SetDialogBoxMode", Result::Ok);
}

uint32_t RecordingDevice::GetAvailableTextureMem() {
    setup_->log.Record("GetAvailableTextureMem");
    return setup_->adapter.availableTextureMemory;
}

Result RecordingDevice::SetRenderState(RenderState state, uint32_t value) {
    setup_->log.Record("SetRenderState", static_cast<uint32_t>(state), value);
    const Result result = Answer("SetRenderState", Result::Ok);
    if (Succeeded(result)) renderStates_[static_cast<uint32_t>(state)] = value;
    return result;
}

Result RecordingDevice::SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) {
    setup_->log.Record("SetTextureStageState", stage, static_cast<uint32_t>(state), value);
    const Result result = Answer("SetTextureStageState", stage < kMaxTextureStages ? Result::Ok : Result::InvalidCall);
    if (Succeeded(result)) stageStates_[Key(stage, static_cast<uint32_t>(state))] = value;
    return result;
}

Result RecordingDevice::SetSamplerState(uint32_t sampler, SamplerState state, uint32_t value) {
    setup_->log.Record("SetSamplerState", sampler, static_cast<uint32_t>(state), value);
    const Result result = Answer("SetSamplerState", sampler < kMaxTextureStages ? Result::Ok : Result::InvalidCall);
    if (Succeeded(result)) samplerStates_[Key(sampler, static_cast<uint32_t>(state))] = value;
    return result;
}

Result RecordingDevice::SetTransform(TransformState state, const Matrix& matrix) {
    if (setup_->log.IsEnabled()) {
        std::ostringstream values;
        for (int i = 0; i < 16; ++i) values << (i == 0 ? "" : " ") << matrix.m[i];
        setup_->log.Record("SetTransform", static_cast<uint32_t>(state), values.str());
    }
    const Result result = Answer("SetTransform", Result::Ok);
    if (Succeeded(result)) transforms_[static_cast<uint32_t>(state)] = matrix;
    return result;
}

Result RecordingDevice::SetViewport(const Viewport& viewport) {
    setup_->log.Record("SetViewport", viewport.x, viewport.y, viewport.width, viewport.height, viewport.minZ,
                       viewport.maxZ);
    const Result result = Answer("SetViewport", Result::Ok);
    if (Succeeded(result)) viewport_ = viewport;
    return result;
}

Result RecordingDevice::GetViewport(Viewport& out) {
    out = viewport_;
    return Result::Ok;
}

Result RecordingDevice::SetScissorRect(const Rect* rect) {
    if (rect == nullptr) {
        setup_->log.Record("SetScissorRect");
    } else {
        setup_->log.Record("SetScissorRect", rect->left, rect->top, rect->right, rect->bottom);
    }
    return Answer("SetScissorRect", Result::Ok);
}

Result RecordingDevice::SetMaterial(const Material& material) {
    setup_->log.Record("SetMaterial", material.diffuse.r, material.diffuse.g, material.diffuse.b, material.diffuse.a,
                       material.power);
    const Result result = Answer("SetMaterial", Result::Ok);
    if (Succeeded(result)) material_ = material;
    return result;
}

Result RecordingDevice::SetLight(uint32_t index, const Light& light) {
    setup_->log.Record("SetLight", index, static_cast<uint32_t>(light.type));
    const Result result = Answer("SetLight", Result::Ok);
    if (Succeeded(result)) lights_[index] = light;
    return result;
}

Result RecordingDevice::LightEnable(uint32_t index, bool enable) {
    setup_->log.Record("LightEnable", index, enable);
    const Result result = Answer("LightEnable", Result::Ok);
    if (Succeeded(result)) lightsEnabled_[index] = enable;
    return result;
}

bool RecordingDevice::IsLightEnabled(uint32_t index) const {
    const auto found = lightsEnabled_.find(index);
    return found != lightsEnabled_.end() && found->second;
}

Result RecordingDevice::SetTexture(uint32_t stage, BaseTexture* texture) {
    setup_->log.Record("SetTexture", stage, texture == nullptr ? "null" : "texture");
    const Result result = Answer("SetTexture", stage < kMaxTextureStages ? Result::Ok : Result::InvalidCall);
    if (Succeeded(result)) textures_[stage] = texture;
    return result;
}

Result RecordingDevice::SetFVF(uint32_t fvf) {
    setup_->log.Record("SetFVF", fvf);
    const Result result = Answer("SetFVF", Result::Ok);
    if (Succeeded(result)) fvf_ = fvf;
    return result;
}

Result RecordingDevice::CreateVertexBuffer(uint32_t bytes, uint32_t usage, uint32_t fvf, Pool pool,
                                           std::unique_ptr<VertexBuffer>& out) {
    setup_->log.Record("CreateVertexBuffer", bytes, usage, fvf, static_cast<uint32_t>(pool));
    const Result result = Answer("CreateVertexBuffer", bytes == 0 ? Result::InvalidCall : Result::Ok);
    if (Succeeded(result)) {
        out = std::make_unique<RecordingVertexBuffer>(setup_, BufferDesc{Format::Unknown, usage, pool, bytes, fvf},
                                                      "VertexBuffer.Lock");
    }
    return result;
}

Result RecordingDevice::CreateIndexBuffer(uint32_t bytes, uint32_t usage, Format format, Pool pool,
                                          std::unique_ptr<IndexBuffer>& out) {
    setup_->log.Record("CreateIndexBuffer", bytes, usage, Number(format), static_cast<uint32_t>(pool));
    const Result result = Answer("CreateIndexBuffer", bytes == 0 ? Result::InvalidCall : Result::Ok);
    if (Succeeded(result)) {
        out = std::make_unique<RecordingIndexBuffer>(setup_, BufferDesc{format, usage, pool, bytes, 0},
                                                     "IndexBuffer.Lock");
    }
    return result;
}

Result RecordingDevice::SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset, uint32_t stride) {
    setup_->log.Record("SetStreamSource", stream, buffer == nullptr ? "null" : "buffer", offset, stride);
    return Answer("SetStreamSource", Result::Ok);
}

Result RecordingDevice::SetIndices(IndexBuffer* buffer) {
    setup_->log.Record("SetIndices", buffer == nullptr ? "null" : "buffer");
    return Answer("SetIndices", Result::Ok);
}

Result RecordingDevice::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
    setup_->log.Record("DrawPrimitive", static_cast<uint32_t>(type), startVertex, primitiveCount);
    return Answer("DrawPrimitive", Result::Ok);
}

Result RecordingDevice::DrawIndexedPrimitive(PrimitiveType type, int32_t baseVertex, uint32_t minIndex,
                                             uint32_t vertexCount, uint32_t startIndex, uint32_t primitiveCount) {
    setup_->log.Record("DrawIndexedPrimitive", static_cast<uint32_t>(type), baseVertex, minIndex, vertexCount,
                       startIndex, primitiveCount);
    return Answer("DrawIndexedPrimitive", Result::Ok);
}

Result RecordingDevice::CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, Format format,
                                      Pool pool, std::unique_ptr<Texture>& out) {
    setup_->log.Record("CreateTexture", width, height, levels, usage, Number(format), static_cast<uint32_t>(pool));
    const bool valid = width > 0 && height > 0 && width <= setup_->adapter.caps.maxTextureWidth &&
                       height <= setup_->adapter.caps.maxTextureHeight && GetFormatLayout(format).known;
    const Result result = Answer("CreateTexture", valid ? Result::Ok : Result::InvalidCall);
    if (Succeeded(result)) out = std::make_unique<MemoryTexture>(width, height, levels, usage, format, pool);
    return result;
}

Result RecordingDevice::CreateCubeTexture(uint32_t edge, uint32_t levels, uint32_t usage, Format format, Pool pool,
                                          std::unique_ptr<CubeTexture>& out) {
    setup_->log.Record("CreateCubeTexture", edge, levels, usage, Number(format), static_cast<uint32_t>(pool));
    const bool valid = edge > 0 && edge <= setup_->adapter.caps.maxTextureWidth && setup_->adapter.caps.cubeMap &&
                       GetFormatLayout(format).known;
    const Result result = Answer("CreateCubeTexture", valid ? Result::Ok : Result::InvalidCall);
    if (Succeeded(result)) out = std::make_unique<MemoryCubeTexture>(edge, levels, usage, format, pool);
    return result;
}

Result RecordingDevice::GetBackBuffer(uint32_t index, std::unique_ptr<Surface>& out) {
    setup_->log.Record("GetBackBuffer", index);
    const Result result = Answer("GetBackBuffer", Result::Ok);
    if (Succeeded(result)) out = std::make_unique<MemorySurface>(backBuffer_->GetImage(), backBuffer_->GetDesc());
    return result;
}

Result RecordingDevice::SetRenderTarget(uint32_t index, Surface* target) {
    setup_->log.Record("SetRenderTarget", index, target == nullptr ? "back buffer" : "surface");
    auto* memory = dynamic_cast<MemorySurface*>(target);
    const Result result = Answer("SetRenderTarget", target != nullptr && memory == nullptr ? Result::InvalidCall : Result::Ok);
    if (!Succeeded(result)) return result;
    renderTarget_ = memory != nullptr ? memory->GetImage() : backBuffer_->GetImage();
    viewport_ = Viewport{0, 0, renderTarget_->GetWidth(), renderTarget_->GetHeight(), 0, 1};
    return result;
}

Result RecordingDevice::UpdateSurface(Surface& source, const Rect* sourceRect, Surface& destination,
                                      const Point* destinationPoint) {
    setup_->log.Record("UpdateSurface");
    const SurfaceDesc from = source.GetDesc(), to = destination.GetDesc();
    const Rect area = sourceRect != nullptr ? *sourceRect : Rect{0, 0, static_cast<int32_t>(from.width),
                                                                 static_cast<int32_t>(from.height)};
    const Point at = destinationPoint != nullptr ? *destinationPoint : Point{};
    const Rect target{at.x, at.y, at.x + area.Width(), at.y + area.Height()};
    if (from.format != to.format || IsCompressed(from.format)) return Answer("UpdateSurface", Result::InvalidCall);
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
    return Answer("UpdateSurface", Result::Ok);
}

void RecordingDevice::GetGammaRamp(GammaRamp& out) {
    setup_->log.Record("GetGammaRamp");
    out = gamma_;
}

void RecordingDevice::SetGammaRamp(const GammaRamp& ramp) {
    setup_->log.Record("SetGammaRamp", ramp.red[0], ramp.red[255]);
    gamma_ = ramp;
}

Result RecordingDevice::DrawSprite(BaseTexture&, const Rect& source, int32_t x, int32_t y, Color color) {
    setup_->log.Record("DrawSprite", source.left, source.top, source.right, source.bottom, x, y, color);
    return Answer("DrawSprite", Result::Ok);
}

uint32_t RecordingDevice::GetRenderState(RenderState state) const {
    const auto found = renderStates_.find(static_cast<uint32_t>(state));
    return found == renderStates_.end() ? 0 : found->second;
}

uint32_t RecordingDevice::GetTextureStageState(uint32_t stage, TextureStageState state) const {
    const auto found = stageStates_.find(Key(stage, static_cast<uint32_t>(state)));
    return found == stageStates_.end() ? 0 : found->second;
}

uint32_t RecordingDevice::GetSamplerState(uint32_t sampler, SamplerState state) const {
    const auto found = samplerStates_.find(Key(sampler, static_cast<uint32_t>(state)));
    return found == samplerStates_.end() ? 0 : found->second;
}

Matrix RecordingDevice::GetTransform(TransformState state) const {
    const auto found = transforms_.find(static_cast<uint32_t>(state));
    return found == transforms_.end() ? Matrix{} : found->second;
}

}  // namespace platform::gfx
