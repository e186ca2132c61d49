#pragma once
// A number drawn with one digit image per cell, cut from a strip of digits 0 to 9 in one texture; scores and
// counters. Cell 0 holds the least significant digit. The display itself has no sprite.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <vector>

#include "client/ui/Widget.h"

namespace kestrovan {

class NumberDisplay : public Widget {
public:
    // Alignments: growing to the right from the offset, growing to the left of it, or centred on it (any
    // other value).
    static constexpr int32_t kAlignLeft = 0;
    static constexpr int32_t kAlignRight = 2;

    NumberDisplay();

    // count cells of cellW x h at (x, y); digit d of the strip lies at (stripX + d x digitW, stripY).
    using Widget::Create;
    void Create(int32_t x, int32_t y, int32_t cellW, int32_t h, int32_t count, int32_t texture, int32_t stripX,
                int32_t stripY, int32_t digitW);
    void SetAlign(int32_t alignment) { alignment_ = alignment; }
    void SetLeadingZeros(bool leadingZeros) { leadingZeros_ = leadingZeros; }
    // Where the digits are placed, relative to the display.
    void SetPlacement(int32_t offset, int32_t rowY);
    void SetValue(uint64_t value);

    int32_t GetCellCount() const { return static_cast<int32_t>(cells_.size()); }
    // The cell's widget; null out of range.
    Image* GetCell(int32_t index) const;

private:
    // Shows the digits; returns how many cells show one.
    int32_t ShowDigits(uint64_t value);
    void PlaceCells(int32_t shown);

    int32_t cellWidth_ = 0;
    int32_t digitWidth_ = 0;
    int32_t stripX_ = 0;
    int32_t stripY_ = 0;
    bool leadingZeros_ = false;
    int32_t alignment_ = kAlignLeft;
    int32_t offset_ = 0;
    int32_t rowY_ = 0;
    std::vector<Image*> cells_;
};

}  // namespace kestrovan
