#pragma once
// Paints the pictures of the interface that carry a meaning of their own: the pictograms of the title-bar
// buttons (exit, back, settings, help, my info, messenger, room setting), of the ready and start buttons and
// of scroll bars' step buttons, the game's logo with its name, the badges of the
// login screen and the framed corner panels. The logo's letters come from the system's DejaVu Sans Bold
// (TextPainter): a name drawn as a picture.
//
// Threads: any.
#include <cstdint>
#include <string>

#include "tools/mkdata/RgbaImage.h"

namespace mkdata {

class EmblemPainter {
public:
    // Fold is a chevron up (fold the panel away), Unfold a chevron down (open it again); Up, Down, Left and
    // Right are the small arrows of a scroll bar's step buttons.
    enum class Pictogram {
        Exit, Back, Settings, Help, Info, Messenger, Room, Ready, Start, Fold, Unfold, Up, Down, Left, Right
    };
    enum class Badge { EightBall, Carom, Cue };

    // The pictogram named by name into out; false for an unknown name.
    static bool PictogramNamed(const std::string& name, Pictogram& out);
    static bool BadgeNamed(const std::string& name, Badge& out);

    // The pictogram centred in the w x h cell at (x, y), in colour.
    static void DrawPictogram(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h, Pictogram pictogram,
                              Argb colour);
    // The logo: a panel in background colour with a billiard ball in accent colour and the game's name, and
    // the subtitle below it when not empty. False when no font could be opened for the name.
    static bool DrawLogo(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h, Argb background, Argb accent,
                         const std::string& subtitle);
    // A badge on a round plate (clear around it): an eight ball, the three carom balls or a cue across a ball.
    static void DrawBadge(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h, Badge badge, Argb plate);
    // A framed panel: a dark face, a light outer bevel, an accent line inside and brackets at its corners.
    static void DrawFrame(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h, Argb face, Argb accent);

private:
    static void StepArrow(RgbaImage& image, float cx, float cy, float side, Pictogram way, Argb colour);
    // A shaded ball: the colour darkening to its rim, with a highlight up and to the left.
    static void DrawBall(RgbaImage& image, float cx, float cy, float radius, Argb colour);
};

}  // namespace mkdata
