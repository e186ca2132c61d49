#include <gtest/gtest.h>

#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::Bytes;
using resource_test::ToBytes;

class ItemBodiesTest : public ::testing::Test {
protected:
    // Loads body into the table of kind under id, saves it again in the same form and returns the bytes.
    std::vector<uint8_t> RoundTrip(ResourceKind kind, const Bytes& body, bool packed, uint32_t id = 1) {
        ResourceTable* table = file_->GetTable(KindIndex(kind));
        MemoryStream in = body.Stream();
        EXPECT_TRUE(table->LoadItem(in, in, id, packed));
        MemoryStream out;
        EXPECT_TRUE(table->SaveItemBody(id, out, packed));
        return ToBytes(out);
    }

    bool Loads(ResourceKind kind, const Bytes& body, bool packed) {
        MemoryStream in = body.Stream();
        return file_->GetTable(KindIndex(kind))->LoadItem(in, in, 1, packed);
    }

    std::unique_ptr<ResourceFile> file_ = resource_test::MakeFile(u"bodies");
};

TEST_F(ItemBodiesTest, BinaryDataBothForms) {
    const Bytes packed = Bytes().U32(5).Raw({'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(RoundTrip(ResourceKind::BinaryData, packed, true), packed.Data());
    EXPECT_EQ(resource_test::BinaryText(file_->GetBinaryDataTable()->FindShared(1)), "hello");

    const Bytes unpacked = Bytes().Text260("Lang").U32(3).Raw({'a', 'b', 'c'});
    EXPECT_EQ(RoundTrip(ResourceKind::BinaryData, unpacked, false, 2), unpacked.Data());
    EXPECT_EQ(file_->GetBinaryDataTable()->FindShared(2)->name, u"Lang");

    const Bytes empty = Bytes().U32(0);
    EXPECT_EQ(RoundTrip(ResourceKind::BinaryData, empty, true, 3), empty.Data());
    EXPECT_EQ(file_->GetBinaryDataTable()->FindShared(3)->Data().Size(), 0u);
}

TEST_F(ItemBodiesTest, BinaryDataIsReadableByteByByte) {
    MemoryStream in = Bytes().U32(2).Raw({'x', 'y'}).Stream();
    ASSERT_TRUE(file_->GetBinaryDataTable()->LoadItem(in, in, 0, true));
    MemoryStream& data = file_->GetBinaryDataTable()->FindShared(0)->Data();
    char c = 0;
    EXPECT_EQ(data.Read(&c, 1), 1u);
    EXPECT_EQ(c, 'x');
    EXPECT_EQ(data.Read(&c, 1), 1u);
    EXPECT_EQ(c, 'y');
    EXPECT_EQ(data.Read(&c, 1), 0u);
}

TEST_F(ItemBodiesTest, StringTableKeepsEqualKeysInOrder) {
    const Bytes packed =
        Bytes().U32(3).Text260("OK").Text260("Okay").Text260("OK").Text260("Again").Text260("Cancel").Text260("");
    EXPECT_EQ(RoundTrip(ResourceKind::StringTable, packed, true), packed.Data());
    const auto& entries = file_->GetStringTableTable()->FindShared(1)->Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], (StringTable::Entry{u"OK", u"Okay"}));
    EXPECT_EQ(entries[1], (StringTable::Entry{u"OK", u"Again"}));
    EXPECT_EQ(entries[2], (StringTable::Entry{u"Cancel", u""}));

    const Bytes unpacked = Bytes().Text260("menu").U32(1).Text260("Quit").Text260("Leave");
    EXPECT_EQ(RoundTrip(ResourceKind::StringTable, unpacked, false, 2), unpacked.Data());
    EXPECT_EQ(file_->GetStringTableTable()->FindShared(2)->name, u"menu");
}

TEST_F(ItemBodiesTest, PackedSoundCarriesItsData) {
    const Bytes packed = Bytes().U16(1).U32(4).Raw({'O', 'g', 'g', 'S'});
    EXPECT_EQ(RoundTrip(ResourceKind::Sound, packed, true), packed.Data());
    const SharedPtr<SoundResource> sound = file_->GetSoundTable()->FindShared(1);
    EXPECT_EQ(sound->Format(), SoundResource::kOggVorbis);
    EXPECT_TRUE(sound->name.empty());
    EXPECT_TRUE(sound->Source().empty());
    EXPECT_EQ(sound->Data().Size(), 4u);
}

