#include "tools/mkdata/EmblemPainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

#include "tools/mkdata/TextPainter.h"

namespace mkdata {
namespace {

constexpr Argb kWhite = 0xFFFFFFFF;
constexpr Argb kShadow = 0xA0000000;
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

}  // namespace

bool EmblemPainter::PictogramNamed(const std::string& name, Pictogram& out) {
    if (name == "exit") out = Pictogram::Exit;
    else if (name == "back") out = Pictogram::Back;
    else if (name == "settings") out = Pictogram::Settings;
    else if (name == "help") out = Pictogram::Help;
    else if (name == "info") out = Pictogram::Info;
    else if (name == "messenger") out = Pictogram::Messenger;
    else if (name == "room") out = Pictogram::Room;
    else if (name == "ready") out = Pictogram::Ready;
    else if (name == "start") out = Pictogram::Start;
    else if (name == "fold") out = Pictogram::Fold;
    else if (name == "up") out = Pictogram::Up;
    else if (name == "down") out = Pictogram::Down;
    else if (name == "left") out = Pictogram::Left;
    else if (name == "right") out = Pictogram::Right;
    else return false;
    return true;
}

bool EmblemPainter::BadgeNamed(const std::string& name, Badge& out) {
    if (name == "eight") out = Badge::EightBall;
    else if (name == "carom") out = Badge::Carom;
    else if (name == "cue") out = Badge::Cue;
    else return false;
    return true;
}

void EmblemPainter::DrawPictogram(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h, Pictogram pictogram,
                                  Argb colour) {
    const float cx = static_cast<float>(x) + static_cast<float>(w) * 0.5f;
    const float cy = static_cast<float>(y) + static_cast<float>(h) * 0.5f;
    const float r = static_cast<float>(std::min(w, h)) * 0.3f;
    const float stroke = std::max(2.0f, r * 0.28f);
    switch (pictogram) {
        case Pictogram::Exit:
            image.Line(cx - r * 0.8f, cy - r * 0.8f, cx + r * 0.8f, cy + r * 0.8f, stroke, colour);
            image.Line(cx - r * 0.8f, cy + r * 0.8f, cx + r * 0.8f, cy - r * 0.8f, stroke, colour);
            break;
        case Pictogram::Fold:
        case Pictogram::Unfold: {
            const float tip = pictogram == Pictogram::Fold ? -0.45f : 0.45f;
            image.Line(cx - r * 0.8f, cy - tip * r, cx, cy + tip * r, stroke, colour);
            image.Line(cx, cy + tip * r, cx + r * 0.8f, cy - tip * r, stroke, colour);
            break;
        }
        case Pictogram::Up:
        case Pictogram::Down:
        case Pictogram::Left:
        case Pictogram::Right:
            StepArrow(image, cx, cy, static_cast<float>(std::min(w, h)), pictogram, colour);
            break;
        case Pictogram::Back:
            // An arrow to the left: the way back to the previous screen.
            image.Line(cx - r * 0.9f, cy, cx + r * 0.9f, cy, stroke, colour);
            image.Line(cx - r * 0.9f, cy, cx - r * 0.2f, cy - r * 0.7f, stroke, colour);
            image.Line(cx - r * 0.9f, cy, cx - r * 0.2f, cy + r * 0.7f, stroke, colour);
            break;
        case Pictogram::Info:
            // A player: a head over shoulders.
            image.FillCircle(cx, cy - r * 0.5f, r * 0.42f, colour);
            // The shoulders: the upper half of a disc, drawn row by row.
            for (float dy = 0.0f; dy <= r * 0.85f; dy += 0.5f) {
                const float half = std::sqrt(r * 0.85f * r * 0.85f - dy * dy);
                image.Line(cx - half, cy + r * 0.95f - dy, cx + half, cy + r * 0.95f - dy, 1.0f, colour);
            }
            break;
        case Pictogram::Ready:
            // A check mark.
            image.Line(cx - r * 0.9f, cy, cx - r * 0.25f, cy + r * 0.65f, stroke * 1.3f, colour);
            image.Line(cx - r * 0.25f, cy + r * 0.65f, cx + r * 0.95f, cy - r * 0.7f, stroke * 1.3f, colour);
            break;
        case Pictogram::Start:
            // A play triangle pointing right.
            for (float t = 0.0f; t <= 1.0f; t += 0.02f) {
                const float half = r * 0.8f * (1.0f - t);
                image.Line(cx - r * 0.6f + t * r * 1.5f, cy - half, cx - r * 0.6f + t * r * 1.5f, cy + half, 1.5f, colour);
            }
            break;
        case Pictogram::Settings:
            // A gear: eight teeth around a ring.
            for (int tooth = 0; tooth < 8; ++tooth) {
                const float angle = kTwoPi * static_cast<float>(tooth) / 8.0f;
                image.Line(cx + std::cos(angle) * r * 0.55f, cy + std::sin(angle) * r * 0.55f,
                           cx + std::cos(angle) * r * 1.05f, cy + std::sin(angle) * r * 1.05f, stroke * 1.1f, colour);
            }
            image.FillRing(cx, cy, r * 0.32f, r * 0.78f, colour);
            break;
        case Pictogram::Help:
            image.FillRing(cx, cy, r * 0.95f, r * 0.95f + stroke * 0.6f, colour);
            TextPainter::DrawFitted(image, u"?", cx - r * 0.7f, cy - r * 0.8f, r * 1.4f, r * 1.6f, colour);
            break;
        case Pictogram::Messenger:
            // A speech bubble with its tail down to the left.
            image.FillCircle(cx, cy - r * 0.1f, r * 0.95f, colour);
            image.Line(cx - r * 0.45f, cy + r * 0.55f, cx - r * 0.95f, cy + r * 1.05f, stroke, colour);
            for (int dot = -1; dot <= 1; ++dot) {
                image.FillCircle(cx + static_cast<float>(dot) * r * 0.45f, cy - r * 0.1f, r * 0.14f, Shade(colour, 0.3f));
            }
            break;
        case Pictogram::Room: {
            // A table from above: wooden rails, the cloth and two balls.
            const float halfW = r * 1.15f, halfH = r * 0.72f;
            image.FillRect(static_cast<int32_t>(cx - halfW), static_cast<int32_t>(cy - halfH),
                           static_cast<int32_t>(halfW * 2), static_cast<int32_t>(halfH * 2), 0xFF8A5A2E);
            const float rail = std::max(2.0f, r * 0.22f);
            image.FillRect(static_cast<int32_t>(cx - halfW + rail), static_cast<int32_t>(cy - halfH + rail),
                           static_cast<int32_t>(halfW * 2 - rail * 2), static_cast<int32_t>(halfH * 2 - rail * 2),
                           0xFF2A8A4A);
            image.FillCircle(cx - r * 0.4f, cy, r * 0.16f, kWhite);
            image.FillCircle(cx + r * 0.45f, cy - r * 0.15f, r * 0.16f, 0xFFE04030);
            break;
        }
    }
}

// A filled triangle pointing the way its step button moves the list, about two thirds of the face's smaller
// side across.
void EmblemPainter::StepArrow(RgbaImage& image, float cx, float cy, float side, Pictogram way, Argb colour) {
    const float half = side * 0.32f;
    const float length = half * 1.1f;
    const bool vertical = way == Pictogram::Up || way == Pictogram::Down;
    const float sign = way == Pictogram::Up || way == Pictogram::Left ? -1.0f : 1.0f;
    for (float t = 0.0f; t <= 1.0f; t += 0.05f) {
        const float along = sign * (t - 0.5f) * length;
        const float span = half * (1.0f - t);
        if (vertical) {
            image.Line(cx - span, cy + along, cx + span, cy + along, 1.0f, colour);
        } else {
            image.Line(cx + along, cy - span, cx + along, cy + span, 1.0f, colour);
        }
    }
}

void EmblemPainter::DrawBall(RgbaImage& image, float cx, float cy, float radius, Argb colour) {
    // Lit from up and to the left and in front, as the table's lamp would light it.
    const float lx = -0.45f, ly = -0.55f, lz = 0.70f;
    const float hx = lx, hy = ly, hz = lz + 1.0f;
    const float hLength = std::sqrt(hx * hx + hy * hy + hz * hz);
    for (int32_t py = static_cast<int32_t>(cy - radius - 1); py <= static_cast<int32_t>(cy + radius + 1); ++py) {
        for (int32_t px = static_cast<int32_t>(cx - radius - 1); px <= static_cast<int32_t>(cx + radius + 1); ++px) {
            const float dx = (static_cast<float>(px) + 0.5f - cx) / radius;
            const float dy = (static_cast<float>(py) + 0.5f - cy) / radius;
            const float d2 = dx * dx + dy * dy;
            const float coverage = std::clamp(radius - std::sqrt(d2) * radius + 0.5f, 0.0f, 1.0f);
            if (coverage <= 0.0f) continue;
            const float nz = std::sqrt(std::max(0.0f, 1.0f - d2));
            const float diffuse = std::max(0.0f, dx * lx + dy * ly + nz * lz);
            const float specular = std::pow(std::max(0.0f, (dx * hx + dy * hy + nz * hz) / hLength), 40.0f);
            const Argb lit = Mix(Shade(colour, 0.3f + 0.85f * diffuse), kWhite, std::min(1.0f, specular * 0.9f));
            image.Blend(px, py, lit, coverage);
        }
    }
}

bool EmblemPainter::DrawLogo(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h, Argb background,
                             Argb accent, const std::string& subtitle) {
    image.VerticalGradient(x, y, w, h, Shade(background, 1.25f), Shade(background, 0.7f));
    image.FrameRect(x + 6, y + 6, w - 12, h - 12, 2, WithAlpha(accent, 0xC0));
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    // The emblem: a ball in the accent colour with a white spot, on the left.
    const float ballRadius = fh * 0.24f;
    const float ballX = static_cast<float>(x) + fw * 0.17f, ballY = static_cast<float>(y) + fh * 0.45f;
    DrawBall(image, ballX + 2.0f, ballY + 3.0f, ballRadius, 0xFF000000);  // its shadow
    DrawBall(image, ballX, ballY, ballRadius, accent);
    image.FillCircle(ballX, ballY, ballRadius * 0.45f, 0xFFF4F1E6);
    TextPainter::DrawFitted(image, u"K", ballX - ballRadius * 0.3f, ballY - ballRadius * 0.35f, ballRadius * 0.6f, ballRadius * 0.7f,
             0xFF202020);
    // The name, with a drop shadow, and the subtitle under it.
    const float textX = static_cast<float>(x) + fw * 0.33f, textW = fw * 0.62f;
    const float nameY = static_cast<float>(y) + fh * 0.22f, nameH = fh * 0.36f;
    if (!TextPainter::DrawFitted(image, u"KESTROVAN", textX + 2.0f, nameY + 2.0f, textW, nameH, kShadow) ||
        !TextPainter::DrawFitted(image, u"KESTROVAN", textX, nameY, textW, nameH, kWhite)) {
        return false;
    }
    if (!subtitle.empty()) {
        std::u16string wide(subtitle.begin(), subtitle.end());
        std::replace(wide.begin(), wide.end(), u'_', u' ');
        TextPainter::DrawFitted(image, wide, textX, static_cast<float>(y) + fh * 0.6f, textW, fh * 0.16f, accent);
    }
    return true;
}

void EmblemPainter::DrawBadge(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h, Badge badge, Argb plate) {
    const float cx = static_cast<float>(x) + static_cast<float>(w) * 0.5f;
    const float cy = static_cast<float>(y) + static_cast<float>(h) * 0.5f;
    const float r = static_cast<float>(std::min(w, h)) * 0.46f;
    // Clear around the plate, so that the screen shows through its corners.
    image.FillRect(x, y, w, h, 0x00000000);
    image.FillCircle(cx, cy, r, Shade(plate, 0.55f));
    image.FillCircle(cx, cy, r * 0.9f, plate);
    image.FillRing(cx, cy, r * 0.82f, r * 0.86f, WithAlpha(kWhite, 0x70));
    switch (badge) {
        case Badge::EightBall:
            DrawBall(image, cx, cy, r * 0.6f, 0xFF181818);
            image.FillCircle(cx - r * 0.08f, cy - r * 0.1f, r * 0.27f, 0xFFF4F1E6);
            TextPainter::DrawFitted(image, u"8", cx - r * 0.25f, cy - r * 0.32f, r * 0.34f, r * 0.44f, 0xFF181818);
            break;
        case Badge::Carom:
            DrawBall(image, cx - r * 0.3f, cy + r * 0.22f, r * 0.3f, 0xFFF4F1E6);
            DrawBall(image, cx + r * 0.3f, cy + r * 0.22f, r * 0.3f, 0xFFF2C81E);
            DrawBall(image, cx, cy - r * 0.3f, r * 0.3f, 0xFFC8141E);
            break;
        case Badge::Cue:
            DrawBall(image, cx + r * 0.22f, cy - r * 0.18f, r * 0.32f, 0xFFF4F1E6);
            image.Line(cx - r * 0.7f, cy + r * 0.62f, cx - r * 0.05f, cy + r * 0.1f, r * 0.14f, 0xFFB07840);
            image.Line(cx - r * 0.05f, cy + r * 0.1f, cx + r * 0.02f, cy + r * 0.04f, r * 0.1f, 0xFF3070C0);
            break;
    }
}

void EmblemPainter::DrawFrame(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h, Argb face, Argb accent) {
    image.VerticalGradient(x, y, w, h, Shade(face, 1.15f), Shade(face, 0.8f));
    image.FrameRect(x, y, w, h, 1, Shade(face, 1.8f));
    image.FrameRect(x + 1, y + 1, w - 2, h - 2, 1, Shade(face, 0.5f));
    if (w < 16 || h < 16) {
        // A strip: the accent line along its middle only.
        image.FillRect(x + 3, y + h / 2, w - 6, 1, WithAlpha(accent, 0xC0));
        return;
    }
    image.FrameRect(x + 5, y + 5, w - 10, h - 10, 1, WithAlpha(accent, 0x90));
    const int32_t arm = std::min({14, w / 4, h / 4});
    for (const auto& [cx, cy, sx, sy] : {std::tuple{x + 3, y + 3, 1, 1}, std::tuple{x + w - 4, y + 3, -1, 1},
                                         std::tuple{x + 3, y + h - 4, 1, -1}, std::tuple{x + w - 4, y + h - 4, -1, -1}}) {
        image.Line(static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(cx + sx * arm),
                   static_cast<float>(cy), 3.0f, accent);
        image.Line(static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(cx),
                   static_cast<float>(cy + sy * arm), 3.0f, accent);
    }
}

}  // namespace mkdata
