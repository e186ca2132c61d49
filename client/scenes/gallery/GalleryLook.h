#pragma once
// What the gallery's list and shot dialogs share of their look: the pitch of their rows and their labels.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

namespace kestrovan {

class TextLabel;
class Widget;

namespace gallery_look {

inline constexpr int32_t kRowPitch = 26;

// A label in the bold 12 face, in colour, without a shadow.
TextLabel* AddLabel(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour);

}  // namespace gallery_look

}  // namespace kestrovan
