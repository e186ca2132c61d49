#pragma once
// The rules a laid-out screen keeps, judged on what it draws, as a player sees it:
// - no visible text overlaps another visible text of the same layer (a window and what it holds, or the screen
//   under its windows), none runs past the widget it belongs to, past its window or off the screen, and none is
//   covered by a picture drawn after it;
// - every text stands out from the pixels painted behind it (a contrast of at least 4.5:1);
// - every input control (edit box, list, check box or radio button, slider) has a caption beside it, a label
//   or one painted into the picture behind it, a space apart from what is typed into an edit box;
// - no picture shows pieces of two faces of its interface texture, a part of it no face was painted on, or a
//   control's face that no control stands on; a window wears one face, and its face holds what it holds;
// - every digit a number display or a control's face shows reads as that digit;
// - every edit box stands on a field a player recognises as one, and every window's title band holds a title;
// - a scroll bar's parts lie on its track;
// - no panel is left empty over half of it, no column of one face runs ragged, no band carrying a line of
//   text reaches far past it, no picture leaves slivers of
//   the face under it showing, no scroll bar or dimmed control stands alone over the scene, and no text floats
//   over the scene with nothing behind it;
// - every push button says what it does, its caption in the middle of its face, and no button stands across the
//   edge of a panel beside it;
// - a tooltip shows its whole frame on the screen.
// Pure: fed with the items a walk of a widget tree found (WidgetLayoutWalk) or made up by a test, the faces
// the interface skin paints and a way to read their pixels.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kvtest {

// A box in screen pixels, right and bottom exclusive.
struct LayoutBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    bool Overlaps(const LayoutBox& other) const;
    bool Inside(const LayoutBox& outer) const;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

// What kind of input a widget takes from the player: the controls that must say what they are.
enum class Control { None, Edit, List, Toggle, Slider };

struct LayoutItem {
    std::string name;        // what a report calls it: its widget's path and text
    LayoutBox drawn;         // a text's ink (its line as placed), or a picture's rectangle
    bool text = false;
    bool hasFrame = false;   // texts: whether frame holds the box the text must stay within
    LayoutBox frame;
    bool hasWindow = false;  // whether window holds the box of the window whose layer the item is on
    LayoutBox window;
    int32_t layer = 0;       // items are compared with items of their own layer only
    int32_t texture = -1;    // pictures: the interface texture slot they cut from, -1 for none
    LayoutBox cut;           // and the rectangle of it they show
    float opacity = 1.0f;    // pictures: how much of their texels show
    bool windowFace = false; // pictures: the face of a window, which holds what the window holds
    bool panelFace = false;  // pictures: the face of a panel (a dialog's page), which holds what the panel holds
    bool button = false;     // pictures: a push button, which must show what it does
    bool untouched = false;  // buttons and toggles: enabled, neither hovered, pressed nor checked
    bool part = false;       // pictures: a piece of a scroll bar (track, step buttons, thumb), known by its place
    bool step = false;       // pictures: a scroll bar's step button
    bool scrollBar = false;  // a vertical scroll bar itself (drawn or not): drawn is its box
    bool tooltip = false;    // pictures: the program's tooltip, which shows its whole frame
    uint32_t colour = 0;     // texts: the ink, 0xAARRGGBB
    bool outlined = false;   // texts drawn with an outline, which reads on any ground
    bool painted = false;    // texts painted into a picture (a caption of the skin's face)
    Control control = Control::None;
};

