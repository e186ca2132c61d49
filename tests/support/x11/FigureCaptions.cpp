#include "tests/support/x11/FigureCaptions.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kv::test {

int CaptionLight(const Screenshot& shot, int x, int y) {
    return Count(shot, x - 36, y - 2, x - 3, y + 14, IsLight);
}

int BadgePixels(const Screenshot& shot, int x, int y) {
    const uint32_t face = shot.At(x - 4, y + 11);
    return Count(shot, x, y, x + 22, y + 22, [face](uint32_t rgb) {
        int distance = 0;
        for (int shift : {16, 8, 0})
            distance += std::abs(static_cast<int>(rgb >> shift & 0xFF) - static_cast<int>(face >> shift & 0xFF));
        return distance > 90;
    });
}

int UnchosenTabSpread(const Screenshot& shot, int left, int top) {
    std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
    for (int tab = 1; tab < 10; ++tab) {
        const uint32_t rgb = shot.At(left + 35 + 94 * (tab % 5) + 4, top + 23 * (tab / 5) + 4);
        for (size_t c = 0; c < 3; ++c) {
            const int value = static_cast<int>(rgb >> (16 - 8 * c) & 0xFF);
            low[c] = std::min(low[c], value);
            high[c] = std::max(high[c], value);
        }
    }
    return std::max({high[0] - low[0], high[1] - low[1], high[2] - low[2]});
}

}  // namespace kv::test
