#include "platform/window/sdl/SdlMessageBox.h"

#include <SDL_messagebox.h>

#include <string>

#include "platform/system/CodePage.h"
#include "platform/ui/MessageBox.h"

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

}  // namespace

// A box closed without a choice answers No (OK for a box without No); so does one the desktop cannot show.
int SdlMessageBox::Show(const MessageBoxRequest& request) {
    const std::string text = Utf16ToUtf8(request.text);
    const std::string caption = Utf16ToUtf8(request.caption);
    const bool yesNo = (request.style & MsgBoxStyle::ButtonMask) == MsgBoxStyle::YesNo;
    const SDL_MessageBoxButtonData okButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, MsgBoxResult::Ok, "OK"}};
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, MsgBoxResult::Yes, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, MsgBoxResult::No, "No"}};
    const SDL_MessageBoxData box{IconFlags(request.style),
                                 parent_,
                                 caption.c_str(),
                                 text.c_str(),
                                 yesNo ? 2 : 1,
                                 yesNo ? yesNoButtons : okButtons,
                                 nullptr};
    int chosen = yesNo ? MsgBoxResult::Yes : MsgBoxResult::Ok;
    if (SDL_ShowMessageBox(&box, &chosen) != 0 || chosen < 0) {
        return yesNo ? MsgBoxResult::No : MsgBoxResult::Ok;
    }
    return chosen;
}

}  // namespace platform
