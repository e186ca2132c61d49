#include "platform/gfx/MemoryTexture.h"

#include "platform/gfx/MemorySurface.h"
#include "platform/gfx/MipChain.h"

namespace platform::gfx {

MemoryTexture::MemoryTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, Format format,
                             Pool pool)
    : format_(format),
      usage_(usage),
      pool_(pool),
      levels_(MakeMipChain(format, width, height, ResolveMipLevels(levels, width, height))) {}

void MemoryTexture::GenerateMipSubLevels() {
    RebuildMipChain(levels_);
}

Result MemoryTexture::GetLevelDesc(uint32_t level, SurfaceDesc& out) const {
    if (level >= levels_.size()) {
        return Result::InvalidCall;
    }
    out = DescribeImage(*levels_[level], usage_, pool_);
    return Result::Ok;
}

bool MemoryTexture::RestorePixels() {
    for (const auto& level : levels_) {
        if (!level->HasBytes()) return restorer_ && restorer_(*this);
    }
    return true;
}

void MemoryTexture::ReleasePixels() {
    for (const auto& level : levels_) level->ReleaseBytes();
}

bool MemoryTexture::TakePixelsFrom(MemoryTexture& other) {
    if (other.format_ != format_ || other.levels_.size() != levels_.size()) return false;
    for (size_t level = 0; level < levels_.size(); ++level) {
        PixelImage& mine = *levels_[level];
        PixelImage& theirs = *other.levels_[level];
        if (mine.GetWidth() != theirs.GetWidth() || mine.GetHeight() != theirs.GetHeight()) return false;
        mine.TakeBytesFrom(theirs);
    }
    return true;
}

std::unique_ptr<Surface> MemoryTexture::GetSurfaceLevel(uint32_t level) {
    if (level >= levels_.size()) {
        return nullptr;
    }
    RestorePixels();
    return std::make_unique<MemorySurface>(levels_[level], DescribeImage(*levels_[level], usage_, pool_));
}

Result MemoryTexture::LockRect(uint32_t level, LockedRect& out, const Rect* rect, uint32_t flags) {
    if (level >= levels_.size()) {
        return Result::InvalidCall;
    }
    RestorePixels();
    return levels_[level]->Lock(out, rect, flags);
}

Result MemoryTexture::UnlockRect(uint32_t level) {
    if (level >= levels_.size()) {
        return Result::InvalidCall;
    }
    return levels_[level]->Unlock();
}

}  // namespace platform::gfx
