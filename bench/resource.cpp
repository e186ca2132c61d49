// Loading speed of packages, in megabytes of item bodies per second, beside raw zlib inflation of the same
// records. The package (made by PackageWriter in a temporary folder) holds 3 resource files of 100 items
// each: BINARY_DATA and two graphics kinds kept as bytes, 1 KiB to 64 KiB bodies that compress about 3:1.
//   LoadPackageWhole   the package index, then every resource file read with all its items
//   LoadPackageLazily  every file read without items, then each item loaded on its own (LoadItemAt)
//   RawInflate         zlib uncompress of every record into a buffer of its size: the floor of both
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <zlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "QuillLib/core/FileStream.h"
#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/PackageWriter.h"
#include "QuillLib/resource/ResourceFile.h"
#include "platform/system/CodePage.h"

namespace {

using quill::MemoryStream;
using quill::ResourceFile;

constexpr uint32_t kItemsPerFile = 100;

// Bytes that compress about 3:1: runs of a few repeated words between random ones.
std::vector<uint8_t> Body(uint32_t seed, uint32_t size) {
    std::vector<uint8_t> bytes(size);
    uint32_t state = seed * 2654435761u + 1;
    for (uint32_t i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = (state >> 16) % 4 == 0 ? static_cast<uint8_t>(state >> 24) : static_cast<uint8_t>("tablecue"[i % 8]);
    }
    return bytes;
}

uint32_t BodySize(uint32_t item) {
    return 1024u << (item % 7);
}

// The package on disk, its item count and the zlib records of its bodies.
class BenchPackage {
public:
    BenchPackage() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrovan-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        path_ = platform::Utf8ToUtf16((folder_ / "bench.tpk").string());
        const quill::ResourceKind kinds[] = {quill::ResourceKind::BinaryData, quill::ResourceKind::Mesh,
                                             quill::ResourceKind::SceneInfo};
        std::vector<std::unique_ptr<ResourceFile>> files;
        quill::PackageWriter writer;
        for (quill::ResourceKind kind : kinds) {
            files.push_back(MakeFile(kind, static_cast<uint32_t>(files.size())));
            writer.AddFile(*files.back());
        }
        writer.WriteFile(path_);
    }
    ~BenchPackage() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    const quill::WString& Path() const { return path_; }
    int64_t BodyBytes() const { return bodyBytes_; }
    const std::vector<std::pair<std::vector<uint8_t>, uint32_t>>& Records() const { return records_; }

private:
    std::unique_ptr<ResourceFile> MakeFile(quill::ResourceKind kind, uint32_t fileIndex) {
        auto file = std::make_unique<ResourceFile>(u"file" + platform::Utf8ToUtf16(std::to_string(fileIndex)), nullptr,
                                                   nullptr);
        for (uint32_t id = 0; id < kItemsPerFile; ++id) {
            std::vector<uint8_t> data = Body(fileIndex * kItemsPerFile + id, BodySize(id));
            MemoryStream body;
            if (kind == quill::ResourceKind::BinaryData) {
                quill::WriteU32(body, static_cast<uint32_t>(data.size()));
            }
            body.Write(data.data(), static_cast<uint32_t>(data.size()));
            body.Seek(quill::Stream::kFromBegin, 0);
            file->GetTable(quill::KindIndex(kind))->LoadItem(body, body, id, true);
            Keep(body);
        }
        return file;
    }

    void Keep(MemoryStream& body) {
        bodyBytes_ += body.Size();
        MemoryStream zipped;
        body.CompressTo(zipped);
        records_.emplace_back(std::vector<uint8_t>(zipped.Data(), zipped.Data() + zipped.Size()), body.Size());
    }

    std::filesystem::path folder_;
    quill::WString path_;
    int64_t bodyBytes_ = 0;
    std::vector<std::pair<std::vector<uint8_t>, uint32_t>> records_;
};

const BenchPackage& Package() {
    static const BenchPackage package;
    return package;
}

void LoadPackageWhole(benchmark::State& state) {
    const BenchPackage& bench = Package();  // made before the timing
    for (auto _ : state) {
        quill::Package package(u"bench", nullptr);
        package.ReadIndex(bench.Path(), false);
        const std::unique_ptr<quill::FileStream> stream = package.OpenStream(quill::FileStream::kRead);
        for (const quill::Package::IndexEntry& entry : package.IndexEntries()) {
            ResourceFile file(entry.name, &package, nullptr);
            stream->Seek(quill::Stream::kFromBegin, static_cast<int32_t>(entry.offset));
            if (!file.Read(*stream, true)) {
                state.SkipWithError("the package did not load");
            }
            benchmark::DoNotOptimize(file.GetTable(0));
        }
    }
    state.SetBytesProcessed(state.iterations() * bench.BodyBytes());
}
BENCHMARK(LoadPackageWhole)->Unit(benchmark::kMillisecond);

void LoadPackageLazily(benchmark::State& state) {
    const BenchPackage& bench = Package();  // made before the timing
    for (auto _ : state) {
        quill::Package package(u"bench", nullptr);
        package.ReadIndex(bench.Path(), false);
        const std::unique_ptr<quill::FileStream> stream = package.OpenStream(quill::FileStream::kRead);
        for (const quill::Package::IndexEntry& entry : package.IndexEntries()) {
            ResourceFile file(entry.name, &package, nullptr);
            stream->Seek(quill::Stream::kFromBegin, static_cast<int32_t>(entry.offset));
            file.Read(*stream, false);
            for (uint32_t kind = 0; kind < quill::kResourceKindCount; ++kind) {
                quill::ResourceTable& table = *file.GetTable(kind);
                for (uint32_t index = 0; index < table.ItemOffsets().size(); ++index) {
                    if (!table.LoadItemAt(*stream, index)) {
                        state.SkipWithError("an item did not load");
                    }
                }
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * bench.BodyBytes());
}
BENCHMARK(LoadPackageLazily)->Unit(benchmark::kMillisecond);

void RawInflate(benchmark::State& state) {
    const BenchPackage& bench = Package();
    std::vector<uint8_t> output(64 * 1024 + 16);
    for (auto _ : state) {
        for (const auto& [zipped, size] : bench.Records()) {
            uLongf length = size;
            if (uncompress(output.data(), &length, zipped.data(), zipped.size()) != Z_OK) {
                state.SkipWithError("inflate failed");
            }
            benchmark::DoNotOptimize(output.data());
        }
    }
    state.SetBytesProcessed(state.iterations() * bench.BodyBytes());
}
BENCHMARK(RawInflate)->Unit(benchmark::kMillisecond);

}  // namespace
