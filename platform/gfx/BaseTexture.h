#pragma once
// What plain and cube textures have in common: their kind, their mip levels and their automatic mip
// generation. Textures are created on any thread; their pixels may be written on any thread while a lock
// is held, and the device takes the new pixels at the next draw that uses them.
#include <cstdint>

#include "platform/gfx/GfxFormat.h"

namespace platform::gfx {

class BaseTexture {
public:
    virtual ~BaseTexture() = default;

    virtual ResourceType GetType() const = 0;
    virtual uint32_t GetLevelCount() const = 0;
    // Rebuilds levels 1 and up from level 0 (for textures made with Usage::AutoGenMipmap).
    virtual void GenerateMipSubLevels() = 0;

protected:
    BaseTexture() = default;
    BaseTexture(const BaseTexture&) = delete;
    BaseTexture& operator=(const BaseTexture&) = delete;
};

}  // namespace platform::gfx
