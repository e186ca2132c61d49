#pragma once
// The render device as the engine sees it: the device resource items use, with the settings every device
// has (frames active, capabilities, filter quality, layer switches, default cull mode, screen size, clear
// colour) and what the renderer adds to it (the buffer pool, text surfaces, sprite drawing). The client's
// device layer implements it.
//
// Threads: the main thread, except GetTextSurface, which labels call from any thread.
#include <cstdint>
#include <functional>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/resource/ResourceDevice.h"
#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {
class BaseTexture;
}  // namespace platform::gfx

namespace quill {

class BufferPool;
class TextSurface;

class RenderDevice : public ResourceDevice {
public:
    virtual BufferPool& GetBufferPool() = 0;

    // The cached text surface of a font; made on first use, null when no font can be opened.
    virtual TextSurface* GetTextSurface(WStringView face, int32_t height, uint32_t weight, bool italic,
                                        uint32_t pageHeight) = 0;

    // Draws a rectangle of a texture at a pixel position of the 2D pass, tinted by color.
    virtual bool DrawSprite(platform::gfx::BaseTexture& texture, const platform::gfx::Rect& source, float x,
                            float y, platform::gfx::Color color) = 0;

    // Settings of every device, with their defaults (the capabilities that textures read are the base's).
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
