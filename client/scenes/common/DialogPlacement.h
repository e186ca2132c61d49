#pragma once
// Where dialogs and popups go when they open: centred on the screen, at ((screen width - width) / 2,
// (screen height - height) / 2) with integer division, relative to their parent's top-left (every screen's
// root covers the screen from (0, 0)).
//
// Threads: only a screen's entries call it (client/app/Scene.h).
namespace kestrovan {

class Widget;

void CentreOnScreen(Widget& widget);

}  // namespace kestrovan
