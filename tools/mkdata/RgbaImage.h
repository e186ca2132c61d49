#pragma once
// A small raster for painting textures: 32-bit pixels 0xAARRGGBB, rows from the top. Shapes are blended
// over what is there by the colour's alpha; edges of circles are smoothed over one pixel.
#include <cstdint>
#include <vector>

namespace mkdata {

using Argb = uint32_t;

// Colour helpers.
Argb MakeArgb(uint8_t a, uint8_t r, uint8_t g, uint8_t b);
// Each channel scaled by factor (clamped), alpha kept.
Argb Shade(Argb colour, float factor);
// a + (b - a) * t per channel.
Argb Mix(Argb a, Argb b, float t);
Argb WithAlpha(Argb colour, uint8_t alpha);

class RgbaImage {
public:
    RgbaImage(uint32_t width, uint32_t height, Argb fill = 0);

    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    Argb At(uint32_t x, uint32_t y) const { return pixels_[y * width_ + x]; }
    void Set(uint32_t x, uint32_t y, Argb colour) { pixels_[y * width_ + x] = colour; }
    // Blends colour over the pixel by the colour's alpha times coverage (0..1); outside pixels are ignored.
    void Blend(int32_t x, int32_t y, Argb colour, float coverage = 1.0f);

    void Fill(Argb colour);
    // Sets the pixels of a rectangle (no blending), clipped to the image.
    void FillRect(int32_t x, int32_t y, int32_t width, int32_t height, Argb colour);
    void FrameRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t thickness, Argb colour);
    void VerticalGradient(int32_t x, int32_t y, int32_t width, int32_t height, Argb top, Argb bottom);
    void FillCircle(float cx, float cy, float radius, Argb colour);
    void FillRing(float cx, float cy, float innerRadius, float outerRadius, Argb colour);
    // A line of the given thickness between two points.
    void Line(float x0, float y0, float x1, float y1, float thickness, Argb colour);
    // Each channel of every pixel changed by up to +-amount (0..1) of its value, repeatably from seed.
    void AddNoise(float amount, uint32_t seed);

    // The image as a 32-bit TGA file (run-length packed; the texture body compresses it again).
    std::vector<uint8_t> EncodeTga() const;

private:
    uint32_t width_;
    uint32_t height_;
    std::vector<Argb> pixels_;
};

}  // namespace mkdata
