#include "platform/system/posix/ShellOpen.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/system/CodePage.h"
#include "platform/system/Path.h"

extern char** environ;

namespace platform {

namespace {

// Starts program in directory; the child's id, or -1.
pid_t Spawn(const char* program, char* const argv[], const std::string& directory) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    pid_t pid = 0;
    const int result = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

}  // namespace

bool ShellOpen(const std::string& file, const std::string& directory) {
    const std::string path = NativePath(Utf8ToUtf16(directory + "/" + file));
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const std::string absolute = std::filesystem::absolute(path, error).string();
    if (access(absolute.c_str(), X_OK) == 0) {
        char* argv[] = {const_cast<char*>(absolute.c_str()), nullptr};
        return Spawn(absolute.c_str(), argv, directory) > 0;
    }
    // The shell started here puts the opener in the background and ends at once; it is reaped right away.
    const char* script = "xdg-open \"$1\" >/dev/null 2>&1 &";
    char* argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"), const_cast<char*>(script),
                    const_cast<char*>("sh"), const_cast<char*>(absolute.c_str()), nullptr};
    const pid_t pid = Spawn("/bin/sh", argv, directory);
    if (pid < 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return true;
}

}  // namespace platform
