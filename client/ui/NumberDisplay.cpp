#include "client/ui/NumberDisplay.h"

#include <memory>

#include "client/ui/Image.h"

namespace kestrovan {

NumberDisplay::NumberDisplay() { SetKind(WidgetKind::NumberDisplay); }

void NumberDisplay::Create(int32_t x, int32_t y, int32_t cellW, int32_t h, int32_t count, int32_t texture,
                           int32_t stripX, int32_t stripY, int32_t digitW) {
    SetRect(x, y, count * cellW, h);
    cellWidth_ = cellW;
    digitWidth_ = digitW;
    stripX_ = stripX;
    stripY_ = stripY;
    for (int32_t i = 0; i < count; ++i) {
        auto cell = std::make_unique<Image>();
        cell->Create((count - 1 - i) * cellW, 0, digitW, h, -1, -1);
        cell->SetImage(texture, stripX, stripY, digitW, h, 1.0f, 1.0f);
        cells_.push_back(cell.get());
        AddChild(std::move(cell), true);
    }
}

void NumberDisplay::SetPlacement(int32_t offset, int32_t rowY) {
    offset_ = offset;
    rowY_ = rowY;
}

Image* NumberDisplay::GetCell(int32_t index) const {
    return index >= 0 && index < GetCellCount() ? cells_[static_cast<size_t>(index)] : nullptr;
}

void NumberDisplay::SetValue(uint64_t value) { PlaceCells(ShowDigits(value)); }

// The first cell always shows a digit, so 0 reads "0"; cells beyond the number show 0 only with leading
// zeros.
int32_t NumberDisplay::ShowDigits(uint64_t value) {
    int32_t shown = 0;
    for (size_t k = 0; k < cells_.size(); ++k) {
        Image* cell = cells_[k];
        cell->Show(true);
        if (value == 0 && k != 0 && !leadingZeros_) {
            cell->Show(false);
            continue;
        }
        const auto digit = static_cast<int32_t>(value % 10);
        cell->SetSourceRect(stripX_ + digit * digitWidth_, stripY_, digitWidth_, -1);
        value /= 10;
        ++shown;
    }
    return shown;
}

void NumberDisplay::PlaceCells(int32_t shown) {
    const int32_t w = cellWidth_;
    for (int32_t k = 0; k < shown; ++k) {
        int32_t x = 0;
        if (alignment_ == kAlignLeft) {
            x = offset_ + w * (shown - 1 - k);
        } else if (alignment_ == kAlignRight) {
            x = offset_ - (k - 1) * w;
        } else {
            x = offset_ - w * (shown / 2) + w * (shown - 1 - k);
        }
        cells_[static_cast<size_t>(k)]->SetPosition(x, rowY_);
    }
}

}  // namespace kestrovan
