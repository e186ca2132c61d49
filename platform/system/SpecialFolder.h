#pragma once
// Folders of the user's desktop session. Any thread.
#include <string>

namespace platform {

// Where the player's screenshots go, and what that folder is to him.
struct PictureFolder {
    enum class Kind {
        Desktop,        // the desktop folder the session names
        Home,           // the home folder: the session names no desktop folder that exists
        WorkingFolder,  // the game's working folder: there is no home folder either
    };
    std::string path;
    Kind kind = Kind::WorkingFolder;
};

// The desktop folder: XDG_DESKTOP_DIR from the environment, else the one the user's XDG user-dirs file names
// ($XDG_CONFIG_HOME/user-dirs.dirs, by default ~/.config/user-dirs.dirs, where a localised desktop is named; read
// only when it is a regular file of at most 64 KB), else ~/Desktop; each only when it is a folder. Without one,
// the home folder, else the working folder ".". Never created. It reads the file system: callers ask once.
PictureFolder DesktopFolder();

}  // namespace platform
