#include "client/render/D3D9RenderDevice.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/render/PartGeometry.h"
#include "QuillLib/render/SceneView.h"
#include "QuillLib/resource/D3D9TextureItem.h"
#include "QuillLib/resource/IndexBlock.h"
#include "QuillLib/resource/LiveTexture.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/ModelObject.h"
#include "client/render/GammaRampBuilder.h"
#include "client/render/MaterialStateOf.h"
#include "platform/gfx/ImageServices.h"

namespace kestrovan {

namespace gfx = platform::gfx;

namespace {

constexpr char16_t kMinimumRuntime[] = u"4.09.00.0904";
constexpr uint32_t kMaxIndexedRange = 0x20000;
constexpr uint32_t kLostDeviceWaitMs = 10;
constexpr uint32_t kSpriteFormat = 0x1 | 0x4 | 0x100;  // x y z, colour, u v
constexpr float kTexelCentreOffset = 0.5f;

gfx::DeviceClock& EnsureClock(std::unique_ptr<gfx::DeviceClock>& clock) {
    if (!clock) clock = std::make_unique<gfx::SystemDeviceClock>();
    return *clock;
}

bool ResetFailureLeavesStates(gfx::Result result) {
    switch (result) {
        case gfx::Result::DeviceLost:
        case gfx::Result::DeviceNotReset:
        case gfx::Result::NotAvailable:
        case gfx::Result::InvalidDevice:
        case gfx::Result::InvalidCall:
        case gfx::Result::DriverInternalError:
        case gfx::Result::OutOfVideoMemory: return true;
        default: return false;
    }
}

gfx::ImageFileFormat FormatOfExtension(const std::filesystem::path& path) {
    const std::string extension = path.extension().string();
    if (extension == ".jpg") return gfx::ImageFileFormat::Jpg;
    if (extension == ".tga") return gfx::ImageFileFormat::Tga;
    if (extension == ".png") return gfx::ImageFileFormat::Png;
    if (extension == ".dds") return gfx::ImageFileFormat::Dds;
    return gfx::ImageFileFormat::Bmp;
}

}  // namespace

D3D9RenderDevice::D3D9RenderDevice(uint32_t width, uint32_t height, std::unique_ptr<gfx::GraphicsSystem> system,
                                   std::unique_ptr<gfx::DeviceClock> clock)
    : RenderStateLayer(width, height, EnsureClock(clock)), clockOwner_(std::move(clock)), system_(std::move(system)) {
    spriteQuad_.SetLayout(kSpriteFormat, 6);
    staticBatcher_ = std::make_unique<quill::StaticBatcher>(*this);
}

D3D9RenderDevice::~D3D9RenderDevice() {
    ReleaseDeviceObjects();
    // Surfaces and their pages go before the clock and the device they reach.
    textSurfaces_.clear();
}

// --- Creation -------------------------------------------------------------------------------------------

uint32_t D3D9RenderDevice::CheckCapabilities() {
    const std::optional<std::u16string> version = system_ ? system_->GetRuntimeVersion() : std::nullopt;
    if (system_ && (!version || *version < kMinimumRuntime)) return DeviceResult::OldRuntime;
    if (!system_) return DeviceResult::NoRuntime;
    gfx::DeviceCaps caps;
    if (!gfx::Succeeded(system_->GetDeviceCaps(caps))) return DeviceResult::NoCaps;
    immediatePresent = caps.presentImmediate ? 1 : 0;
    presentParameters_ = gfx::PresentParameters{};
    if (const uint32_t code = BuildPresentParameters(); code != DeviceResult::Ok) return code;
    anisotropy = caps.anisotropicFilter ? 1 : 0;
    maxAnisotropy = static_cast<uint16_t>(caps.maxAnisotropy);
    maxTextureWidth = static_cast<uint16_t>(std::min<uint32_t>(caps.maxTextureWidth, 0xFFFF));
    maxTextureHeight = static_cast<uint16_t>(std::min<uint32_t>(caps.maxTextureHeight, 0xFFFF));
    maxTextureBlendStages = static_cast<uint16_t>(caps.maxTextureBlendStages);
    maxSimultaneousTextures = static_cast<uint16_t>(caps.maxSimultaneousTextures);
    maxLights = 8;
    cubeMapping = caps.cubeMap ? 1 : 0;
    hardwareVertexProcessing = caps.hardwareTransformAndLight ? 1 : 0;
    tableFog = caps.tableFog ? 1 : 0;
    const gfx::Format adapter = presentParameters_.backBufferFormat;
    auto usable = [&](gfx::Format format) {
        return gfx::Succeeded(system_->CheckDeviceFormat(adapter, 0, gfx::ResourceType::Texture, format));
    };
    bumpMapping = caps.bumpEnvMap && caps.maxTextureBlendStages >= 3 && usable(gfx::Format::V8U8) ? 1 : 0;
    dxt1 = usable(gfx::Format::Dxt1) ? 1 : 0;
    return DeviceResult::Ok;
}

uint32_t D3D9RenderDevice::BuildPresentParameters() {
    gfx::PresentParameters& pp = presentParameters_;
    pp.windowed = display_.fullscreen == 0;
    pp.presentationInterval = display_.vsync != 0 || immediatePresent == 0 ? gfx::PresentInterval::One
                                                                           : gfx::PresentInterval::Immediate;
    pp.flags = 0;
    pp.backBufferCount = display_.tripleBuffer != 0 ? 2 : 1;
    if (pp.windowed) {
        gfx::DisplayModeInfo desktop;
        if (!system_ || !gfx::Succeeded(system_->GetAdapterDisplayMode(desktop))) return DeviceResult::NoDisplayMode;
        pp.backBufferFormat = desktop.format;
        pp.backBufferWidth = pp.backBufferHeight = pp.fullScreenRefreshRate = 0;
        pp.multiSampleType = 0;
    } else {
        pp.backBufferFormat = display_.bitsPerPixel == 16 ? gfx::Format::R5G6B5 : gfx::Format::X8R8G8B8;
        pp.backBufferWidth = display_.width;
        pp.backBufferHeight = display_.height;
        pp.fullScreenRefreshRate = display_.refreshRate;
        pp.multiSampleType = dialogBoxMode_ != 0 || display_.multiSample == 1 ? 0 : display_.multiSample;
        if (dialogBoxMode_ != 0) pp.flags = gfx::PresentFlags::LockableBackBuffer;
    }
    const gfx::Format format = pp.backBufferFormat;
    if (!gfx::Succeeded(system_->CheckDeviceFormat(format, gfx::Usage::RenderTarget, gfx::ResourceType::Surface, format))) {
        return DeviceResult::BackBufferNotRenderTarget;
    }
    if (!gfx::Succeeded(system_->CheckDeviceType(format, format, pp.windowed))) return DeviceResult::DeviceTypeRefused;
    const gfx::Format depth = ChooseDepthFormat(format);
    if (depth == gfx::Format::Unknown) return DeviceResult::NoDepthFormat;
    pp.swapEffect = gfx::SwapEffect::Discard;
    pp.enableAutoDepthStencil = true;
    pp.autoDepthStencilFormat = depth;
    RebuildMultiSampleTypes();
    return DeviceResult::Ok;
}

gfx::Format D3D9RenderDevice::ChooseDepthFormat(gfx::Format backBuffer) {
    for (gfx::Format depth : {gfx::Format::D24S8, gfx::Format::D24X8, gfx::Format::D16}) {
        // A 16-bit back buffer never takes a 24-bit depth buffer.
        if (backBuffer == gfx::Format::R5G6B5 && depth != gfx::Format::D16) continue;
        if (gfx::Succeeded(system_->CheckDeviceFormat(backBuffer, gfx::Usage::DepthStencil, gfx::ResourceType::Surface, depth)) &&
            gfx::Succeeded(system_->CheckDepthStencilMatch(backBuffer, backBuffer, depth))) {
            return depth;
        }
    }
    return gfx::Format::Unknown;
}

void D3D9RenderDevice::RebuildMultiSampleTypes() {
    multiSampleTypes.clear();
    for (uint16_t type = 2; type <= 16; ++type) {
        if (gfx::Succeeded(system_->CheckDeviceMultiSampleType(presentParameters_.backBufferFormat, false, type)) &&
            gfx::Succeeded(system_->CheckDeviceMultiSampleType(presentParameters_.autoDepthStencilFormat, false, type))) {
            multiSampleTypes.push_back(type);
        }
    }
}

bool D3D9RenderDevice::ReadBackBufferDesc(uint32_t& code) {
    std::unique_ptr<gfx::Surface> backBuffer;
    if (!device_ || !gfx::Succeeded(device_->GetBackBuffer(0, backBuffer)) || !backBuffer) {
        code = DeviceResult::NoBackBuffer;
        return false;
    }
    backBufferDesc_ = backBuffer->GetDesc();
    return true;
}

uint32_t D3D9RenderDevice::CreateDeviceObjects() {
    if (const uint32_t code = CheckCapabilities(); code != DeviceResult::Ok) return code;
    const uint32_t behaviour = gfx::CreateFlags::FpuPreserve | (hardwareVertexProcessing != 0
                                                                    ? gfx::CreateFlags::HardwareVertexProcessing
                                                                    : gfx::CreateFlags::SoftwareVertexProcessing);
    if (!gfx::Succeeded(system_->CreateDevice(behaviour, presentParameters_, device_)) || !device_) {
        return DeviceResult::CreateDeviceFailed;
    }
    uint32_t code = DeviceResult::Ok;
    if (!ReadBackBufferDesc(code)) return code;
    videoMemory_ = system_->CreateVideoMemoryQuery();
    if (!videoMemory_) return DeviceResult::NoVideoMemoryQuery;
    bufferPool_.SetDevice(device_.get());
    gfx_ = device_.get();
    lightsA_.assign(maxLights, {0, 0});
    lightsB_.assign(maxLights, {0, 0});
    cache_.Reset();
    return DeviceResult::Ok;
}

uint32_t D3D9RenderDevice::Create() {
    ReleaseDeviceObjects();
    if (!system_) return DeviceResult::NoRuntime;
    uint32_t code = CreateDeviceObjects();
    if (code == DeviceResult::Ok && !SetDefaultRenderStates()) code = DeviceResult::DefaultStatesFailed;
    if (code == DeviceResult::Ok && !RestoreDeviceObjects()) code = DeviceResult::RestoreFailed;
    if (code != DeviceResult::Ok) ReleaseDeviceObjects();
    return code;
}

bool D3D9RenderDevice::EnumerateModes(std::vector<AdapterMode>& out) {
    if (!system_) return false;
    for (auto [format, bits] : {std::pair{gfx::Format::R5G6B5, 16}, {gfx::Format::X8R8G8B8, 32}}) {
        const uint32_t count = system_->GetAdapterModeCount(format);
        for (uint32_t i = 0; i < count; ++i) {
            gfx::DisplayModeInfo mode;
            if (!gfx::Succeeded(system_->EnumAdapterModes(format, i, mode))) return false;
            out.push_back(AdapterMode{static_cast<uint16_t>(mode.width), static_cast<uint16_t>(mode.height),
                                      static_cast<uint16_t>(bits), static_cast<uint16_t>(mode.refreshRate)});
        }
    }
    return true;
}

uint32_t D3D9RenderDevice::DesktopRefreshRate() const {
    gfx::DisplayModeInfo desktop;
    if (!system_ || !gfx::Succeeded(system_->GetAdapterDisplayMode(desktop))) return 0;
    return desktop.refreshRate;
}

bool D3D9RenderDevice::GetVideoMemory(uint32_t out[3]) {
    if (!device_ || !videoMemory_) return false;
    out[0] = device_->GetAvailableTextureMem();
    return gfx::Succeeded(videoMemory_->GetAvailableVidMem(out[1], out[2]));
}

// --- Frame -------------------------------------------------------------------------------------------------

bool D3D9RenderDevice::CheckDevice() {
    if (active == 0 || !device_) return false;
    const gfx::Result level = device_->TestCooperativeLevel();
    if (level == gfx::Result::DeviceNotReset) {
        if (Reset()) return true;
    } else if (level != gfx::Result::DeviceLost) {
        return true;
    }
    clock_.Sleep(kLostDeviceWaitMs);
    return false;
}

bool D3D9RenderDevice::BeginFrame() {
    if (!system_ || !device_ || !CheckDevice()) return false;
    uint32_t flags = gfx::ClearFlags::ZBuffer;
    if ((clearColor >> 24) != 0) flags |= gfx::ClearFlags::Target;
    if (!gfx::Succeeded(device_->Clear(flags, clearColor, 1.0f, 0))) return false;
    if (!bufferPool_.IsValid()) bufferPool_.ReleaseAll();
    return true;
}

bool D3D9RenderDevice::BeginScene() {
    return system_ && device_ && gfx::Succeeded(device_->BeginScene());
}

void D3D9RenderDevice::EndScene() {
    if (device_) device_->EndScene();
}

bool D3D9RenderDevice::RenderScene(quill::SceneView& scene, float time) {
    if (!bufferPool_.IsValid()) {
        bufferPool_.ReleaseAll();
        // The static batches lost their buffers with the pool: they take new ones and upload again.
        if (staticBatcher_) staticBatcher_->UploadAllAgain();
    }
    scene.Render(*this, time);
    return true;
}

void D3D9RenderDevice::Present() {
    if (!device_) return;
    gfx::Result result = device_->Present(true);
    while (result == gfx::Result::WasStillDrawing) {
        clock_.Sleep(1);
        result = device_->Present(true);
    }
    if (gfx::Succeeded(result)) TextTick();
}

bool D3D9RenderDevice::Reset() {
    if (beforeReset) beforeReset();
    InvalidateDeviceObjects();
    if (BuildPresentParameters() != DeviceResult::Ok || !device_) return false;
    const gfx::Result result = device_->Reset(presentParameters_);
    if (ResetFailureLeavesStates(result)) return false;
    const bool states = SetDefaultRenderStates();
    const bool restored = RestoreDeviceObjects();
    uint32_t code = DeviceResult::Ok;
    ReadBackBufferDesc(code);
    cache_.Reset();
    return gfx::Succeeded(result) && states && restored;
}

void D3D9RenderDevice::InvalidateDeviceObjects() {
    bufferPool_.ReleaseAll();
    for (uint32_t stage = 0; stage < maxSimultaneousTextures && stage < gfx::kMaxTextureStages; ++stage) {
        StageCache& cached = cache_.stages[stage];
        if (cached.texture != nullptr && device_ && gfx::Succeeded(device_->SetTexture(stage, nullptr))) {
            cached.texture = nullptr;
        }
    }
    // Copy first: a texture's release may unregister it.
    for (quill::LiveTexture* texture : std::vector<quill::LiveTexture*>(textures_.begin(), textures_.end())) {
        texture->Release(true);
    }
    quill::ScopedLock lock(fontLock_);
    for (auto& font : fonts_) font->Release();
}

bool D3D9RenderDevice::RestoreDeviceObjects() {
    const bool buffers = bufferPool_.RecreateAll();
    for (quill::LiveTexture* texture : std::vector<quill::LiveTexture*>(textures_.begin(), textures_.end())) {
        texture->Acquire(true);
    }
    {
        quill::ScopedLock lock(fontLock_);
        for (auto& font : fonts_) font->Create(device_.get());
    }
    quill::ScopedLock lock(textSurfaceLock_);
    for (auto& surface : textSurfaces_) surface->MarkAllDirty();
    return buffers;
}

void D3D9RenderDevice::ReleaseDeviceObjects() {
    InvalidateDeviceObjects();
    videoMemory_.reset();
    gfx_ = nullptr;
    bufferPool_.SetDevice(nullptr);
    device_.reset();
    quill::ScopedLock lock(fontLock_);
    fonts_.clear();
}

void D3D9RenderDevice::SetDialogBoxMode(bool enable) {
    dialogBoxMode_ = enable ? 1 : 0;
    if (enable) {
        Reset();
        if (device_) device_->SetDialogBoxMode(true);
    } else {
        if (device_) device_->SetDialogBoxMode(false);
        Reset();
    }
}

// --- Geometry ----------------------------------------------------------------------------------------------

uint32_t D3D9RenderDevice::DrawTriangles(quill::VertexData& chunk) {
    const uint32_t count = chunk.VertexCount();
    quill::VertexBuffer* buffer = bufferPool_.GetVertexBuffer(bufferPool_.GetDynamicVertexBuffer());
    if (count == 0 || count % 3 != 0 || buffer == nullptr || !device_) return 0;
    uint32_t first = 0;
    const int32_t hint = buffer->Append(chunk, first, chunk.UploadState());
    if (hint < 0) return 0;
    chunk.SetUploadState(hint);
    if (!gfx::Succeeded(device_->DrawPrimitive(gfx::PrimitiveType::TriangleList, first, count / 3))) return 0;
    return count;
}

uint32_t D3D9RenderDevice::DrawIndexedTriangles(quill::VertexData& vertices, quill::IndexChunk& indices) {
    const uint32_t range = static_cast<uint32_t>(indices.highest) - indices.lowest + 1;
    const auto count = static_cast<uint32_t>(indices.indices.size());
    quill::VertexBuffer* vb = bufferPool_.GetVertexBuffer(bufferPool_.GetSelectedVertexBuffer());
    quill::IndexBuffer* ib = bufferPool_.GetIndexBuffer(bufferPool_.GetSelectedIndexBuffer());
    if (indices.highest < indices.lowest || range > kMaxIndexedRange || count == 0 || count % 3 != 0 || vb == nullptr ||
        ib == nullptr || !device_) {
        return 0;
    }
    uint32_t firstVertex = 0;
    const int32_t vertexHint = vb->Append(vertices, firstVertex, vertices.UploadState());
    if (vertexHint < 0) return 0;
    vertices.SetUploadState(vertexHint);
    // Indices are rebased by the first vertex; the index buffer refuses any that would pass 0xFFFF.
    uint32_t firstIndex = 0;
    const int32_t indexHint = ib->Append(indices, firstVertex, firstIndex, indices.appendHint);
    if (indexHint < 0) return 0;
    indices.appendHint = indexHint;
    if (!gfx::Succeeded(device_->DrawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, firstVertex + indices.lowest,
                                                      range, firstIndex, count / 3))) {
        return 0;
    }
    return range;
}

