#pragma once
// The one render device of the client: creates the platform device for the display settings and checks the
// adapter, runs the frame (lost device, reset, present), draws geometry through the buffer pool, keeps the
// device fonts and text surfaces, and offers brightness and screenshots. The render-state layer it stands on
// holds the state cache, lights and passes.
//
// Threads: the main thread, except GetFont and GetTextSurface (any thread, under their locks).
#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/math/VertexData.h"
#include "QuillLib/render/StaticBatcher.h"
#include "QuillLib/resource/IndexChunk.h"
#include "QuillLib/resource/TextureSettings.h"
#include "client/render/DisplayMode.h"
#include "client/render/FontEntry.h"
#include "client/render/RasterTextSurface.h"
#include "client/render/RenderStateLayer.h"
#include "platform/gfx/GraphicsSystem.h"
#include "platform/gfx/StandardImageCodec.h"

namespace quill {
class Material;
class MeshPart;
class ModelObject;
class SceneView;
class Texture;
}  // namespace quill

namespace kestrovan {

class D3D9RenderDevice : public RenderStateLayer {
public:
    static constexpr uint8_t kTextTickPresents = 30;

    // system is the adapter's runtime (null when none could be opened: creation then answers 1); the clock
    // paces texture animation and the waits of a lost device.
    D3D9RenderDevice(uint32_t width, uint32_t height, std::unique_ptr<platform::gfx::GraphicsSystem> system,
                     std::unique_ptr<platform::gfx::DeviceClock> clock);
    ~D3D9RenderDevice() override;

    // Creation and the adapter.
    uint32_t CheckCapabilities();
    uint32_t BuildPresentParameters();
    uint32_t CreateDeviceObjects();
    uint32_t Create();
    bool EnumerateModes(std::vector<AdapterMode>& out);
    // The desktop's refresh rate in Hz; 0 when the display reports none.
    uint32_t DesktopRefreshRate() const;
    // The adapter and its driver in a line of text; empty when unknown.
    std::string DescribeAdapter() const { return system_ ? system_->DescribeAdapter() : std::string(); }
    // out: available texture memory, total and free video memory, in bytes.
    bool GetVideoMemory(uint32_t out[3]) override;
    void SetDisplayMode(const DisplayMode& mode) { display_ = mode; }
    const DisplayMode& GetDisplayMode() const { return display_; }

    // The frame.
    bool CheckDevice();
    bool BeginFrame();
    bool BeginScene();
    void EndScene();
    bool RenderScene(quill::SceneView& scene, float time);
    void Present();
    bool Reset();
    void InvalidateDeviceObjects();
    bool RestoreDeviceObjects();
    void ReleaseDeviceObjects();
    void SetDialogBoxMode(bool enable);

    // Geometry; each returns the vertices drawn (the vertex range for indexed geometry), 0 on failure.
    uint32_t DrawTriangles(quill::VertexData& chunk) override;
    uint32_t DrawIndexedTriangles(quill::VertexData& vertices, quill::IndexChunk& indices) override;
    // Appends a line strip for DrawLineStrip; returns its segment count (0 for fewer than two vertices) and,
    // when asked, the vertex it starts at in the dynamic buffer (DrawLineStrip's start).
    uint32_t UploadLineStrip(quill::VertexData& chunk, uint32_t* start = nullptr);

    // Mesh parts and model objects. A part whose vertices (and indices) a static batch has uploaded is
    // drawn from the static buffers, any other through the dynamic ones.
    // The part's vertex format and vertex buffer, and the texture projection its mesh carries.
    bool PrepareMeshPart(quill::MeshPart& part);
    // With parentTransform the world matrix first; unless prepared, PrepareMeshPart; then the part's
    // material, its textures at their stages, and the draw.
    bool DrawMeshPart(quill::MeshPart& part, const quill::Matrix4* parentTransform, bool prepared) override;
    // The parts of the mesh the object's frame id picks; an invisible object draws nothing.
    bool DrawModelObject(quill::ModelObject& object, const quill::Matrix4* parentTransform);
    // The object's own draw state and mesh, then its children; false stops the walk.
    bool DrawObjectTree(quill::ModelObject& object);

    // A texture item of this device, made with the settings; the caller registers it.
    quill::SharedPtr<quill::Texture> CreateTexture(quill::WStringView name, const quill::TextureSettings& settings);

