#pragma once
// The drop-down lists of the room dialogs: a face cut from the option dialogs' texture with a caption in the
// dialogs' small font, and the given number of rows.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

namespace kestrovan {

class ComboBox;
class Widget;

ComboBox* CreateDialogCombo(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t rows);

}  // namespace kestrovan
