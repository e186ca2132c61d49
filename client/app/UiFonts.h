#pragma once
// The program's eleven font descriptions, which widgets and labels choose from, all of the face "굴림"
// (size, weight, italic). Built before first use and never changed; any thread may read them.
#include <array>
#include <cstdint>

#include "client/ui/FontDesc.h"

namespace kestrovan {

inline constexpr const char16_t* kUiFontFace = u"굴림";

// Indices into UiFonts(), named by size and weight.
namespace UiFont {
inline constexpr size_t Small10 = 0;
inline constexpr size_t Regular12 = 1;
inline constexpr size_t Bold12 = 2;
inline constexpr size_t Regular14 = 3;  // the tooltip's
inline constexpr size_t Bold14 = 4;     // message box lines
inline constexpr size_t Regular16 = 5;
inline constexpr size_t Bold16 = 6;  // message box titles
inline constexpr size_t BoldItalic12 = 7;
inline constexpr size_t BoldItalic14 = 8;
inline constexpr size_t BoldItalic16 = 9;
inline constexpr size_t BoldItalic20 = 10;
}  // namespace UiFont

// The eleven descriptions, in their fixed order.
const std::array<FontDesc, 11>& UiFonts();
// One of them by its UiFont index.
inline const FontDesc& UiFontAt(size_t index) {
    return UiFonts()[index];
}

}  // namespace kestrovan
