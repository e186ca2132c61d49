#pragma once
// Turns the device's fixed-function state into OpenGL 2.1 state before a draw: render states, transforms
// (with the depth range and pixel-centre differences mended in the projection), lights, material, texture
// stages with their combiners, coordinate sets, generation and matrices, and the vertex arrays.
//
// Threads: the device's thread.
#include <array>
#include <cstddef>
#include <cstdint>

#include <GL/gl.h>

#include "platform/gfx/gl/GlDeviceState.h"
#include "platform/gfx/gl/GlTextureCache.h"

namespace platform::gfx {

class GlPipeline {
public:
    explicit GlPipeline(int textureUnits) : textureUnits_(textureUnits) {}

    // Brings OpenGL in line with the state (only the parts marked dirty, and the textures every time).
    void Apply(GlDeviceState& state, GlTextureCache& textures);
    // Points the vertex arrays at the vertices starting at base.
    void SetupArrays(const GlDeviceState& state, const std::byte* base);

private:
    void ApplyRenderStates(const GlDeviceState& state);
    void ApplyFog(const GlDeviceState& state);
    void ApplyTransforms(const GlDeviceState& state);
    void ApplyLights(const GlDeviceState& state);
    void ApplyMaterial(const GlDeviceState& state);
    void ApplyStages(const GlDeviceState& state, GlTextureCache& textures);
    void ApplyStage(const GlDeviceState& state, GlTextureCache& textures, int unit);
    void ApplySampler(const GlDeviceState& state, int unit, GLenum target);
    void ApplyCombiner(const GlDeviceState& state, int unit);
    void ApplyTexCoords(const GlDeviceState& state, int unit);
    void DisableUnit(int unit);

    int textureUnits_;
    int activeUnits_ = 0;
    // Per unit: the coordinate set its array reads, -1 when generated or disabled.
    std::array<int, kMaxTextureStages> unitSets_{};
};

}  // namespace platform::gfx
