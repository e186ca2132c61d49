#include "tests/client/app/AppFixture.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "QuillLib/core/LogSystem.h"
#include "client/app/PlaceholderScene.h"
#include "platform/browser/headless/HeadlessBrowser.h"
#include "platform/gfx/headless/RecordingSystem.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/headless/HeadlessWindowBackend.h"

namespace kestrovan::test {

ScratchFolder::ScratchFolder() {
    previous_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrovan-app-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
}

ScratchFolder::~ScratchFolder() {
    std::filesystem::current_path(previous_);
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

std::string ScratchFolder::Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void ScratchFolder::Write(const std::string& name, const std::string& text) const {
    std::filesystem::create_directories((path_ / name).parent_path());
    std::ofstream(path_ / name, std::ios::binary) << text;
}

HeadlessApp::HeadlessApp() : lockPath((folder.Path() / "instance.lock").string()) {
    graphics->adapter.modes[platform::gfx::Format::X8R8G8B8] = {
        {1024, 768, 60, platform::gfx::Format::X8R8G8B8}, {1280, 1024, 60, platform::gfx::Format::X8R8G8B8}};
    previousBoxes_ = platform::SetMessageBoxBackend(&boxes);
    // The start log of this App goes into its folder.
    quill::TheLog().Stop();
    quill::TheLog().SetDirectory(u".");
    quill::TheLog().Start(u"StartLog", 100, true);
}

HeadlessApp::~HeadlessApp() {
    quill::TheLog().Stop();
    platform::SetMessageBoxBackend(previousBoxes_);
}

std::string HeadlessApp::StartLog() {
    quill::TheLog().Flush(5000);
    return folder.Read("StartLog.log");
}

AppPlatform HeadlessApp::Platform() {
    AppPlatform platform;
    platform.windowBackend = [] { return std::make_unique<platform::HeadlessWindowBackend>(); };
    platform.graphicsSystem = [setup = graphics] { return std::make_unique<platform::gfx::RecordingSystem>(setup); };
    platform.audioDevice = [](std::string& error) -> std::unique_ptr<platform::AudioDevice> {
        error = "no audio device in tests";
        return nullptr;
    };
    platform.browser = [] { return std::make_unique<platform::HeadlessBrowser>(); };
    platform.createScene = &CreatePlaceholderScene;
    return platform;
}

ProgramSetup HeadlessApp::Program() {
    ProgramSetup setup;
    setup.platform = Platform();
    setup.lockPath = lockPath;
    return setup;
}

std::vector<quill::WString> Words(std::initializer_list<const char16_t*> words) {
    std::vector<quill::WString> result{u"kestrovan"};
    for (const char16_t* word : words) result.emplace_back(word);
    return result;
}

}  // namespace kestrovan::test
