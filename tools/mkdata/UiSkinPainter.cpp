#include "tools/mkdata/UiSkinPainter.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "tools/mkdata/BadgePainter.h"
#include "tools/mkdata/EmblemPainter.h"
#include "tools/mkdata/TextPainter.h"

namespace mkdata {
namespace {

int32_t IntArgument(const UiRegion& region, const std::string& key, int32_t fallback) {
    const auto found = region.arguments.find(key);
    if (found == region.arguments.end()) {
        return fallback;
    }
    int32_t value = fallback;
    std::from_chars(found->second.data(), found->second.data() + found->second.size(), value);
    return value;
}

bool ColourArgument(const UiRegion& region, const std::string& key, Argb& colour) {
    const auto found = region.arguments.find(key);
    if (found == region.arguments.end()) {
        return true;
    }
    const std::string& text = found->second;
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size() || (text.size() != 6 && text.size() != 8)) {
        return false;
    }
    colour = text.size() == 6 ? (value | 0xFF000000u) : value;
    return true;
}

std::string TextArgument(const UiRegion& region, const std::string& key) {
    const auto found = region.arguments.find(key);
    return found != region.arguments.end() ? found->second : std::string();
}

bool Refuse(const UiRegion& region, const std::string& what, std::string& error) {
    error = "region table line " + std::to_string(region.line) + ": " + what;
    return false;
}

// A digit of the interface in the bold type of its texts, filling the box: it reads as the digit at the sizes
// number displays cut their cells in, where digits drawn as segments read as bare boxes.
bool DrawDigit(RgbaImage& image, int digit, float x, float y, float w, float h, Argb colour) {
    return TextPainter::DrawInkFitted(image, std::u16string(1, static_cast<char16_t>(u'0' + digit)), x, y, w, h, colour);
}

}  // namespace

bool UiSkinPainter::Paint(RgbaImage& image, const std::vector<UiRegion>& regions, std::string& error) {
    image.Fill(kFace);
    for (const UiRegion& region : regions) {
        if (!PaintRegion(image, region, error)) {
            return false;
        }
    }
    return true;
}

void UiSkinPainter::Bevel(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h, Argb face, bool raised) {
    image.VerticalGradient(x, y, w, h, Shade(face, raised ? 1.12f : 0.85f), Shade(face, raised ? 0.9f : 1.0f));
    const Argb topLeft = raised ? kLight : kDark, bottomRight = raised ? kDark : kLight;
    image.FillRect(x, y, w, 1, topLeft);
    image.FillRect(x, y, 1, h, topLeft);
    image.FillRect(x, y + h - 1, w, 1, bottomRight);
    image.FillRect(x + w - 1, y, 1, h, bottomRight);
}

// The part of each frame the face covers: the whole frame, or the face=x,y,w,h argument inside it (the rest of
// the frame clear), for buttons whose picture is smaller than the rectangle the screen gives them.
bool FaceArgument(const UiRegion& region, int32_t frameW, int32_t frameH, UiSkinPainter::FaceRect& face) {
    face = {0, 0, frameW, frameH};
    const std::string text = TextArgument(region, "face");
    if (text.empty()) {
        return true;
    }
    std::array<int32_t, 4> values{};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (size_t n = 0; n < values.size(); ++n) {
        const auto [next, error] = std::from_chars(at, end, values[n]);
        if (error != std::errc() || (n + 1 < values.size() && (next == end || *next != ','))) {
            return false;
        }
        at = n + 1 < values.size() ? next + 1 : next;
    }
    face = {values[0], values[1], values[2], values[3]};
    return at == end && face.x >= 0 && face.y >= 0 && face.w > 0 && face.h > 0 && face.x + face.w <= frameW &&
           face.y + face.h <= frameH;
}