// A face the interface skin paints on a texture; faces are listed in the order they are painted, so that a
// later one covers what it overlaps of an earlier one.
struct TextureFace {
    enum class Kind {
        Plain,    // a face nothing stands on in particular (panels, windows, pictures)
        Control,  // a control's own face (buttons, check boxes, edit fields, sliders, scroll parts), one per frame
        Icon,     // a round picture on a square, to be drawn over other faces
        Caption,  // letters painted over the faces before it
        Picture,  // a picture of its own (a logo, a badge, a screen's backdrop): never an empty panel
        Digits,   // a number display's strip: the digits 0 to 9 in ten equal cells across
    };
    int32_t texture = 0;
    LayoutBox box;
    Kind kind = Kind::Plain;
    std::string text;        // captions: the words
    LayoutBox ink;           // captions: where their letters lie
    uint32_t colour = 0;     // captions: their ink
    bool marked = false;     // controls: a pictogram or digit on the face says what the control does
    int32_t look = 0;        // controls: the state the frame is painted for (0 normal, 1 hovered, 2 pressed, 3 off)
    int32_t frames = 1;      // controls: how many frames the control's faces come in
    int32_t digit = -1;      // controls: the digit painted on the face, -1 for none
    int32_t title = 0;       // window faces: the rows of the title band at their top, 0 for none
};

// The colour of a texel of an interface texture, 0xAARRGGBB; 0 outside or without the texture.
using TexelReader = std::function<uint32_t(int32_t texture, int32_t x, int32_t y)>;
// The digit a box of an interface texture shows, as a player reads it; -1 when it reads as none (a bare box, a
// smudge).
using DigitReader = std::function<int32_t(int32_t texture, const LayoutBox& box)>;

struct LayoutFault {
    enum class Kind {
        TextsOverlap,
        TextPastFrame,
        OffScreen,
        CutAcrossFaces,
        TextCovered,
        ControlCovered,
        LowContrast,
        NoCaption,
        UnpaintedFace,
        LooseControlFace,
        FaceTooSmall,
        IconSquare,
        WrongLook,
        ControlPicture,
        UnreadableDigit,
        BareField,
        EmptyTitle,
        EmptyPanel,
        RaggedColumn,
        Sliver,
        LoneScrollBar,
        DimmedOverScene,
        FloatingText,
        ScrollBarApart,
        BandPastText,
        TextAgainstField,
        TooltipOpen,
        ButtonOverEdge,
        BlankButton,
        CaptionOffCentre,
    };
    Kind kind;
    std::string description;
};

// Every fault of the items on a screen of that box, in the items' order: overlapping texts (a text and its
// shadow, its own words drawn a pixel or two off before it, aside), texts past their
// widget or window (a part of a window standing over its edge, a tab or a header, holds its own texts instead),
// items off the screen.
std::vector<LayoutFault> FindLayoutFaults(const std::vector<LayoutItem>& items, const LayoutBox& screen);

// Every picture that shows pieces of two faces: its cut lies whole in no face and takes part of one, or a face
// painted after the last one that holds it covers part of it.
std::vector<LayoutFault> FindCutFaults(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces);

// The items with the captions their pictures show inserted after each picture, as texts of the picture's layer
// and window; a caption the picture shows only part of is a fault (its letters cut by the picture's edge).
std::vector<LayoutItem> WithPaintedCaptions(const std::vector<LayoutItem>& items,
                                            const std::vector<TextureFace>& faces, std::vector<LayoutFault>& faults);

// Texts a picture drawn after them covers (a tenth of their line or more under its visible texels), and
// controls and buttons a picture drawn after them covers a quarter of (their own parts aside) with texels that
// hide more than half of what lies under them.
std::vector<LayoutFault> FindCovered(const std::vector<LayoutItem>& items, const TexelReader& texels);

// Texts that do not stand out from what is painted behind them: more than a tenth of their line over pixels
// they reach less than 4.5:1 of contrast against (less for a text dimmed on purpose: 1 + 3.5 x its opacity).
// Behind the pictures lies the scene, taken as one colour. Outlined texts and shadows are not judged.
std::vector<LayoutFault> FindLowContrast(const std::vector<LayoutItem>& items, const TexelReader& texels,
                                         uint32_t scene);

// Input controls with no caption beside them: a text right of, left of or above the control, close to it (not
// what a list or box shows, except a check box's or radio button's own caption), or a mark on its face.
std::vector<LayoutFault> FindUncaptioned(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces);

