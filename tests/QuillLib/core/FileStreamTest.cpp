#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "QuillLib/core/FileStream.h"
#include "tests/support/common/TempDirectory.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

class FileStreamTest : public testing::Test {
protected:
    // The wide name of a file in the test folder (the temporary folder's path is ASCII).
    WString NameOf(const std::string& file) const {
        const std::string path = (folder_.Path() / file).string();
        return WString(path.begin(), path.end());
    }
    // A file of count bytes 0, 1, 2, ...
    WString MakeFile(const std::string& file, int count) const {
        std::ofstream out(folder_.Path() / file, std::ios::binary);
        for (int i = 0; i < count; ++i) {
            out.put(static_cast<char>(i));
        }
        return NameOf(file);
    }

    kvtest::TempDirectory folder_;
};

TEST_F(FileStreamTest, OpenRefusesBadRequestsAndKeepsAnOpenFile) {
    const WString name = MakeFile("data.bin", 8);
    EXPECT_FALSE(FileStream(u"").Open(FileStream::kRead));
    EXPECT_FALSE(FileStream(name).Open(2));
    EXPECT_FALSE(FileStream(NameOf("absent.bin")).Open(FileStream::kRead));

    FileStream stream(name);
    ASSERT_TRUE(stream.Open(FileStream::kRead));
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 3));
    EXPECT_FALSE(stream.Open(FileStream::kRead));
    EXPECT_FALSE(stream.Open(FileStream::kWrite));
    uint8_t byte = 0;
    EXPECT_EQ(stream.Read(&byte, 1), 1u) << "the first file stays open where it was";
    EXPECT_EQ(byte, 3);
}

TEST_F(FileStreamTest, ReadIsAllOrNothing) {
    FileStream stream(MakeFile("data.bin", 20));
    ASSERT_TRUE(stream.Open(FileStream::kRead));
    std::array<uint8_t, 10> buffer{};
    ASSERT_TRUE(stream.Seek(Stream::kFromEnd, -4));
    EXPECT_EQ(stream.Read(buffer.data(), 10), 0u) << "10 bytes asked 4 bytes before the end";
    EXPECT_EQ(stream.Tell(), 20u) << "the position has moved over the bytes that were there";

    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 10));
    EXPECT_EQ(stream.Read(buffer.data(), 10), 10u);
    EXPECT_EQ(buffer[0], 10);
    EXPECT_EQ(buffer[9], 19);
}

TEST_F(FileStreamTest, WritesAndReadsBack) {
    const WString name = NameOf("out.bin");
    {
        FileStream out(name);
        ASSERT_TRUE(out.Open(FileStream::kWrite));
        EXPECT_EQ(out.Write("abcdef", 6), 6u);
        EXPECT_EQ(out.Tell(), 6u);
        EXPECT_EQ(out.Size(), 6u);
        EXPECT_EQ(out.Tell(), 6u) << "Size keeps the position";
    }  // the destructor closes and flushes
    FileStream in(name);
    ASSERT_TRUE(in.Open(FileStream::kRead));
    std::array<char, 6> buffer{};
    ASSERT_TRUE(in.Seek(Stream::kFromBegin, 2));
    ASSERT_TRUE(in.Seek(Stream::kFromCurrent, 1));
    EXPECT_EQ(in.Read(buffer.data(), 3), 3u);
    EXPECT_EQ(std::string(buffer.data(), 3), "def");
    EXPECT_FALSE(in.Seek(3, 0)) << "no such origin";
    in.Close();
    EXPECT_FALSE(in.IsOpen());
    EXPECT_TRUE(in.Open(FileStream::kRead)) << "a closed stream opens again";
}

TEST_F(FileStreamTest, ClosedStreamMovesNothing) {
    FileStream stream(MakeFile("data.bin", 8));
    uint8_t byte = 0;
    EXPECT_EQ(stream.Read(&byte, 1), 0u);
    EXPECT_EQ(stream.Write(&byte, 1), 0u);
    EXPECT_EQ(stream.Tell(), Stream::kCannotTell);
    EXPECT_FALSE(stream.Seek(Stream::kFromBegin, 0));
}

TEST_F(FileStreamTest, SizeOfClosedStreamOpensTheFileForTheCallOnly) {
    FileStream stream(MakeFile("data.bin", 37));
    EXPECT_EQ(stream.Size(), 37u);
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_TRUE(stream.Open(FileStream::kRead));

    EXPECT_EQ(FileStream(NameOf("absent.bin")).Size(), 0u);
    EXPECT_EQ(FileStream(u"").Size(), 0u);
}

}  // namespace
}  // namespace quill