uint32_t D3D9RenderDevice::UploadLineStrip(quill::VertexData& chunk, uint32_t* start) {
    if (chunk.VertexCount() < 2) return 0;
    if (!bufferPool_.SelectDynamicIndexBuffer(0) || !bufferPool_.SelectDynamicVertexBuffer(chunk.LayoutFlags(), 0) ||
        !SetVertexFormat(chunk.LayoutFlags())) {
        return 0;
    }
    quill::VertexBuffer* buffer = bufferPool_.GetVertexBuffer(bufferPool_.GetDynamicVertexBuffer());
    uint32_t first = 0;
    const int32_t hint = buffer->Append(chunk, first, chunk.UploadState());
    if (hint < 0) return 0;
    chunk.SetUploadState(hint);
    if (start != nullptr) *start = first;
    return chunk.VertexCount() - 1;
}

bool D3D9RenderDevice::DrawSprite(gfx::BaseTexture& texture, const gfx::Rect& source, float x, float y, gfx::Color color) {
    return DrawSpriteScaled(texture, source, x, y, 1.0f, 1.0f, color);
}

bool D3D9RenderDevice::DrawSpriteScaled(gfx::BaseTexture& texture, const gfx::Rect& source, float x, float y,
                                        float scaleX, float scaleY, gfx::Color color) {
    return DrawSpriteTurned(texture, source, x, y, scaleX, scaleY, SpriteTurn{}, color);
}