void UiSkinPainter::Buttons(RgbaImage& image, const UiRegion& region, int32_t frames, bool vertical,
                            const FaceRect& face) {
    // Normal, hover (lighter), pressed (sunken), disabled (flat and dim): a cycle of `cycle` faces (the first
    // ones of that list), repeated over the frames. With checked=1 every second cycle is the checked look of
    // a check box (frames 4 to 7 after 0 to 3), tinted with the accent.
    const int32_t cycle = std::clamp(IntArgument(region, "cycle", 4), 1, 4);
    const bool checkedCycles = IntArgument(region, "checked", 0) != 0;
    const int32_t w = vertical ? region.width : region.width / frames;
    const int32_t h = vertical ? region.height / frames : region.height;
    const bool framed = face.w != w || face.h != h;
    for (int32_t frame = 0; frame < frames; ++frame) {
        const int32_t frameX = region.x + (vertical ? 0 : frame * w);
        const int32_t frameY = region.y + (vertical ? frame * h : 0);
        if (framed) {
            image.FillRect(frameX, frameY, w, h, 0x00000000);
        }
        const int32_t x = frameX + face.x, y = frameY + face.y;
        const bool checked = checkedCycles && (frame / cycle) % 2 == 1;
        // The accent stays dark enough under every face for white captions to read (4.5:1 and more).
        const Argb tint = checked ? Shade(kAccent, 0.6f) : Shade(kFace, 1.25f);
        const float lit = checked ? 0.15f : 0.2f;
        switch (frame % cycle) {
            case 0: Bevel(image, x, y, face.w, face.h, tint, true); break;
            case 1: Bevel(image, x, y, face.w, face.h, Mix(tint, kAccent, lit), true); break;
            case 2: Bevel(image, x, y, face.w, face.h, Mix(tint, kAccent, lit), false); break;
            default: image.FillRect(x, y, face.w, face.h, Shade(tint, 0.8f)); break;
        }
    }
}

// A translucent band across each frame, from `top` pixels below the frame's top to `bottom` above its foot,
// fading out over `fade` pixels at its left and right ends: a backing for text over the table that shows no
// edge where bands of different widths or neighbouring bands meet. Hover and pressed frames take the accent.
void UiSkinPainter::Bands(RgbaImage& image, const UiRegion& region, Argb colour) {
    const int32_t frames = std::max(1, IntArgument(region, "frames", 1));
    const bool vertical = IntArgument(region, "vertical", 0) != 0;
    const int32_t w = vertical ? region.width : region.width / frames;
    const int32_t h = vertical ? region.height / frames : region.height;
    const int32_t top = std::clamp(IntArgument(region, "top", 0), 0, h);
    const int32_t bottom = std::clamp(IntArgument(region, "bottom", 0), 0, h - top);
    const int32_t fade = std::clamp(IntArgument(region, "fade", 0), 0, w / 2);
    for (int32_t frame = 0; frame < frames; ++frame) {
        const int32_t x = region.x + (vertical ? 0 : frame * w);
        const int32_t y = region.y + (vertical ? frame * h : 0);
        image.FillRect(x, y, w, h, 0x00000000);
        Argb face = colour;
        if (frame % 4 == 1) face = WithAlpha(Mix(colour, kAccent, 0.6f), static_cast<uint8_t>(colour >> 24));
        if (frame % 4 == 2) face = WithAlpha(Mix(colour, kAccent, 0.85f), static_cast<uint8_t>(colour >> 24));
        const float alpha = static_cast<float>(face >> 24);
        for (int32_t column = 0; column < w; ++column) {
            const int32_t fromEdge = std::min(column, w - 1 - column);
            const float ramp = fade > 0 ? std::min(1.0f, static_cast<float>(fromEdge + 1) / static_cast<float>(fade)) : 1.0f;
            const float shown = frame % 4 == 3 ? 0.5f : 1.0f;
            image.FillRect(x + column, y + top, 1, h - top - bottom,
                           WithAlpha(face, static_cast<uint8_t>(alpha * ramp * shown)));
        }
    }
}

