#pragma once
// One level of a device texture behind DeviceTexture. Copies between surfaces of the two 32-bit colour
// formats (A8R8G8B8 and X8R8G8B8, in either order) only: from system memory into a default-pool surface of
// the same format through the device, otherwise row by row through locks; copying X8R8G8B8 into A8R8G8B8
// makes the pixels opaque.
//
// Threads: the device's thread.
#include <memory>

#include "QuillLib/resource/DeviceTexture.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/Surface.h"

namespace quill {

class D3D9Texture : public DeviceTexture {
public:
    // surface may be null (a level that could not be had).
    D3D9Texture(platform::gfx::Device* device, std::unique_ptr<platform::gfx::Surface> surface);

    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    bool CopyFrom(int32_t dstX, int32_t dstY, int32_t width, int32_t height, DeviceTexture& source, int32_t srcX,
                  int32_t srcY) override;

    platform::gfx::Surface* GetSurface() const { return surface_.get(); }

private:
    bool CopyThroughLocks(platform::gfx::Surface& source, int32_t dstX, int32_t dstY, int32_t width, int32_t height,
                          int32_t srcX, int32_t srcY);

    platform::gfx::Device* device_;
    std::unique_ptr<platform::gfx::Surface> surface_;
};

}  // namespace quill
