#include <gtest/gtest.h>

#include <optional>

#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::Bytes;
using resource_test::ToBytes;

class ItemBodiesTest : public ::testing::Test {
protected:
    bool Loads(ResourceKind kind, const Bytes& body, bool packed, uint32_t id = 1) {
        MemoryStream in = body.Stream();
        return file_->GetTable(KindIndex(kind))->LoadItem(in, in, id, packed);
    }

    // The saved body of an item; nothing when the save fails.
    std::optional<std::vector<uint8_t>> Saved(ResourceKind kind, uint32_t id, bool packed) {
        MemoryStream out;
        if (!file_->GetTable(KindIndex(kind))->SaveItemBody(id, out, packed)) {
            return std::nullopt;
        }
        return ToBytes(out);
    }

    // Loads body into the table of kind under id and saves it again in the same form.
    std::optional<std::vector<uint8_t>> RoundTrip(ResourceKind kind, const Bytes& body, bool packed, uint32_t id = 1) {
        EXPECT_TRUE(Loads(kind, body, packed, id));
        return Saved(kind, id, packed);
    }

    std::unique_ptr<ResourceFile> file_ = resource_test::MakeFile(u"bodies");
};

TEST_F(ItemBodiesTest, BinaryDataBothForms) {
    const Bytes packed = Bytes().U32(2).Raw({'h', 'i'});
    EXPECT_EQ(RoundTrip(ResourceKind::BinaryData, packed, true), packed.Data());
    // The item's bytes are read as a stream from their start.
    char text[3] = {};
    EXPECT_EQ(file_->GetBinaryDataTable()->FindShared(1)->Data().Read(text, 3), 2u);
    EXPECT_EQ(std::string(text), "hi");

    const Bytes unpacked = Bytes().Text260("Lang").U32(3).Raw({'a', 'b', 'c'});
    EXPECT_EQ(RoundTrip(ResourceKind::BinaryData, unpacked, false, 2), unpacked.Data());
    EXPECT_EQ(file_->GetBinaryDataTable()->FindShared(2)->name, u"Lang");

    const Bytes empty = Bytes().U32(0);
    EXPECT_EQ(RoundTrip(ResourceKind::BinaryData, empty, true, 3), empty.Data());
}

TEST_F(ItemBodiesTest, StringTableKeepsEqualKeysInOrder) {
    const Bytes packed =
        Bytes().U32(3).Text260("OK").Text260("Okay").Text260("OK").Text260("Again").Text260("Cancel").Text260("");
    EXPECT_EQ(RoundTrip(ResourceKind::StringTable, packed, true), packed.Data());
    EXPECT_EQ(file_->GetStringTableTable()->FindShared(1)->Entries(),
              (std::vector<StringTable::Entry>{{u"OK", u"Okay"}, {u"OK", u"Again"}, {u"Cancel", u""}}));

    const Bytes unpacked = Bytes().Text260("menu").U32(1).Text260("Quit").Text260("Leave");
    EXPECT_EQ(RoundTrip(ResourceKind::StringTable, unpacked, false, 2), unpacked.Data());
    EXPECT_EQ(file_->GetStringTableTable()->FindShared(2)->name, u"menu");
}

TEST_F(ItemBodiesTest, SoundBothForms) {
    const Bytes packed = Bytes().U16(1).U32(4).Raw({'O', 'g', 'g', 'S'});
    EXPECT_EQ(RoundTrip(ResourceKind::Sound, packed, true), packed.Data());
    const SharedPtr<SoundResource> carried = file_->GetSoundTable()->FindShared(1);
    EXPECT_EQ(carried->Format(), SoundResource::kOggVorbis);
    EXPECT_TRUE(carried->Source().empty());

    // Unpacked, the body names a file relative to the working folder, held as an absolute path; no sound
    // data is read.
    const Bytes unpacked = Bytes().Text260("hit").U16(0).Text260(".\\sounds\\hit.wav");
    EXPECT_EQ(RoundTrip(ResourceKind::Sound, unpacked, false, 2), unpacked.Data());
    const SharedPtr<SoundResource> named = file_->GetSoundTable()->FindShared(2);
    EXPECT_EQ(named->name, u"hit");
    EXPECT_EQ(named->Format(), SoundResource::kWave);
    EXPECT_TRUE(named->Source().ends_with(u"\\sounds\\hit.wav"));
    EXPECT_FALSE(named->Source().starts_with(u"."));
    EXPECT_EQ(named->Data().Size(), 0u);
}

TEST_F(ItemBodiesTest, PackedSoundSaveReadsTheSourceAndKeepsTheHeldBytes) {
    kvtest::TempDirectory folder;
    resource_test::WriteFileBytes(folder.Path() / "fresh.ogg", {'n', 'e', 'w'});
    const Bytes held = Bytes().U16(0).U32(3).Raw({'o', 'l', 'd'});
    // Without a source file the held bytes are written.
    EXPECT_EQ(RoundTrip(ResourceKind::Sound, held, true), held.Data());

    // With one, the file as it is on disk; the item still holds its own bytes afterwards.
    const SharedPtr<SoundResource> sound = file_->GetSoundTable()->FindShared(1);
    sound->SetSource(folder.Wide("fresh.ogg"));
    EXPECT_EQ(Saved(ResourceKind::Sound, 1, true), Bytes().U16(1).U32(3).Raw({'n', 'e', 'w'}).Data());
    EXPECT_EQ(ToBytes(sound->Data()), (std::vector<uint8_t>{'o', 'l', 'd'}));

    // A source that has gone fails the save.
    sound->SetSource(folder.Wide("gone.ogg"));
    EXPECT_EQ(Saved(ResourceKind::Sound, 1, true), std::nullopt);
}

TEST_F(ItemBodiesTest, DamagedBodiesFailWithoutAllocatingTheirCounts) {
    EXPECT_FALSE(Loads(ResourceKind::BinaryData, Bytes().U32(0xFFFFFFF0).Raw({1, 2}), true));
    EXPECT_FALSE(Loads(ResourceKind::StringTable, Bytes().U32(0x7FFFFFFF).Text260("a").Text260("b"), true));
    EXPECT_FALSE(Loads(ResourceKind::StringTable, Bytes().U32(1).Text260("only the key"), true));
    EXPECT_FALSE(Loads(ResourceKind::Sound, Bytes().U16(0).U32(0xFFFFFFFF).Raw({1}), true));
    EXPECT_FALSE(Loads(ResourceKind::Sound, Bytes().Text260("name").U16(0), false));
    EXPECT_FALSE(Loads(ResourceKind::BinaryData, Bytes().Raw({1, 2, 3}), false));
}

}  // namespace
}  // namespace quill
