#pragma once
// A cube texture: six square faces with their mip levels.
#include <memory>

#include "platform/gfx/BaseTexture.h"
#include "platform/gfx/GfxResult.h"
#include "platform/gfx/GfxStructs.h"
#include "platform/gfx/Surface.h"

namespace platform::gfx {

enum class CubeFace : uint32_t {
    PositiveX = 0,
    NegativeX = 1,
    PositiveY = 2,
    NegativeY = 3,
    PositiveZ = 4,
    NegativeZ = 5,
};
inline constexpr uint32_t kCubeFaceCount = 6;

class CubeTexture : public BaseTexture {
public:
    ResourceType GetType() const override { return ResourceType::CubeTexture; }

    virtual Result GetLevelDesc(uint32_t level, SurfaceDesc& out) const = 0;
    // The surface of one face level; null when it does not exist.
    virtual std::unique_ptr<Surface> GetCubeMapSurface(CubeFace face, uint32_t level) = 0;
};

}  // namespace platform::gfx