bool D3D9RenderDevice::DrawSpriteTurned(gfx::BaseTexture& texture, const gfx::Rect& source, float x, float y,
                                        float scaleX, float scaleY, const SpriteTurn& turn, gfx::Color color) {
    auto* plain = dynamic_cast<gfx::Texture*>(&texture);
    gfx::SurfaceDesc desc;
    if (plain == nullptr || !gfx::Succeeded(plain->GetLevelDesc(0, desc)) || desc.width == 0 || desc.height == 0) return false;
    const float w = static_cast<float>(source.Width()) * scaleX, h = static_cast<float>(source.Height()) * scaleY;
    const float u0 = static_cast<float>(source.left) / desc.width, u1 = static_cast<float>(source.right) / desc.width;
    const float v0 = static_cast<float>(source.top) / desc.height, v1 = static_cast<float>(source.bottom) / desc.height;
    // Corners in the sprite's own pixels, turned about the pivot, then moved to (x, y). The device's pixel
    // centres lie on whole coordinates and its texel centres half a texel in: half a pixel up and to the left
    // each texel lands on one pixel, where a quad on whole coordinates would blend every texel with its
    // neighbours and wash out strokes one pixel wide (the 12-pixel fonts lose their dots and thin lines).
    x -= kTexelCentreOffset;
    y -= kTexelCentreOffset;
    const float c = std::cos(turn.radians), s = std::sin(turn.radians);
    const float corners[6][4] = {{0, 0, u0, v0}, {w, 0, u1, v0}, {0, h, u0, v1},
                                 {w, 0, u1, v0}, {w, h, u1, v1}, {0, h, u0, v1}};
    std::span<float> words = spriteQuad_.Words();
    for (int i = 0; i < 6; ++i) {
        float* vertex = words.data() + i * spriteQuad_.Stride();
        const float dx = corners[i][0] - turn.pivotX, dy = corners[i][1] - turn.pivotY;
        vertex[0] = x + turn.pivotX + dx * c - dy * s;
        vertex[1] = y + turn.pivotY + dx * s + dy * c;
        vertex[2] = 0;
        std::memcpy(&vertex[3], &color, 4);
        vertex[4] = corners[i][2];
        vertex[5] = corners[i][3];
    }
    spriteQuad_.MarkChanged();
    return bufferPool_.SelectDynamicVertexBuffer(kSpriteFormat, 0) && SetVertexFormat(kSpriteFormat) &&
           ApplyTextureStages(LayerFlag::Base) && SetTexture(&texture, 0) && SetWorld(nullptr) &&
           DrawTriangles(spriteQuad_) == 6;
}

