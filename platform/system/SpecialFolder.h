#pragma once
// Folders of the user's desktop session. Any thread.
#include <string>

namespace platform {

// The user's desktop folder (screenshots go there): XDG_DESKTOP_DIR, else $HOME/Desktop when it exists,
// else $HOME, else the working folder ".". Never created.
std::string DesktopFolder();

}  // namespace platform
