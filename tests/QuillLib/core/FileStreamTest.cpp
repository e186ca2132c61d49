#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>

#include "QuillLib/core/FileStream.h"
#include "tests/support/common/TempDirectory.h"

namespace quill {
namespace {

class FileStreamTest : public testing::Test {
protected:
    // The wide name of a new file of count bytes 0, 1, 2, ... in the test folder.
    WString MakeFile(const std::string& file, int count) const {
        std::ofstream out(folder_.Path() / file, std::ios::binary);
        for (int i = 0; i < count; ++i) {
            out.put(static_cast<char>(i));
        }
        return folder_.Wide(file);
    }

    kvtest::TempDirectory folder_;
};

TEST_F(FileStreamTest, OpenRefusesBadRequestsAndAClosedStreamMovesNothing) {
    const WString name = MakeFile("data.bin", 8);
    EXPECT_FALSE(FileStream(u"").Open(FileStream::kRead));
    EXPECT_FALSE(FileStream(name).Open(2));
    EXPECT_FALSE(FileStream(folder_.Wide("absent.bin")).Open(FileStream::kRead));
    EXPECT_EQ(FileStream(folder_.Wide("absent.bin")).Size(), 0u);

    FileStream stream(name);
    uint8_t byte = 0;
    EXPECT_EQ(stream.Read(&byte, 1), 0u) << "a closed stream moves nothing";
    EXPECT_EQ(stream.Write(&byte, 1), 0u);
    EXPECT_EQ(stream.Tell(), Stream::kCannotTell);
    EXPECT_FALSE(stream.Seek(Stream::kFromBegin, 0));
    EXPECT_EQ(stream.Size(), 8u);
    EXPECT_FALSE(stream.IsOpen()) << "Size opens the file for the call only";

    ASSERT_TRUE(stream.Open(FileStream::kRead));
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 3));
    EXPECT_FALSE(stream.Open(FileStream::kWrite));
    EXPECT_EQ(stream.Read(&byte, 1), 1u);
    EXPECT_EQ(byte, 3) << "the first file stays open where it was";
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
    EXPECT_EQ(buffer[9], 19);
}

TEST_F(FileStreamTest, WritesAndReadsBack) {
    const WString name = folder_.Wide("out.bin");
    {
        FileStream out(name);
        ASSERT_TRUE(out.Open(FileStream::kWrite));
        EXPECT_EQ(out.Write("abcdef", 6), 6u);
        EXPECT_EQ(out.Size(), 6u);
        EXPECT_EQ(out.Tell(), 6u) << "Size keeps the position";
    }  // the destructor closes and flushes
    FileStream in(name);
    ASSERT_TRUE(in.Open(FileStream::kRead));
    ASSERT_TRUE(in.Seek(Stream::kFromBegin, 2));
    ASSERT_TRUE(in.Seek(Stream::kFromCurrent, 1));
    std::array<char, 3> buffer{};
    EXPECT_EQ(in.Read(buffer.data(), 3), 3u);
    EXPECT_EQ(std::string(buffer.data(), 3), "def");
    EXPECT_FALSE(in.Seek(3, 0)) << "no such origin";
}

TEST_F(FileStreamTest, FlushAndCloseReportWhatNeverReachedTheFile) {
    FileStream ok(folder_.Wide("out.bin"));
    ASSERT_TRUE(ok.Open(FileStream::kWrite));
    EXPECT_EQ(ok.Write("abc", 3), 3u);
    EXPECT_TRUE(ok.Flush());
    EXPECT_TRUE(ok.Close());
    EXPECT_TRUE(ok.Close()) << "closing a closed stream has nothing to report";
    EXPECT_FALSE(ok.Flush()) << "a closed stream flushes nothing";

    // A full device takes the small write into the C library's buffer; the failure shows at the flush.
    FileStream full(u"/dev/full");
    ASSERT_TRUE(full.Open(FileStream::kWrite));
    EXPECT_EQ(full.Write("abc", 3), 3u);
    EXPECT_FALSE(full.Flush());
    EXPECT_FALSE(full.Close());
    EXPECT_FALSE(full.IsOpen());

    // A write larger than the buffer fails at once, and the close still reports it.
    FileStream fullAgain(u"/dev/full");
    ASSERT_TRUE(fullAgain.Open(FileStream::kWrite));
    const std::string large(1 << 16, 'x');
    EXPECT_EQ(fullAgain.Write(large.data(), static_cast<uint32_t>(large.size())), 0u);
    EXPECT_FALSE(fullAgain.Close());
}

}  // namespace
}  // namespace quill
