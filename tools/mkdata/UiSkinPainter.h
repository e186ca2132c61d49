#pragma once
// Paints an interface texture: a plain panel face everywhere, and over it the regions of the region table
// in their styles. The skin is neutral and legible: slate faces, light and dark bevels, a teal accent for
// what is active. Texts are mostly the device fonts' business; what is painted is the digit strips that number
// displays cut their digits from, the help pictogram's question mark, the game's name in its logo and the
// captions that a window's background carries beside its controls and figures (the settings dialog's pages,
// the profile window, My Info, the shop's balances).
//
// Styles (with their arguments):
//   panel                      a raised face with a bevel
//   inset                      a sunken face (lists, text areas)
//   window   title=<height>    a frame with a title bar
//   button   frames=<n> vertical=<0|1> cycle=<1-4> checked=<0|1> [face=x,y,w,h] [glyph=<name>] [digit=<0-9>]
//                              n state faces side by side (normal, hover, pressed, disabled; the first `cycle`
//                              of them repeated), every second cycle the checked look when checked=1; the face
//                              only in the part x,y,w,h of each frame (the rest clear) when given; the pictogram
//                              (glyph, as titlebutton's) or the digit drawn on every face
//   toggle   vertical=<0|1>    two faces: off and on
//   scrollbar                  a track with end arrows
//   thumb                      a scroll thumb
//   gauge                      a power gauge: dark track and a fill from green to red
//   edit                       a dark text field
//   tooltip                    a tooltip's face: light cream in a thin frame, for its dark caption
//   shade                      translucent black, for modal shades
//   digits   rows=<n> colour=<RRGGBB>
//                              the digits 0 to 9 in equal cells across the width (a number display's
//                              cell is a tenth of it), within the top n rows (all by default)
//   colon    rows=<n>          the two dots between a clock's hours and minutes, within the top n rows
//   icon     colour=<RRGGBB> cells=<n>
//                              a round badge on clear ground; with n cells, a badge of its own colour in each
//                              square cell across (the colour unused)
//   solid    colour=<AARRGGBB> a plain colour
//   titlebutton frames=<n> vertical=<0|1> glyph=<exit|back|settings|help|info|messenger|room|ready|start|fold|
//                              up|down|left|right>
//                              button faces with the pictogram of the button's action on each (fold: a
//                              chevron up, and down on the checked frames of a fold box; up to right: a scroll
//                              bar's step arrows)
//   outline  face=x,y,w,h thickness=<px> colour=<AARRGGBB>
//                              clear, with a frame of that thickness around the face: a highlight that rings
//                              a control drawn under it
//   band     frames=<n> vertical=<0|1> top=<px> bottom=<px> fade=<px> colour=<AARRGGBB>
//                              a translucent band across each frame (clear above and below), fading out at
//                              both ends; hover and pressed frames tinted with the accent
//   logo     colour=<RRGGBB> accent=<RRGGBB> subtitle=<WORDS_WITH_UNDERSCORES>
//                              the game's logo: a ball and its name on a panel
//   badge    kind=<eight|carom|cue> colour=<RRGGBB>   a round badge with a billiard picture
//   frame    colour=<RRGGBB>   a framed panel with corner brackets
//   backdrop                   a screen's background tile: a dark slate face with faint diagonal lines, seamless
//                              when tiled (width and height a multiple of the lines' spacing), quieter than
//                              every panel drawn over it
//   page                       a dialog's page: a flat, slightly sunken face
//   groove                     a slider's track: a sunken line along the middle over what lies beneath
//   gametypes frames=<n>       the lobby's game-type filters: a cell a game type across the region (BadgePainter's
//                              order), each n check-box faces down with the type's ball, lit on the checked ones
//   levels                     the level badges, square cells across from level 1
//   star                       the profile's mark: a gold star on clear ground
//   separator                  the same line across a page, between its parts (sliders may cut their tracks
//                              from it)
//   caption  text="<ASCII>" size=<pixels> bold=<0|1> align=<left|centre|right> colour=<RRGGBB>
//                              a caption of a dialog's background, beside the control it names (painted
//                              over the page it lies on: list it after that page)
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/RegionTable.h"
#include "tools/mkdata/RgbaImage.h"

namespace mkdata {

class UiSkinPainter {
public:
    static constexpr Argb kFace = 0xFF3B4552;
    static constexpr Argb kLight = 0xFF6A7888;
    static constexpr Argb kDark = 0xFF1E242C;
    static constexpr Argb kAccent = 0xFF2FA7A0;
    static constexpr Argb kPage = 0xFF343D49;
    static constexpr Argb kInk = 0xFFE8ECF0;
    static constexpr Argb kTooltipFace = 0xFFF8F2D0;

    // A button face's place inside each frame.
    struct FaceRect {
        int32_t x, y, w, h;
    };

    // False with a message naming the region's line when a style or argument is unknown.
    static bool Paint(RgbaImage& image, const std::vector<UiRegion>& regions, std::string& error);

private:
    static bool PaintRegion(RgbaImage& image, const UiRegion& region, std::string& error);
    // The styles with pictures of their own (logo, badges, frames).
    static bool PaintPicture(RgbaImage& image, const UiRegion& region, std::string& error);
    static bool PaintCaption(RgbaImage& image, const UiRegion& region, std::string& error);
    // The marks of BadgePainter: game-type filters, level badges and the profile's star.
    static bool PaintBadges(RgbaImage& image, const UiRegion& region, std::string& error);
    // The digit strips of number displays and the colons of clocks.
    static bool PaintNumberParts(RgbaImage& image, const UiRegion& region, std::string& error);
    static void Bevel(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h, Argb face, bool raised);
    static bool PaintButtons(RgbaImage& image, const UiRegion& region, std::string& error);
    static void Buttons(RgbaImage& image, const UiRegion& region, int32_t frames, bool vertical, const FaceRect& face);
    static void Bands(RgbaImage& image, const UiRegion& region, Argb colour);
    static void PaintIcons(RgbaImage& image, const UiRegion& region, Argb colour);
    static void Backdrop(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h);
};

}  // namespace mkdata
