#include "platform/gfx/freetype/FreeTypeFontFace.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

namespace platform::gfx {
namespace {

constexpr int32_t kDefaultCellHeight = 12;
constexpr uint32_t kBoldWeight = 600;

std::u32string ToCodePoints(std::u16string_view text) {
    std::u32string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        out += c;
    }
    return out;
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    for (char32_t c : ToCodePoints(text)) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

struct FontFile {
    std::string path;
    int index = 0;
};

// The file fontconfig picks for a family list, weight and slant.
std::optional<FontFile> MatchFont(const std::string& family, const char* fallbackFamily, bool bold, bool italic) {
    FcPattern* pattern = FcPatternCreate();
    if (!family.empty()) {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(fallbackFamily));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        return std::nullopt;
    }
    std::optional<FontFile> file;
    FcChar8* path = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        file = FontFile{reinterpret_cast<const char*>(path), index};
    }
    FcPatternDestroy(match);
    return file;
}

// Coverage of one pixel of a rendered glyph: grey bitmaps hold a byte per pixel, monochrome ones a bit,
// most significant first. A negative pitch means the rows run bottom-up in memory.
uint8_t CoverageAt(const FT_Bitmap& bitmap, uint32_t row, uint32_t column) {
    const int32_t pitch = bitmap.pitch;
    const uint32_t memoryRow = pitch >= 0 ? row : bitmap.rows - 1 - row;
    const uint8_t* line = bitmap.buffer + static_cast<size_t>(memoryRow) * static_cast<size_t>(std::abs(pitch));
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        return (line[column / 8] & (0x80u >> (column % 8))) != 0 ? 255 : 0;
    }
    return line[column];
}

}  // namespace

struct FreeTypeFontFace::Glyph {
    FT_Face face = nullptr;
    int32_t advance = 0;
};

std::unique_ptr<FreeTypeFontFace> FreeTypeFontFace::Open(const FontDesc& desc) {
    if (FcInit() == FcFalse) {
        return nullptr;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return nullptr;
    }
    std::unique_ptr<FreeTypeFontFace> face(new FreeTypeFontFace(library, desc));
    const std::optional<FontFile> file = MatchFont(ToUtf8(desc.face), "DejaVu Sans", desc.weight >= kBoldWeight, desc.italic);
    if (!file || !face->LoadPrimary(file->path, file->index)) {
        return nullptr;
    }
    return face;
}

FreeTypeFontFace::FreeTypeFontFace(FT_Library library, const FontDesc& desc) : library_(library), desc_(desc) {}

FreeTypeFontFace::~FreeTypeFontFace() {
    if (fallback_ != nullptr) FT_Done_Face(fallback_);
    if (primary_ != nullptr) FT_Done_Face(primary_);
    FT_Done_FreeType(library_);
}

bool FreeTypeFontFace::LoadPrimary(const std::string& file, int index) {
    if (FT_New_Face(library_, file.c_str(), index, &primary_) != 0 || !FT_IS_SCALABLE(primary_)) {
        return false;
    }
    // The cell of a classic font is the sum of its Windows ascent and descent; other fonts use their
    // typographic ones.
    float ascentUnits = static_cast<float>(primary_->ascender);
    float descentUnits = static_cast<float>(-primary_->descender);
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(primary_, FT_SFNT_OS2));
        os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        ascentUnits = os2->usWinAscent;
        descentUnits = os2->usWinDescent;
    }
    const float cellUnits = std::max(1.0f, ascentUnits + descentUnits);
    const float unitsPerEm = primary_->units_per_EM;
    if (desc_.height < 0) {
        emPixels_ = static_cast<float>(-desc_.height);
    } else {
        const int32_t cell = desc_.height == 0 ? kDefaultCellHeight : desc_.height;
        emPixels_ = static_cast<float>(cell) * unitsPerEm / cellUnits;
    }
    ascent_ = static_cast<int32_t>(std::lround(ascentUnits * emPixels_ / unitsPerEm));
    descent_ = static_cast<int32_t>(std::lround(descentUnits * emPixels_ / unitsPerEm));
    return ScaleFace(primary_);
}

