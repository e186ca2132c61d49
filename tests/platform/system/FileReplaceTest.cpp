#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "platform/system/FileReplace.h"
#include "tests/support/common/FileSizeLimit.h"
#include "tests/support/common/TempDirectory.h"

namespace platform {
namespace {

std::span<const std::byte> Bytes(const std::string& text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

// Whole files that replace older ones (images, screenshots, the package tool's output): the older file
// stays until the new one is written whole, and a failure is reported, never passed off as a success.
TEST(ReplaceFileContents, TheOlderFileStaysUnlessTheNewOneIsWrittenWhole) {
    kvtest::TempDirectory folder;
    const std::string path = (folder.Path() / "shot.png").string();
    std::ofstream(path) << "older";
    ASSERT_TRUE(ReplaceFileContents(path, Bytes("newer")));
    EXPECT_EQ(folder.Read("shot.png"), "newer");

    const std::string large(256 * 1024, 'x');
    {
        kvtest::FileSizeLimit diskFull(1024);
        EXPECT_FALSE(ReplaceFileContents(path, Bytes(large)));
    }
    EXPECT_EQ(folder.Read("shot.png"), "newer");
    EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"shot.png"}) << "no temporary file left behind";

    EXPECT_FALSE(ReplaceFileContents((folder.Path() / "missing" / "shot.png").string(), Bytes("x")));
}

TEST(ReplaceFileContents, AFullDeviceIsWrittenInPlaceAndItsFailureReported) {
    EXPECT_FALSE(ReplaceFileContents("/dev/full", Bytes("abc")));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
    EXPECT_TRUE(ReplaceFileContents("/dev/null", Bytes("abc")));
}

// A writer killed between making its temporary and renaming it leaves "<target>.<random>.tmp": the next start
// removes those of its own targets, and nothing else (another target's temporary, a file named alike, a folder).
TEST(RemoveLeftoverTemporaries, OnlyTheTemporariesOfTheTargetsGo) {
    kvtest::TempDirectory folder;
    const std::string beside = CreateFileBeside((folder.Path() / "config.ini").string());
    ASSERT_FALSE(beside.empty());
    for (const char* name : {"config.ini", "other.ini.ab12cd34.tmp", "config.ini.AB12CD34.tmp", "config.ini.tmp",
                             "config.ini.ab12cd3.tmp", "notes.tmp"})
        std::ofstream(folder.Path() / name) << "kept";
    std::filesystem::create_directory(folder.Path() / "config.ini.zzzzzzzz.tmp");
    const auto isConfig = [](std::string_view name) { return name == "config.ini"; };

    EXPECT_EQ(RemoveLeftoverTemporaries(folder.Path().string(), isConfig), 1u);
    EXPECT_FALSE(std::filesystem::exists(beside));
    EXPECT_EQ(folder.FileNames(),
              (std::vector<std::string>{"config.ini", "config.ini.AB12CD34.tmp", "config.ini.ab12cd3.tmp",
                                        "config.ini.tmp", "config.ini.zzzzzzzz.tmp", "notes.tmp",
                                        "other.ini.ab12cd34.tmp"}));
    EXPECT_EQ(RemoveLeftoverTemporaries((folder.Path() / "missing").string(), isConfig), 0u);
}

}  // namespace
}  // namespace platform