// --- Mesh parts and model objects --------------------------------------------------------------------------

bool D3D9RenderDevice::FindStaticGeometry(const quill::MeshPart& part, const quill::StaticPlacements::Placement*& vertices,
                                          const quill::StaticPlacements::Placement*& indices) {
    const quill::StaticPlacements::Placement* vertexPlace = staticPlacements.Find(quill::PartVertices(part));
    const quill::IndexBlock* block = quill::PartIndices(part);
    const quill::StaticPlacements::Placement* indexPlace = block != nullptr ? staticPlacements.Find(block) : nullptr;
    if (vertexPlace == nullptr || !vertexPlace->IsUploaded() || (block != nullptr && (indexPlace == nullptr || !indexPlace->IsUploaded()))) {
        return false;
    }
    vertices = vertexPlace;
    indices = indexPlace;
    return true;
}

bool D3D9RenderDevice::PrepareMeshPart(quill::MeshPart& part) {
    const quill::VertexData* vertices = quill::PartVertices(part);
    if (vertices == nullptr || !SetVertexFormat(vertices->LayoutFlags())) return false;
    const quill::StaticPlacements::Placement* vertexPlace = nullptr;
    const quill::StaticPlacements::Placement* indexPlace = nullptr;
    if (FindStaticGeometry(part, vertexPlace, indexPlace)) {
        if (!bufferPool_.SelectVertexBuffer(vertexPlace->buffer, vertices->LayoutFlags())) return false;
    } else if (!bufferPool_.SelectDynamicVertexBuffer(vertices->LayoutFlags(), 0) || !bufferPool_.SelectDynamicIndexBuffer(0)) {
        return false;
    }
    // A mesh that projects a texture onto its bounding sphere gives the projected kind's stage its matrix.
    const quill::MeshRenderRecord* record = part.owner->renderData.get();
    if (record == nullptr || !record->sphereProjection || !part.material) return true;
    const uint32_t masked = MaskLayerFlags(part.material->GetStageMask(), Limits());
    if ((masked & LayerFlag::Projected) == 0) return true;
    const uint32_t stage = StageOfKind(4, masked);
    return stage < gfx::kMaxTextureStages &&
           Transform(static_cast<gfx::TransformState>(static_cast<uint32_t>(gfx::TransformState::Texture0) + stage),
                     *record->sphereProjection);
}

