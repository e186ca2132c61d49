#pragma once
// The option check boxes of the room dialogs (half game, betting): the shared check box face with its caption
// picture of the option dialogs' texture just right of it, shown and hidden with the box, which a click on
// either ticks.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

namespace kestrovan {

class Button;
class Widget;

// The box at (x, y) of parent with control id id, its caption the 57 x 22 picture at (captionX, 741).
Button* AddOptionCheckBox(Widget& parent, int32_t x, int32_t y, int32_t id, int32_t captionX);

}  // namespace kestrovan
