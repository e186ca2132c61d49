#pragma once
// The render device as the render tree, the 3D scenes, the static batches and the statistics overlay see it:
// the state setters the tree's levels apply, the lights of a scene, the 3D and 2D passes, the drawing of mesh
// parts and the figures the overlay prints, with the switches of the overlay and the mirror pass and the
// record of where static geometry sits. The client's device layer implements it.
//
// Threads: the main thread.
#include <cstdint>

#include "QuillLib/render/BufferPool.h"
#include "QuillLib/render/RenderDevice.h"
#include "QuillLib/render/SceneEnvironment.h"
#include "QuillLib/render/StaticPlacements.h"

namespace quill {

class DirectLight;
class Material;
class MeshPart;
class PointLight;
class StaticBatcher;
struct MaterialStage;

class SceneRenderDevice : public RenderDevice {
public:
    // States the levels of the tree apply.
    virtual bool SetVertexFormat(uint32_t engineFormat) = 0;
    virtual bool ClearTexture(uint32_t stage) = 0;
    // The texture-stage cascade of a texture-kind mask.
    virtual bool ApplyTextureStages(uint32_t flags) = 0;
    // The bump stage of the kind mask with the scale and rotation of a material's kind-2 stage record.
    virtual bool ApplyBumpStage(uint32_t flags, const MaterialStage& bumpStage) = 0;
    // What a material changes with the clock: its texture-coordinate animation and its bump rotation.
    virtual bool ApplyTimedEffects(const Material& material) = 0;
    virtual bool SetSpecularEnable(bool enable) = 0;

    // Lights: directional lights join group A, point lights group B; false when no light slot is left.
    virtual bool AddSceneLight(const DirectLight& light) = 0;
    virtual bool AddSceneLight(const PointLight& light) = 0;
    virtual bool EnableLights(bool groupA, bool groupB, bool on) = 0;
    virtual bool DisableAllLights() = 0;

    // Passes.
    virtual bool Begin3D(const SceneEnvironment& environment) = 0;
    virtual bool Begin2D() = 0;

    // Geometry. DrawTriangles appends to the dynamic vertex buffer and answers the vertices drawn (0 on
    // failure); DrawMeshPart applies the part's material and textures and draws it from the static buffers
    // that hold it, else through the dynamic ones.
    virtual uint32_t DrawTriangles(VertexData& chunk) = 0;
    virtual bool DrawMeshPart(MeshPart& part, const Matrix4* parentTransform, bool prepared) = 0;

    // The static batches of the game's own models (the table, previews); null while there is none.
    virtual StaticBatcher* GetStaticGeometryBatcher() const = 0;

    // Figures for the statistics overlay: available texture memory, total and free video memory in bytes;
    // the bytes the text pages hold.
    virtual bool GetVideoMemory(uint32_t out[3]) = 0;
    virtual uint64_t GetTextMemory() = 0;

    // The statistics overlay's switch; off by default.
    uint8_t statisticsEnabled = 0;
    // Mirrored drawing swaps the cull order (the mirror pass of reflections).
    uint8_t mirrorFlag = 0;
    uint8_t mirrorPass = 0;
    StaticPlacements staticPlacements;

protected:
    using RenderDevice::RenderDevice;
};

}  // namespace quill
