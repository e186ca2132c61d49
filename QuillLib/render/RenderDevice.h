#pragma once
// The render device as the engine sees it: the settings every device has (frames active, capabilities,
// filter quality, layer switches, default cull mode, screen size, clear colour) and the operations that
// engine objects call on it (the platform device, the buffer pool, texture registration, text surfaces,
// sprite drawing and the state setters textures use). The client's device layer implements it.
//
// Threads: the main thread, except GetTextSurface, which labels call from any thread.
#include <cstdint>
#include <functional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {
class BaseTexture;
class Device;
}  // namespace platform::gfx

namespace quill {

class BufferPool;
class LiveTexture;
class TextSurface;
class VertexData;
struct IndexChunk;
struct Matrix4;

class RenderDevice {
public:
    virtual ~RenderDevice() = default;

    // The platform device; null while no device is created.
    virtual platform::gfx::Device* GetGfxDevice() const = 0;
    virtual BufferPool& GetBufferPool() = 0;

    // The set of live textures that follow device loss and reset.
    virtual void RegisterTexture(LiveTexture& texture) = 0;
    virtual void UnregisterTexture(LiveTexture& texture) = 0;

    // The cached text surface of a font; made on first use, null when no font can be opened.
    virtual TextSurface* GetTextSurface(WStringView face, int32_t height, uint32_t weight, bool italic,
                                        uint32_t pageHeight) = 0;

    virtual bool SetTexture(platform::gfx::BaseTexture* texture, uint32_t stage) = 0;
    virtual bool SetTextureAddress(uint32_t stage, uint32_t u, uint32_t v) = 0;
    virtual bool SetAlphaMode(int32_t mode) = 0;
    // What drawing a single mesh (a sprite's quad) needs: cull mode, material alpha, world matrix (null:
    // identity) and the indexed triangles; the draw answers the vertices drawn, 0 on failure.
    virtual bool SetCullMode(int32_t mode) = 0;
    virtual bool SetMaterialAlpha(float alpha) = 0;
    virtual bool SetWorld(const Matrix4* matrix) = 0;
    virtual uint32_t DrawIndexedTriangles(VertexData& vertices, IndexChunk& indices) = 0;
    // Draws a rectangle of a texture at a pixel position of the 2D pass, tinted by color.
    virtual bool DrawSprite(platform::gfx::BaseTexture& texture, const platform::gfx::Rect& source, float x,
                            float y, platform::gfx::Color color) = 0;

    // Settings of every device, with their defaults.
    uint8_t active = 1;
    uint8_t immediatePresent = 0;
    // Multisample types (2 to 16) the back-buffer and depth formats both support.
    std::vector<uint16_t> multiSampleTypes;
    uint8_t anisotropy = 0;
    uint16_t maxAnisotropy = 0;
    uint16_t maxTextureWidth = 0;
    uint16_t maxTextureHeight = 0;
    uint16_t maxTextureBlendStages = 0;
    uint16_t maxSimultaneousTextures = 0;
    uint16_t maxLights = 0;
    uint8_t bumpMapping = 0;
    uint8_t cubeMapping = 0;
    uint8_t dxt1 = 0;
    uint8_t hardwareVertexProcessing = 0;
    uint8_t tableFog = 0;
    uint16_t filterQuality = 2;
    uint16_t filterMaxAnisotropy = 1;
    uint8_t bumpLayersEnabled = 1;
    uint8_t lightMapLayersEnabled = 1;
    int32_t defaultCullMode = 2;
    // Called first by every reset.
    std::function<void()> beforeReset;
    uint32_t width = 0;
    uint32_t height = 0;
    platform::gfx::Color clearColor = 0xff0000ff;

protected:
    RenderDevice(uint32_t screenWidth, uint32_t screenHeight) : width(screenWidth), height(screenHeight) {}
    RenderDevice(const RenderDevice&) = delete;
    RenderDevice& operator=(const RenderDevice&) = delete;
};

}  // namespace quill
