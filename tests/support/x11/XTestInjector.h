#pragma once
// Drives the X display the tests run on (Xvfb) as a user would: real pointer motion, key and button presses
// through the XTest extension, and the window manager's close request. It also reads what the X server
// says about a window, so a test can check the window's real state and not only what the program believes.
#include <optional>
#include <string>
#include <utility>

struct _XDisplay;

namespace kv::test {

struct XWindowGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Windows the program opens and closes can vanish between a listing of the tree and the next question about
// them; Xlib's default handler would end the test process on that BadWindow. Installs, once per process, a
// handler that ignores errors about vanished windows and hands every other error to the handler before it.
// Any thread; called by whatever opens a display here.
void TolerateVanishedWindows();

class XTestInjector {
public:
    XTestInjector();
    ~XTestInjector();
    XTestInjector(const XTestInjector&) = delete;
    XTestInjector& operator=(const XTestInjector&) = delete;

    // False when no display could be opened or it lacks the XTest extension.
    bool Ready() const { return display_ != nullptr; }

    // A top-level window whose name is exactly name; 0 when there is none.
    unsigned long FindWindowByName(const std::string& name) const;
    std::optional<XWindowGeometry> Geometry(unsigned long window) const;
    bool IsShown(unsigned long window) const;
    XWindowGeometry Screen() const;

    void MovePointer(int screenX, int screenY);
    // Moves the pointer by an amount as a mouse does: the X server stops it at the screen's edges.
    void MovePointerBy(int dx, int dy);
    // Moves the pointer by (dx, dy) the given number of times with a pause after each move, as a hand draws a
    // mouse over several frames.
    void MovePointerInSteps(int steps, int dx, int dy, int pauseMs);
    // A key by its X key symbol name ("a", "Return", "Alt_L").
    void Key(const std::string& keysymName, bool press);
    // A key by its place on the keyboard, its XKB name ("RALT", "AD01"), whatever the layout makes of it.
    void KeyAt(const std::string& xkbKeyName, bool press);
    // The symbol the layout gives that key now, on its first level and in the first group ("ISO_Level3_Shift");
    // empty when it has none.
    std::string SymbolAt(const std::string& xkbKeyName) const;
    // Button 1 left, 3 right, 4 and 5 the wheel.
    void Button(unsigned button, bool press);
    void RequestClose(unsigned long window);
    // A motion by (dx, dy) and a key's press or release sent together, as a hand that flicks the mouse and lets
    // go of the key at once: both reach the program in one moment.
    void MovePointerByThenKey(int dx, int dy, const std::string& keysymName, bool press);
    // The X server's auto-repeat on, with its delay and interval: a key held longer than the delay repeats, as
    // on every desktop.
    void SetAutoRepeat(unsigned delayMs, unsigned intervalMs);
    // Where the pointer is on the screen.
    std::optional<std::pair<int, int>> PointerPosition() const;
    // Whether another client may grab the pointer now, as a click on another program's window needs: a second
    // connection grabs it and lets it go. False while a client (the program) holds a grab.
    bool PointerGrabbable() const;

private:
    unsigned long FindIn(unsigned long parent, const std::string& name) const;
    // The keycode of the key with that XKB name, read from the server afresh (the layout may have changed); 0
    // when there is none.
    unsigned KeyCodeNamed(const std::string& xkbKeyName) const;
    void Flush();

    _XDisplay* display_ = nullptr;
};

}  // namespace kv::test
