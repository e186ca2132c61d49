#pragma once
// What the keyboard layout makes of the right Alt key, which SDL names the right Alt on every layout.
#include <SDL_video.h>

namespace platform {

// Whether the right Alt key is AltGr (the third level's shift, or the group's) in the layout and group the X
// display has now: asked afresh at each call, a round trip to the X server. False on another video driver, where
// the key stays Alt. Main thread (SDL's video).
bool RightAltIsAltGr(SDL_Window* window);

}  // namespace platform
