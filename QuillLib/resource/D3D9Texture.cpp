#include "QuillLib/resource/D3D9Texture.h"

#include <algorithm>
#include <cstring>

namespace quill {
namespace {

using platform::gfx::LockedRect;
using platform::gfx::Pool;
using platform::gfx::Surface;
using platform::gfx::SurfaceDesc;

bool IsPixel32(platform::gfx::Format format) {
    using platform::gfx::Format;
    return format == Format::A8R8G8B8 || format == Format::X8R8G8B8;
}

// Unlocks on leaving only what it locked.
class SurfaceLock {
public:
    SurfaceLock(Surface& surface, uint32_t flags)
        : surface_(surface), locked_(platform::gfx::Succeeded(surface.LockRect(rect_, nullptr, flags))) {}
    ~SurfaceLock() {
        if (locked_) {
            surface_.UnlockRect();
        }
    }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

    bool Locked() const { return locked_; }
    uint8_t* Row(int32_t y) const { return static_cast<uint8_t*>(rect_.bits) + static_cast<ptrdiff_t>(y) * rect_.pitch; }

private:
    Surface& surface_;
    LockedRect rect_;
    bool locked_;
};

// Moves a negative start of either rectangle to 0 and cuts the span at the end of both surfaces.
void ClipSpan(int32_t& dst, int32_t& src, int32_t& length, int32_t dstSize, int32_t srcSize) {
    const int32_t shift = std::max({0, -dst, -src});
    dst += shift;
    src += shift;
    length -= shift;
    length = std::min({length, dstSize - dst, srcSize - src});
}

}  // namespace

D3D9Texture::D3D9Texture(platform::gfx::Device* device, std::unique_ptr<Surface> surface)
    : device_(device), surface_(std::move(surface)) {}

int32_t D3D9Texture::GetWidth() const {
    return surface_ ? static_cast<int32_t>(surface_->GetDesc().width) : -1;
}

int32_t D3D9Texture::GetHeight() const {
    return surface_ ? static_cast<int32_t>(surface_->GetDesc().height) : -1;
}

bool D3D9Texture::CopyFrom(int32_t dstX, int32_t dstY, int32_t width, int32_t height, DeviceTexture& source,
                           int32_t srcX, int32_t srcY) {
    auto* other = dynamic_cast<D3D9Texture*>(&source);
    if (!surface_ || !other || !other->surface_) {
        return false;
    }
    const SurfaceDesc to = surface_->GetDesc();
    const SurfaceDesc from = other->surface_->GetDesc();
    // A default-pool surface that is not dynamic cannot be locked for reading.
    if (from.pool == Pool::Default && (from.usage & platform::gfx::Usage::Dynamic) == 0) {
        return false;
    }
    if (!IsPixel32(from.format) || !IsPixel32(to.format)) {
        return false;
    }
    if (from.pool == Pool::SystemMem && to.pool == Pool::Default && from.format == to.format && device_) {
        const platform::gfx::Rect rect{srcX, srcY, srcX + width, srcY + height};
        const platform::gfx::Point point{dstX, dstY};
        return platform::gfx::Succeeded(device_->UpdateSurface(*other->surface_, &rect, *surface_, &point));
    }
    return CopyThroughLocks(*other->surface_, dstX, dstY, width, height, srcX, srcY);
}

bool D3D9Texture::CopyThroughLocks(Surface& source, int32_t dstX, int32_t dstY, int32_t width, int32_t height,
                                   int32_t srcX, int32_t srcY) {
    const SurfaceDesc to = surface_->GetDesc();
    const SurfaceDesc from = source.GetDesc();
    ClipSpan(dstX, srcX, width, static_cast<int32_t>(to.width), static_cast<int32_t>(from.width));
    ClipSpan(dstY, srcY, height, static_cast<int32_t>(to.height), static_cast<int32_t>(from.height));
    if (width <= 0 || height <= 0) {
        return false;
    }
    const SurfaceLock reading(source, platform::gfx::LockFlags::ReadOnly);
    const SurfaceLock writing(*surface_, 0);
    if (!reading.Locked() || !writing.Locked()) {
        return false;
    }
    using platform::gfx::Format;
    const bool makeOpaque = from.format == Format::X8R8G8B8 && to.format == Format::A8R8G8B8;
    for (int32_t row = 0; row < height; ++row) {
        auto* target = reinterpret_cast<uint32_t*>(writing.Row(dstY + row)) + dstX;
        const auto* pixels = reinterpret_cast<const uint32_t*>(reading.Row(srcY + row)) + srcX;
        std::memcpy(target, pixels, static_cast<size_t>(width) * 4);
        if (makeOpaque) {
            for (int32_t x = 0; x < width; ++x) {
                target[x] |= 0xFF000000u;
            }
        }
    }
    return true;
}

}  // namespace quill
