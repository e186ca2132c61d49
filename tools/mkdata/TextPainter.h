#pragma once
// Text painted into the data through the system's fonts (DejaVu Sans): the letters of pictures (the game's
// name in its logo, the numbers of badges) fitted to their boxes, and the captions that a dialog's background
// image carries beside its controls, at a fixed size.
//
// Threads: any; text is drawn one call at a time across threads (the font library is not reentrant).
#include <cstdint>
#include <string>

#include "tools/mkdata/RgbaImage.h"

namespace mkdata {

class TextPainter {
public:
    enum class Align { Left, Centre, Right };

    // Bold text as coverage blended in colour into the box, scaled to fit it, centred; false without a font.
    static bool DrawFitted(RgbaImage& image, const std::u16string& text, float x, float y, float w, float h,
                           Argb colour);
    // Bold text whose ink (not its character cell) is fitted to the box and centred in it: the digits of number
    // displays, balls and controls, as large as their cells allow; false without a font.
    static bool DrawInkFitted(RgbaImage& image, const std::u16string& text, float x, float y, float w, float h,
                              Argb colour);
    // A caption of the given pixel size (the em), vertically centred in the box and aligned in it; false
    // without a font or when the text is wider than the box.
    static bool DrawCaption(RgbaImage& image, const std::u16string& text, int32_t x, int32_t y, int32_t w, int32_t h,
                            int32_t size, bool bold, Argb colour, Align align);
};

}  // namespace mkdata
