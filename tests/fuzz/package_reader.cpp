// Arbitrary bytes as a package: the index, then every resource file it names read whole, read lazily with
// each item loaded on its own, and written back out. A damaged package must fail its loads, never crash,
// read out of bounds or allocate without bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/PackageWriter.h"
#include "QuillLib/resource/ResourceFile.h"

namespace {

using quill::MemoryStream;
using quill::Package;
using quill::ResourceFile;

// Bounds the work per input; the reader itself bounds nothing by count.
constexpr size_t kMaxFiles = 8;
constexpr size_t kMaxItemsPerTable = 32;

bool SeekTo(MemoryStream& stream, uint32_t offset) {
    return offset <= INT32_MAX && stream.Seek(quill::Stream::kFromBegin, static_cast<int32_t>(offset));
}

void ReadWhole(MemoryStream& stream, Package& package, const Package::IndexEntry& entry) {
    ResourceFile file(entry.name, &package, nullptr);
    if (!SeekTo(stream, entry.offset) || !file.Read(stream, true)) {
        return;
    }
    MemoryStream out;
    quill::PackageWriter writer;
    writer.AddFile(file);
    writer.Write(out);
    for (uint32_t kind = 0; kind < quill::kResourceKindCount; ++kind) {
        MemoryStream dump;
        file.GetTable(kind)->SaveItems(dump);
    }
}

void ReadLazily(MemoryStream& stream, Package& package, const Package::IndexEntry& entry) {
    ResourceFile file(entry.name, &package, nullptr);
    if (!SeekTo(stream, entry.offset) || !file.Read(stream, false)) {
        return;
    }
    for (uint32_t kind = 0; kind < quill::kResourceKindCount; ++kind) {
        quill::ResourceTable& table = *file.GetTable(kind);
        const size_t count = std::min(table.ItemOffsets().size(), kMaxItemsPerTable);
        for (uint32_t index = 0; index < count; ++index) {
            table.LoadItemAt(stream, index);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0xFFFFFFFF) {
        return 0;
    }
    MemoryStream stream;
    stream.Write(data, static_cast<uint32_t>(size));
    stream.Seek(quill::Stream::kFromBegin, 0);
    Package package(u"fuzz", nullptr);
    if (!package.ReadIndex(stream, u"fuzz.tpk", false)) {
        return 0;
    }
    const size_t files = std::min(package.IndexEntries().size(), kMaxFiles);
    for (size_t i = 0; i < files; ++i) {
        ReadWhole(stream, package, package.IndexEntries()[i]);
        ReadLazily(stream, package, package.IndexEntries()[i]);
    }
    return 0;
}
