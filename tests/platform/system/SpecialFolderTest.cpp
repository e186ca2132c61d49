#include "platform/system/SpecialFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tests/support/common/TempDirectory.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// The session's variables that name the folders, set for one test and put back after it.
class DesktopFolderTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
        setenv("HOME", home_.Path().c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) setenv(name, value->c_str(), 1);
            else unsetenv(name);
        }
    }
    void WriteUserDirs(const std::string& lines) {
        fs::create_directories(home_.Path() / ".config");
        std::ofstream(home_.Path() / ".config" / "user-dirs.dirs") << lines;
    }

    static constexpr const char* kNames[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DESKTOP_DIR"};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
    kvtest::TempDirectory home_;
};

// A localised desktop named by the user-dirs file is where pictures go, as the desktop.
TEST_F(DesktopFolderTest, TheDesktopTheUserDirsFileNamesIsTheDesktop) {
    fs::create_directories(home_.Path() / "Schreibtisch");
    WriteUserDirs("# written by xdg-user-dirs-update\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
                  "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    const PictureFolder folder = DesktopFolder();
    EXPECT_EQ(folder.path, (home_.Path() / "Schreibtisch").string());
    EXPECT_EQ(folder.kind, PictureFolder::Kind::Desktop);
}

// A user-dirs file that is a FIFO (its open would wait for a writer for ever) or larger than any such file names
// nothing: the pictures go to ~/Desktop.
TEST_F(DesktopFolderTest, AUserDirsFileThatIsAFifoOrOversizedIsPassedOver) {
    fs::create_directories(home_.Path() / "Schreibtisch");
    fs::create_directories(home_.Path() / "Desktop");
    const std::string desktop = (home_.Path() / "Desktop").string();
    const std::string line = "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
    WriteUserDirs(line + std::string(64 * 1024, '#'));
    EXPECT_EQ(DesktopFolder().path, desktop);

    fs::remove(home_.Path() / ".config" / "user-dirs.dirs");
    ASSERT_EQ(mkfifo((home_.Path() / ".config" / "user-dirs.dirs").c_str(), 0600), 0);
    EXPECT_EQ(DesktopFolder().path, desktop);
}

// Without a desktop folder that exists (none named, a named one missing, or the home folder itself named as
// the desktop) pictures go to the home folder, and say so.
TEST_F(DesktopFolderTest, WithoutADesktopFolderThePicturesGoHomeAndSaySo) {
    const auto home = [this] { return PictureFolder{home_.Path().string(), PictureFolder::Kind::Home}; };
    const auto same = [](const PictureFolder& a, const PictureFolder& b) { return a.path == b.path && a.kind == b.kind; };
    EXPECT_TRUE(same(DesktopFolder(), home()));
    WriteUserDirs("XDG_DESKTOP_DIR=\"$HOME/Gone\"\n");
    EXPECT_TRUE(same(DesktopFolder(), home()));
    WriteUserDirs("XDG_DESKTOP_DIR=\"$HOME/\"\n");
    EXPECT_TRUE(same(DesktopFolder(), home()));
    unsetenv("HOME");
    EXPECT_EQ(DesktopFolder().kind, PictureFolder::Kind::WorkingFolder);
}

}  // namespace
}  // namespace platform
