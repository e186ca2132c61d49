// The package tool's commands against the file system as users meet it: missing files, links that loop,
// file names that are not UTF-8, a disk that fills up, damaged and hostile packages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "QuillLib/core/StreamFields.h"
#include "tests/QuillLib/resource/SharedOffsetPackage.h"
#include "tests/support/common/FileSizeLimit.h"
#include "tests/support/common/TempDirectory.h"
#include "tools/tpk/TpkCommands.h"

namespace tpk {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunCommand(int (*command)(const Arguments&), const Arguments& args) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = command(args);
    return {status, testing::internal::GetCapturedStdout(), testing::internal::GetCapturedStderr()};
}

class TpkCommandsTest : public testing::Test {
protected:
    // An item file: a BINARY_DATA body (a u32 size and the bytes).
    void WriteItem(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        quill::MemoryStream body;
        quill::WriteU32(body, static_cast<uint32_t>(bytes.size()));
        body.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(body.Data()), body.Size());
    }

    std::string Path(const std::string& name) const { return (folder_.Path() / name).string(); }

    std::string ReadFile(const std::string& name) const { return folder_.Read(name); }

    void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_.Path() / name, std::ios::binary) << bytes;
    }

    kvtest::TempDirectory folder_;
};

TEST_F(TpkCommandsTest, BuildsListsAndExtractsAFolderWhoseNamesAreNotUtf8) {
    WriteItem(folder_.Path() / "items" / "data" / "3-first.tbd", "abc");
    WriteItem(folder_.Path() / "items" / "data" / "4-caf\xe9\xff.tbd", "xyz");  // Latin-1, not UTF-8
    const Outcome built = RunCommand(BuildPackage, {Path("items"), Path("pack.tpk"), Path("pack.h")});
    ASSERT_EQ(built.status, kSucceeded) << built.err;
    EXPECT_THAT(ReadFile("pack.h"), HasSubstr("namespace pack"));

    const Outcome listed = RunCommand(ListPackage, {Path("pack.tpk")});
    EXPECT_EQ(listed.status, kSucceeded) << listed.err;
    EXPECT_THAT(listed.out, HasSubstr("BINARY_DATA: 2 item(s)"));

    fs::create_directories(folder_.Path() / "out\xff");
    const Outcome extracted = RunCommand(ExtractItem, {Path("pack.tpk"), "data", "tbd", "4", Path("out\xff/4.tbd")});
    EXPECT_EQ(extracted.status, kSucceeded) << extracted.err;
    EXPECT_EQ(fs::file_size(folder_.Path() / "out\xff" / "4.tbd"), 7u);
}

TEST_F(TpkCommandsTest, FileSystemErrorsAreMessagesAndExitOne) {
    // A link that loops where an item belongs used to end the tool with an uncaught exception.
    WriteItem(folder_.Path() / "items" / "data" / "1.tbd", "a");
    ASSERT_EQ(symlink("2.tbd", (folder_.Path() / "items" / "data" / "2.tbd").c_str()), 0);
    const Outcome loop = RunCommand(BuildPackage, {Path("items"), Path("pack.tpk")});
    EXPECT_EQ(loop.status, kFailed);
    EXPECT_THAT(loop.err, HasSubstr("2.tbd: Too many levels of symbolic links"));
    EXPECT_FALSE(fs::exists(folder_.Path() / "pack.tpk"));

    const Outcome missing = RunCommand(ListPackage, {Path("missing.tpk")});
    EXPECT_EQ(missing.status, kFailed);
    EXPECT_THAT(missing.err, HasSubstr("missing.tpk: no such file"));
    const Outcome folder = RunCommand(ListPackage, {Path("items")});
    EXPECT_EQ(folder.status, kFailed);
    EXPECT_THAT(folder.err, HasSubstr("a folder, not a file"));
    EXPECT_EQ(RunCommand(BuildPackage, {Path("nowhere"), Path("pack.tpk")}).status, kFailed);
    EXPECT_EQ(RunCommand(ListPackage, {}).status, kUsageError);
    EXPECT_EQ(RunCommand(ExtractItem, {Path("pack.tpk"), "data", "nokind", "1", Path("x")}).status, kUsageError);
}

