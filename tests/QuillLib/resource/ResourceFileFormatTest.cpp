#include <gtest/gtest.h>

#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::Bytes;
using resource_test::ToBytes;

// Fills every table of a file with items whose bodies are distinct.
void FillEveryKind(ResourceFile& file) {
    for (uint32_t kind = 0; kind <= KindIndex(ResourceKind::SceneInfo); ++kind) {
        for (uint32_t id = 0; id < 2; ++id) {
            MemoryStream body = Bytes().U32(kind).U32(id).Raw({1, 2, 3}).Stream();
            ASSERT_TRUE(file.GetTable(kind)->LoadItem(body, body, id, true));
        }
    }
    MemoryStream sound = Bytes().U16(0).U32(4).Raw({'R', 'I', 'F', 'F'}).Stream();
    ASSERT_TRUE(file.GetSoundTable()->LoadItem(sound, sound, 0, true));
    MemoryStream strings = Bytes().U32(1).Text260("key").Text260("text").Stream();
    ASSERT_TRUE(file.GetStringTableTable()->LoadItem(strings, strings, 0, true));
    resource_test::AddBinary(file, 0, "binary");
}

// The packed bodies of every item of a table, in id order.
std::vector<std::vector<uint8_t>> Bodies(ResourceTable& table) {
    std::vector<std::vector<uint8_t>> bodies;
    for (uint32_t id : table.GetIds()) {
        MemoryStream out;
        EXPECT_TRUE(table.SaveItemBody(id, out, true));
        bodies.push_back(ToBytes(out));
    }
    return bodies;
}

// The bytes after the package index (the index names are scrambled with random keys).
std::vector<uint8_t> AfterIndex(MemoryStream& package) {
    std::vector<uint8_t> bytes = ToBytes(package);
    const size_t indexSize = 4 + 20 * static_cast<size_t>(bytes[0]);
    return std::vector<uint8_t>(bytes.begin() + static_cast<ptrdiff_t>(indexSize), bytes.end());
}

TEST(ResourceFileFormatTest, EveryVersionRoundTripsByteForByte) {
    for (uint32_t version : {0u, 1u, 2u, 5u, 9u, 10u, 11u, 12u, 13u, 14u, 16u, 200u}) {
        SCOPED_TRACE(version);
        auto original = resource_test::MakeFile(u"Map0002");
        FillEveryKind(*original);
        original->SetVersion(version);
        MemoryStream package = resource_test::WritePackage({original.get()});

        ResourceFile read(u"Map0002", nullptr, nullptr);
        resource_test::SeekToFile(package, 0);
        ASSERT_TRUE(read.Read(package, true));
        EXPECT_EQ(read.GetVersion(), version);
        for (uint32_t kind = 0; kind < kResourceKindCount; ++kind) {
            ResourceTable& table = *read.GetTable(kind);
            if (IsKindPresent(version, static_cast<ResourceKind>(kind))) {
                EXPECT_EQ(Bodies(table), Bodies(*original->GetTable(kind))) << "kind " << kind;
                EXPECT_NE(read.GetTableOffset(kind), kNone);
            } else {
                EXPECT_EQ(table.GetCount(), 0u) << "kind " << kind;
                EXPECT_EQ(read.GetTableOffset(kind), kNone);
            }
        }
        // Writing what was read gives the same resource-file bytes.
        MemoryStream again = resource_test::WritePackage({&read});
        EXPECT_EQ(AfterIndex(again), AfterIndex(package));
    }
}

TEST(ResourceFileFormatTest, ReadWithoutItemsSeeksToEveryTable) {
    auto original = resource_test::MakeFile(u"f");
    FillEveryKind(*original);
    MemoryStream package = resource_test::WritePackage({original.get()});
    ResourceFile lazy(u"f", nullptr, nullptr);
    resource_test::SeekToFile(package, 0);
    ASSERT_TRUE(lazy.Read(package, false));
    for (uint32_t kind = 0; kind < kResourceKindCount; ++kind) {
        EXPECT_EQ(lazy.GetTable(kind)->GetCount(), 0u);
        EXPECT_EQ(lazy.GetTable(kind)->ItemOffsets().size(), original->GetTable(kind)->GetCount()) << kind;
    }
    // Items load one by one from their offsets.
    EXPECT_EQ(resource_test::BinaryText(lazy.GetBinaryDataTable()->FindOrLoad(0, package)), "binary");
}

// A version-13 resource file at offset 0 holding one item in one table; every other table is empty.
Bytes FileWithOneItem(ResourceKind itemKind, const std::vector<uint8_t>& entry) {
    const uint32_t headerSize = 8 + 14 * 4;
    Bytes file;
    file.U32(13).U32(14);
    std::vector<uint32_t> offsets;
    uint32_t position = headerSize;
    for (uint32_t kind = 0; kind < 14; ++kind) {
        offsets.push_back(position);
        position += kind == KindIndex(itemKind) ? 12 + static_cast<uint32_t>(entry.size()) : 8;
    }
    for (uint32_t offset : offsets) {
        file.U32(offset);
    }
    for (uint32_t kind = 0; kind < 14; ++kind) {
        file.U32(kind);
        if (kind == KindIndex(itemKind)) {
            file.U32(1).U32(offsets[kind] + 12).Raw(entry);
        } else {
            file.U32(0);
        }
    }
    return file;
}

