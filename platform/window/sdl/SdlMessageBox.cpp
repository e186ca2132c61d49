#include "platform/window/sdl/SdlMessageBox.h"

#include <SDL.h>
#include <SDL_messagebox.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/system/CodePage.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/sdl/SdlWindowAccess.h"

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

}  // namespace

// A box closed without a choice answers No (OK for a box without No); so does one the desktop cannot show.
int SdlMessageBox::Show(const MessageBoxRequest& request) {
    // A carriage return breaks the line on Windows' boxes; SDL's breaks at line feeds only.
    std::string text = Utf16ToUtf8(request.text);
    std::replace(text.begin(), text.end(), '\r', '\n');
    const std::string caption = Utf16ToUtf8(request.caption);
    const bool yesNo = (request.style & MsgBoxStyle::ButtonMask) == MsgBoxStyle::YesNo;
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
    const bool shown = SDL_ShowMessageBox(&box, &chosen) == 0;
    if (!shown) {
        // No desktop to show it on (no display): the terminal still tells the user.
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
