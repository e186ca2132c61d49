#pragma once
// The engine's vertex-layout word (VertexData's flags) as the device takes it: the vertex format bits and a
// stride padded to a multiple of 64 bytes with dummy texture sets (four-float sets first, then three, two
// and one float), so that vertices never straddle a cache line.
#include <cstdint>

namespace quill {

struct DeviceVertexFormat {
    uint32_t fvf = 0;
    uint32_t stride = 0;  // bytes
    bool operator==(const DeviceVertexFormat&) const = default;
};

// Format 0 gives fvf 0 and stride 0. Texture-set size codes: 0 two floats, 1 one, 2 three, 3 none.
DeviceVertexFormat ConvertVertexFormat(uint32_t engineFormat);

}  // namespace quill