bool ReadsWithItems(const Bytes& bytes) {
    MemoryStream stream = bytes.Stream();
    ResourceFile file(u"f", nullptr, nullptr);
    return file.Read(stream, true);
}

TEST(ResourceFileFormatTest, TextureRecordsAreRawAndOthersCompressed) {
    // TEXTURE: index, id, size and the body itself.
    const Bytes texture = FileWithOneItem(ResourceKind::Texture, Bytes().U32(0).U32(7).U32(3).Raw({9, 8, 7}).Data());
    MemoryStream stream = texture.Stream();
    ResourceFile file(u"f", nullptr, nullptr);
    ASSERT_TRUE(file.Read(stream, true));
    MemoryStream body;
    ASSERT_TRUE(file.GetTextureTable()->SaveItemBody(7, body, true));
    EXPECT_EQ(ToBytes(body), (std::vector<uint8_t>{9, 8, 7}));
    EXPECT_EQ(stream.Tell(), stream.Size());

    // The same record in a compressed kind lacks the compressed size and fails.
    EXPECT_FALSE(
        ReadsWithItems(FileWithOneItem(ResourceKind::Mesh, Bytes().U32(0).U32(7).U32(3).Raw({9, 8, 7}).Data())));

    // With a zlib stream it loads.
    MemoryStream zipped = Bytes().Raw({9, 8, 7}).Stream();
    ASSERT_TRUE(zipped.Compress());
    const std::vector<uint8_t> zlib = ToBytes(zipped);
    EXPECT_TRUE(ReadsWithItems(FileWithOneItem(
        ResourceKind::Mesh, Bytes().U32(0).U32(7).U32(3).U32(static_cast<uint32_t>(zlib.size())).Raw(zlib).Data())));

    // A damaged zlib stream fails the whole file.
    std::vector<uint8_t> damaged = zlib;
    damaged[damaged.size() / 2] ^= 0x55;
    damaged.back() ^= 0xFF;
    EXPECT_FALSE(ReadsWithItems(
        FileWithOneItem(ResourceKind::Mesh,
                        Bytes().U32(0).U32(7).U32(3).U32(static_cast<uint32_t>(damaged.size())).Raw(damaged).Data())));
}

TEST(ResourceFileFormatTest, HeaderAndSequenceChecks) {
    // Version 5 stores 10 tables; a count of 11 is rejected.
    Bytes wrongCount;
    wrongCount.U32(5).U32(11);
    for (int i = 0; i < 11; ++i) {
        wrongCount.U32(0);
    }
    EXPECT_FALSE(ReadsWithItems(wrongCount));

    // An item index out of sequence.
    EXPECT_FALSE(ReadsWithItems(FileWithOneItem(ResourceKind::Texture, Bytes().U32(1).U32(7).U32(0).Data())));
    // A table index out of sequence.
    Bytes file = FileWithOneItem(ResourceKind::Texture, Bytes().U32(0).U32(7).U32(0).Data());
    std::vector<uint8_t> bytes = file.Data();
    bytes[8 + 14 * 4] = 1;  // the first table says it is the second
    EXPECT_FALSE(ReadsWithItems(Bytes().Raw(bytes)));
    EXPECT_TRUE(ReadsWithItems(file));
}

TEST(ResourceFileFormatTest, DamagedSizesFailWithoutHugeAllocations) {
    // An item count far beyond the file.
    Bytes hugeCount;
    hugeCount.U32(13).U32(14);
    for (uint32_t kind = 0; kind < 14; ++kind) {
        hugeCount.U32(8 + 14 * 4);
    }
    hugeCount.U32(0).U32(0xFFFFFFFF);
    EXPECT_FALSE(ReadsWithItems(hugeCount));

    // A compressed size beyond the file, and a size no zlib stream of that length can inflate to.
    EXPECT_FALSE(ReadsWithItems(
        FileWithOneItem(ResourceKind::Mesh, Bytes().U32(0).U32(0).U32(10).U32(0xFFFFFF00).Raw({1, 2}).Data())));
    EXPECT_FALSE(ReadsWithItems(
        FileWithOneItem(ResourceKind::Mesh, Bytes().U32(0).U32(0).U32(0xF0000000).U32(2).Raw({1, 2}).Data())));
    // A texture size beyond the file.
    EXPECT_FALSE(
        ReadsWithItems(FileWithOneItem(ResourceKind::Texture, Bytes().U32(0).U32(0).U32(0x7FFFFFFF).Raw({1}).Data())));
}

TEST(ResourceFileFormatTest, EveryTruncationFailsCleanly) {
    auto original = resource_test::MakeFile(u"f");
    FillEveryKind(*original);
    MemoryStream package = resource_test::WritePackage({original.get()});
    const std::vector<uint8_t> bytes = ToBytes(package);
    resource_test::SeekToFile(package, 0);
    const uint32_t start = package.Tell();
    for (size_t length = start; length < bytes.size(); ++length) {
        MemoryStream truncated =
            Bytes::ToStream(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(length)));
        truncated.Seek(Stream::kFromBegin, static_cast<int32_t>(start));
        ResourceFile file(u"f", nullptr, nullptr);
        EXPECT_FALSE(file.Read(truncated, true)) << "length " << length;
    }
}

}  // namespace
}  // namespace quill