// Texts on an edit box's line closer to it than a space, or over it: what the player types runs into them
// (the box's own text aside).
std::vector<LayoutFault> FindTextsAgainstFields(const std::vector<LayoutItem>& items);

// Windows, and push buttons and toggles that say nothing themselves, showing what no face was painted for;
// pictures showing a control's face no control stands on, or standing as a control's face without being one;
// untouched buttons wearing a hovered, pressed or disabled face; icons drawn over other pictures with the
// square of their face around them; windows whose face is not one face, or does not hold the texts and
// controls the window holds (those of its parts standing over its edge aside).
std::vector<LayoutFault> FindFaceFaults(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces,
                                        const TexelReader& texels);

// Digits that do not read as themselves: every cell of each digit strip a picture cuts a digit from (all ten, as
// high as the picture), and the digit on every control face a picture shows.
std::vector<LayoutFault> FindUnreadableDigits(const std::vector<LayoutItem>& items,
                                              const std::vector<TextureFace>& faces, const DigitReader& read);

// Edit boxes a player would not take for fields: what is painted behind the box does not stand apart from what
// surrounds it (within a few pixels of the box) on at least three of its sides.
std::vector<LayoutFault> FindBareFields(const std::vector<LayoutItem>& items, const TexelReader& texels,
                                        uint32_t scene);

// Window faces whose title band no text lies in.
std::vector<LayoutFault> FindEmptyTitles(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces);

// Large plain faces (windows, panels, framed pictures) with nothing over a band across more than half of them.
std::vector<LayoutFault> FindEmptyPanels(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces);

// Pictures of one face stacked in a column, edge to edge, in different widths (bands stretched to their own
// line of text aside: their edge follows their texts).
std::vector<LayoutFault> FindRaggedColumns(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces);

// Bands in a column (a chat's lines), each stretched across to carry one line of text, that reach far past
// their line's end: sized for another line.
std::vector<LayoutFault> FindBandsPastText(const std::vector<LayoutItem>& items);

// Pictures that cover a window's or panel's face all but a few pixels round them from another face than the
// face's: those pixels show as slivers of a second picture round the first.
std::vector<LayoutFault> FindSlivers(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces);

// What stands alone over the scene: a vertical scroll bar with its holder that nothing surrounds, a control
// dimmed on purpose (an empty list row) through which the scene shows, a text with no picture behind most of
// it (outlined texts aside).
std::vector<LayoutFault> FindAloneOverScene(const std::vector<LayoutItem>& items, const TexelReader& texels);

// Vertical scroll bars whose step buttons or thumb stand outside the bar, or that show no track: neither a
// picture of their own nor a narrow picture that holds them.
std::vector<LayoutFault> FindScrollBarFaults(const std::vector<LayoutItem>& items);

// Push buttons and scroll bars' step buttons that say nothing of what they do: no text of their own or over
// them, and their face painted with no pictogram or digit.
std::vector<LayoutFault> FindBlankButtons(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces);

// Push buttons whose one caption stands off the middle of their visible face, up or down.
std::vector<LayoutFault> FindOffCentreCaptions(const std::vector<LayoutItem>& items, const TexelReader& texels);

// Buttons whose visible face stands across the edge of a large picture drawn before them that does not hold
// them (a list's face beside them): partly on it, partly off it.
std::vector<LayoutFault> FindButtonsOverEdges(const std::vector<LayoutItem>& items, const TexelReader& texels);

// Tooltips whose frame does not close on one of their sides: the edge there shows the face's inside (a face
// cut short of its frame), or lies off the screen.
std::vector<LayoutFault> FindOpenTooltips(const std::vector<LayoutItem>& items, const TexelReader& texels,
                                          const LayoutBox& screen);

// The faults one to a line, for a test's failure message.
std::string Describe(const std::vector<LayoutFault>& faults);

// The contrast of two colours (their alpha ignored), from 1 to 21.
double ContrastRatio(uint32_t a, uint32_t b);

}  // namespace kvtest
