#include <gtest/gtest.h>
#include <stdio.h>

#include <string>

#include "QuillLib/resource/IdHeaderExport.h"
#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::Bytes;

// A header file in memory.
struct HeaderText {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* file = open_memstream(&buffer, &size);

    ~HeaderText() {
        fclose(file);
        free(buffer);
    }
    std::string Text() {
        fflush(file);
        return std::string(buffer, size);
    }
};

TEST(IdHeaderExportTest, IdentifiersReplaceAsciiPunctuationOnly) {
    EXPECT_EQ(MakeIdentifier(u"ball 1-red"), u"ball_1_red");
    EXPECT_EQ(MakeIdentifier(u"Cue_A9"), u"Cue_A9");
    EXPECT_EQ(MakeIdentifier(u"\uD55C\uAE00.x"), u"\uD55C\uAE00_x");
}

TEST(IdHeaderExportTest, WrittenPackageListsItsItemsAndStringKeys) {
    auto file = resource_test::MakeFile(u"Lang");
    resource_test::AddBinary(*file, 0, "first", u"intro text");
    resource_test::AddBinary(*file, 1, "second", u"outro");
    MemoryStream words =
        Bytes().Text260("words").U32(2).Text260("Hello").Text260("Hi").Text260("Bye").Text260("").Stream();
    MemoryStream empty = Bytes().Text260("nothing").U32(0).Stream();  // an empty string table gets no section
    ASSERT_TRUE(file->GetStringTableTable()->LoadItem(words, words, 0, false));
    ASSERT_TRUE(file->GetStringTableTable()->LoadItem(empty, empty, 1, false));

    HeaderText header;
    PackageWriter writer;
    ASSERT_TRUE(writer.AddFile(*file));
    MemoryStream package;
    ASSERT_TRUE(writer.Write(package, header.file));
    EXPECT_EQ(header.Text(),
              "\tenum LANG_ID\n\t{\n"
              "\t\tSTR_TBL_words = 0,\n\t\tSTR_TBL_nothing = 1,\n"
              "\t\tBIN_DATA_intro_text = 0,\n\t\tBIN_DATA_outro = 1,\n"
              "\t};\n\n"
              "\tenum WORDS\n\t{\n\t\tHello = 0,\n\t\tBye = 1,\n\t};\n\n");
}

}  // namespace
}  // namespace quill