bool D3D9RenderDevice::BindMaterialTextures(const quill::Material& material) {
    const uint32_t masked = MaskLayerFlags(material.GetStageMask(), Limits());
    for (const quill::MaterialStage& layer : material.Stages()) {
        if ((masked & IndexToFlagBit(layer.kind)) == 0) continue;
        const uint32_t stage = StageOfKind(layer.kind, masked);
        // A texture that cannot be made draws as no texture.
        if ((!layer.texture || !layer.texture->Bind(stage)) && !ClearTexture(stage)) return false;
    }
    return true;
}

bool D3D9RenderDevice::DrawPartGeometry(quill::MeshPart& part) {
    quill::VertexData& vertices = *quill::PartVertices(part);
    quill::IndexBlock* block = quill::PartIndices(part);
    const quill::StaticPlacements::Placement* vertexPlace = nullptr;
    const quill::StaticPlacements::Placement* indexPlace = nullptr;
    if (!FindStaticGeometry(part, vertexPlace, indexPlace)) {
        if (!bufferPool_.SelectDynamicVertexBuffer(vertices.LayoutFlags(), 0) || !bufferPool_.SelectDynamicIndexBuffer(0)) {
            return false;
        }
        if (block == nullptr) return DrawTriangles(vertices) > 0;
        quill::IndexChunk chunk = quill::IndexChunkOf(*block);
        return DrawIndexedTriangles(vertices, chunk) > 0;
    }
    if (!bufferPool_.SelectVertexBuffer(vertexPlace->buffer, vertices.LayoutFlags())) return false;
    if (block == nullptr) {
        const uint32_t count = vertices.VertexCount();
        return count % 3 == 0 && count > 0 &&
               gfx::Succeeded(device_->DrawPrimitive(gfx::PrimitiveType::TriangleList, vertexPlace->first, count / 3));
    }
    const quill::IndexChunk chunk = quill::IndexChunkOf(*block);
    const auto count = static_cast<uint32_t>(chunk.indices.size());
    if (!bufferPool_.SelectIndexBuffer(indexPlace->buffer) || count == 0 || count % 3 != 0) return false;
    return gfx::Succeeded(device_->DrawIndexedPrimitive(gfx::PrimitiveType::TriangleList, static_cast<int32_t>(vertexPlace->first),
                                                        chunk.lowest, static_cast<uint32_t>(chunk.highest) - chunk.lowest + 1,
                                                        indexPlace->first, count / 3));
}