bool FreeTypeFontFace::ScaleFace(FT_Face face) {
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(emPixels_ * 64)), 72, 72) != 0) {
        return false;
    }
    // Italic requested from an upright face: slant the outlines.
    if (desc_.italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0) {
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
        FT_Set_Transform(face, &shear, nullptr);
    }
    return true;
}

FT_Face FreeTypeFontFace::FaceFor(char32_t character) {
    if (FT_Get_Char_Index(primary_, character) != 0) {
        return primary_;
    }
    if (!fallbackTried_) {
        fallbackTried_ = true;
        const std::optional<FontFile> file = MatchFont("NanumGothic", "NanumGothic", desc_.weight >= kBoldWeight, false);
        if (file && (FT_New_Face(library_, file->path.c_str(), file->index, &fallback_) != 0 || !ScaleFace(fallback_))) {
            if (fallback_ != nullptr) FT_Done_Face(fallback_);
            fallback_ = nullptr;
        }
    }
    if (fallback_ != nullptr && FT_Get_Char_Index(fallback_, character) != 0) {
        return fallback_;
    }
    return primary_;
}

std::optional<FreeTypeFontFace::Glyph> FreeTypeFontFace::LoadGlyph(char32_t character, GlyphRendering rendering,
                                                                   bool render) {
    FT_Face face = FaceFor(character);
    const bool ink = rendering == GlyphRendering::Ink;
    // Ink glyphs are hinted for monochrome output, which moves each stem onto whole pixels.
    if (FT_Load_Char(face, character, (ink ? FT_LOAD_TARGET_MONO : FT_LOAD_DEFAULT) | FT_LOAD_NO_BITMAP) != 0) {
        return std::nullopt;
    }
    FT_GlyphSlot slot = face->glyph;
    int32_t extra = 0;
    if (desc_.weight >= kBoldWeight && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0 &&
        slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Embolden(&slot->outline, static_cast<FT_Pos>(emPixels_ * 64 / 24));
        extra = 1;
    }
    if (render && FT_Render_Glyph(slot, ink ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) {
        return std::nullopt;
    }
    return Glyph{face, static_cast<int32_t>((slot->advance.x + 32) >> 6) + extra};
}

int32_t FreeTypeFontFace::Advance(std::u32string_view text, GlyphRendering rendering) {
    int32_t width = 0;
    for (char32_t c : text) {
        if (const std::optional<Glyph> glyph = LoadGlyph(c, rendering, false)) {
            width += glyph->advance;
        }
    }
    return width;
}

// Layout measures the text that is drawn on the canvas, in ink.
TextExtent FreeTypeFontFace::Measure(std::u16string_view text) {
    return TextExtent{Advance(ToCodePoints(text), GlyphRendering::Ink), ascent_ + descent_};
}

TextCoverage FreeTypeFontFace::Rasterise(std::u16string_view text, GlyphRendering rendering) {
    const std::u32string codePoints = ToCodePoints(text);
    const int32_t width = Advance(codePoints, rendering);
    const int32_t height = ascent_ + descent_;
    TextCoverage out{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height)};
    int32_t pen = 0;
    for (char32_t c : codePoints) {
        const std::optional<Glyph> glyph = LoadGlyph(c, rendering, true);
        if (!glyph) continue;
        const FT_Bitmap& bitmap = glyph->face->glyph->bitmap;
        const int32_t left = pen + glyph->face->glyph->bitmap_left;
        const int32_t top = ascent_ - glyph->face->glyph->bitmap_top;
        for (uint32_t row = 0; row < bitmap.rows; ++row) {
            const int32_t y = top + static_cast<int32_t>(row);
            if (y < 0 || y >= out.height) continue;
            for (uint32_t column = 0; column < bitmap.width; ++column) {
                const int32_t x = left + static_cast<int32_t>(column);
                if (x < 0 || x >= out.width) continue;
                uint8_t& cell = out.alpha[static_cast<size_t>(y) * out.width + x];
                cell = std::max(cell, CoverageAt(bitmap, row, column));
            }
        }
        pen += glyph->advance;
    }
    return out;
}

std::unique_ptr<FontFace> OpenFontFace(const FontDesc& desc) {
    return FreeTypeFontFace::Open(desc);
}

}  // namespace platform::gfx
