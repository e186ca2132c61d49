#include <gtest/gtest.h>

#include "QuillLib/resource/ResourceKind.h"
#include "QuillLib/resource/ResourcePath.h"

namespace quill {
namespace {

TEST(ResourcePathTest, CaseFoldingTouchesOnlyAscii) {
    EXPECT_EQ(ToLowerString(u"Table01.TPK"), u"table01.tpk");
    EXPECT_EQ(ToUpperString(u"cue_a"), u"CUE_A");
    // Non-ASCII letters keep their case in both directions.
    EXPECT_EQ(ToLowerString(u"\u00C4b"), u"\u00C4b");
    EXPECT_EQ(ToUpperString(u"\u00E4b"), u"\u00E4B");
    EXPECT_EQ(ToLowerChar(u'@'), u'@');
    EXPECT_EQ(ToUpperChar(u'{'), u'{');
}

TEST(ResourcePathTest, SplitsAtLastBackslashAndDot) {
    EXPECT_EQ(GetFileName(u"a\\b\\c.d.e"), u"c.d.e");
    EXPECT_EQ(GetFileName(u"plain"), u"plain");
    EXPECT_EQ(GetBaseName(u"a\\b\\c.d.e"), u"c.d");
    EXPECT_EQ(GetBaseName(u"a\\b\\c"), u"c");
    EXPECT_EQ(GetFileExtension(u"x.ogg"), u"ogg");
    EXPECT_EQ(GetFileExtension(u"noext"), u"noext");
    // The whole path is searched: a dot in a folder counts.
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
    WString plain = u"Data\\ball";
    EnsurePackageExtension(plain);
    EXPECT_EQ(plain, u"Data\\ball.tpk");
    WString other = u"Data\\ball.pak";
    EnsurePackageExtension(other);
    EXPECT_EQ(other, u"Data\\ball.pak");
    WString dottedFolder = u"r1.0\\ball";
    EnsurePackageExtension(dottedFolder);
    EXPECT_EQ(dottedFolder, u"r1.0\\ball");
}

TEST(ResourceKindTest, VersionDecidesTheStoredTables) {
    const struct {
        uint32_t version;
        uint32_t tables;
    } cases[] = {{0, 9}, {1, 9}, {2, 10}, {9, 10}, {10, 11}, {11, 12}, {12, 13}, {13, 14}, {200, 14}};
    for (const auto& c : cases) {
        EXPECT_EQ(TableCountForVersion(c.version), c.tables) << "version " << c.version;
    }

    const ResourceKind inVersion1[] = {
        ResourceKind::Bone,  ResourceKind::Texture,       ResourceKind::Material,        ResourceKind::Mesh,
        ResourceKind::Model, ResourceKind::BoneAnimation, ResourceKind::VertexAnimation, ResourceKind::SceneInfo,
        ResourceKind::Sound};
    for (ResourceKind kind : inVersion1) {
        EXPECT_TRUE(IsKindPresent(1, kind));
    }
    EXPECT_FALSE(IsKindPresent(1, ResourceKind::Sprite));
    EXPECT_TRUE(IsKindPresent(2, ResourceKind::Sprite));
    EXPECT_FALSE(IsKindPresent(10, ResourceKind::SpriteAnimation));
    EXPECT_TRUE(IsKindPresent(10, ResourceKind::StringTable));
    EXPECT_FALSE(IsKindPresent(12, ResourceKind::BinaryData));
    EXPECT_TRUE(IsKindPresent(12, ResourceKind::ModelAnimation));
}

}  // namespace
}  // namespace quill
