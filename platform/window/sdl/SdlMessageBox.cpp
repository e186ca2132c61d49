#include "platform/window/sdl/SdlMessageBox.h"

#include <SDL.h>
#include <SDL_messagebox.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/system/CodePage.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/sdl/SdlWindowAccess.h"
#include "platform/window/sdl/SdlWindowBackend.h"

namespace platform {
namespace {

Uint32 IconFlags(uint32_t style) {
    switch (style & 0xF0) {
        case MsgBoxStyle::IconError:
            return SDL_MESSAGEBOX_ERROR;
        case MsgBoxStyle::IconWarning:
            return SDL_MESSAGEBOX_WARNING;
        default:
            return SDL_MESSAGEBOX_INFORMATION;
    }
}

// A window of the box's own that stays on top, when the box must and has no owner: a desktop keeps a
// full-screen window above ordinary ones, and a box owned by an always-on-top window goes above it too. Null
// when there is none to make (the box then shows as an ordinary one).
SDL_Window* TopMostOwner() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
    SDL_Window* owner = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1, 1,
                                         SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR);
    if (owner == nullptr) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return owner;
}

// The owner is the program's main window (Window::Handle): the box stands over it.
SDL_Window* OwnerWindow(WindowHandle owner) {
    return owner != nullptr ? SdlWindowOf(*static_cast<Window*>(owner)) : nullptr;
}

// SDL shows a box on X in a child process of its own, forked by the thread that asks for the box. That thread
// names a pipe here; the child writes its process id into it (a fork copies the forking thread's own
// variables), so that the box can be taken away, and dies with the program should the program be killed.
thread_local int g_boxPidPipe = -1;

void ReportBoxChild() {
    if (g_boxPidPipe < 0)
        return;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const pid_t pid = getpid();
    (void)write(g_boxPidPipe, &pid, sizeof pid);
}

constexpr auto kQuitCheck = std::chrono::milliseconds(20);

// A quit (SIGTERM among them) or a close of the owner window waits in SDL's queue; both stay there for the
// program's loop.
bool QuitAsked(SDL_Window* owner) {
    SDL_PumpEvents();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0)
        return true;
    SDL_Event events[64];
    const int count = SDL_PeepEvents(events, 64, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
    return std::any_of(events, events + std::max(count, 0), [owner](const SDL_Event& event) {
        return event.window.event == SDL_WINDOWEVENT_CLOSE && event.window.windowID == SDL_GetWindowID(owner);
    });
}

// The box on a thread of its own while this thread reads the owner window's events: a quit asked meanwhile
// kills the box's process and ends the wait. SDL's own work around the box (the cursor and keyboard put back,
// the window raised) runs on the box's thread before the box's process starts and after it has ended: the
// events are read only while that process runs, so that the two threads never touch SDL together. Whether
// the box was answered; chosen has the answer.
bool ShowUntilQuit(const SDL_MessageBoxData& box, SDL_Window* owner, int& chosen) {
    static const int registered = pthread_atfork(nullptr, nullptr, ReportBoxChild);
    int pipeEnds[2] = {-1, -1};
    if (registered != 0 || pipe2(pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0)
        return SDL_ShowMessageBox(&box, &chosen) == 0;
    std::atomic<bool> done{false};
    int shown = -1;
    std::thread asker([&] {
        g_boxPidPipe = pipeEnds[1];
        shown = SDL_ShowMessageBox(&box, &chosen);
        g_boxPidPipe = -1;
        done = true;
    });
    enum class Phase { kStarting, kShown, kEnded };
    Phase phase = Phase::kStarting;
    pid_t child = 0;
    bool quit = false;
    while (!done) {
        if (phase == Phase::kStarting && read(pipeEnds[0], &child, sizeof child) == sizeof child) {
            // The box's process has its copy of the pipe: with this one closed, the pipe ends with the box.
            close(pipeEnds[1]);
            pipeEnds[1] = -1;
            phase = Phase::kShown;
        }
        if (phase == Phase::kShown) {
            pid_t more = 0;
            if (read(pipeEnds[0], &more, sizeof more) == 0) {
                phase = Phase::kEnded;
            } else if (!quit && QuitAsked(owner)) {
                quit = true;
                kill(child, SIGKILL);
            }
        }
        std::this_thread::sleep_for(kQuitCheck);
    }
    asker.join();
    close(pipeEnds[0]);
    if (pipeEnds[1] >= 0)
        close(pipeEnds[1]);
    // Input for the window during the box is not the game's.
    SDL_FlushEvents(SDL_KEYDOWN, SDL_MULTIGESTURE);
    if (quit) {
        chosen = -1;
        return true;
    }
    return shown == 0;
}

}  // namespace

// A box closed without a choice answers No (OK for a box without No); so does one the desktop cannot show.
int SdlMessageBox::Show(const MessageBoxRequest& request) {
    const bool yesNo = (request.style & MsgBoxStyle::ButtonMask) == MsgBoxStyle::YesNo;
    // Without any display there is no desktop to show the box on, and SDL would start a helper program to look
    // for one. The box answers as one closed; its text is the caller's to report (the program logs every box and
    // says on the console why its window did not open).
    if (!SdlWindowBackend::DesktopNamed()) return yesNo ? MsgBoxResult::No : MsgBoxResult::Ok;
    // A carriage return breaks the line on Windows' boxes; SDL's breaks at line feeds only.
    std::string text = Utf16ToUtf8(request.text);
    std::replace(text.begin(), text.end(), '\r', '\n');
    const std::string caption = Utf16ToUtf8(request.caption);
    const SDL_MessageBoxButtonData okButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, MsgBoxResult::Ok, "OK"}};
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, MsgBoxResult::Yes, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, MsgBoxResult::No, "No"}};
    SDL_Window* owner = parent_ != nullptr ? parent_ : OwnerWindow(request.owner);
    SDL_Window* const topMost =
        owner == nullptr && (request.style & MsgBoxStyle::TopMost) != 0 ? TopMostOwner() : nullptr;
    if (topMost != nullptr) owner = topMost;
    const SDL_MessageBoxData box{IconFlags(request.style),
                                 owner,
                                 caption.c_str(),
                                 text.c_str(),
                                 yesNo ? 2 : 1,
                                 yesNo ? yesNoButtons : okButtons,
                                 nullptr};
    int chosen = yesNo ? MsgBoxResult::Yes : MsgBoxResult::Ok;
    auto* window = static_cast<Window*>(request.owner);
    const bool watched = window != nullptr && OwnerWindow(request.owner) != nullptr && window->OnMainThread();
    const bool shown = watched ? ShowUntilQuit(box, OwnerWindow(request.owner), chosen)
                               : SDL_ShowMessageBox(&box, &chosen) == 0;
    if (!shown) {
        // The display's desktop cannot show it: the terminal still tells the user.
        std::fprintf(stderr, "%s: %s\n(no box on the desktop: %s)\n", caption.c_str(), text.c_str(), SDL_GetError());
    }
    if (topMost != nullptr) {
        SDL_DestroyWindow(topMost);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    if (!shown || chosen < 0) return yesNo ? MsgBoxResult::No : MsgBoxResult::Ok;
    return chosen;
}

}  // namespace platform
