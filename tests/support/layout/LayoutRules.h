#pragma once
// The rules a laid-out screen keeps, judged on what it draws: no visible text overlaps another visible text of
// the same layer (a window and what it holds, or the screen under its windows), no text runs past the widget
// it belongs to, nothing is drawn outside the screen, and no picture shows pieces of two faces of its
// interface texture. Pure: fed with the items a walk of a widget tree found (WidgetLayoutWalk) or made up by a
// test.
#include <cstdint>
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
};

struct LayoutItem {
    std::string name;        // what a report calls it: its widget's path and text
    LayoutBox drawn;         // a text's ink (its line as placed), or a picture's rectangle
    bool text = false;
    bool hasFrame = false;   // texts: whether frame holds the box the text must stay within
    LayoutBox frame;
    int32_t layer = 0;       // items are compared with items of their own layer only
    int32_t texture = -1;    // pictures: the interface texture slot they cut from, -1 for none
    LayoutBox cut;           // and the rectangle of it they show
};

// A face the interface skin paints on a texture; faces are listed in the order they are painted, so that a
// later one covers what it overlaps of an earlier one.
struct TextureFace {
    int32_t texture = 0;
    LayoutBox box;
};

struct LayoutFault {
    enum class Kind { TextsOverlap, TextPastFrame, OffScreen, CutAcrossFaces };
    Kind kind;
    std::string description;
};

// Every fault of the items on a screen of that box, in the items' order.
std::vector<LayoutFault> FindLayoutFaults(const std::vector<LayoutItem>& items, const LayoutBox& screen);

// Every picture that shows pieces of two faces: its cut lies whole in no face and takes part of one, or a face
// painted after the last one that holds it covers part of it.
std::vector<LayoutFault> FindCutFaults(const std::vector<LayoutItem>& items, const std::vector<TextureFace>& faces);

// The faults one to a line, for a test's failure message.
std::string Describe(const std::vector<LayoutFault>& faults);

}  // namespace kvtest
