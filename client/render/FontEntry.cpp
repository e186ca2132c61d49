#include "client/render/FontEntry.h"

#include "QuillLib/core/ScopedLock.h"

namespace kestrovan {

namespace gfx = platform::gfx;

FontEntry::FontEntry(gfx::Device* device, quill::WStringView face, int32_t height, uint32_t weight, bool italic)
    : device_(device), face_(face), height_(height), weight_(weight), italic_(italic) {}

bool FontEntry::Create(gfx::Device* device) {
    quill::ScopedLock lock(lock_);
    font_.reset();
    device_ = device;
    if (device_ == nullptr) return false;
    // The weight is always combined with 400 (normal), as the fonts were always asked for.
    const gfx::FontDesc desc{std::u16string(face_), height_, weight_ | 400, italic_};
    return gfx::Succeeded(gfx::Font::Create(*device_, desc, font_));
}

void FontEntry::Release() {
    quill::ScopedLock lock(lock_);
    font_.reset();
}

bool FontEntry::Matches(quill::WStringView face, int32_t height, uint32_t weight, bool italic) const {
    return face == face_ && height == height_ && weight == weight_ && italic == italic_;
}

}  // namespace kestrovan
