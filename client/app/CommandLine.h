#pragma once
// The words of a command line and the mode they select. Pure functions; any thread.
#include <vector>

#include "QuillLib/core/WString.h"

namespace kestrovan {

// 0 online, 1 offline, 2 replay.
enum class AppMode : uint32_t { Online = 0, Offline = 1, Replay = 2 };

// Splits a text into words: a blank outside double quotes ends a word (no empty words); a double quote
// toggles quoting and is dropped, and so is a blank inside quotes, which joins the quoted parts. A word of
// two or more characters enclosed in single quotes, else in double quotes, loses them.
void SplitCommandLine(quill::WStringView text, std::vector<quill::WString>& words);

// What the program does with its words (word 0 is the program itself): open the launcher or run in a mode.
struct StartChoice {
    bool openLauncher = false;
    AppMode mode = AppMode::Online;
};
StartChoice ChooseStart(const std::vector<quill::WString>& words);

// The connection's mode byte of the online words: 2 when word 4 is "2", else 0.
uint8_t ConnectionModeOf(const std::vector<quill::WString>& words);

}  // namespace kestrovan