// Bytes that zlib cannot shrink.
std::string Noise(size_t size) {
    std::string bytes(size, '\0');
    uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

TEST_F(TpkCommandsTest, AFailedWriteLeavesTheOlderFileAsItWas) {
    WriteItem(folder_.Path() / "items" / "data" / "1.tbd", Noise(64 * 1024));
    WriteFile("pack.tpk", "the older package");
    {
        // The disk fills up while the package is written: it used to be truncated and reported built.
        kvtest::FileSizeLimit diskFull(1024);
        EXPECT_EQ(RunCommand(BuildPackage, {Path("items"), Path("pack.tpk")}).status, kFailed);
    }
    EXPECT_EQ(ReadFile("pack.tpk"), "the older package");
    EXPECT_EQ(folder_.FileNames(), (std::vector<std::string>{"items", "pack.tpk"})) << "no temporary file left";

    // A folder that does not load leaves the older package as well.
    WriteItem(folder_.Path() / "items" / "data" / "x.tbd", "bad id");
    EXPECT_EQ(RunCommand(BuildPackage, {Path("items"), Path("pack.tpk")}).status, kFailed);
    EXPECT_EQ(ReadFile("pack.tpk"), "the older package");
    fs::remove(folder_.Path() / "items" / "data" / "x.tbd");

    ASSERT_EQ(RunCommand(BuildPackage, {Path("items"), Path("good.tpk")}).status, kSucceeded);
    const Outcome full = RunCommand(ExtractItem, {Path("good.tpk"), "data", "BINARY_DATA", "1", "/dev/full"});
    EXPECT_EQ(full.status, kFailed) << "a write to a full device used to exit 0";
    EXPECT_THAT(full.err, HasSubstr("cannot be written"));
}

TEST_F(TpkCommandsTest, ADamagedPackageListsWhatItCanAndFails) {
    WriteItem(folder_.Path() / "items" / "data" / "1.tbd", "a");
    WriteItem(folder_.Path() / "items" / "more" / "1.tbd", "b");
    ASSERT_EQ(RunCommand(BuildPackage, {Path("items"), Path("pack.tpk")}).status, kSucceeded);
    std::string bytes = ReadFile("pack.tpk");
    bytes.resize(bytes.size() - 4);  // the last file's item is cut short
    WriteFile("cut.tpk", bytes);
    const Outcome listed = RunCommand(ListPackage, {Path("cut.tpk")});
    EXPECT_EQ(listed.status, kFailed);
    EXPECT_THAT(listed.out, HasSubstr("data  at"));
    EXPECT_THAT(listed.out, HasSubstr("(damaged)"));
    EXPECT_THAT(listed.err, HasSubstr("1 damaged resource file(s)"));

    WriteFile("garbage.tpk", "\xff\xff\xff\x7f garbage");
    const Outcome garbage = RunCommand(ListPackage, {Path("garbage.tpk")});
    EXPECT_EQ(garbage.status, kFailed);
    EXPECT_THAT(garbage.err, HasSubstr("not a package"));
}

// 64 index entries at one item that inflates to 200 MB: listing took 94 s and 414 MB. Now the entries after
// the first are listed as the same file, and the item is refused before it is inflated.
TEST_F(TpkCommandsTest, AHostilePackageListsWithoutInflatingItsItem) {
    quill::MemoryStream hostile = kvtest::SharedOffsetPackage(64, 200u << 20);
    WriteFile("hostile.tpk", std::string(reinterpret_cast<const char*>(hostile.Data()), hostile.Size()));
    const Outcome listed = RunCommand(ListPackage, {Path("hostile.tpk")});
    EXPECT_EQ(listed.status, kFailed);
    size_t same = 0;
    for (size_t at = listed.out.find("the same as entryaa"); at != std::string::npos;
         at = listed.out.find("the same as entryaa", at + 1)) {
        ++same;
    }
    EXPECT_EQ(same, 63u);
    EXPECT_THAT(listed.err, HasSubstr("1 damaged resource file(s)"));
}

}  // namespace
}  // namespace tpk
