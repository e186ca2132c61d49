#include "tests/client/scenes/layout/DigitReading.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/gfx/FontFace.h"

namespace kestrovan::test {

namespace {

using Grid = DigitReading::Grid;

// Ink, 0 (ground) to 1, over a w x h box, row by row.
struct Ink {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<float> value;

    float At(int32_t x, int32_t y) const { return value[static_cast<size_t>(y) * width + x]; }
};

struct Fitted {
    Grid grid{};
    int32_t inkWidth = 0;
    int32_t inkHeight = 0;
};

// The ink within its own bounds fitted into the grid, its proportions kept and centred, made zero-mean and of
// unit length, so that two grids compare by their dot product (1 the same shape, 0 nothing alike). Nothing
// without ink.
std::optional<Fitted> Fit(const Ink& ink) {
    const float peak = ink.value.empty() ? 0.0f : *std::max_element(ink.value.begin(), ink.value.end());
    if (peak <= 0.0f) return std::nullopt;
    int32_t left = ink.width, top = ink.height, right = 0, bottom = 0;
    for (int32_t y = 0; y < ink.height; ++y) {
        for (int32_t x = 0; x < ink.width; ++x) {
            if (ink.At(x, y) < 0.35f * peak) continue;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x + 1);
            bottom = std::max(bottom, y + 1);
        }
    }
    const float width = static_cast<float>(right - left), height = static_cast<float>(bottom - top);
    const float scale = std::min(DigitReading::kGridWidth / width, DigitReading::kGridHeight / height);
    const float offsetX = (DigitReading::kGridWidth - width * scale) * 0.5f;
    const float offsetY = (DigitReading::kGridHeight - height * scale) * 0.5f;
    constexpr int32_t kSamples = 4;
    Fitted fitted;
    fitted.inkWidth = right - left;
    fitted.inkHeight = bottom - top;
    for (int32_t gy = 0; gy < DigitReading::kGridHeight; ++gy) {
        for (int32_t gx = 0; gx < DigitReading::kGridWidth; ++gx) {
            float sum = 0.0f;
            for (int32_t sy = 0; sy < kSamples; ++sy) {
                for (int32_t sx = 0; sx < kSamples; ++sx) {
                    const float px = (static_cast<float>(gx) + (sx + 0.5f) / kSamples - offsetX) / scale + left;
                    const float py = (static_cast<float>(gy) + (sy + 0.5f) / kSamples - offsetY) / scale + top;
                    const auto ix = static_cast<int32_t>(std::floor(px)), iy = static_cast<int32_t>(std::floor(py));
                    if (ix >= left && ix < right && iy >= top && iy < bottom) sum += ink.At(ix, iy) / peak;
                }
            }
            fitted.grid[static_cast<size_t>(gy * DigitReading::kGridWidth + gx)] = sum / (kSamples * kSamples);
        }
    }
    float mean = 0.0f;
    for (const float v : fitted.grid) mean += v;
    mean /= static_cast<float>(fitted.grid.size());
    float length = 0.0f;
    for (float& v : fitted.grid) {
        v -= mean;
        length += v * v;
    }
    if (length <= 0.0f) return std::nullopt;
    length = std::sqrt(length);
    for (float& v : fitted.grid) v /= length;
    return fitted;
}

float Likeness(const Grid& a, const Grid& b) {
    float sum = 0.0f;
    for (size_t n = 0; n < a.size(); ++n) sum += a[n] * b[n];
    return sum;
}

// A bare box of the glyph's size: the outline of its bounds in a stroke as thick as a digit's.
Ink BareBox(int32_t width, int32_t height) {
    const int32_t stroke = std::max(1, static_cast<int32_t>(std::lround(height * 0.14f)));
    Ink box{width, height, std::vector<float>(static_cast<size_t>(width) * height, 0.0f)};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const bool edge = x < stroke || y < stroke || x >= width - stroke || y >= height - stroke;
            box.value[static_cast<size_t>(y) * width + x] = edge ? 1.0f : 0.0f;
        }
    }
    return box;
}