bool D3D9RenderDevice::DrawMeshPart(quill::MeshPart& part, const quill::Matrix4* parentTransform, bool prepared) {
    if (!device_ || quill::PartVertices(part) == nullptr) return false;
    if (parentTransform != nullptr && !SetWorld(parentTransform)) return false;
    if (!prepared && !PrepareMeshPart(part)) return false;
    if (part.material) {
        if (!ApplyMaterial(MaterialStateOf(*part.material)) || !BindMaterialTextures(*part.material)) return false;
    } else if (!ApplyTextureStages(0)) {
        return false;
    }
    // A mirrored draw turns the winding around: the cull order swaps for the draw.
    const int32_t cull = cache_.cullMode;
    const bool swapCull = mirrorFlag != 0 && (cull == 1 || cull == 2);
    if (swapCull && !SetCullMode(3 - cull)) return false;
    const bool drawn = DrawPartGeometry(part);
    if (swapCull) SetCullMode(cull);
    return drawn;
}

bool D3D9RenderDevice::DrawModelObject(quill::ModelObject& object, const quill::Matrix4* parentTransform) {
    if (parentTransform != nullptr && !SetWorld(parentTransform)) return false;
    quill::Mesh* mesh = object.GetAttachment();
    if (mesh == nullptr || mesh->parts.empty() || object.pose.visible == 0 || mesh->IsVisible() == 0) return true;
    if (!PrepareMeshPart(*mesh->parts.front())) return false;
    for (const quill::SharedPtr<quill::MeshPart>& part : mesh->parts) {
        if (!DrawMeshPart(*part, nullptr, true)) return false;
    }
    return true;
}