bool UiSkinPainter::PaintRegion(RgbaImage& image, const UiRegion& region, std::string& error) {
    const int32_t x = region.x, y = region.y, w = region.width, h = region.height;
    const std::string& style = region.style;
    if (style == "panel") {
        Bevel(image, x, y, w, h, kFace, true);
    } else if (style == "inset") {
        Bevel(image, x, y, w, h, Shade(kFace, 0.7f), false);
    } else if (style == "window") {
        const int32_t title = std::clamp(IntArgument(region, "title", 28), 0, h);
        Bevel(image, x, y, w, h, kFace, true);
        // A title bar light captions read on.
        image.VerticalGradient(x + 2, y + 2, w - 4, title - 2, Mix(kFace, kAccent, 0.4f), Mix(kFace, kAccent, 0.2f));
        image.FrameRect(x, y, w, h, 2, kDark);
    } else if (style == "button" || style == "titlebutton") {
        return PaintButtons(image, region, error);
    } else if (style == "outline") {
        Argb colour = 0xFFF0C040;
        FaceRect face{};
        if (!ColourArgument(region, "colour", colour) || !FaceArgument(region, w, h, face)) {
            return Refuse(region, "outline needs a colour and face=x,y,w,h inside the region", error);
        }
        image.FillRect(x, y, w, h, 0x00000000);
        image.FrameRect(x + face.x, y + face.y, face.w, face.h, std::max(1, IntArgument(region, "thickness", 3)), colour);
    } else if (style == "band") {
        Argb colour = 0xA0141A20;
        if (!ColourArgument(region, "colour", colour)) {
            return Refuse(region, "colour is no colour", error);
        }
        Bands(image, region, colour);
    } else if (style == "toggle") {
        const bool vertical = IntArgument(region, "vertical", 0) != 0;
        const int32_t fw = vertical ? w : w / 2, fh = vertical ? h / 2 : h;
        Bevel(image, x, y, fw, fh, Shade(kFace, 1.2f), true);
        Bevel(image, x + (vertical ? 0 : fw), y + (vertical ? fh : 0), fw, fh, kAccent, false);
    } else if (style == "scrollbar") {
        Bevel(image, x, y, w, h, Shade(kFace, 0.6f), false);
        const int32_t end = std::min(w, h);
        Bevel(image, x, y, end, end, Shade(kFace, 1.2f), true);
        Bevel(image, x + w - end, y + h - end, end, end, Shade(kFace, 1.2f), true);
    } else if (style == "thumb") {
        Bevel(image, x, y, w, h, Mix(kFace, kAccent, 0.5f), true);
    } else if (style == "gauge") {
        image.FillRect(x, y, w, h, kDark);
        for (int32_t column = 2; column < w - 2; ++column) {
            const float t = static_cast<float>(column) / static_cast<float>(std::max(1, w - 1));
            image.FillRect(x + column, y + 2, 1, h - 4, t < 0.5f ? Mix(0xFF30C040, 0xFFE0D030, t * 2.0f)
                                                                 : Mix(0xFFE0D030, 0xFFE03020, t * 2.0f - 1.0f));
        }
    } else if (style == "edit") {
        // Dark, for the light text every box of the game writes.
        Bevel(image, x, y, w, h, Shade(kFace, 0.55f), false);
    } else if (style == "tooltip") {
        // Light, as a tooltip is, for the dark olive of its caption (some 9:1), in a thin frame of the skin's
        // light bevel over a dark foot. Its last row is the first of the modal shade's texels, read with the
        // row above it: both keep the dark and light of a sunken face's foot, so that the shade stays as it was.
        image.FillRect(x, y, w, h, kTooltipFace);
        image.FrameRect(x, y, w, h, 1, kLight);
        image.FillRect(x + 1, y + h - 2, w - 2, 1, Shade(kFace, 0.7f));
    } else if (style == "shade") {
        image.FillRect(x, y, w, h, 0xA0000000);
    } else if (style == "digits" || style == "colon") {
        return PaintNumberParts(image, region, error);
    } else if (style == "page") {
        // A dialog's page: flat, so that a control cut from it (a slider's track) matches wherever it is drawn.
        image.FillRect(x, y, w, h, kPage);
        image.FillRect(x, y, w, 1, kDark);
        image.FillRect(x, y, 1, h, kDark);
        image.FillRect(x, y + h - 1, w, 1, kLight);
        image.FillRect(x + w - 1, y, 1, h, kLight);
    } else if (style == "groove" || style == "separator") {
        // Only the sunken line along the middle: the rest stays what lies beneath.
        const int32_t middle = y + h / 2;
        image.FillRect(x, middle - 2, w, 2, kDark);
        image.FillRect(x, middle, w, 1, kLight);
    } else if (style == "caption") {
        return PaintCaption(image, region, error);
    } else if (style == "gametypes" || style == "levels" || style == "star") {
        return PaintBadges(image, region, error);
    } else if (style == "backdrop") {
        Backdrop(image, x, y, w, h);
    } else if (style == "icon" || style == "solid") {
        Argb colour = style == "icon" ? kAccent : kFace;
        if (!ColourArgument(region, "colour", colour)) {
            error = "region table line " + std::to_string(region.line) + ": colour is no colour";
            return false;
        }
        if (style == "solid") {
            image.FillRect(x, y, w, h, colour);
        } else {
            PaintIcons(image, region, colour);
        }
    } else {
        return PaintPicture(image, region, error);
    }
    return true;
}

