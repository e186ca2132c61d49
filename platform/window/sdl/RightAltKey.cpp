#include "platform/window/sdl/RightAltKey.h"

#include <cstring>

// Last: Xlib's macros would break the headers above.
#include <SDL_syswm.h>
#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace platform {
namespace {

::Display* X11Display(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) == SDL_FALSE || info.subsystem != SDL_SYSWM_X11) {
        return nullptr;
    }
    return info.info.x11.display;
}

// The keycode of the key the keyboard's description names RALT (its place, whatever the layout gives it); 0
// when there is none.
KeyCode RightAltKeyCode(const XkbDescRec& keyboard) {
    if (keyboard.names == nullptr || keyboard.names->keys == nullptr) {
        return 0;
    }
    for (int code = keyboard.min_key_code; code <= keyboard.max_key_code; ++code) {
        if (std::strncmp(keyboard.names->keys[code].name, "RALT", XkbKeyNameLength) == 0) {
            return static_cast<KeyCode>(code);
        }
    }
    return 0;
}

// The key's symbol on its first level in the group, a group beyond the key's own wrapping round as X does.
KeySym FirstLevelSymbol(XkbDescRec& keyboard, KeyCode code, unsigned group) {
    const unsigned groups = code != 0 ? XkbKeyNumGroups(&keyboard, code) : 0;
    return groups != 0 ? XkbKeySymEntry(&keyboard, code, 0, group % groups) : NoSymbol;
}

}  // namespace

bool RightAltIsAltGr(SDL_Window* window) {
    ::Display* display = X11Display(window);
    if (display == nullptr) {
        return false;
    }
    XkbDescPtr keyboard = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (keyboard == nullptr) {
        return false;
    }
    XkbStateRec state{};
    KeySym symbol = NoSymbol;
    if (XkbGetNames(display, XkbKeyNamesMask, keyboard) == Success &&
        XkbGetState(display, XkbUseCoreKbd, &state) == Success) {
        symbol = FirstLevelSymbol(*keyboard, RightAltKeyCode(*keyboard), state.group);
    }
    XkbFreeKeyboard(keyboard, 0, True);
    return symbol == XK_ISO_Level3_Shift || symbol == XK_Mode_switch;
}

}  // namespace platform
