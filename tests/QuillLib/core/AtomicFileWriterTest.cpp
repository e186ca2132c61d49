#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "QuillLib/core/AtomicFileWriter.h"
#include "tests/support/common/FileSizeLimit.h"
#include "tests/support/common/TempDirectory.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

class AtomicFileWriterTest : public testing::Test {
protected:
    void SetUp() override { WriteFile("data.bin", "old contents"); }

    void WriteFile(const std::string& name, const std::string& contents) const {
        std::ofstream(folder_.Path() / name, std::ios::binary) << contents;
    }

    // Opens a writer on name and writes contents; the caller commits or not.
    static bool WriteAll(AtomicFileWriter& writer, const std::string& contents) {
        return writer.Open() &&
               writer.Write(contents.data(), static_cast<uint32_t>(contents.size())) == contents.size();
    }

    kvtest::TempDirectory folder_;
};

TEST_F(AtomicFileWriterTest, TheOldFileStaysUntilTheNewOneIsCommittedWhole) {
    fs::permissions(folder_.Path() / "data.bin", fs::perms::owner_read | fs::perms::owner_write |
                                                     fs::perms::group_read);
    AtomicFileWriter writer(folder_.Wide("data.bin"));
    ASSERT_TRUE(WriteAll(writer, "new contents, longer"));
    EXPECT_EQ(writer.Tell(), 20u);
    EXPECT_EQ(folder_.Read("data.bin"), "old contents") << "nothing replaced before the commit";
    EXPECT_EQ(folder_.FileNames().size(), 2u) << "the new version is written beside the old one";

    EXPECT_TRUE(writer.Commit());
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(folder_.Read("data.bin"), "new contents, longer");
    EXPECT_EQ(folder_.FileNames(), std::vector<std::string>{"data.bin"});
    EXPECT_EQ(fs::status(folder_.Path() / "data.bin").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
        << "the new version keeps the old one's permissions";
    EXPECT_FALSE(writer.Commit()) << "nothing left to commit";

    AtomicFileWriter created(folder_.Wide("new.bin"));
    ASSERT_TRUE(WriteAll(created, "fresh"));
    EXPECT_TRUE(created.Commit());
    EXPECT_EQ(folder_.Read("new.bin"), "fresh");
}

TEST_F(AtomicFileWriterTest, AFailureLeavesTheOldFileIntactAndNoTemporaryBehind) {
    {
        AtomicFileWriter abandoned(folder_.Wide("data.bin"));
        ASSERT_TRUE(WriteAll(abandoned, "never committed"));
    }
    {
        AtomicFileWriter discarded(folder_.Wide("data.bin"));
        ASSERT_TRUE(WriteAll(discarded, "discarded"));
        discarded.Discard();
        EXPECT_FALSE(discarded.Commit());
    }
    {
        // The disk fills up during the write: the bytes that did not fit show at the commit.
        const std::string large(64 * 1024, 'x');
        AtomicFileWriter full(folder_.Wide("data.bin"));
        kvtest::FileSizeLimit diskFull(1024);
        ASSERT_TRUE(full.Open());
        full.Write(large.data(), static_cast<uint32_t>(large.size()));
        EXPECT_FALSE(full.Commit());
    }
    EXPECT_EQ(folder_.Read("data.bin"), "old contents");
    EXPECT_EQ(folder_.FileNames(), std::vector<std::string>{"data.bin"});

    AtomicFileWriter nowhere(folder_.Wide("missing/data.bin"));
    EXPECT_FALSE(nowhere.Open());
    EXPECT_EQ(nowhere.Write("x", 1), 0u);
}

TEST_F(AtomicFileWriterTest, ALinkKeepsPointingAtTheNewVersion) {
    fs::create_symlink("data.bin", folder_.Path() / "link.bin");
    AtomicFileWriter writer(folder_.Wide("link.bin"));
    ASSERT_TRUE(WriteAll(writer, "through the link"));
    ASSERT_TRUE(writer.Commit());
    EXPECT_TRUE(fs::is_symlink(folder_.Path() / "link.bin"));
    EXPECT_EQ(folder_.Read("data.bin"), "through the link");
}

TEST_F(AtomicFileWriterTest, ADeviceIsWrittenInPlaceAndItsFailureReported) {
    AtomicFileWriter writer(u"/dev/full");
    ASSERT_TRUE(WriteAll(writer, "abc"));
    EXPECT_FALSE(writer.Commit());
    EXPECT_TRUE(fs::is_character_file("/dev/full")) << "a device is never replaced";
}

}  // namespace
}  // namespace quill