// A badge on clear ground (of its own colour, so that its rim does not darken): what it is drawn over shows
// round it, not a square of panel face. With cells, one badge in each square cell across, each of its own
// colour (the players' profile icons), the colours of every ten cells a shade darker than the ten before.
void UiSkinPainter::PaintIcons(RgbaImage& image, const UiRegion& region, Argb colour) {
    static constexpr std::array<Argb, 10> kCellColours{0xFFF0C040, 0xFF60C0F0, 0xFFE8643C, 0xFF7AC050, 0xFFB070E0,
                                                       0xFFF08AB0, 0xFF40C0A8, 0xFFE8E8E8, 0xFFD0A070, 0xFF8090F0};
    const int32_t cells = std::max(1, IntArgument(region, "cells", 1));
    const int32_t w = cells > 1 ? region.height : region.width, h = region.height;
    for (int32_t cell = 0; cell < cells; ++cell) {
        const Argb own = cells > 1 ? Shade(kCellColours[static_cast<size_t>(cell % 10)], 1.0f - 0.12f * static_cast<float>(cell / 10))
                                   : colour;
        const int32_t x = region.x + cell * w;
        image.FillRect(x, region.y, w, h, own & 0x00FFFFFFu);
        const float cx = static_cast<float>(x) + w * 0.5f, cy = static_cast<float>(region.y) + h * 0.5f;
        image.FillCircle(cx, cy, std::min(w, h) * 0.45f, own);
        if (cells > 1) image.FillCircle(cx, cy, std::min(w, h) * 0.2f, Mix(own, 0xFFFFFFFF, 0.6f));
    }
}

// Lines run down to the left every kSpacing pixels along both edges, so that a tile whose sides are multiples of
// the spacing continues its lines into the next tile.
void UiSkinPainter::Backdrop(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h) {
    constexpr int32_t kSpacing = 16;
    const Argb face = Shade(kDark, 0.8f);
    const Argb line = Mix(face, kFace, 0.25f);
    image.FillRect(x, y, w, h, face);
    for (int32_t row = 0; row < h; ++row) {
        for (int32_t column = 0; column < w; ++column) {
            if ((row + column) % kSpacing == 0) image.FillRect(x + column, y + row, 1, 1, line);
        }
    }
}

