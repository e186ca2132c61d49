// The manifest and region table readers, and the rules a resource file's ids must keep.
#include <gtest/gtest.h>

#include "tools/mkdata/Manifest.h"
#include "tools/mkdata/RegionTable.h"
#include "tools/mkdata/ResourceFileBuilder.h"

namespace {

using mkdata::Manifest;
using quill::ResourceKind;

TEST(ManifestTest, LinesRangesListsAndQuotedValues) {
    Manifest manifest;
    ASSERT_TRUE(manifest.Parse("# a comment\n"
                               "\n"
                               "UIEn,UIEng  Common  TEXTURE  0-1  ui_atlas  width=512   # trailing comment\n"
                               "Sound sound SOUND 64 voice text=\"Nice shot! # not a comment\" voice=en\n"))
        << manifest.Error();
    const auto& entries = manifest.Entries();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].package, "UIEn");
    EXPECT_EQ(entries[1].id, 1u);
    EXPECT_EQ(entries[2].package, "UIEng");
    EXPECT_EQ(entries[2].kind, ResourceKind::Texture);
    EXPECT_EQ(entries[3].Text("width"), "512");
    EXPECT_EQ(entries[3].line, 3u);
    EXPECT_EQ(entries[4].kind, ResourceKind::Sound);
    EXPECT_EQ(entries[4].Text("text"), "Nice shot! # not a comment");
    EXPECT_EQ(entries[4].Text("voice"), "en");
    EXPECT_EQ(*entries[4].Number("missing", 7.0f), 7.0f);
}

TEST(ManifestTest, BadLinesAreRefusedWithTheirLineNumber) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"P F TEXTURE 0\n", "line 1: expected"},
        {"\nP F TEXTUR 0 cloth\n", "line 2: TEXTUR is no resource kind"},
        {"P F TEXTURE 3-1 cloth\n", "line 1: 3-1 is no usable id range"},
        {"P F TEXTURE x cloth\n", "line 1: x is no id"},
        {"P F TEXTURE 0 cloth colour\n", "line 1: colour is not key=value"},
        {"P F TEXTURE 0 cloth text=\"open\n", "line 1: unclosed quote"},
        {"P,,Q F TEXTURE 0 cloth\n", "line 1: an empty name"},
        {"P F TEXTURE 0-2 cloth\nP F TEXTURE 2 wood\n", "line 2: a second item P/F/TEXTURE/2"},
    };
    for (const auto& bad : cases) {
        Manifest manifest;
        EXPECT_FALSE(manifest.Parse(bad.text)) << bad.text;
        EXPECT_NE(manifest.Error().find(bad.message), std::string::npos) << manifest.Error();
    }
}

TEST(ManifestTest, ArgumentsAreCheckedWhenRead) {
    Manifest manifest;
    ASSERT_TRUE(manifest.Parse("P F TEXTURE 0 cloth colour=1F6E34 bad=12345 alpha=801F6E34 size=2.5 no=x\n"));
    const mkdata::ManifestEntry& entry = manifest.Entries().front();
    EXPECT_EQ(*entry.Colour("colour", 0), 0xFF1F6E34u);
    EXPECT_EQ(*entry.Colour("alpha", 0), 0x801F6E34u);
    EXPECT_FALSE(entry.Colour("bad", 0).has_value());
    EXPECT_EQ(*entry.Number("size", 0.0f), 2.5f);
    EXPECT_FALSE(entry.Number("no", 0.0f).has_value());
}

TEST(RegionTableTest, RegionsAreFoundByFileAndItem) {
    mkdata::RegionTable table;
    ASSERT_TRUE(table.Parse("# regions\nCommon 0 0 446 200 20 inset\nCommon 0 10 10 30 30 button frames=2\n"
                            "Game 1 5 5 8 8 panel\n"))
        << table.Error();
    EXPECT_EQ(table.Count(), 3u);
    const auto common = table.Find("Common", 0);
    ASSERT_EQ(common.size(), 2u);
    EXPECT_EQ(common[0].y, 446);
    EXPECT_EQ(common[1].arguments.at("frames"), "2");
    EXPECT_TRUE(table.Find("Common", 1).empty());

    EXPECT_FALSE(table.Parse("Common 0 0 0 0 20 panel\n"));
    EXPECT_NE(table.Error().find("line 1"), std::string::npos);
    EXPECT_FALSE(table.Parse("\nCommon 0 0 0 10 20\n"));
    EXPECT_NE(table.Error().find("line 2"), std::string::npos);
}

// A texture body without images: the smallest item the texture table takes.
mkdata::BodyWriter EmptyTexture() {
    mkdata::BodyWriter body;
    body.U16(0);
    body.U16(0);
    body.U32(0);
    body.U16(0);
    body.U16(1);
    body.U8(0);
    body.U16(0);
    return body;
}

TEST(ResourceFileBuilderTest, PositionLoadedKindsMustRunFromZeroWithoutGaps) {
    mkdata::ResourceFileBuilder file("test");
    mkdata::BodyWriter first = EmptyTexture(), second = EmptyTexture(), again = EmptyTexture();
    ASSERT_TRUE(file.Add(ResourceKind::Texture, 0, first));
    EXPECT_TRUE(file.Check().empty());
    ASSERT_TRUE(file.Add(ResourceKind::Texture, 2, second));
    EXPECT_NE(file.Check().find("TEXTURE ids must run from 0 without gaps (id 1 is missing)"), std::string::npos);
    EXPECT_FALSE(file.Add(ResourceKind::Texture, 2, again));
    EXPECT_EQ(file.NextId(ResourceKind::Texture), 3u);

    // Sounds are found by id, not by position: any ids do.
    mkdata::ResourceFileBuilder sounds("sound");
    mkdata::BodyWriter sound;
    sound.U16(0);
    sound.U32(0);
    ASSERT_TRUE(sounds.Add(ResourceKind::Sound, 42, sound));
    EXPECT_TRUE(sounds.Check().empty());
}

}  // namespace
