#pragma once
// An App on headless backends for the shell's tests: a scripted window, the recording graphics adapter, no
// audio device, a recording browser and message box, placeholder screens, in a fresh working folder.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "client/app/AppPlatform.h"
#include "client/app/ProgramMain.h"
#include "platform/gfx/headless/RecordingSetup.h"
#include "platform/ui/HeadlessMessageBox.h"

namespace kestrovan::test {

// A temporary working folder, current while the object lives.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::filesystem::path& Path() const { return path_; }
    std::string Read(const std::string& name) const;
    void Write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

class HeadlessApp {
public:
    HeadlessApp();
    ~HeadlessApp();

    // The platform of one App (each call makes a new window backend and adapter from the same setup).
    AppPlatform Platform();
    ProgramSetup Program();
    // What the start log holds so far.
    std::string StartLog();

    std::shared_ptr<platform::gfx::RecordingSetup> graphics = std::make_shared<platform::gfx::RecordingSetup>();
    platform::HeadlessMessageBox boxes;
    ScratchFolder folder;
    std::string lockPath;

private:
    platform::MessageBoxBackend* previousBoxes_ = nullptr;
};

// The words of a command line, word 0 "kestrovan".
std::vector<quill::WString> Words(std::initializer_list<const char16_t*> words);

}  // namespace kestrovan::test
