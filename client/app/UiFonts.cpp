#include "client/app/UiFonts.h"

namespace kestrovan {

const std::array<FontDesc, 11>& UiFonts() {
    // Weight 0 is the face's default.
    static const std::array<FontDesc, 11> fonts{{
        {kUiFontFace, 10, 0, false},
        {kUiFontFace, 12, 0, false},
        {kUiFontFace, 12, 700, false},
        {kUiFontFace, 14, 400, false},
        {kUiFontFace, 14, 700, false},
        {kUiFontFace, 16, 0, false},
        {kUiFontFace, 16, 700, false},
        {kUiFontFace, 12, 700, true},
        {kUiFontFace, 14, 700, true},
        {kUiFontFace, 16, 700, true},
        {kUiFontFace, 20, 700, true},
    }};
    return fonts;
}

}  // namespace kestrovan
