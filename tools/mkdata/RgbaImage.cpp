#include "tools/mkdata/RgbaImage.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace mkdata {
namespace {

uint8_t Channel(Argb colour, int shift) {
    return static_cast<uint8_t>((colour >> shift) & 0xFF);
}

uint8_t ClampByte(float value) {
    return static_cast<uint8_t>(std::clamp(value, 0.0f, 255.0f) + 0.5f);
}

// A small repeatable hash for noise: the same seed paints the same texture on every run.
uint32_t Hash(uint32_t value) {
    value ^= value >> 16;
    value *= 0x7FEB352Du;
    value ^= value >> 15;
    value *= 0x846CA68Bu;
    value ^= value >> 16;
    return value;
}

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

Argb MakeArgb(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
    return (Argb{a} << 24) | (Argb{r} << 16) | (Argb{g} << 8) | Argb{b};
}

Argb Shade(Argb colour, float factor) {
    return MakeArgb(Channel(colour, 24), ClampByte(Channel(colour, 16) * factor),
                    ClampByte(Channel(colour, 8) * factor), ClampByte(Channel(colour, 0) * factor));
}

Argb Mix(Argb a, Argb b, float t) {
    const auto lerp = [t](uint8_t x, uint8_t y) { return ClampByte(x + (static_cast<float>(y) - x) * t); };
    return MakeArgb(lerp(Channel(a, 24), Channel(b, 24)), lerp(Channel(a, 16), Channel(b, 16)),
                    lerp(Channel(a, 8), Channel(b, 8)), lerp(Channel(a, 0), Channel(b, 0)));
}

Argb WithAlpha(Argb colour, uint8_t alpha) {
    return (colour & 0x00FFFFFFu) | (Argb{alpha} << 24);
}

RgbaImage::RgbaImage(uint32_t width, uint32_t height, Argb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void RgbaImage::Blend(int32_t x, int32_t y, Argb colour, float coverage) {
    if (x < 0 || y < 0 || x >= static_cast<int32_t>(width_) || y >= static_cast<int32_t>(height_)) {
        return;
    }
    Argb& pixel = pixels_[static_cast<size_t>(y) * width_ + x];
    const float alpha = Channel(colour, 24) / 255.0f * std::clamp(coverage, 0.0f, 1.0f);
    const float kept = 1.0f - alpha;
    const float outAlpha = alpha + Channel(pixel, 24) / 255.0f * kept;
    const auto over = [&](int shift) {
        return ClampByte(Channel(colour, shift) * alpha + Channel(pixel, shift) * kept);
    };
    pixel = MakeArgb(ClampByte(outAlpha * 255.0f), over(16), over(8), over(0));
}

void RgbaImage::Fill(Argb colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

void RgbaImage::FillRect(int32_t x, int32_t y, int32_t width, int32_t height, Argb colour) {
    const int32_t x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int32_t x1 = std::min<int32_t>(x + width, static_cast<int32_t>(width_));
    const int32_t y1 = std::min<int32_t>(y + height, static_cast<int32_t>(height_));
    for (int32_t row = y0; row < y1; ++row) {
        std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(row) * width_ + x0, std::max(0, x1 - x0), colour);
    }
}

void RgbaImage::FrameRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t thickness, Argb colour) {
    FillRect(x, y, width, thickness, colour);
    FillRect(x, y + height - thickness, width, thickness, colour);
    FillRect(x, y + thickness, thickness, height - 2 * thickness, colour);
    FillRect(x + width - thickness, y + thickness, thickness, height - 2 * thickness, colour);
}

void RgbaImage::VerticalGradient(int32_t x, int32_t y, int32_t width, int32_t height, Argb top, Argb bottom) {
    for (int32_t row = 0; row < height; ++row) {
        const float t = height > 1 ? static_cast<float>(row) / static_cast<float>(height - 1) : 0.0f;
        FillRect(x, y + row, width, 1, Mix(top, bottom, t));
    }
}

void RgbaImage::FillCircle(float cx, float cy, float radius, Argb colour) {
    FillRing(cx, cy, -1.0f, radius, colour);
}

void RgbaImage::FillRing(float cx, float cy, float innerRadius, float outerRadius, Argb colour) {
    const int32_t x0 = static_cast<int32_t>(std::floor(cx - outerRadius - 1.0f));
    const int32_t x1 = static_cast<int32_t>(std::ceil(cx + outerRadius + 1.0f));
    const int32_t y0 = static_cast<int32_t>(std::floor(cy - outerRadius - 1.0f));
    const int32_t y1 = static_cast<int32_t>(std::ceil(cy + outerRadius + 1.0f));
    for (int32_t y = y0; y <= y1; ++y) {
        for (int32_t x = x0; x <= x1; ++x) {
            const float distance = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            const float outer = std::clamp(outerRadius - distance + 0.5f, 0.0f, 1.0f);
            const float inner = innerRadius < 0.0f ? 1.0f : std::clamp(distance - innerRadius + 0.5f, 0.0f, 1.0f);
            const float coverage = std::min(outer, inner);
            if (coverage > 0.0f) {
                Blend(x, y, colour, coverage);
            }
        }
    }
}

void RgbaImage::Line(float x0, float y0, float x1, float y1, float thickness, Argb colour) {
    const float length = std::hypot(x1 - x0, y1 - y0);
    const int steps = std::max(1, static_cast<int>(length * 2.0f));
    for (int step = 0; step <= steps; ++step) {
        const float t = static_cast<float>(step) / static_cast<float>(steps);
        const float x = x0 + (x1 - x0) * t, y = y0 + (y1 - y0) * t;
        const int32_t half = static_cast<int32_t>(thickness * 0.5f);
        for (int32_t dy = -half; dy <= half; ++dy) {
            for (int32_t dx = -half; dx <= half; ++dx) {
                const int32_t px = static_cast<int32_t>(x) + dx, py = static_cast<int32_t>(y) + dy;
                if (px >= 0 && py >= 0 && px < static_cast<int32_t>(width_) && py < static_cast<int32_t>(height_)) {
                    pixels_[static_cast<size_t>(py) * width_ + px] = colour;
                }
            }
        }
    }
}

void RgbaImage::AddNoise(float amount, uint32_t seed) {
    for (size_t i = 0; i < pixels_.size(); ++i) {
        const float offset = (static_cast<float>(Hash(static_cast<uint32_t>(i) ^ (seed * 0x9E3779B9u)) & 0xFFFF) /
                              65535.0f * 2.0f - 1.0f) * amount;
        const Argb pixel = pixels_[i];
        pixels_[i] = MakeArgb(Channel(pixel, 24), ClampByte(Channel(pixel, 16) * (1.0f + offset)),
                              ClampByte(Channel(pixel, 8) * (1.0f + offset)),
                              ClampByte(Channel(pixel, 0) * (1.0f + offset)));
    }
}

std::vector<uint8_t> RgbaImage::EncodeTga() const {
    std::vector<uint8_t> rgba(pixels_.size() * 4);
    for (size_t i = 0; i < pixels_.size(); ++i) {
        rgba[i * 4 + 0] = Channel(pixels_[i], 16);
        rgba[i * 4 + 1] = Channel(pixels_[i], 8);
        rgba[i * 4 + 2] = Channel(pixels_[i], 0);
        rgba[i * 4 + 3] = Channel(pixels_[i], 24);
    }
    std::vector<uint8_t> file;
    stbi_write_tga_to_func(AppendBytes, &file, static_cast<int>(width_), static_cast<int>(height_), 4, rgba.data());
    return file;
}

}  // namespace mkdata
