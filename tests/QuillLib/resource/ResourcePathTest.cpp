#include <gtest/gtest.h>

#include "QuillLib/resource/ResourceKind.h"
#include "QuillLib/resource/ResourcePath.h"

namespace quill {
namespace {

TEST(ResourcePathTest, CaseFoldingTouchesOnlyAscii) {
    EXPECT_EQ(ToLowerString(u"Table01.TPK@"), u"table01.tpk@");
    EXPECT_EQ(ToUpperString(u"cue_a{"), u"CUE_A{");
    EXPECT_EQ(ToLowerString(u"\u00C4b"), u"\u00C4b");
    EXPECT_EQ(ToUpperString(u"\u00E4b"), u"\u00E4B");
}

TEST(ResourcePathTest, SplitsAtLastBackslashAndDot) {
    EXPECT_EQ(GetBaseName(u"a\\b\\c.d.e"), u"c.d");
    // The whole path is searched for the extension: a dot in a folder counts.
    EXPECT_EQ(GetFileExtension(u"r1.0\\ball"), u"0\\ball");
    EXPECT_EQ(GetDirectory(u"a\\b\\c.d"), u"a\\b");
    EXPECT_EQ(GetDirectory(u"file.txt"), u".");
}

TEST(ResourcePathTest, MakeRelativePathKeepsWholeFolderNames) {
    EXPECT_EQ(MakeRelativePath(u"E:\\Game", u"E:\\Game\\Data\\a.tga"), u".\\Data\\a.tga");
    EXPECT_EQ(MakeRelativePath(u"E:\\Game", u"D:\\Other\\a.tga"), u"D:\\Other\\a.tga");
    EXPECT_EQ(MakeRelativePath(u"", u"Data\\a.tga"), u".Data\\a.tga");
    EXPECT_EQ(MakeRelativePath(u"E:\\Game", u"E:\\Game"), u".");
    // A longer folder name that merely starts like the base is not inside it.
    EXPECT_EQ(MakeRelativePath(u"E:\\Game", u"E:\\Games\\a.tga"), u"E:\\Games\\a.tga");
    // A base with its trailing backslash (a drive root) still yields a well-formed relative path.
    EXPECT_EQ(MakeRelativePath(u"C:\\", u"C:\\x\\a.tga"), u".\\x\\a.tga");
}

TEST(ResourcePathTest, EnsurePackageExtensionOnlyWithoutAnyDot) {
    const auto extended = [](WString path) {
        EnsurePackageExtension(path);
        return path;
    };
    EXPECT_EQ(extended(u"Data\\ball"), u"Data\\ball.tpk");
    EXPECT_EQ(extended(u"Data\\ball.pak"), u"Data\\ball.pak");
    EXPECT_EQ(extended(u"r1.0\\ball"), u"r1.0\\ball");  // a dot in a folder counts
}

TEST(ResourceKindTest, VersionDecidesTheStoredTables) {
    const struct {
        uint32_t version;
        uint32_t tables;
    } cases[] = {{0, 9}, {1, 9}, {2, 10}, {9, 10}, {10, 11}, {11, 12}, {12, 13}, {13, 14}, {200, 14}};
    for (const auto& c : cases) {
        EXPECT_EQ(TableCountForVersion(c.version), c.tables) << "version " << c.version;
    }
    // Each later kind joins at its own version; the others are stored from version 0.
    EXPECT_TRUE(IsKindPresent(0, ResourceKind::Sound));
    EXPECT_FALSE(IsKindPresent(1, ResourceKind::Sprite));
    EXPECT_TRUE(IsKindPresent(2, ResourceKind::Sprite));
    EXPECT_FALSE(IsKindPresent(10, ResourceKind::SpriteAnimation));
    EXPECT_TRUE(IsKindPresent(10, ResourceKind::StringTable));
    EXPECT_FALSE(IsKindPresent(12, ResourceKind::BinaryData));
    EXPECT_TRUE(IsKindPresent(12, ResourceKind::ModelAnimation));
}

}  // namespace
}  // namespace quill