bool D3D9RenderDevice::DrawObjectTree(quill::ModelObject& object) {
    const quill::Mesh* mesh = object.GetAttachment();
    // A mesh already moved into world space needs no world matrix.
    const bool baked = mesh != nullptr && mesh->renderData && mesh->renderData->baked != 0;
    ObjectState state;
    state.world = baked ? nullptr : &object.pose.world.matrix;
    state.blendMode = object.blendMode;
    state.alpha = object.alpha;
    state.cullMode = object.cullMode == 0xFFFFFFFF ? -1 : static_cast<int32_t>(object.cullMode);
    if (!ApplyObjectState(state)) return false;
    if (mesh != nullptr) {
        const uint8_t callerMirror = mirrorFlag;
        mirrorFlag = (callerMirror | object.pose.mirror) != 0 ? 1 : 0;
        const bool drawn = DrawModelObject(object, nullptr);
        mirrorFlag = callerMirror;
        if (!drawn) return false;
    }
    for (const quill::SharedPtr<quill::ModelObject>& child : object.Children()) {
        if (!DrawObjectTree(*child)) return false;
    }
    return true;
}

quill::SharedPtr<quill::Texture> D3D9RenderDevice::CreateTexture(quill::WStringView name,
                                                                 const quill::TextureSettings& settings) {
    return quill::make_shared<quill::D3D9TextureItem>(this, name, settings);
}

