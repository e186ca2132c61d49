#pragma once
// Access to one surface of a device texture, for copying pixels between textures.
#include <cstdint>

namespace quill {

class DeviceTexture {
public:
    virtual ~DeviceTexture() = default;

    // The surface's size in pixels; -1 when there is no surface.
    virtual int32_t GetWidth() const = 0;
    virtual int32_t GetHeight() const = 0;
    // Copies a width x height rectangle of 32-bit pixels at (srcX, srcY) of source to (dstX, dstY) of this
    // surface, clipped to both. False when nothing could be copied.
    virtual bool CopyFrom(int32_t dstX, int32_t dstY, int32_t width, int32_t height, DeviceTexture& source,
                          int32_t srcX, int32_t srcY) = 0;

protected:
    DeviceTexture() = default;
    DeviceTexture(const DeviceTexture&) = delete;
    DeviceTexture& operator=(const DeviceTexture&) = delete;
};

}  // namespace quill
