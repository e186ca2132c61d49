#include <gtest/gtest.h>

#include "GraphicsItems.h"
#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::AfterIndex;
using resource_test::Bytes;
using resource_test::ToBytes;

// Fills every table of a file: the graphics items and one item of each simple kind.
void FillEveryKind(ResourceFile& file) {
    resource_test::AddGraphicsItems(file);
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

TEST(ResourceFileFormatTest, EveryVersionRoundTripsByteForByteAndReadsLazily) {
    for (uint32_t version : {0u, 1u, 2u, 9u, 10u, 11u, 12u, 13u, 200u}) {
        SCOPED_TRACE(version);
        auto original = resource_test::MakeFile(u"Map0002");
        original->SetVersion(version);
        FillEveryKind(*original);
        MemoryStream package = resource_test::WritePackage({original.get()});

        ResourceFile read(u"Map0002", nullptr, nullptr);
        resource_test::SeekToFile(package, 0);
        ASSERT_TRUE(read.Read(package, true));
        ResourceFile lazy(u"Map0002", nullptr, nullptr);
        resource_test::SeekToFile(package, 0);
        ASSERT_TRUE(lazy.Read(package, false));
        EXPECT_EQ(read.GetVersion(), version);
        for (uint32_t kind = 0; kind < kResourceKindCount; ++kind) {
            SCOPED_TRACE(kind);
            ResourceTable& source = *original->GetTable(kind);
            EXPECT_EQ(lazy.GetTable(kind)->GetCount(), 0u);
            if (IsKindPresent(version, static_cast<ResourceKind>(kind))) {
                EXPECT_EQ(Bodies(*read.GetTable(kind)), Bodies(source));
                EXPECT_EQ(lazy.GetTable(kind)->ItemOffsets().size(), source.GetCount());
            } else {
                EXPECT_EQ(read.GetTable(kind)->GetCount(), 0u);
                EXPECT_EQ(read.GetTableOffset(kind), kNone);
            }
        }
        // Writing what was read gives the same resource-file bytes.
        MemoryStream again = resource_test::WritePackage({&read});
        EXPECT_EQ(AfterIndex(again), AfterIndex(package));
    }
}

// A version-13 resource file at offset 0 holding one item entry in the table of itemKind; the other tables
// are empty.
constexpr uint32_t kTablesStart = 8 + 14 * 4;
Bytes FileWithOneItem(ResourceKind itemKind, const Bytes& entry) {
    Bytes header;
    Bytes tables;
    header.U32(13).U32(14);
    for (uint32_t kind = 0; kind < 14; ++kind) {
        const uint32_t offset = kTablesStart + static_cast<uint32_t>(tables.Data().size());
        header.U32(offset);
        tables.U32(kind);
        if (kind == KindIndex(itemKind)) {
            tables.U32(1).U32(offset + 12).Raw(entry.Data());
        } else {
            tables.U32(0);
        }
    }
    return header.Raw(tables.Data());
}

bool ReadsWithItems(const Bytes& bytes) {
    MemoryStream stream = bytes.Stream();
    ResourceFile file(u"f", nullptr, nullptr);
    return file.Read(stream, true);
}

// An item entry of a compressed kind: index 0, id 7, the inflated size and the zlib stream with its size.
Bytes CompressedEntry(uint32_t size, const std::vector<uint8_t>& zlib) {
    return Bytes().U32(0).U32(7).U32(size).U32(static_cast<uint32_t>(zlib.size())).Raw(zlib);
}

// A texture body without images: the settings and an image count of 0 (15 bytes).
const Bytes kImagelessTexture = Bytes().U16(2).U16(1).U32(0xFF00FF).U16(1).U16(0).Raw({0}).U16(0);

TEST(ResourceFileFormatTest, TextureRecordsAreRawAndOthersCompressed) {
    // TEXTURE: index, id, size and the body itself.
    const Bytes rawEntry = Bytes().U32(0).U32(7).U32(15).Raw(kImagelessTexture.Data());
    MemoryStream stream = FileWithOneItem(ResourceKind::Texture, rawEntry).Stream();
    ResourceFile file(u"f", nullptr, nullptr);
    ASSERT_TRUE(file.Read(stream, true));
    MemoryStream body;
    ASSERT_TRUE(file.GetTextureTable()->SaveItemBody(7, body, true));
    EXPECT_EQ(ToBytes(body), kImagelessTexture.Data());
    EXPECT_EQ(stream.Tell(), stream.Size());

    // A body of bytes in a compressed kind lacks the compressed size and fails; with a zlib stream it loads.
    const Bytes binary = Bytes().U32(3).Raw({9, 8, 7});
    EXPECT_FALSE(ReadsWithItems(FileWithOneItem(ResourceKind::BinaryData,
                                                Bytes().U32(0).U32(7).U32(7).Raw(binary.Data()))));
    MemoryStream zipped = binary.Stream();
    ASSERT_TRUE(zipped.Compress());
    std::vector<uint8_t> zlib = ToBytes(zipped);
    EXPECT_TRUE(ReadsWithItems(FileWithOneItem(ResourceKind::BinaryData, CompressedEntry(7, zlib))));

    // A damaged zlib stream fails the whole file.
    zlib[zlib.size() / 2] ^= 0x55;
    zlib.back() ^= 0xFF;
    EXPECT_FALSE(ReadsWithItems(FileWithOneItem(ResourceKind::BinaryData, CompressedEntry(7, zlib))));
}

TEST(ResourceFileFormatTest, DamagedHeadersCountsAndSizesFailWithoutHugeAllocations) {
    const Bytes good =
        FileWithOneItem(ResourceKind::Texture, Bytes().U32(0).U32(7).U32(15).Raw(kImagelessTexture.Data()));
    EXPECT_TRUE(ReadsWithItems(good));
    // The empty BONE table is at kTablesStart, the TEXTURE table 8 bytes on with its item entry 12 after that.
    const struct {
        size_t offset;
        uint32_t value;
        const char* what;
    } damages[] = {
        {4, 13, "a table count other than the version's"},
        {kTablesStart, 1, "a table index out of sequence"},
        {kTablesStart + 4, 0xFFFFFFFF, "an item count far beyond the file"},
        {kTablesStart + 20, 1, "an item index out of sequence"},
        {kTablesStart + 28, 0x7FFFFFFF, "a texture size beyond the file"},
    };
    for (const auto& damage : damages) {
        std::vector<uint8_t> bytes = good.Data();
        for (size_t i = 0; i < 4; ++i) {
            bytes[damage.offset + i] = static_cast<uint8_t>(damage.value >> (8 * i));
        }
        EXPECT_FALSE(ReadsWithItems(Bytes().Raw(bytes))) << damage.what;
    }
    // A compressed size beyond the file, and a size no zlib stream of that length can inflate to.
    EXPECT_FALSE(
        ReadsWithItems(FileWithOneItem(ResourceKind::Mesh, Bytes().U32(0).U32(0).U32(10).U32(0xFFFFFF00).Raw({1, 2}))));
    EXPECT_FALSE(ReadsWithItems(FileWithOneItem(ResourceKind::Mesh, CompressedEntry(0xF0000000, {1, 2}))));
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
            resource_test::ToStream({bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(length)});
        truncated.Seek(Stream::kFromBegin, static_cast<int32_t>(start));
        ResourceFile file(u"f", nullptr, nullptr);
        EXPECT_FALSE(file.Read(truncated, true)) << "length " << length;
    }
}

}  // namespace
}  // namespace quill
