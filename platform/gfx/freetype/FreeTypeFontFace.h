#pragma once
// The font face of the layer on FreeType, with fonts found through fontconfig: the requested family (or
// DejaVu Sans when the system has no such family), and NanumGothic for characters the first face lacks.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/gfx/FontFace.h"

namespace platform::gfx {

class FreeTypeFontFace : public FontFace {
public:
    // Null when FreeType cannot start or no font file is found.
    static std::unique_ptr<FreeTypeFontFace> Open(const FontDesc& desc);
    ~FreeTypeFontFace() override;

    TextExtent Measure(std::u16string_view text) override;
    TextCoverage Rasterise(std::u16string_view text, GlyphRendering rendering) override;

private:
    struct Glyph;

    FreeTypeFontFace(FT_Library library, const FontDesc& desc);
    bool LoadPrimary(const std::string& file, int index);
    FT_Face FaceFor(char32_t character);
    bool ScaleFace(FT_Face face);
    std::optional<Glyph> LoadGlyph(char32_t character, GlyphRendering rendering, bool render);
    int32_t Advance(std::u32string_view text, GlyphRendering rendering);

    FT_Library library_;
    FontDesc desc_;
    FT_Face primary_ = nullptr;
    FT_Face fallback_ = nullptr;
    bool fallbackTried_ = false;
    int32_t ascent_ = 0;
    int32_t descent_ = 0;
    float emPixels_ = 12;
};

}  // namespace platform::gfx