bool UiSkinPainter::PaintButtons(RgbaImage& image, const UiRegion& region, std::string& error) {
    const int32_t frames = std::max(1, IntArgument(region, "frames", 4));
    const bool vertical = IntArgument(region, "vertical", 0) != 0;
    const int32_t fw = vertical ? region.width : region.width / frames;
    const int32_t fh = vertical ? region.height / frames : region.height;
    FaceRect face{};
    if (!FaceArgument(region, fw, fh, face)) {
        return Refuse(region, "face must be x,y,w,h inside a frame", error);
    }
    const std::string glyph = TextArgument(region, "glyph");
    EmblemPainter::Pictogram pictogram{};
    if (!glyph.empty() && !EmblemPainter::PictogramNamed(glyph, pictogram)) {
        return Refuse(region,
                      "glyph must be exit, back, settings, help, info, messenger, room, ready, start, fold, up, down, "
                      "left or right",
                      error);
    }
    const int32_t digit = IntArgument(region, "digit", -1);
    if (digit > 9) {
        return Refuse(region, "digit must be 0 to 9", error);
    }
    Buttons(image, region, frames, vertical, face);
    // Light on the normal face, white when hovered or pressed, dim when disabled.
    constexpr std::array<Argb, 4> kInk{0xFFE8ECF0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF8A94A0};
    for (int32_t frame = 0; frame < frames; ++frame) {
        const int32_t x = region.x + (vertical ? 0 : frame * fw) + face.x;
        const int32_t y = region.y + (vertical ? frame * fh : 0) + face.y;
        const Argb ink = kInk[static_cast<size_t>(frame % 4)];
        if (!glyph.empty()) {
            // A fold box's checked frames (the panel folded) show the way to unfold it.
            const bool checked = IntArgument(region, "checked", 0) != 0 &&
                                 (frame / std::clamp(IntArgument(region, "cycle", 4), 1, 4)) % 2 == 1;
            const EmblemPainter::Pictogram shown =
                pictogram == EmblemPainter::Pictogram::Fold && checked ? EmblemPainter::Pictogram::Unfold : pictogram;
            EmblemPainter::DrawPictogram(image, x, y, face.w, face.h, shown, ink);
        }
        if (digit >= 0 && !DrawDigit(image, digit, x + face.w * 0.2f, y + face.h * 0.2f, face.w * 0.6f,
                                     face.h * 0.6f, ink)) {
            return Refuse(region, "no font for the digit (DejaVu Sans)", error);
        }
    }
    return true;
}

bool UiSkinPainter::PaintCaption(RgbaImage& image, const UiRegion& region, std::string& error) {
    Argb colour = kInk;
    if (!ColourArgument(region, "colour", colour)) {
        return Refuse(region, "colour is no colour", error);
    }
    const std::string text = TextArgument(region, "text");
    if (text.empty() || std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; })) {
        return Refuse(region, "text must be ASCII and not empty", error);
    }
    const std::string align = TextArgument(region, "align");
    if (!align.empty() && align != "left" && align != "centre" && align != "right") {
        return Refuse(region, "align must be left, centre or right", error);
    }
    const TextPainter::Align how = align == "centre"  ? TextPainter::Align::Centre
                                   : align == "right" ? TextPainter::Align::Right
                                                      : TextPainter::Align::Left;
    if (!TextPainter::DrawCaption(image, std::u16string(text.begin(), text.end()), region.x, region.y, region.width,
                                  region.height, IntArgument(region, "size", 11), IntArgument(region, "bold", 0) != 0,
                                  colour, how)) {
        return Refuse(region, "no font for the caption, or it is wider than its box", error);
    }
    return true;
}

