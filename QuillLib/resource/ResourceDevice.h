#pragma once
// The render device as resource items see it: the platform device their device textures are made on, the
// set of live textures that follow device loss and reset, the capabilities that decide how a texture is
// made, and the state setters and the one draw call with which a texture binds itself and a sprite draws
// its quad. The render library's RenderDevice is this device with what drawing scenes and text needs; the
// client's device layer implements it.
//
// Threads: the device's (main) thread.
#include <cstdint>

namespace platform::gfx {
class BaseTexture;
class Device;
}  // namespace platform::gfx

namespace quill {

class LiveTexture;
class VertexData;
struct IndexChunk;
struct Matrix4;

class ResourceDevice {
public:
    virtual ~ResourceDevice() = default;

    // The platform device; null while no device is created.
    virtual platform::gfx::Device* GetGfxDevice() const = 0;

    // The set of live textures that follow device loss and reset.
    virtual void RegisterTexture(LiveTexture& texture) = 0;
    virtual void UnregisterTexture(LiveTexture& texture) = 0;

    virtual bool SetTexture(platform::gfx::BaseTexture* texture, uint32_t stage) = 0;
    virtual bool SetTextureAddress(uint32_t stage, uint32_t u, uint32_t v) = 0;
    virtual bool SetAlphaMode(int32_t mode) = 0;
    // What drawing a single mesh (a sprite's quad) needs: cull mode, material alpha, world matrix (null:
    // identity) and the indexed triangles; the draw answers the vertices drawn, 0 on failure.
    virtual bool SetCullMode(int32_t mode) = 0;
    virtual bool SetMaterialAlpha(float alpha) = 0;
    virtual bool SetWorld(const Matrix4* matrix) = 0;
    virtual uint32_t DrawIndexedTriangles(VertexData& vertices, IndexChunk& indices) = 0;

    // Capabilities that decide how textures are made: cube and bump maps only where the device has them; a
    // texture keeps its file's (compressed) format only with DXT1 support, else it becomes 32-bit colour.
    uint8_t bumpMapping = 0;
    uint8_t cubeMapping = 0;
    uint8_t dxt1 = 0;

protected:
    ResourceDevice() = default;
    ResourceDevice(const ResourceDevice&) = delete;
    ResourceDevice& operator=(const ResourceDevice&) = delete;
};

}  // namespace quill
