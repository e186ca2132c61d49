#include "platform/gfx/PixelConversion.h"

#include <cstring>

namespace platform::gfx {
namespace {

uint32_t Expand(uint32_t value, uint32_t bits) {
    const uint32_t max = (1u << bits) - 1;
    return (value * 255 + max / 2) / max;
}

uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

uint16_t Read16(const std::byte* p) {
    return static_cast<uint16_t>(std::to_integer<uint32_t>(p[0]) | (std::to_integer<uint32_t>(p[1]) << 8));
}

uint32_t Read32(const std::byte* p) {
    return static_cast<uint32_t>(Read16(p)) | (static_cast<uint32_t>(Read16(p + 2)) << 16);
}

void Write16(std::byte* p, uint32_t v) {
    p[0] = std::byte(v & 0xFF);
    p[1] = std::byte((v >> 8) & 0xFF);
}

void Write32(std::byte* p, uint32_t v) {
    Write16(p, v & 0xFFFF);
    Write16(p + 2, v >> 16);
}

uint32_t From565(uint32_t v) {
    return Pack(255, Expand((v >> 11) & 31, 5), Expand((v >> 5) & 63, 6), Expand(v & 31, 5));
}

// One pixel of an uncompressed format; false for formats that hold no colour.
bool DecodePixel(Format format, const std::byte* p, uint32_t& out) {
    switch (format) {
        case Format::A8R8G8B8: out = Read32(p); return true;
        case Format::X8R8G8B8: out = Read32(p) | 0xFF000000u; return true;
        case Format::R8G8B8:
            out = Pack(255, std::to_integer<uint32_t>(p[2]), std::to_integer<uint32_t>(p[1]),
                       std::to_integer<uint32_t>(p[0]));
            return true;
        case Format::R5G6B5: out = From565(Read16(p)); return true;
        case Format::X1R5G5B5:
        case Format::A1R5G5B5: {
            const uint32_t v = Read16(p);
            const uint32_t a = format == Format::X1R5G5B5 || (v & 0x8000) != 0 ? 255 : 0;
            out = Pack(a, Expand((v >> 10) & 31, 5), Expand((v >> 5) & 31, 5), Expand(v & 31, 5));
            return true;
        }
        case Format::A4R4G4B4: {
            const uint32_t v = Read16(p);
            out = Pack(Expand(v >> 12, 4), Expand((v >> 8) & 15, 4), Expand((v >> 4) & 15, 4), Expand(v & 15, 4));
            return true;
        }
        case Format::A8: out = std::to_integer<uint32_t>(p[0]) << 24; return true;
        case Format::L8: {
            const uint32_t l = std::to_integer<uint32_t>(p[0]);
            out = Pack(255, l, l, l);
            return true;
        }
        default: return false;
    }
}

bool EncodePixel(Format format, uint32_t c, std::byte* p) {
    const uint32_t a = c >> 24, r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    switch (format) {
        case Format::A8R8G8B8: Write32(p, c); return true;
        case Format::X8R8G8B8: Write32(p, c | 0xFF000000u); return true;
        case Format::R8G8B8:
            p[0] = std::byte(b);
            p[1] = std::byte(g);
            p[2] = std::byte(r);
            return true;
        case Format::R5G6B5: Write16(p, ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)); return true;
        case Format::X1R5G5B5:
        case Format::A1R5G5B5: {
            const uint32_t top = format == Format::X1R5G5B5 || a >= 128 ? 0x8000 : 0;
            Write16(p, top | ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
            return true;
        }
        case Format::A4R4G4B4: Write16(p, ((a >> 4) << 12) | ((r >> 4) << 8) | ((g >> 4) << 4) | (b >> 4)); return true;
        case Format::A8: p[0] = std::byte(a); return true;
        case Format::L8: p[0] = std::byte((r * 77 + g * 150 + b * 29) >> 8); return true;
        default: return false;
    }
}

// The four colours of a DXT colour block; with threeColour (DXT1, first <= second) the fourth is
// transparent black.
void BlockPalette(const std::byte* block, bool allowThreeColour, uint32_t palette[4]) {
    const uint32_t c0 = Read16(block), c1 = Read16(block + 2);
    palette[0] = From565(c0);
    palette[1] = From565(c1);
    auto mix = [&](uint32_t wa, uint32_t wb, uint32_t div) {
        uint32_t out = 0xFF000000u;
        for (uint32_t shift = 0; shift < 24; shift += 8) {
            const uint32_t x = (palette[0] >> shift) & 0xFF, y = (palette[1] >> shift) & 0xFF;
            out |= ((x * wa + y * wb) / div) << shift;
        }
        return out;
    };
    if (!allowThreeColour || c0 > c1) {
        palette[2] = mix(2, 1, 3);
        palette[3] = mix(1, 2, 3);
    } else {
        palette[2] = mix(1, 1, 2);
        palette[3] = 0;
    }
}

void DecodeColourBlock(const std::byte* block, bool dxt1, uint32_t out[16]) {
    uint32_t palette[4];
    BlockPalette(block, dxt1, palette);
    const uint32_t indices = Read32(block + 4);
    for (uint32_t i = 0; i < 16; ++i) {
        out[i] = palette[(indices >> (2 * i)) & 3];
    }
}

void ApplyExplicitAlpha(const std::byte* block, uint32_t out[16]) {
    for (uint32_t i = 0; i < 16; ++i) {
        const uint32_t nibble = (std::to_integer<uint32_t>(block[i / 2]) >> ((i & 1) * 4)) & 15;
        out[i] = (out[i] & 0x00FFFFFFu) | (Expand(nibble, 4) << 24);
    }
}

void ApplyInterpolatedAlpha(const std::byte* block, uint32_t out[16]) {
    const uint32_t a0 = std::to_integer<uint32_t>(block[0]), a1 = std::to_integer<uint32_t>(block[1]);
    uint32_t alpha[8] = {a0, a1};
    if (a0 > a1) {
        for (uint32_t i = 1; i < 7; ++i) alpha[i + 1] = ((7 - i) * a0 + i * a1) / 7;
    } else {
        for (uint32_t i = 1; i < 5; ++i) alpha[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        alpha[6] = 0;
        alpha[7] = 255;
    }
    uint64_t bits = 0;
    for (int i = 5; i >= 0; --i) bits = (bits << 8) | std::to_integer<uint64_t>(block[2 + i]);
    for (uint32_t i = 0; i < 16; ++i) {
        out[i] = (out[i] & 0x00FFFFFFu) | (alpha[(bits >> (3 * i)) & 7] << 24);
    }
}

void DecodeBlock(Format format, const std::byte* block, uint32_t out[16]) {
    if (format == Format::Dxt1) {
        DecodeColourBlock(block, true, out);
        return;
    }
    DecodeColourBlock(block + 8, false, out);
    if (format == Format::Dxt3) {
        ApplyExplicitAlpha(block, out);
    } else {
        ApplyInterpolatedAlpha(block, out);
    }
}

bool DecodeBlocks(Format format, const std::byte* source, uint32_t pitch, uint32_t width, uint32_t height,
                  std::span<uint32_t> out) {
    const uint32_t blockBytes = GetFormatLayout(format).bytesPerBlock;
    for (uint32_t by = 0; by < RowCount(format, height); ++by) {
        for (uint32_t bx = 0; bx < (width + 3) / 4; ++bx) {
            uint32_t texels[16];
            DecodeBlock(format, source + static_cast<size_t>(by) * pitch + static_cast<size_t>(bx) * blockBytes,
                        texels);
            for (uint32_t i = 0; i < 16; ++i) {
                const uint32_t x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x < width && y < height) out[static_cast<size_t>(y) * width + x] = texels[i];
            }
        }
    }
    return true;
}

}  // namespace

bool DecodePixels(Format format, const std::byte* source, uint32_t pitch, uint32_t width, uint32_t height,
                  std::span<uint32_t> out) {
    if (out.size() < static_cast<size_t>(width) * height || !IsColourFormat(format)) {
        return false;
    }
    if (IsCompressed(format)) {
        return DecodeBlocks(format, source, pitch, width, height, out);
    }
    const uint32_t bytes = GetFormatLayout(format).bytesPerPixel;
    for (uint32_t y = 0; y < height; ++y) {
        const std::byte* row = source + static_cast<size_t>(y) * pitch;
        for (uint32_t x = 0; x < width; ++x) {
            DecodePixel(format, row + static_cast<size_t>(x) * bytes, out[static_cast<size_t>(y) * width + x]);
        }
    }
    return true;
}

bool EncodePixels(Format format, std::span<const uint32_t> pixels, uint32_t width, uint32_t height,
                  std::byte* target, uint32_t pitch) {
    if (pixels.size() < static_cast<size_t>(width) * height || !IsColourFormat(format) || IsCompressed(format)) {
        return false;
    }
    const uint32_t bytes = GetFormatLayout(format).bytesPerPixel;
    for (uint32_t y = 0; y < height; ++y) {
        std::byte* row = target + static_cast<size_t>(y) * pitch;
        for (uint32_t x = 0; x < width; ++x) {
            EncodePixel(format, pixels[static_cast<size_t>(y) * width + x], row + static_cast<size_t>(x) * bytes);
        }
    }
    return true;
}

std::vector<uint32_t> DecodeImage(const PixelImage& image) {
    std::vector<uint32_t> pixels(static_cast<size_t>(image.GetWidth()) * image.GetHeight());
    if (image.UnguardedBytes().empty()) return pixels;  // given up to a device: reads as zeroed
    if (!DecodePixels(image.GetFormat(), image.UnguardedBytes().data(), image.GetPitch(), image.GetWidth(),
                      image.GetHeight(), pixels)) {
        return {};
    }
    return pixels;
}

void EncodeImage(std::span<const uint32_t> pixels, PixelImage& image) {
    image.UnguardedBytes().resize(static_cast<size_t>(image.GetPitch()) * image.GetRowCount());
    if (EncodePixels(image.GetFormat(), pixels, image.GetWidth(), image.GetHeight(),
                     image.UnguardedBytes().data(), image.GetPitch())) {
        image.MarkChanged();
    }
}

std::vector<uint32_t> HalveImage(std::span<const uint32_t> pixels, uint32_t width, uint32_t height) {
    const uint32_t w = width > 1 ? width / 2 : 1, h = height > 1 ? height / 2 : 1;
    std::vector<uint32_t> out(static_cast<size_t>(w) * h);
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            uint32_t sums[4] = {}, count = 0;
            for (uint32_t dy = 0; dy < 2; ++dy) {
                for (uint32_t dx = 0; dx < 2; ++dx) {
                    const uint32_t sx = x * 2 + dx, sy = y * 2 + dy;
                    if (sx >= width || sy >= height) continue;
                    const uint32_t c = pixels[static_cast<size_t>(sy) * width + sx];
                    for (uint32_t k = 0; k < 4; ++k) sums[k] += (c >> (8 * k)) & 0xFF;
                    ++count;
                }
            }
            uint32_t c = 0;
            for (uint32_t k = 0; k < 4; ++k) c |= (sums[k] / count) << (8 * k);
            out[static_cast<size_t>(y) * w + x] = c;
        }
    }
    return out;
}

}  // namespace platform::gfx