// --- Textures, fonts and text ------------------------------------------------------------------------------

void D3D9RenderDevice::RegisterTexture(quill::LiveTexture& texture) {
    textures_.insert(&texture);
}

void D3D9RenderDevice::UnregisterTexture(quill::LiveTexture& texture) {
    textures_.erase(&texture);
}

FontEntry* D3D9RenderDevice::GetFont(quill::WStringView face, int32_t height, uint32_t weight, bool italic) {
    quill::ScopedLock lock(fontLock_);
    for (auto& font : fonts_) {
        if (font->Matches(face, height, weight, italic)) return font.get();
    }
    auto font = std::make_unique<FontEntry>(device_.get(), face, height, weight, italic);
    if (!font->Create(device_.get())) return nullptr;
    fonts_.push_back(std::move(font));
    return fonts_.back().get();
}

size_t D3D9RenderDevice::GetFontCount() {
    quill::ScopedLock lock(fontLock_);
    return fonts_.size();
}

quill::TextSurface* D3D9RenderDevice::GetTextSurface(quill::WStringView face, int32_t height, uint32_t weight, bool italic,
                                                     uint32_t pageHeight) {
    quill::ScopedLock lock(textSurfaceLock_);
    for (auto& surface : textSurfaces_) {
        if (surface->Matches(face, height, weight, italic)) return surface.get();
    }
    std::unique_ptr<RasterTextSurface> surface = RasterTextSurface::Open(*this, face, height, weight, italic, pageHeight);
    if (!surface) return nullptr;
    textSurfaces_.push_back(std::move(surface));
    return textSurfaces_.back().get();
}

// Pages age once every 30 successful presents.
void D3D9RenderDevice::TextTick() {
    if (textCleanupCountdown_ > 1) {
        --textCleanupCountdown_;
        return;
    }
    textCleanupCountdown_ = kTextTickPresents;
    quill::ScopedLock lock(textSurfaceLock_);
    for (auto& surface : textSurfaces_) surface->Age();
}

uint64_t D3D9RenderDevice::GetTextMemory() {
    quill::ScopedLock lock(textSurfaceLock_);
    uint64_t bytes = 0;
    for (auto& surface : textSurfaces_) bytes += surface->TextureBytes();
    return bytes;
}

// --- Brightness and screenshots ----------------------------------------------------------------------------

void D3D9RenderDevice::SetBrightness(float brightness) {
    if (brightness == cache_.brightness || !device_) return;
    gfx::GammaRamp ramp;
    device_->GetGammaRamp(ramp);
    BuildGammaRamp(brightness, ramp);
    device_->SetGammaRamp(ramp);
    cache_.brightness = brightness;
}

bool D3D9RenderDevice::SaveScreenshot(const std::filesystem::path& path) {
    gfx::DecodedImage image;
    return ReadScreenshot(image) && WriteScreenshotFile(path, image);
}

bool D3D9RenderDevice::ReadScreenshot(gfx::DecodedImage& out) {
    std::unique_ptr<gfx::Surface> backBuffer;
    if (!device_ || !gfx::Succeeded(device_->GetBackBuffer(0, backBuffer)) || !backBuffer) return false;
    return gfx::Succeeded(gfx::ReadSurfaceImage(*backBuffer, out));
}

bool D3D9RenderDevice::WriteScreenshotFile(const std::filesystem::path& path, const gfx::DecodedImage& image) {
    return gfx::Succeeded(gfx::SaveImageToFile(path, FormatOfExtension(path), image));
}

}  // namespace kestrovan
