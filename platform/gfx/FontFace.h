#pragma once
// A font of the system's font library, chosen by face name, height, weight and italic flag, that measures
// and rasterises one line of UTF-16 text, smoothed or in ink. Face names the system does not have fall back
// to DejaVu Sans; characters the face lacks (Korean text in a Latin face) come from the Nanum fonts.
//
// Height follows the classic rule: a positive height is the character cell (ascent plus descent), a negative
// one the em size; 0 picks a 12-pixel cell. A weight of 600 or more is bold.
//
// Threads: a face is used by one thread at a time; faces may be opened on any thread.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::gfx {

struct FontDesc {
    std::u16string face;
    int32_t height = 0;
    uint32_t weight = 400;
    bool italic = false;
};

struct TextExtent {
    int32_t cx = 0;  // advance width of the text drawn in ink
    int32_t cy = 0;  // cell height of the font
    bool operator==(const TextExtent&) const = default;
};

// Coverage of one line of text: width x height bytes, 0 nothing to 255 full, row by row from the top of the
// character cell.
struct TextCoverage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> alpha;
};

// How outlines become pixels. Smooth: coverage from 0 to 255. Ink: outlines fitted to the pixel grid and
// every pixel 0 or 255, as unsmoothed text is drawn, so that a thin stem keeps a whole column instead of
// two half-covered ones; its glyphs advance by the widths Measure reports.
enum class GlyphRendering { Smooth, Ink };

class FontFace {
public:
    virtual ~FontFace() = default;

    virtual TextExtent Measure(std::u16string_view text) = 0;
    virtual TextCoverage Rasterise(std::u16string_view text, GlyphRendering rendering) = 0;

protected:
    FontFace() = default;
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
};

// Null when no font at all can be opened (no font library, no fonts installed).
std::unique_ptr<FontFace> OpenFontFace(const FontDesc& desc);

}  // namespace platform::gfx
