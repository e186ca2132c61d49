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

}  // namespace
}  // namespace platform
