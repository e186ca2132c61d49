#include "XTestInjector.h"

#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
// After Xlib.h, whose types it uses.
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace kv::test {

namespace {

XErrorHandler previousErrorHandler = nullptr;

int IgnoreVanishedWindows(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        return 0;
    }
    return previousErrorHandler != nullptr ? previousErrorHandler(display, error) : 0;
}

}  // namespace

void TolerateVanishedWindows() {
    static std::once_flag installed;
    std::call_once(installed, [] { previousErrorHandler = XSetErrorHandler(IgnoreVanishedWindows); });
}

XTestInjector::XTestInjector() {
    TolerateVanishedWindows();
    display_ = XOpenDisplay(nullptr);
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (display_ != nullptr && !XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

XTestInjector::~XTestInjector() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

unsigned long XTestInjector::FindWindowByName(const std::string& name) const {
    return display_ != nullptr ? FindIn(DefaultRootWindow(display_), name) : 0;
}

unsigned long XTestInjector::FindIn(unsigned long parent, const std::string& name) const {
    Window root = 0;
    Window parentOut = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, parent, &root, &parentOut, &children, &count) == 0) {
        return 0;
    }
    unsigned long found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        char* windowName = nullptr;
        if (XFetchName(display_, children[i], &windowName) != 0 && windowName != nullptr) {
            if (name == windowName) {
                found = children[i];
            }
            XFree(windowName);
        }
        if (found == 0) {
            found = FindIn(children[i], name);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

std::optional<XWindowGeometry> XTestInjector::Geometry(unsigned long window) const {
    XWindowAttributes attributes;
    if (display_ == nullptr || XGetWindowAttributes(display_, window, &attributes) == 0) {
        return std::nullopt;
    }
    Window child = 0;
    int x = 0;
    int y = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return XWindowGeometry{x, y, attributes.width, attributes.height};
}

bool XTestInjector::IsShown(unsigned long window) const {
    XWindowAttributes attributes;
    return display_ != nullptr && XGetWindowAttributes(display_, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

XWindowGeometry XTestInjector::Screen() const {
    if (display_ == nullptr) {
        return XWindowGeometry{};
    }
    const int screen = DefaultScreen(display_);
    return XWindowGeometry{0, 0, DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
}

void XTestInjector::MovePointer(int screenX, int screenY) {
    XTestFakeMotionEvent(display_, -1, screenX, screenY, CurrentTime);
    Flush();
}

void XTestInjector::MovePointerBy(int dx, int dy) {
    XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime);
    Flush();
}

void XTestInjector::MovePointerInSteps(int steps, int dx, int dy, int pauseMs) {
    for (int step = 0; step < steps; ++step) {
        MovePointerBy(dx, dy);
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
}

void XTestInjector::Key(const std::string& keysymName, bool press) {
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysymName.c_str()));
    XTestFakeKeyEvent(display_, code, press ? True : False, CurrentTime);
    Flush();
}

void XTestInjector::KeyAt(const std::string& xkbKeyName, bool press) {
    XTestFakeKeyEvent(display_, KeyCodeNamed(xkbKeyName), press ? True : False, CurrentTime);
    Flush();
}

std::string XTestInjector::SymbolAt(const std::string& xkbKeyName) const {
    const unsigned code = KeyCodeNamed(xkbKeyName);
    XkbDescPtr keyboard = XkbGetMap(display_, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (code == 0 || keyboard == nullptr) {
        if (keyboard != nullptr) XkbFreeKeyboard(keyboard, 0, True);
        return {};
    }
    const KeySym symbol = XkbKeyNumGroups(keyboard, code) > 0 ? XkbKeySymEntry(keyboard, code, 0, 0) : NoSymbol;
    XkbFreeKeyboard(keyboard, 0, True);
    const char* name = symbol != NoSymbol ? XKeysymToString(symbol) : nullptr;
    return name != nullptr ? name : "";
}

unsigned XTestInjector::KeyCodeNamed(const std::string& xkbKeyName) const {
    XkbDescPtr keyboard = XkbGetMap(display_, 0, XkbUseCoreKbd);
    if (keyboard == nullptr) return 0;
    unsigned found = 0;
    const bool named = XkbGetNames(display_, XkbKeyNamesMask, keyboard) == Success && keyboard->names != nullptr;
    for (unsigned code = keyboard->min_key_code; named && code <= keyboard->max_key_code; ++code) {
        const char* name = keyboard->names->keys[code].name;
        if (std::string(name, strnlen(name, XkbKeyNameLength)) == xkbKeyName) {
            found = code;
            break;
        }
    }
    XkbFreeKeyboard(keyboard, 0, True);
    return found;
}

void XTestInjector::Button(unsigned button, bool press) {
    XTestFakeButtonEvent(display_, button, press ? True : False, CurrentTime);
    Flush();
}

void XTestInjector::RequestClose(unsigned long window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    Flush();
}

void XTestInjector::MovePointerByThenKey(int dx, int dy, const std::string& keysymName, bool press) {
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysymName.c_str()));
    XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime);
    XTestFakeKeyEvent(display_, code, press ? True : False, CurrentTime);
    Flush();
}

void XTestInjector::SetAutoRepeat(unsigned delayMs, unsigned intervalMs) {
    XAutoRepeatOn(display_);
    XkbSetAutoRepeatRate(display_, XkbUseCoreKbd, delayMs, intervalMs);
    Flush();
}

std::optional<std::pair<int, int>> XTestInjector::PointerPosition() const {
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int mask = 0;
    if (display_ == nullptr ||
        !XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &windowX, &windowY, &mask)) {
        return std::nullopt;
    }
    return std::pair{x, y};
}

bool XTestInjector::PointerGrabbable() const {
    Display* other = XOpenDisplay(nullptr);
    if (other == nullptr) return false;
    const int result = XGrabPointer(other, DefaultRootWindow(other), False, ButtonPressMask, GrabModeAsync,
                                    GrabModeAsync, None, None, CurrentTime);
    if (result == GrabSuccess) XUngrabPointer(other, CurrentTime);
    XCloseDisplay(other);
    return result == GrabSuccess;
}

void XTestInjector::Flush() { XSync(display_, False); }

}  // namespace kv::test
