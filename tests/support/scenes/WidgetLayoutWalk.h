#pragma once
// What a widget tree draws, as the items the layout rules judge (tests/support/layout/LayoutRules.h): every
// visible text label with the box of its text as the label places it in its font, its ink and the box of the
// widget it belongs to (its nearest ancestor larger than an anchor's single pixel); every visible picture as
// its sprite draws it (its image's frame, scaled, at its opacity) with the texture slot and rectangle it cuts
// it from; every input control (edit box, list, check box or radio button, slider) with the box it takes; and
// every vertical scroll bar with its box, drawn or not. A root is drawn with its picture unless it is a screen
// (which has no parent).
// A Window (the root too) begins a layer of its own, whose items know its box; a window's or panel's own
// picture is its face. Hidden widgets and what they hold, and fully transparent ones, draw nothing. Texts are
// measured in the labels' fonts as the device's text surfaces open them, so that a tree on the headless App,
// which has no device, is measured as the program draws it.
//
// Threads: the caller holds the scene manager's widget-tree lock while it walks a screen of a running App.
#include <vector>

#include "tests/support/layout/LayoutRules.h"

namespace kestrovan {
class Widget;
}

namespace kestrovan::test {

std::vector<kvtest::LayoutItem> WalkWidgetTree(const Widget& root);

}  // namespace kestrovan::test