TEST_F(ItemBodiesTest, UnpackedSoundNamesItsFileRelativeToTheWorkingFolder) {
    const Bytes unpacked = Bytes().Text260("hit").U16(0).Text260(".\\sounds\\hit.wav");
    EXPECT_EQ(RoundTrip(ResourceKind::Sound, unpacked, false), unpacked.Data());
    const SharedPtr<SoundResource> sound = file_->GetSoundTable()->FindShared(1);
    EXPECT_EQ(sound->name, u"hit");
    EXPECT_EQ(sound->Format(), SoundResource::kWave);
    // Held as an absolute path; no sound data is read.
    EXPECT_TRUE(sound->Source().ends_with(u"\\sounds\\hit.wav"));
    EXPECT_FALSE(sound->Source().starts_with(u"."));
    EXPECT_EQ(sound->Data().Size(), 0u);
}

TEST_F(ItemBodiesTest, PackedSoundSaveReadsTheSourceAndKeepsTheHeldBytes) {
    resource_test::TempFolder folder;
    resource_test::WriteFileBytes(folder.Path() / "fresh.ogg", {'n', 'e', 'w'});
    MemoryStream in = Bytes().U16(0).U32(3).Raw({'o', 'l', 'd'}).Stream();
    SoundTable& table = *file_->GetSoundTable();
    ASSERT_TRUE(table.LoadItem(in, in, 1, true));
    const SharedPtr<SoundResource> sound = table.FindShared(1);

    // Without a source file the held bytes are written.
    MemoryStream held;
    ASSERT_TRUE(table.SaveItemBody(1, held, true));
    EXPECT_EQ(ToBytes(held), Bytes().U16(0).U32(3).Raw({'o', 'l', 'd'}).Data());

    // With one, the file as it is on disk; the item still holds its own bytes afterwards.
    sound->SetSource(folder.Wide("fresh.ogg"));
    MemoryStream fromFile;
    ASSERT_TRUE(table.SaveItemBody(1, fromFile, true));
    EXPECT_EQ(ToBytes(fromFile), Bytes().U16(1).U32(3).Raw({'n', 'e', 'w'}).Data());
    EXPECT_EQ(ToBytes(sound->Data()), (std::vector<uint8_t>{'o', 'l', 'd'}));

    // A source that has gone fails the save.
    sound->SetSource(folder.Wide("gone.ogg"));
    MemoryStream failed;
    EXPECT_FALSE(table.SaveItemBody(1, failed, true));
}

TEST_F(ItemBodiesTest, GraphicsKindsKeepTheirPackedBodiesByteForByte) {
    const Bytes body = Bytes().U32(0xDEADBEEF).U16(7).U8(0).Raw({1, 2, 3, 4, 5});
    for (uint32_t kind = 0; kind <= KindIndex(ResourceKind::SceneInfo); ++kind) {
        EXPECT_EQ(RoundTrip(static_cast<ResourceKind>(kind), body, true), body.Data()) << "kind " << kind;
        // An empty body (a packed VERTEX_ANIMATION) is kept as well.
        EXPECT_EQ(RoundTrip(static_cast<ResourceKind>(kind), Bytes(), true, 2), std::vector<uint8_t>()) << kind;
        // Their unpacked form needs the kind's own codec.
        EXPECT_FALSE(Loads(static_cast<ResourceKind>(kind), body, false)) << "kind " << kind;
        MemoryStream out;
        EXPECT_FALSE(file_->GetTable(kind)->SaveItemBody(1, out, false)) << "kind " << kind;
    }
}

TEST_F(ItemBodiesTest, DamagedBodiesFailWithoutAllocatingTheirCounts) {
    EXPECT_FALSE(Loads(ResourceKind::BinaryData, Bytes().U32(0xFFFFFFF0).Raw({1, 2}), true));
    EXPECT_FALSE(Loads(ResourceKind::BinaryData, Bytes().U32(3).Raw({1, 2}), true));
    EXPECT_FALSE(Loads(ResourceKind::StringTable, Bytes().U32(0x7FFFFFFF).Text260("a").Text260("b"), true));
    EXPECT_FALSE(Loads(ResourceKind::StringTable, Bytes().U32(1).Text260("only the key"), true));
    EXPECT_FALSE(Loads(ResourceKind::Sound, Bytes().U16(0).U32(0xFFFFFFFF).Raw({1}), true));
    EXPECT_FALSE(Loads(ResourceKind::Sound, Bytes().Text260("name").U16(0), false));
    EXPECT_FALSE(Loads(ResourceKind::BinaryData, Bytes().Raw({1, 2, 3}), false));
    EXPECT_EQ(file_->GetBinaryDataTable()->GetCount(), 0u);
    EXPECT_EQ(file_->GetStringTableTable()->GetCount(), 0u);
    EXPECT_EQ(file_->GetSoundTable()->GetCount(), 0u);
}

}  // namespace
}  // namespace quill
