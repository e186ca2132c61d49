#pragma once
// A modal box with a text and buttons of the caller's choice, for the few dialogs of the program that are
// more than OK or Yes and No (a link to follow, for one).
#include <vector>

#include "platform/system/WString.h"

namespace platform {

struct PromptButton {
    int id = 0;
    WString text;
};

struct PromptRequest {
    WString title;
    WString text;
    std::vector<PromptButton> buttons;  // the first is the default
    bool errorIcon = false;
};

// What a prompt answers when the user closes it without choosing a button.
inline constexpr int kPromptClosed = -1;

}  // namespace platform
