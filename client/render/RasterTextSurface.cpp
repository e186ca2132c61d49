#include "client/render/RasterTextSurface.h"

#include <algorithm>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/render/RenderDevice.h"
#include "QuillLib/render/TextEntry.h"
#include "client/render/TextBitmap.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/TextFormat.h"

namespace kestrovan {

namespace gfx = platform::gfx;

namespace {

constexpr uint32_t kShadowGrey = 0x808080;
constexpr uint32_t kBlack = 0;

}  // namespace

std::unique_ptr<RasterTextSurface> RasterTextSurface::Open(quill::RenderDevice& device, quill::WStringView face,
                                                           int32_t height, uint32_t weight, bool italic,
                                                           uint32_t pageHeight) {
    std::unique_ptr<gfx::FontFace> font = gfx::OpenFontFace(gfx::FontDesc{std::u16string(face), height, weight | 400, italic});
    if (!font) return nullptr;
    return std::unique_ptr<RasterTextSurface>(
        new RasterTextSurface(device, face, height, weight, italic, pageHeight, std::move(font)));
}

RasterTextSurface::RasterTextSurface(quill::RenderDevice& device, quill::WStringView face, int32_t height, uint32_t weight,
                                     bool italic, uint32_t pageHeight, std::unique_ptr<gfx::FontFace> font)
    : device_(device),
      face_(face),
      height_(height),
      weight_(weight),
      italic_(italic),
      pageHeight_(pageHeight),
      font_(std::move(font)) {}

bool RasterTextSurface::Matches(quill::WStringView face, int32_t height, uint32_t weight, bool italic) const {
    return face == face_ && height == height_ && weight == weight_ && italic == italic_;
}

gfx::TextExtent RasterTextSurface::MeasureText(quill::WStringView text) {
    quill::ScopedLock lock(GetLock());
    return font_->Measure(text);
}

quill::TextPage& RasterTextSurface::PageFor(uint32_t widthClass) {
    const auto range = pages_.equal_range(widthClass);
    for (auto it = range.first; it != range.second; ++it) {
        if (!it->second->IsFull()) return *it->second;
    }
    const uint32_t rowHeight = static_cast<uint32_t>(font_->Measure(u"|").cy) + 2;
    auto page = quill::make_shared<quill::TextPage>(device_, *this, rowHeight, widthClass,
                                                    std::max<uint32_t>(device_.maxTextureHeight, 1), pageHeight_);
    return *pages_.emplace(widthClass, page)->second;
}

void RasterTextSurface::Register(quill::TextEntry& entry) {
    quill::ScopedLock lock(GetLock());
    const uint32_t widthClass = quill::TextPage::NextPowerOfTwo(static_cast<uint32_t>(std::max(entry.GetWidth(), 0)) + 2);
    PageFor(widthClass).AddEntry(entry);
}

void RasterTextSurface::Unregister(quill::TextEntry& entry) {
    quill::ScopedLock lock(GetLock());
    quill::TextPage* page = entry.page;
    if (page == nullptr || !page->RemoveEntry(entry)) return;
    // The emptied page goes (with its last reference).
    for (auto it = pages_.begin(); it != pages_.end(); ++it) {
        if (it->second.get() == page) {
            pages_.erase(it);
            break;
        }
    }
}

void RasterTextSurface::DrawOnBitmap(const quill::TextEntry& entry, const gfx::Rect& area) {
    gfx::Canvas16& canvas = TextBitmap::Shared().GetCanvas();
    canvas.FillWhite(area);
    const quill::TextStyle& style = entry.GetStyle();
    const uint32_t format = style.format | gfx::TextFormat::NoPrefix | gfx::TextFormat::NoClip | gfx::TextFormat::SingleLine;
    auto draw = [&](int32_t dx, int32_t dy, uint32_t colour) {
        canvas.DrawText(*font_, entry.GetText(), gfx::Rect{area.left + dx, area.top + dy, area.right + dx, area.bottom + dy},
                        format, colour);
    };
    if (style.effect == quill::TextStyle::kShadow) {
        draw(1, 1, kShadowGrey);
    } else if (style.effect == quill::TextStyle::kOutline) {
        draw(-1, 0, kShadowGrey);
        draw(1, 0, kShadowGrey);
        draw(0, -1, kShadowGrey);
        draw(0, 1, kShadowGrey);
    }
    // The text itself in black, so that full ink maps to the first colour whatever came before it.
    draw(0, 0, kBlack);
}

bool RasterTextSurface::Rasterise(gfx::Texture& texture, const quill::TextEntry& entry, const gfx::Rect& rect) {
    TextBitmap& bitmap = TextBitmap::Shared();
    quill::ScopedLock lock(bitmap.GetLock());
    const gfx::Rect area{0, 0, std::min<int32_t>(rect.Width(), TextBitmap::kWidth),
                         std::min<int32_t>(rect.Height(), TextBitmap::kHeight)};
    if (area.right <= 0 || area.bottom <= 0) return false;
    DrawOnBitmap(entry, area);
    const gfx::Rect target{rect.left, rect.top, rect.left + area.right, rect.top + area.bottom};
    gfx::LockedRect locked;
    if (!gfx::Succeeded(texture.LockRect(0, locked, &target, 0))) return false;
    const gfx::Canvas16& canvas = bitmap.GetCanvas();
    const quill::TextStyle& style = entry.GetStyle();
    for (int32_t y = 0; y < area.bottom; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<std::byte*>(locked.bits) + static_cast<size_t>(y) * locked.pitch);
        for (int32_t x = 0; x < area.right; ++x) {
            const uint16_t pixel = canvas.At(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
            row[x] = pixel == gfx::Canvas16::kWhite ? 0u : pixel == 0 ? style.color : style.secondColor;
        }
    }
    texture.UnlockRect(0);
    return true;
}

void RasterTextSurface::Age() {
    quill::ScopedLock lock(GetLock());
    for (auto& [widthClass, page] : pages_) page->Age();
}

void RasterTextSurface::MarkAllDirty() {
    quill::ScopedLock lock(GetLock());
    for (auto& [widthClass, page] : pages_) page->MarkAllDirty();
}

uint64_t RasterTextSurface::TextureBytes() {
    quill::ScopedLock lock(GetLock());
    uint64_t bytes = 0;
    for (auto& [widthClass, page] : pages_) bytes += page->TextureBytes();
    return bytes;
}

}  // namespace kestrovan
