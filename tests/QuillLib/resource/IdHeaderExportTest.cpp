#include <gtest/gtest.h>
#include <stdio.h>

#include <string>

#include "QuillLib/resource/IdHeaderExport.h"
#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::Bytes;
using resource_test::ToBytes;

// A header file in memory.
class HeaderText {
public:
    HeaderText() : file_(open_memstream(&buffer_, &size_)) {}
    ~HeaderText() {
        if (file_) {
            fclose(file_);
        }
        free(buffer_);
    }
    HeaderText(const HeaderText&) = delete;
    HeaderText& operator=(const HeaderText&) = delete;

    FILE* File() const { return file_; }
    std::string Text() {
        fflush(file_);
        return std::string(buffer_, size_);
    }

private:
    char* buffer_ = nullptr;
    size_t size_ = 0;
    FILE* file_;
};

TEST(IdHeaderExportTest, IdentifiersReplaceAsciiPunctuationOnly) {
    EXPECT_EQ(MakeIdentifier(u"ball 1-red"), u"ball_1_red");
    EXPECT_EQ(MakeIdentifier(u"Cue_A9"), u"Cue_A9");
    EXPECT_EQ(MakeIdentifier(u"\uD55C\uAE00.x"), u"\uD55C\uAE00_x");
}

TEST(IdHeaderExportTest, ExportItemWritesTheLineAndTheItemEntry) {
    HeaderText header;
    MemoryStream out;
    WriteU32(out, kNone);  // the table's one item-offset slot
    uint32_t cursor = 0;
    uint32_t runningIndex = 0;
    MemoryStream body = Bytes().Raw({1, 2, 3, 4}).Stream();
    const ExportedItem item{u"MESH", 7, u"ball 1-red", true};
    ASSERT_TRUE(ExportItem(header.File(), out, cursor, item, body, runningIndex));
    EXPECT_EQ(header.Text(), "\t\tMESH_ball_1_red = 7,\n");
    EXPECT_EQ(cursor, 4u);
    EXPECT_EQ(runningIndex, 1u);

    out.Seek(Stream::kFromBegin, 0);
    uint32_t slot = 0, index = 0, id = 0, size = 0, compressedSize = 0;
    ASSERT_TRUE(ReadU32(out, slot) && ReadU32(out, index) && ReadU32(out, id) && ReadU32(out, size));
    ASSERT_TRUE(ReadU32(out, compressedSize));
    EXPECT_EQ(slot, 4u);
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(id, 7u);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(compressedSize, out.Size() - out.Tell());
    MemoryStream zipped;
    ASSERT_TRUE(zipped.Allocate(compressedSize) && zipped.ReadFrom(out) && zipped.Inflate(size));
    EXPECT_EQ(ToBytes(zipped), (std::vector<uint8_t>{1, 2, 3, 4}));

    // An uncompressed kind stores the body as it is; without a header file no line is written.
    MemoryStream raw;
    uint32_t rawCursor = 0;
    WriteU32(raw, kNone);
    MemoryStream rawBody = Bytes().Raw({5, 6}).Stream();
    ASSERT_TRUE(ExportItem(nullptr, raw, rawCursor, ExportedItem{u"TEX", 2, u"t", false}, rawBody, runningIndex));
    EXPECT_EQ(ToBytes(raw), Bytes().U32(4).U32(1).U32(2).U32(2).Raw({5, 6}).Data());
}

TEST(IdHeaderExportTest, StringTablesListTheirKeysByPosition) {
    StringTableTable table(nullptr, u".\\f.tst");
    MemoryStream menu =
        Bytes().Text260("menu").U32(2).Text260("OK").Text260("Okay").Text260("Cancel").Text260("Stop").Stream();
    MemoryStream empty = Bytes().Text260("nothing").U32(0).Stream();
    ASSERT_TRUE(table.LoadItem(menu, menu, 1, false));
    ASSERT_TRUE(table.LoadItem(empty, empty, 2, false));
    HeaderText header;
    ASSERT_TRUE(table.WriteIdHeader(header.File()));
    EXPECT_EQ(header.Text(), "\tenum MENU\n\t{\n\t\tOK = 0,\n\t\tCancel = 1,\n\t};\n\n");
}

TEST(IdHeaderExportTest, WrittenPackageListsItsItemsAndReadsBack) {
    auto file = resource_test::MakeFile(u"Lang");
    resource_test::AddBinary(*file, 0, "first", u"intro text");
    resource_test::AddBinary(*file, 1, "second", u"outro");
    MemoryStream strings = Bytes().Text260("words").U32(1).Text260("Hello").Text260("Hi").Stream();
    ASSERT_TRUE(file->GetStringTableTable()->LoadItem(strings, strings, 0, false));

    HeaderText header;
    PackageWriter writer;
    ASSERT_TRUE(writer.AddFile(*file));
    MemoryStream package;
    ASSERT_TRUE(writer.Write(package, header.File()));
    EXPECT_EQ(header.Text(),
              "\tenum LANG_ID\n\t{\n"
              "\t\tSTR_TBL_words = 0,\n\t\tBIN_DATA_intro_text = 0,\n\t\tBIN_DATA_outro = 1,\n"
              "\t};\n\n"
              "\tenum WORDS\n\t{\n\t\tHello = 0,\n\t};\n\n");

    ResourceFile lazy(u"Lang", nullptr, nullptr);
    resource_test::SeekToFile(package, 0);
    ASSERT_TRUE(lazy.Read(package, false));
    ASSERT_TRUE(lazy.GetBinaryDataTable()->LoadItemAt(package, 1));
    EXPECT_EQ(resource_test::BinaryText(lazy.GetBinaryDataTable()->FindShared(1)), "second");
    ASSERT_TRUE(lazy.GetStringTableTable()->LoadItemAt(package, 0));
    EXPECT_EQ(lazy.GetStringTableTable()->FindShared(0)->Entries()[0].second, u"Hi");
}

}  // namespace
}  // namespace quill
