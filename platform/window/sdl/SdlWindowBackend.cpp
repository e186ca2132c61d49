#include "platform/window/sdl/SdlWindowBackend.h"

#include <SDL.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/system/CodePage.h"
#include "platform/window/PixelImage.h"
#include "platform/window/sdl/RightAltKey.h"

// Last: Xlib's macros would break the headers above.
#include <SDL_syswm.h>
#include <X11/Xatom.h>

namespace platform {
namespace {

SDL_SystemCursor SdlSystemCursor(uint32_t id) {
    switch (id) {
        case SystemCursor::SizeNwse:
            return SDL_SYSTEM_CURSOR_SIZENWSE;
        case SystemCursor::SizeWe:
            return SDL_SYSTEM_CURSOR_SIZEWE;
        case SystemCursor::SizeNs:
            return SDL_SYSTEM_CURSOR_SIZENS;
        case SystemCursor::Hand:
            return SDL_SYSTEM_CURSOR_HAND;
        default:
            return SDL_SYSTEM_CURSOR_ARROW;
    }
}

// Whether a window manager runs on the window's X display (it announces itself on the root window).
bool WindowManagerRuns(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) == SDL_FALSE || info.subsystem != SDL_SYSWM_X11) return true;
    ::Display* display = info.info.x11.display;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == 0) return false;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const bool announced = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW,
                                              &type, &format, &items, &after, &data) == Success &&
                           items == 1;
    if (data != nullptr) XFree(data);
    return announced;
}

