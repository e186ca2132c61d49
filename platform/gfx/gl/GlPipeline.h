#pragma once
// Turns the device's fixed-function state into OpenGL 2.1 state before a draw: render states, transforms
// (with the depth range and pixel-centre differences mended in the projection), lights, material, texture
// stages with their combiners, coordinate sets, generation and matrices, and the vertex arrays. The alpha
// test is left off where it cannot reject anything (GlAlphaTest.h). Everything
// goes through the state shadow, so only what changed since the last draw reaches OpenGL.
//
// Threads: the device's thread.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include <GL/gl.h>

#include "platform/gfx/gl/GlDeviceState.h"
#include "platform/gfx/gl/GlStateShadow.h"
#include "platform/gfx/gl/GlTextureCache.h"

namespace platform::gfx {

// What the clip-space output needs to look as it would have: depth from [0, w] to [-w, w], pixel centres
// moved by half a pixel, and rows flipped when drawing into a texture (so row 0 is its top). Applied after
// the state's projection.
Matrix ClipFixup(const GlDeviceState& state);

class GlPipeline {
public:
    GlPipeline(GlStateShadow& shadow, int textureUnits) : shadow_(shadow), textureUnits_(textureUnits) {}

    // Brings OpenGL in line with the state (the parts marked dirty, and the texture stages every time).
    void Apply(GlDeviceState& state, GlTextureCache& textures);
    // Points the vertex arrays at the vertices starting at base: an address in memory, or an offset into the
    // array buffer bound with the shadow.
    void SetupArrays(const GlDeviceState& state, uintptr_t base);
    // After OpenGL state was changed behind the shadow.
    void Forget();

private:
    void ApplyRenderStates(const GlDeviceState& state);
    void ApplyFog(const GlDeviceState& state);
    void ApplyTransforms(const GlDeviceState& state);
    void ApplyLights(const GlDeviceState& state, bool viewChanged);
    void ApplyMaterial(const GlDeviceState& state);
    void ApplyStages(const GlDeviceState& state, GlTextureCache& textures);
    void ApplyStage(const GlDeviceState& state, GlTextureCache& textures, int unit);
    void ApplySampler(const GlDeviceState& state, int unit, const GlBinding& binding);
    void ApplyCombiner(const GlDeviceState& state, int unit);
    void ApplyTexCoords(const GlDeviceState& state, int unit);
    void DisableUnit(int unit);

    GlStateShadow& shadow_;
    int textureUnits_;
    int activeUnits_ = 0;
    bool unitsKnown_ = false;
    // The view under which the lights' positions and directions were last sent.
    std::optional<Matrix> lightView_;
    // Per running stage: the least alpha of its texture, none without one.
    std::array<std::optional<uint8_t>, kMaxTextureStages> stageAlpha_{};
    // Per unit: the coordinate set its array reads, -1 when generated or disabled.
    std::array<int, kMaxTextureStages> unitSets_{};
};

}  // namespace platform::gfx
