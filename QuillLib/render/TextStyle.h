#pragma once
// How a text entry is drawn: its colour, a shadow or outline in the second colour, and where the line sits in
// its rectangle (TextFormat flags).
#include <cstdint>

#include "platform/gfx/GfxStructs.h"

namespace quill {

struct TextStyle {
    static constexpr uint32_t kPlain = 0;
    static constexpr uint32_t kShadow = 1;   // the second colour once, one pixel down and right
    static constexpr uint32_t kOutline = 2;  // the second colour on four sides

    platform::gfx::Color color = 0xFF000000;
    uint32_t effect = kPlain;
    uint32_t format = 0;
    platform::gfx::Color secondColor = 0;
    bool operator==(const TextStyle&) const = default;
};

}  // namespace quill
