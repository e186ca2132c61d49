#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "QuillLib/resource/SoundResource.h"
#include "QuillLib/resource/StringTable.h"
#include "ResourceTestSupport.h"

namespace quill {
namespace {

TEST(SoundResourceTest, SetSourceTakesWavAndOggInAnyCase) {
    SoundResource sound(u"hit", SoundResource::kOggVorbis);
    sound.SetSource(u"Data\\HIT.WAV");
    EXPECT_EQ(sound.Format(), SoundResource::kWave);
    sound.SetSource(u"music.ogg");
    EXPECT_EQ(sound.Format(), SoundResource::kOggVorbis);
    // Any other extension changes nothing.
    sound.SetSource(u"voice.mp3");
    EXPECT_EQ(sound.Format(), SoundResource::kOggVorbis);
    EXPECT_EQ(sound.Source(), u"music.ogg");
    sound.SetSource(u"wav");  // no dot: the whole name is the extension
    EXPECT_EQ(sound.Format(), SoundResource::kWave);
}

TEST(SoundResourceTest, LoadFileReadsTheWholeFile) {
    kvtest::TempDirectory folder;
    resource_test::WriteFileBytes(folder.Path() / "shot.WAV", {'R', 'I', 'F', 'F', 1, 2, 3});
    SoundResource sound(u"shot", SoundResource::kOggVorbis);
    ASSERT_TRUE(sound.LoadFile(folder.Wide("shot.WAV")));
    EXPECT_EQ(sound.Format(), SoundResource::kWave);
    EXPECT_EQ(sound.Source(), folder.Wide("shot.WAV"));
    EXPECT_EQ(resource_test::ToBytes(sound.Data()), (std::vector<uint8_t>{'R', 'I', 'F', 'F', 1, 2, 3}));

    SoundResource missing(u"none", SoundResource::kWave);
    EXPECT_FALSE(missing.LoadFile(folder.Wide("absent.wav")));
    EXPECT_TRUE(missing.Source().empty());
}

TEST(SoundResourceTest, CloneCopiesEverythingButTheSource) {
    SoundResource sound(u"hit", SoundResource::kWave);
    sound.id = 12;
    sound.SetSource(u"hit.ogg");
    ASSERT_TRUE(sound.AllocateData(3));
    std::memcpy(sound.Data().Data(), "\x07\x08\x09", 3);

    const std::unique_ptr<SoundResource> clone(sound.Clone());
    EXPECT_EQ(clone->id, 12u);
    EXPECT_EQ(clone->name, u"hit");
    EXPECT_EQ(clone->Format(), SoundResource::kOggVorbis);
    EXPECT_TRUE(clone->Source().empty());
    EXPECT_EQ(resource_test::ToBytes(clone->Data()), (std::vector<uint8_t>{7, 8, 9}));
    // The bytes are copied, not shared.
    clone->Data().Data()[0] = 1;
    EXPECT_EQ(sound.Data().Data()[0], 7);
}

TEST(StringTableTest, CloneHasNoIdNoNameAndAllEntries) {
    StringTable table(u"menu");
    table.id = 4;
    table.Entries() = {{u"OK", u"Okay"}, {u"OK", u"Again"}, {u"Cancel", u"Stop"}};
    const std::unique_ptr<StringTable> clone(table.Clone());
    EXPECT_EQ(clone->id, NamedObject::kNoId);
    EXPECT_TRUE(clone->name.empty());
    EXPECT_EQ(clone->Entries(), table.Entries());
}

}  // namespace
}  // namespace quill