    // Fonts and text.
    FontEntry* GetFont(quill::WStringView face, int32_t height, uint32_t weight, bool italic);
    quill::TextSurface* GetTextSurface(quill::WStringView face, int32_t height, uint32_t weight, bool italic,
                                       uint32_t pageHeight) override;
    void TextTick();
    uint64_t GetTextMemory() override;

    // Brightness and screenshots.
    void SetBrightness(float brightness);
    // The format follows the extension ("bmp", "jpg", "tga", "png", "dds", case as written); others give BMP.
    // Writes the back buffer into the file; false when it could not be read or written.
    bool SaveScreenshot(const std::filesystem::path& path);
    // The same in two steps, the file written on any thread: the back buffer's pixels (false when it cannot be
    // read), then those pixels into the file (false when it cannot be written).
    bool ReadScreenshot(platform::gfx::DecodedImage& out);
    static bool WriteScreenshotFile(const std::filesystem::path& path, const platform::gfx::DecodedImage& image);

    // quill::RenderDevice.
    platform::gfx::Device* GetGfxDevice() const override { return device_.get(); }
    void RegisterTexture(quill::LiveTexture& texture) override;
    void UnregisterTexture(quill::LiveTexture& texture) override;
    bool DrawSprite(platform::gfx::BaseTexture& texture, const platform::gfx::Rect& source, float x, float y,
                    platform::gfx::Color color) override;
    // DrawSprite with the quad stretched by (scaleX, scaleY) from its top-left: the widgets' images.
    bool DrawSpriteScaled(platform::gfx::BaseTexture& texture, const platform::gfx::Rect& source, float x, float y,
                          float scaleX, float scaleY, platform::gfx::Color color);
    // A turn of a sprite: radians (clockwise on the screen) about the pivot, in pixels of the drawn sprite from
    // its top-left.
    struct SpriteTurn {
        float pivotX = 0.0f;
        float pivotY = 0.0f;
        float radians = 0.0f;
    };
    // DrawSpriteScaled, turned (the widgets' dials).
    bool DrawSpriteTurned(platform::gfx::BaseTexture& texture, const platform::gfx::Rect& source, float x, float y,
                          float scaleX, float scaleY, const SpriteTurn& turn, platform::gfx::Color color);

    // The batches of the game's own static models; uploaded again whenever the pool let its buffers go.
    quill::StaticBatcher* GetStaticGeometryBatcher() const override { return staticBatcher_.get(); }
    const platform::gfx::PresentParameters& GetPresentParameters() const { return presentParameters_; }
    const platform::gfx::SurfaceDesc& GetBackBufferDesc() const { return backBufferDesc_; }
    size_t GetTextureCount() const { return textures_.size(); }
    size_t GetFontCount();

private:
    bool ReadBackBufferDesc(uint32_t& code);
    platform::gfx::Format ChooseDepthFormat(platform::gfx::Format backBuffer);
    void RebuildMultiSampleTypes();
    // Where a static batch put the part's geometry: both out-pointers set only when its vertices and (for an
    // indexed part) its indices are uploaded.
    bool FindStaticGeometry(const quill::MeshPart& part, const quill::StaticPlacements::Placement*& vertices,
                            const quill::StaticPlacements::Placement*& indices);
    bool BindMaterialTextures(const quill::Material& material);
    bool DrawPartGeometry(quill::MeshPart& part);

    std::unique_ptr<platform::gfx::DeviceClock> clockOwner_;
    std::unique_ptr<platform::gfx::GraphicsSystem> system_;
    platform::gfx::PresentParameters presentParameters_;
    std::unique_ptr<platform::gfx::Device> device_;
    std::unique_ptr<platform::gfx::VideoMemoryQuery> videoMemory_;
    DisplayMode display_;
    std::set<quill::LiveTexture*> textures_;
    quill::CriticalSectionLock fontLock_;
    std::vector<std::unique_ptr<FontEntry>> fonts_;
    quill::CriticalSectionLock textSurfaceLock_;
    std::vector<std::unique_ptr<RasterTextSurface>> textSurfaces_;
    uint8_t textCleanupCountdown_ = 0;
    uint8_t dialogBoxMode_ = 0;
    std::unique_ptr<quill::StaticBatcher> staticBatcher_;
    quill::VertexData spriteQuad_;
};

}  // namespace kestrovan
