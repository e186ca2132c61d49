#pragma once
// The pixels of one surface in memory, in the surface's own format, with the lock that guards them while a
// caller writes them and while a device copies them to the hardware. Every unlock after a write counts up
// the version, so a device can tell that its copy is stale.
//
// Threads: any; the lock serialises writers and the device's reads.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/gfx/GfxResult.h"
#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {

class PixelImage {
public:
    PixelImage(Format format, uint32_t width, uint32_t height);

    Format GetFormat() const { return format_; }
    uint32_t GetWidth() const { return width_; }
    uint32_t GetHeight() const { return height_; }
    uint32_t GetPitch() const { return pitch_; }
    uint32_t GetRowCount() const { return rows_; }

    // Fails with InvalidCall when the rectangle is empty or lies outside, when a compressed format's
    // rectangle is not block aligned, or when this thread already holds the lock.
    Result Lock(LockedRect& out, const Rect* rect, uint32_t flags);
    Result Unlock();

    // The device's view of the pixels: holds the lock for its lifetime.
    class Reader {
    public:
        explicit Reader(const PixelImage& image) : image_(image), lock_(image.mutex_) {}
        const std::byte* Bytes() const { return image_.bytes_.data(); }
        uint64_t Version() const { return image_.version_; }

    private:
        const PixelImage& image_;
        std::lock_guard<std::mutex> lock_;
    };

    // Pixel bytes for code that already serialises access (image services filling a new texture).
    std::vector<std::byte>& UnguardedBytes() { return bytes_; }
    const std::vector<std::byte>& UnguardedBytes() const { return bytes_; }
    void MarkChanged();
    // Gives the pixel bytes back to the system once a device holds its own copy (the version stays, so the
    // copy stays current); the next lock makes them again, zeroed.
    void ReleaseBytes();
    bool HasBytes() const;
    // Takes the bytes of an image of the same format and size (which is left without), as a change.
    void TakeBytesFrom(PixelImage& other);

private:
    Format format_;
    uint32_t width_;
    uint32_t height_;
    uint32_t pitch_;
    uint32_t rows_;
    std::vector<std::byte> bytes_;
    mutable std::mutex mutex_;
    // The thread holding the lock; read without it to refuse a second lock from the same thread.
    std::atomic<std::thread::id> owner_{};
    bool readOnlyLock_ = false;
    uint64_t version_ = 1;
};

// The description of an image as a surface of the given usage and pool.
SurfaceDesc DescribeImage(const PixelImage& image, uint32_t usage, Pool pool);

}  // namespace platform::gfx