// The events SDL holds queued, oldest first, taken out of its queue.
std::vector<SDL_Event> TakeQueuedEvents() {
    std::vector<SDL_Event> events;
    SDL_Event chunk[64];
    int taken = 0;
    while ((taken = SDL_PeepEvents(chunk, 64, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0) {
        events.insert(events.end(), chunk, chunk + taken);
    }
    return events;
}

// SDL's relative mode, entered without losing motion. Entering it, SDL drops the motion it holds queued and takes
// the next motion for the pointer's arrival, which moves nothing. The cursor hides as a key or button is pressed,
// and a main thread that comes late to the press finds the motion made after it, the motion the new mode is about,
// already queued: a whole stroke's draw-back lost, and the push after it taken for the arrival. So the queued
// events are kept through the switch, and SDL is told where the pointer stood: the motion still on its way counts
// from there, and once SDL's pull of the pointer to the window's centre lands, from the centre.
void EnterRelativeMode(SDL_Window* window) {
    if (window == nullptr || SDL_GetRelativeMouseMode() == SDL_TRUE) {
        SDL_SetRelativeMouseMode(SDL_TRUE);
        return;
    }
    std::vector<SDL_Event> queued = TakeQueuedEvents();
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);  // where the queued motion leaves the pointer
    SDL_SetRelativeMouseMode(SDL_TRUE);
    // In relative mode this moves no pointer and makes no motion: it only sets where the next motion starts.
    SDL_WarpMouseInWindow(window, x, y);
    const std::vector<SDL_Event> added = TakeQueuedEvents();
    queued.insert(queued.end(), added.begin(), added.end());
    SDL_PeepEvents(queued.data(), static_cast<int>(queued.size()), SDL_ADDEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
}

SDL_Surface* SurfaceOf(const PixelImage& image) {
    // SDL copies the pixels when it makes a cursor or an icon of the surface, so the surface may borrow them.
    void* pixels = const_cast<uint32_t*>(image.pixels.data());
    return SDL_CreateRGBSurfaceWithFormatFrom(pixels, image.width, image.height, 32, image.width * 4,
                                              SDL_PIXELFORMAT_ARGB8888);
}

// The process that opened the display. SDL shows a message box from a child process of its own, which inherits
// the handler below.
constinit pid_t displayOwner = 0;

// Xlib's default answer to a lost display connection is exit(), which destroys the process's statics under threads
// that still run (a shot, the log's writer) and, in SDL's message-box child, joins threads the child does not have.
// The program ends at once instead (what the log has queued is written: at_quick_exit); the box's child leaves
// its parent to hear of it. Xlib allows no return from here.
int DisplayLost(::Display* /*display*/) {
    if (getpid() != displayOwner) {
        _exit(1);
    }
    std::fputs("Kestrovan ends: the connection to the X display was lost\n", stderr);
    std::quick_exit(1);
}

// Without a display SDL falls back to drivers that draw into memory: the program would run unseen, at full speed,
// holding the instance lock. They serve only when asked for by name (SDL_VIDEODRIVER). The program says why its
// window did not open.
bool ShowsOnScreen(const char* driver) {
    if (driver == nullptr) {
        return false;
    }
    const std::string name = driver;
    if (name != "offscreen" && name != "dummy") {
        return true;
    }
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return asked != nullptr && name == asked;
}

constexpr const char* kSessionBusVariable = "DBUS_SESSION_BUS_ADDRESS";

// Whether the session has no message bus: no address in the environment and no bus socket in the runtime
// folder, as on a bare X server or a remote or headless session.
bool SessionHasNoBus() {
    if (std::getenv(kSessionBusVariable) != nullptr) return false;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    return runtime == nullptr || !std::filesystem::exists(std::filesystem::path(runtime) / "bus", error);
}

// Starts SDL's video. SDL connects to the session's message bus as it starts (for the screen saver and input
// methods); in a session without one the bus library would start dbus-launch to make one, a helper process
// that costs the start some 10 ms before the first frame and may leave a bus daemon running after the game.
// For that call the library is given an address it refuses at once; the environment is put back right after,
// so that the programs the game starts (the web browser) see it as it was.
int StartSdlVideo() {
    const bool noBus = SessionHasNoBus();
    if (noBus) setenv(kSessionBusVariable, "disabled:", 1);
    const int result = SDL_InitSubSystem(SDL_INIT_VIDEO);
    if (noBus) unsetenv(kSessionBusVariable);
    return result;
}

}  // namespace

bool SdlWindowBackend::DesktopNamed() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

SdlWindowBackend::~SdlWindowBackend() { Destroy(); }

bool SdlWindowBackend::Create(const WindowDesc& desc) {
    if (!StartVideo()) {
        lastError_ = kCreateFailed;
        return false;
    }
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS;
    flags |= desc.visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
    // A full-screen window starts over the whole desktop; it is made full screen below.
    const PixelRect rect = desc.fullScreen ? DesktopRect() : desc.rect;
    const std::string title = Utf16ToUtf8(desc.title);
    window_ = SDL_CreateWindow(title.c_str(), rect.left, rect.top, rect.Width(), rect.Height(), flags);
    if (window_ == nullptr) {
        std::fprintf(stderr, "Cannot open the window: %s\n", SDL_GetError());
        lastError_ = kCreateFailed;
        return false;
    }
    if (desc.fullScreen) GoFullScreen();
    converter_.SetWindowId(SDL_GetWindowID(window_));
    if (dragBand_) {
        SDL_SetWindowHitTest(window_, &SdlWindowBackend::HitTest, this);
    }
    if (desc.icon) {
        SetIcon(*desc.icon);
    }
    SDL_StartTextInput();
    return true;
}

void SdlWindowBackend::Destroy() {
    for (auto& [id, cursor] : cursors_) {
        SDL_FreeCursor(cursor);
    }
    cursors_.clear();
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
    if (videoStarted_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoStarted_ = false;
    }
}

bool SdlWindowBackend::PollEvent(InputEvent& event) {
    SDL_Event sdlEvent;
    while (pending_.empty() && SDL_PollEvent(&sdlEvent) != 0) {
        Take(sdlEvent);
    }
    return TakePending(event);
}

bool SdlWindowBackend::WaitEvent(InputEvent& event, uint32_t timeoutMs) {
    SDL_Event sdlEvent;
    if (pending_.empty() && SDL_WaitEventTimeout(&sdlEvent, static_cast<int>(timeoutMs)) != 0) {
        Take(sdlEvent);
    }
    return TakePending(event);
}

void SdlWindowBackend::Wake() {
    if (wakeEventType_ == 0 || wakePending_.exchange(true)) {
        return;
    }
    SDL_Event wake{};
    wake.type = wakeEventType_;
    SDL_PushEvent(&wake);
}

PixelRect SdlWindowBackend::WindowRect() const {
    if (window_ == nullptr) {
        return PixelRect{};
    }
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowSize(window_, &width, &height);
    return PixelRect{x, y, x + width, y + height};
}

// The desktop is asked before the window exists (where to centre it, the full-screen size): the video starts here.
PixelRect SdlWindowBackend::DesktopRect() const {
    if (!StartVideo()) {
        return PixelRect{};
    }
    const int display = window_ != nullptr ? SDL_GetWindowDisplayIndex(window_) : 0;
    SDL_Rect bounds{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds) != 0) {
        return PixelRect{};
    }
    return PixelRect{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
}

void SdlWindowBackend::Place(const PixelRect& rect, bool topmost) {
    if (window_ == nullptr) {
        return;
    }
    SDL_SetWindowAlwaysOnTop(window_, topmost ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowSize(window_, rect.Width(), rect.Height());
    SDL_SetWindowPosition(window_, rect.left, rect.top);
}

// The window also covers the desktop by its own placement: a window manager makes it full screen on request,
// but a bare X server (no window manager) ignores the request.
void SdlWindowBackend::GoFullScreen() {
    // Without a window manager nothing covers or frames a window, so one over the whole desktop is full
    // screen already, and a request would only make SDL wait in vain for a manager's answer.
    if (!WindowManagerRuns(window_)) {
        coversDesktop_ = true;
        return;
    }
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

bool SdlWindowBackend::SetFullScreen(bool fullScreen) {
    if (window_ == nullptr || fullScreen == IsFullScreen()) {
        return window_ != nullptr;
    }
    if (fullScreen) {
        windowedRect_ = WindowRect();
        const PixelRect desktop = DesktopRect();
        SDL_SetWindowPosition(window_, desktop.left, desktop.top);
        SDL_SetWindowSize(window_, desktop.Width(), desktop.Height());
        GoFullScreen();
        return true;
    }
    if (coversDesktop_) {
        coversDesktop_ = false;
    } else if (SDL_SetWindowFullscreen(window_, 0) != 0) {
        return false;
    }
    SDL_SetWindowSize(window_, windowedRect_.Width(), windowedRect_.Height());
    SDL_SetWindowPosition(window_, windowedRect_.left, windowedRect_.top);
    return true;
}

bool SdlWindowBackend::IsFullScreen() const {
    return window_ != nullptr && (coversDesktop_ || (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0);
}

void SdlWindowBackend::Show(ShowCommand command) {
    if (window_ == nullptr) {
        return;
    }
    switch (command) {
        case ShowCommand::Show:
            SDL_ShowWindow(window_);
            break;
        case ShowCommand::Hide:
            SDL_HideWindow(window_);
            break;
        case ShowCommand::Minimize:
            SDL_MinimizeWindow(window_);
            break;
        case ShowCommand::Restore:
            SDL_RestoreWindow(window_);
            break;
        case ShowCommand::Raise:
            // Brought to the top, the window also takes the keyboard, as the foreground window does.
            SDL_RaiseWindow(window_);
            SDL_SetWindowInputFocus(window_);
            break;
    }
}

void SdlWindowBackend::SetDragBand(std::function<bool(PixelPoint)> inBand) {
    dragBand_ = std::move(inBand);
    if (window_ != nullptr) {
        SDL_SetWindowHitTest(window_, dragBand_ ? &SdlWindowBackend::HitTest : nullptr, this);
    }
}

// While the cursor is hidden the mouse steers something of the program's own (the table's stroke, aim or camera),
// and its motion must be the device's, as a relative mouse reports it: not the pointer's, which stops at the edges
// of the screen and of a clip rectangle. SDL's relative mode gives that and hides the cursor; leaving it shows the
// cursor again (dropping the motion SDL holds queued, which came after the release).
void SdlWindowBackend::ShowCursor(bool show) {
    cursorHidden_ = !show;
    if (show) {
        SDL_SetRelativeMouseMode(SDL_FALSE);
    } else {
        pendingWarp_.reset();  // the relative mouse reports the mouse's own motion from here on
        EnterRelativeMode(window_);
    }
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
    ApplyClip();
}

void SdlWindowBackend::SetCursorShape(uint32_t id, const CursorImage* image) {
    if (SDL_Cursor* cursor = CursorFor(id, image)) {
        SDL_SetCursor(cursor);
    }
}

void SdlWindowBackend::ClipCursor(const std::optional<PixelRect>& screenRect) {
    clip_ = screenRect;
    ApplyClip();
}

// Relative mode keeps the pointer within the window by pulling it back to the centre, which the barriers of a
// mouse rectangle would stop: the clip holds only while the cursor shows.
void SdlWindowBackend::ApplyClip() {
    if (window_ == nullptr) {
        return;
    }
    if (!clip_ || cursorHidden_) {
        SDL_SetWindowMouseRect(window_, nullptr);
        return;
    }
    const PixelRect window = WindowRect();
    const SDL_Rect rect{clip_->left - window.left, clip_->top - window.top, clip_->Width(), clip_->Height()};
    SDL_SetWindowMouseRect(window_, &rect);
}

void SdlWindowBackend::CaptureMouse(bool capture) { SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE); }

// The program puts the shown cursor back where it was hidden (the table, after a stroke). X reports the jump as a
// motion of the pointer, and SDL, which has just warped the pointer itself on leaving relative mode, measures it
// from there: the relative mouse would take the whole way back for the player's hand. The motion that lands on
// the target therefore moves nothing (DropWarpMotion). A pointer that stands there already makes no motion.
void SdlWindowBackend::WarpCursor(PixelPoint screen) {
    if (window_ == nullptr) {
        return;
    }
    const PixelRect window = WindowRect();
    const PixelPoint target{screen.x - window.left, screen.y - window.top};
    const PixelPoint before = CursorPosition();
    SDL_WarpMouseInWindow(window_, target.x, target.y);
    // Hidden, the cursor only changes where relative mode will let it out; the pointer does not move.
    if (!cursorHidden_ && (before.x != screen.x || before.y != screen.y)) {
        pendingWarp_ = target;
    }
}

PixelPoint SdlWindowBackend::CursorPosition() const {
    int x = 0;
    int y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    return PixelPoint{x, y};
}

WString SdlWindowBackend::ClipboardText() {
    char* text = SDL_GetClipboardText();
    if (text == nullptr) {
        return WString();
    }
    WString wide = Utf8ToUtf16(text);
    SDL_free(text);
    return wide;
}

bool SdlWindowBackend::SetClipboardText(WStringView text) {
    return SDL_SetClipboardText(Utf16ToUtf8(text).c_str()) == 0;
}

int SdlWindowBackend::ShowPrompt(const PromptRequest& request) {
    const std::string title = Utf16ToUtf8(request.title);
    const std::string text = Utf16ToUtf8(request.text);
    std::vector<std::string> labels;
    std::vector<SDL_MessageBoxButtonData> buttons;
    labels.reserve(request.buttons.size());
    for (const PromptButton& button : request.buttons) {
        labels.push_back(Utf16ToUtf8(button.text));
    }
    for (size_t i = 0; i < request.buttons.size(); ++i) {
        const Uint32 flags = i == 0 ? SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT : 0;
        buttons.push_back(SDL_MessageBoxButtonData{flags, request.buttons[i].id, labels[i].c_str()});
    }
    const SDL_MessageBoxData box{request.errorIcon ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION,
                                 window_,
                                 title.c_str(),
                                 text.c_str(),
                                 static_cast<int>(buttons.size()),
                                 buttons.data(),
                                 nullptr};
    int chosen = kPromptClosed;
    if (SDL_ShowMessageBox(&box, &chosen) != 0) {
        return kPromptClosed;
    }
    return chosen;
}

SDL_HitTestResult SdlWindowBackend::HitTest(SDL_Window* /*window*/, const SDL_Point* point, void* self) {
    const auto* backend = static_cast<SdlWindowBackend*>(self);
    const bool inBand = backend->dragBand_ && backend->dragBand_(PixelPoint{point->x, point->y});
    return inBand ? SDL_HITTEST_DRAGGABLE : SDL_HITTEST_NORMAL;
}

bool SdlWindowBackend::StartVideo() const {
    if (videoStarted_ || videoFailed_) {
        return videoStarted_;
    }
    // A close request arrives as the window's event; SDL's quit event then means an interrupt signal.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Relative mode (ShowCursor) measures the pointer's motion and pulls the pointer back to the window's centre:
    // this works with every pointing device, where the X server's raw motion of an absolute device (a tablet, the
    // pointer of a virtual machine or of XTest) would be taken for huge relative steps.
    SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_MODE_WARP, "1");
    videoFailed_ = true;
    // The window needs a display: with none named and no driver asked for, SDL would go through drivers that find
    // none (the Wayland library complains on the console without its runtime folder) down to one that shows
    // nothing.
    if (!DesktopNamed() && SDL_GetHint(SDL_HINT_VIDEODRIVER) == nullptr) {
        return false;
    }
    if (StartSdlVideo() != 0) {
        return false;
    }
    if (!ShowsOnScreen(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    videoFailed_ = false;
    videoStarted_ = true;
    if (std::string_view(SDL_GetCurrentVideoDriver()) == "x11") {
        displayOwner = getpid();
        XSetIOErrorHandler(&DisplayLost);
    }
    SDL_EventState(SDL_DROPFILE, SDL_DISABLE);
    SDL_EventState(SDL_DROPTEXT, SDL_DISABLE);
    if (wakeEventType_ == 0) {
        const Uint32 type = SDL_RegisterEvents(1);
        wakeEventType_ = type == static_cast<Uint32>(-1) ? 0 : type;
    }
    return true;
}

void SdlWindowBackend::SetIcon(const PixelImage& icon) {
    if (SDL_Surface* surface = SurfaceOf(icon)) {
        SDL_SetWindowIcon(window_, surface);
        SDL_FreeSurface(surface);
    }
}

SDL_Cursor* SdlWindowBackend::CursorFor(uint32_t id, const CursorImage* image) {
    const auto found = cursors_.find(id);
    if (found != cursors_.end()) {
        return found->second;
    }
    SDL_Cursor* cursor = nullptr;
    if (image != nullptr) {
        if (SDL_Surface* surface = SurfaceOf(image->image)) {
            cursor = SDL_CreateColorCursor(surface, image->hotX, image->hotY);
            SDL_FreeSurface(surface);
        }
    } else {
        cursor = SDL_CreateSystemCursor(SdlSystemCursor(id));
    }
    if (cursor != nullptr) {
        cursors_[id] = cursor;
    }
    return cursor;
}

void SdlWindowBackend::Take(const SDL_Event& event) {
    if (wakeEventType_ != 0 && event.type == wakeEventType_) {
        wakePending_ = false;
        return;
    }
    // The layout may have changed since the key was last pressed.
    if (event.type == SDL_KEYDOWN && event.key.repeat == 0 && event.key.keysym.scancode == SDL_SCANCODE_RALT) {
        converter_.SetRightAltIsAltGr(RightAltIsAltGr(window_));
    }
    const size_t first = pending_.size();
    converter_.Convert(event, pending_);
    for (size_t n = first; n < pending_.size(); ++n) {
        DropWarpMotion(pending_[n]);
    }
}

bool SdlWindowBackend::TakePending(InputEvent& out) {
    if (pending_.empty()) {
        return false;
    }
    out = std::move(pending_.front());
    pending_.erase(pending_.begin());
    return true;
}

// The motion that lands where the program put the cursor keeps its position but moved nothing. The warp's motion
// comes after all that X had of the mouse before the warp, however late the program reads them: it is waited for
// by its place, never by the time, as a late read finds every event long after the warp.
void SdlWindowBackend::DropWarpMotion(InputEvent& event) {
    if (!pendingWarp_ || event.kind != InputEventKind::MouseMove) {
        return;
    }
    if (event.x == pendingWarp_->x && event.y == pendingWarp_->y) {
        event.dx = 0;
        event.dy = 0;
        pendingWarp_.reset();
    }
}

}  // namespace platform
