#include "platform/browser/xdg/XdgBrowser.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/system/CodePage.h"

extern char** environ;

namespace platform {

// A shell started for the purpose puts xdg-open in the background and ends at once, so the program reaps
// it right away and leaves no child behind; the address is the shell's argument, never part of its script.
bool XdgBrowser::Launch(WStringView address) {
    const std::string url = Utf16ToUtf8(address);
    const char* script = "xdg-open \"$1\" >/dev/null 2>&1 &";
    char* const argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"), const_cast<char*>(script),
                          const_cast<char*>("sh"), const_cast<char*>(url.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0) {
        return false;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform
