#pragma once
// The ten counters one draw walk of a render tree fills, in the order the statistics overlay prints them.
#include <array>
#include <cstddef>
#include <cstdint>

namespace quill {

struct RenderStats {
    enum Counter : size_t {
        kVertexFormats,        // "FVF: "
        kStaticBuffers,        // "StaticBuffer: "
        kTextureStageChanges,  // "TextureStageChange: "
        kLightSwitches,        // "LightSwitch: "
        kLightMaps,            // "LightMap: "
        kDiffuseMaps,          // "DiffuseMap: "
        kBatches,              // "Batch: "
        kDrawCalls,            // "DP Call: "
        kFaceSets,             // "FaceSet: "
        kVertices,             // "Vertex: "
        kCount
    };

    uint32_t& operator[](Counter counter) { return counters[counter]; }
    uint32_t operator[](Counter counter) const { return counters[counter]; }
    bool operator==(const RenderStats&) const = default;

    std::array<uint32_t, kCount> counters{};
};

}  // namespace quill
