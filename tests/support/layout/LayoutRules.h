#pragma once
// The rules a laid-out screen keeps, judged on what it draws: no visible text overlaps another visible text of
// the same layer (a window and what it holds, or the screen under its windows), no text runs past the widget
// it belongs to, and nothing is drawn outside the screen. Pure: fed with the items a walk of a widget tree
// found (WidgetLayoutWalk) or made up by a test.
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
};

struct LayoutFault {
    enum class Kind { TextsOverlap, TextPastFrame, OffScreen };
    Kind kind;
    std::string description;
};

// Every fault of the items on a screen of that box, in the items' order.
std::vector<LayoutFault> FindLayoutFaults(const std::vector<LayoutItem>& items, const LayoutBox& screen);

// The faults one to a line, for a test's failure message.
std::string Describe(const std::vector<LayoutFault>& faults);

}  // namespace kvtest
