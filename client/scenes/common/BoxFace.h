#pragma once
// The message boxes' face (400 x 250 of the common texture) stretched over a widget of any size, for windows
// and panels larger or smaller than a message box that still wear its face.
//
// Threads: only a screen's entries call it (client/app/Scene.h).

namespace kestrovan {

class Widget;

void StretchBoxFace(Widget& widget);

}  // namespace kestrovan
