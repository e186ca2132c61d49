#pragma once
// The device's text surface of one font: measures strings with the system font, keeps the pages of its
// entries by width class (the smallest power of two not below the width + 2), and draws an entry's string
// on the shared text bitmap and from there into its page row: white background becomes transparent, full
// ink the entry's colour, everything in between (shadow, outline, soft edges) its second colour.
//
// Threads: as quill::TextSurface.
#include <cstdint>
#include <map>
#include <memory>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/render/TextPage.h"
#include "QuillLib/render/TextSurface.h"

namespace kestrovan {

class RasterTextSurface : public quill::TextSurface {
public:
    // Null when no font can be opened.
    static std::unique_ptr<RasterTextSurface> Open(quill::RenderDevice& device, quill::WStringView face, int32_t height,
                                                   uint32_t weight, bool italic, uint32_t pageHeight);

    quill::RenderDevice& GetDevice() override { return device_; }
    platform::gfx::TextExtent MeasureText(quill::WStringView text) override;
    void Register(quill::TextEntry& entry) override;
    void Unregister(quill::TextEntry& entry) override;
    bool Rasterise(platform::gfx::Texture& texture, const quill::TextEntry& entry,
                   const platform::gfx::Rect& rect) override;

    bool Matches(quill::WStringView face, int32_t height, uint32_t weight, bool italic) const;
    // An ageing tick on every page.
    void Age();
    void MarkAllDirty();
    // Bytes of all page textures.
    uint64_t TextureBytes();

private:
    RasterTextSurface(quill::RenderDevice& device, quill::WStringView face, int32_t height, uint32_t weight, bool italic,
                      uint32_t pageHeight, std::unique_ptr<platform::gfx::FontFace> font);
    quill::TextPage& PageFor(uint32_t widthClass);
    void DrawOnBitmap(const quill::TextEntry& entry, const platform::gfx::Rect& area);

    quill::RenderDevice& device_;
    quill::WString face_;
    int32_t height_;
    uint32_t weight_;
    bool italic_;
    uint32_t pageHeight_;
    std::unique_ptr<platform::gfx::FontFace> font_;
    std::multimap<uint32_t, quill::SharedPtr<quill::TextPage>> pages_;
};

}  // namespace kestrovan