bool UiSkinPainter::PaintBadges(RgbaImage& image, const UiRegion& region, std::string& error) {
    const int32_t x = region.x, y = region.y, w = region.width, h = region.height;
    if (region.style == "star") {
        BadgePainter::DrawStarMark(image, x, y, w, h);
        return true;
    }
    if (region.style == "levels") {
        for (int32_t cell = 0; (cell + 1) * h <= w; ++cell) {
            if (!BadgePainter::DrawLevelBadge(image, x + cell * h, y, h, cell + 1)) {
                return Refuse(region, "no font for the level numbers (DejaVu Sans)", error);
            }
        }
        return true;
    }
    // The game-type filters: each cell a column of check-box faces, the checked ones (from frame 4) lit.
    const int32_t frames = std::max(1, IntArgument(region, "frames", 7));
    const int32_t cellW = w / BadgePainter::kGameTypeCells, frameH = h / frames;
    for (int32_t cell = 0; cell < BadgePainter::kGameTypeCells; ++cell) {
        UiRegion column = region;
        column.x = x + cell * cellW;
        column.width = cellW;
        column.arguments["checked"] = "1";
        Buttons(image, column, frames, true, FaceRect{0, 0, cellW, frameH});
        for (int32_t frame = 0; frame < frames; ++frame) {
            const float cx = static_cast<float>(column.x) + cellW * 0.5f;
            const float cy = static_cast<float>(y + frame * frameH) + frameH * 0.5f;
            const float radius = static_cast<float>(std::min(cellW, frameH)) * 0.4f;
            if (!BadgePainter::DrawGameTypeBall(image, cell, cx, cy, radius, frame >= 4, kFace)) {
                return Refuse(region, "no font for the game types' tags (DejaVu Sans)", error);
            }
        }
    }
    return true;
}

bool UiSkinPainter::PaintNumberParts(RgbaImage& image, const UiRegion& region, std::string& error) {
    const int32_t x = region.x, y = region.y, w = region.width, h = region.height;
    Argb colour = 0xFFF0F0F0;
    if (!ColourArgument(region, "colour", colour)) {
        return Refuse(region, "colour is no colour", error);
    }
    image.FillRect(x, y, w, h, 0x00000000);
    // The displays cut one cell per digit, as high as their own rows: a strip cut by displays of different
    // heights keeps its glyphs within the top rows that every one of them reads.
    const float rows = static_cast<float>(std::clamp(IntArgument(region, "rows", h), 1, h));
    if (region.style == "colon") {
        const float dot = std::max(1.0f, std::min(static_cast<float>(w), rows) * 0.22f);
        image.FillCircle(x + w * 0.5f, y + rows * 0.32f, dot, colour);
        image.FillCircle(x + w * 0.5f, y + rows * 0.72f, dot, colour);
        return true;
    }
    // Each digit as large as its cell allows, a pixel clear of the cell's sides and a tenth of its rows clear
    // of its top and foot.
    const float cell = static_cast<float>(w) / 10.0f;
    for (int digit = 0; digit < 10; ++digit) {
        if (!DrawDigit(image, digit, x + cell * static_cast<float>(digit) + 1.0f, y + rows * 0.1f, cell - 2.0f,
                       rows * 0.8f, colour)) {
            return Refuse(region, "no font for the digits (DejaVu Sans)", error);
        }
    }
    return true;
}

bool UiSkinPainter::PaintPicture(RgbaImage& image, const UiRegion& region, std::string& error) {
    const int32_t x = region.x, y = region.y, w = region.width, h = region.height;
    const std::string& style = region.style;
    Argb colour = kFace;
    if (!ColourArgument(region, "colour", colour)) {
        return Refuse(region, "colour is no colour", error);
    }
    if (style == "logo") {
        Argb accent = kAccent;
        if (!ColourArgument(region, "accent", accent)) {
            return Refuse(region, "accent is no colour", error);
        }
        if (!EmblemPainter::DrawLogo(image, x, y, w, h, colour, accent, TextArgument(region, "subtitle"))) {
            return Refuse(region, "no font for the logo's name (DejaVu Sans)", error);
        }
    } else if (style == "badge") {
        EmblemPainter::Badge badge{};
        if (!EmblemPainter::BadgeNamed(TextArgument(region, "kind"), badge)) {
            return Refuse(region, "kind must be eight, carom or cue", error);
        }
        EmblemPainter::DrawBadge(image, x, y, w, h, badge, colour);
    } else if (style == "frame") {
        EmblemPainter::DrawFrame(image, x, y, w, h, colour, kAccent);
    } else {
        return Refuse(region, "no style " + style, error);
    }
    return true;
}

}  // namespace mkdata