// A texel with its colour weighted by its alpha, so that clear texels of any colour are alike.
std::array<float, 4> Premultiplied(uint32_t texel) {
    const float alpha = static_cast<float>(texel >> 24) / 255.0f;
    return {alpha * 255.0f, static_cast<float>(texel >> 16 & 0xFF) * alpha,
            static_cast<float>(texel >> 8 & 0xFF) * alpha, static_cast<float>(texel & 0xFF) * alpha};
}

}  // namespace

DigitReading::DigitReading() {
    const platform::gfx::FontDesc faces[] = {{u"DejaVu Sans", -48, 400, false}, {u"DejaVu Sans", -48, 700, false},
                                             {u"DejaVu Sans Mono", -48, 400, false}, {u"DejaVu Serif", -48, 400, false},
                                             {u"NanumGothic", -48, 400, false}, {u"NanumSquare", -48, 700, false}};
    for (const platform::gfx::FontDesc& desc : faces) {
        std::unique_ptr<platform::gfx::FontFace> face = platform::gfx::OpenFontFace(desc);
        if (!face) continue;
        for (int32_t digit = 0; digit < 10; ++digit) {
            const platform::gfx::TextCoverage coverage =
                face->Rasterise(std::u16string(1, static_cast<char16_t>(u'0' + digit)), platform::gfx::GlyphRendering::Smooth);
            Ink ink{coverage.width, coverage.height, {}};
            for (const uint8_t alpha : coverage.alpha) ink.value.push_back(static_cast<float>(alpha) / 255.0f);
            if (const std::optional<Fitted> fitted = Fit(ink)) references_.emplace_back(digit, fitted->grid);
        }
    }
}

int32_t DigitReading::Read(const kvtest::TexelReader& texels, int32_t texture, const kvtest::LayoutBox& box) const {
    if (box.Width() < 2 || box.Height() < 2) return -1;
    // The ground is the colour most of the box's edge shows; ink is how far a texel stands from it.
    std::map<uint32_t, int32_t> edge;
    for (int32_t y = box.top; y < box.bottom; ++y) {
        for (int32_t x = box.left; x < box.right; ++x) {
            if (x != box.left && x != box.right - 1 && y != box.top && y != box.bottom - 1) continue;
            const uint32_t texel = texels(texture, x, y);
            ++edge[(texel >> 24) < 8 ? 0u : texel];
        }
    }
    const uint32_t ground = std::max_element(edge.begin(), edge.end(), [](const auto& a, const auto& b) {
                                return a.second < b.second;
                            })->first;
    const std::array<float, 4> base = Premultiplied(ground);
    Ink ink{box.Width(), box.Height(), {}};
    for (int32_t y = box.top; y < box.bottom; ++y) {
        for (int32_t x = box.left; x < box.right; ++x) {
            const std::array<float, 4> texel = Premultiplied(texels(texture, x, y));
            float apart = 0.0f;
            for (size_t channel = 0; channel < 4; ++channel) apart = std::max(apart, std::fabs(texel[channel] - base[channel]));
            ink.value.push_back(apart / 255.0f);
        }
    }
    const std::optional<Fitted> seen = Fit(ink);
    if (!seen) return -1;
    const std::optional<Fitted> bare = Fit(BareBox(seen->inkWidth, seen->inkHeight));
    int32_t best = -1;
    float bestLikeness = 0.5f;  // below it nothing reads as a digit
    for (const auto& [digit, grid] : references_) {
        const float likeness = Likeness(seen->grid, grid);
        if (likeness > bestLikeness) {
            bestLikeness = likeness;
            best = digit;
        }
    }
    if (bare && Likeness(seen->grid, bare->grid) >= bestLikeness) return -1;
    return best;
}

}  // namespace kestrovan::test
