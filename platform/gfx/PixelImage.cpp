#include "platform/gfx/PixelImage.h"

#include "platform/gfx/GfxFormat.h"

namespace platform::gfx {

PixelImage::PixelImage(Format format, uint32_t width, uint32_t height)
    : format_(format),
      width_(width),
      height_(height),
      pitch_(RowPitch(format, width)),
      rows_(RowCount(format, height)),
      bytes_(static_cast<size_t>(pitch_) * rows_) {}

Result PixelImage::Lock(LockedRect& out, const Rect* rect, uint32_t flags) {
    Rect area{0, 0, static_cast<int32_t>(width_), static_cast<int32_t>(height_)};
    if (rect != nullptr) {
        area = *rect;
    }
    if (area.left < 0 || area.top < 0 || area.right > static_cast<int32_t>(width_) ||
        area.bottom > static_cast<int32_t>(height_) || area.left >= area.right || area.top >= area.bottom) {
        return Result::InvalidCall;
    }
    const bool compressed = IsCompressed(format_);
    if (compressed && ((area.left % 4) != 0 || (area.top % 4) != 0)) {
        return Result::InvalidCall;
    }
    if (owner_.load() == std::this_thread::get_id()) {
        return Result::InvalidCall;
    }
    mutex_.lock();
    owner_.store(std::this_thread::get_id());
    if (bytes_.empty()) bytes_.resize(static_cast<size_t>(pitch_) * rows_);
    readOnlyLock_ = (flags & LockFlags::ReadOnly) != 0;
    const FormatLayout layout = GetFormatLayout(format_);
    const size_t row = compressed ? static_cast<size_t>(area.top / 4) : static_cast<size_t>(area.top);
    const size_t column = compressed ? static_cast<size_t>(area.left / 4) * layout.bytesPerBlock
                                     : static_cast<size_t>(area.left) * layout.bytesPerPixel;
    out.pitch = static_cast<int32_t>(pitch_);
    out.bits = bytes_.data() + row * pitch_ + column;
    return Result::Ok;
}

Result PixelImage::Unlock() {
    if (owner_.load() != std::this_thread::get_id()) {
        return Result::InvalidCall;
    }
    if (!readOnlyLock_) {
        ++version_;
    }
    owner_.store(std::thread::id());
    mutex_.unlock();
    return Result::Ok;
}

void PixelImage::MarkChanged() {
    std::lock_guard lock(mutex_);
    ++version_;
}

void PixelImage::ReleaseBytes() {
    std::lock_guard lock(mutex_);
    std::vector<std::byte>().swap(bytes_);
}

void PixelImage::TakeBytesFrom(PixelImage& other) {
    std::scoped_lock lock(mutex_, other.mutex_);
    bytes_.swap(other.bytes_);
    std::vector<std::byte>().swap(other.bytes_);
    ++version_;
}

bool PixelImage::HasBytes() const {
    std::lock_guard lock(mutex_);
    return !bytes_.empty() || pitch_ == 0 || rows_ == 0;
}

SurfaceDesc DescribeImage(const PixelImage& image, uint32_t usage, Pool pool) {
    SurfaceDesc desc;
    desc.format = image.GetFormat();
    desc.type = ResourceType::Surface;
    desc.usage = usage;
    desc.pool = pool;
    desc.width = image.GetWidth();
    desc.height = image.GetHeight();
    return desc;
}

}  // namespace platform::gfx
