// Loading speed of packages, in megabytes of item bodies per second, beside raw zlib inflation of the same
// records. The package (made by PackageWriter in a temporary folder) holds two resource files: "data" with
// 100 BINARY_DATA items of 1 KiB to 64 KiB that compress about 3:1, and "models" with 200 textures (64 x 64
// BMP images), 200 materials and 200 meshes of 512 vertices and 510 triangles each.
//   LoadPackageWhole       the package index, then every resource file read with all its items
//   LoadPackageLazily      every file read without items, then each item loaded on its own (LoadItemAt)
//   LoadIntoDeviceObjects  the whole package read, then every texture made on the recording device and
//                          every mesh copied into a vertex and an index buffer, all released again
//   RawInflate             zlib uncompress of every record (each texture image) into a buffer of its
//                          size: the floor of the loads
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "QuillLib/core/FileStream.h"
#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/render/IndexBuffer.h"
#include "QuillLib/render/VertexBuffer.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/PackageWriter.h"
#include "QuillLib/resource/ResourceFile.h"
#include "platform/system/CodePage.h"
#include "tests/QuillLib/resource/GraphicsItems.h"
#include "tests/QuillLib/resource/TestResourceDevice.h"

namespace {

using quill::MemoryStream;
using quill::ResourceFile;
using quill::SharedPtr;

constexpr uint32_t kDataItems = 100;
constexpr uint32_t kModels = 200;
constexpr uint32_t kMeshVertices = 512;
constexpr uint32_t kMeshIndices = 1530;
constexpr uint32_t kImageEdge = 64;
constexpr uint32_t kMeshFormat = quill::VertexData::kPosition | quill::VertexData::kNormal | 0x100;

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

// A BMP image whose pixels compress like the bodies.
std::vector<uint8_t> Image(uint32_t seed) {
    std::vector<uint8_t> file = resource_test::MakeBmp(kImageEdge, kImageEdge, 0);
    const std::vector<uint8_t> pixels = Body(seed, static_cast<uint32_t>(file.size() - 54));
    std::copy(pixels.begin(), pixels.end(), file.begin() + 54);
    return file;
}

SharedPtr<quill::Mesh> MeshOf(uint32_t seed, SharedPtr<quill::Material> material) {
    SharedPtr<quill::Mesh> mesh = quill::make_shared<quill::Mesh>(u"");
    mesh->Allocate(kMeshFormat, kMeshVertices);
    const std::vector<uint8_t> words = Body(seed, static_cast<uint32_t>(mesh->vertices->Bytes().size()));
    std::memcpy(mesh->vertices->Bytes().data(), words.data(), words.size());
    SharedPtr<quill::IndexedMeshPart> part = quill::make_shared<quill::IndexedMeshPart>(std::move(material), kMeshIndices);
    for (uint32_t i = 0; i < kMeshIndices; ++i) {
        part->GetWritableIndices().indices[i] = static_cast<uint16_t>((i * 7 + seed) % kMeshVertices);
    }
    part->GetWritableIndices().RebuildKeys();
    mesh->AddPart(part);
    return mesh;
}

// The package on disk, its body bytes and the zlib records of its bodies.
class BenchPackage {
public:
    BenchPackage() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrovan-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        path_ = platform::Utf8ToUtf16((folder_ / "bench.tpk").string());
        std::unique_ptr<ResourceFile> data = MakeDataFile();
        std::unique_ptr<ResourceFile> models = MakeModelFile();
        quill::PackageWriter writer;
        writer.AddFile(*data);
        writer.AddFile(*models);
        writer.WriteFile(path_);
        KeepRecords(*data);
        KeepRecords(*models);
    }
    ~BenchPackage() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    const quill::WString& Path() const { return path_; }
    int64_t BodyBytes() const { return bodyBytes_; }
    const std::vector<std::pair<std::vector<uint8_t>, uint32_t>>& Records() const { return records_; }

private:
    static std::unique_ptr<ResourceFile> MakeDataFile() {
        auto file = std::make_unique<ResourceFile>(u"data", nullptr, nullptr);
        for (uint32_t id = 0; id < kDataItems; ++id) {
            std::vector<uint8_t> bytes = Body(id, BodySize(id));
            MemoryStream body;
            quill::WriteU32(body, static_cast<uint32_t>(bytes.size()));
            body.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
            body.Seek(quill::Stream::kFromBegin, 0);
            file->GetBinaryDataTable()->LoadItem(body, body, id, true);
        }
        return file;
    }

    static std::unique_ptr<ResourceFile> MakeModelFile() {
        auto file = std::make_unique<ResourceFile>(u"models", nullptr, nullptr);
        for (uint32_t id = 0; id < kModels; ++id) {
            SharedPtr<quill::Texture> texture =
                resource_test::Put(*file->GetTextureTable(), resource_test::MakeTexture(Image(id), kImageEdge, kImageEdge), id);
            SharedPtr<quill::Material> material = quill::make_shared<quill::Material>(u"", 1, 0, 0, 0);
            material->SetSlot(0, texture);
            resource_test::Put(*file->GetMaterialTable(), material, id);
            resource_test::Put(*file->GetMeshTable(), MeshOf(id, material), id);
        }
        return file;
    }

    // Each item's record as the package holds it zlib-compressed: the whole body, or a texture's image.
    void KeepRecords(ResourceFile& file) {
        for (uint32_t kind = 0; kind < quill::kResourceKindCount; ++kind) {
            quill::ResourceTable& table = *file.GetTable(kind);
            for (uint32_t id : table.GetIds()) {
                MemoryStream body;
                table.SaveItemBody(id, body, true);
                bodyBytes_ += body.Size();
                if (!table.IsCompressed()) {
                    body = *file.FindTexture(id)->GetImageData(0);
                }
                MemoryStream zipped;
                body.CompressTo(zipped);
                records_.emplace_back(std::vector<uint8_t>(zipped.Data(), zipped.Data() + zipped.Size()), body.Size());
            }
        }
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
        if (!package.ReadIndex(bench.Path(), true)) {
            state.SkipWithError("the package did not load");
        }
        benchmark::DoNotOptimize(package.LoadedFileCount());
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
            ResourceFile* file = package.GetResourceFile(entry.name, false);
            for (uint32_t kind = 0; kind < quill::kResourceKindCount; ++kind) {
                quill::ResourceTable& table = *file->GetTable(kind);
                for (uint32_t index = 0; index < table.ItemOffsets().size(); ++index) {
                    // Items loaded already as another's reference are found, not loaded again.
                    if (!table.FindById(index) && !table.LoadItemAt(*stream, index)) {
                        state.SkipWithError("an item did not load");
                    }
                }
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * bench.BodyBytes());
}
BENCHMARK(LoadPackageLazily)->Unit(benchmark::kMillisecond);

// Copies a mesh into a vertex and an index buffer of its own on the device.
bool UploadMesh(platform::gfx::Device& device, quill::Mesh& mesh, std::vector<std::unique_ptr<quill::DeviceBuffer>>& buffers) {
    auto vertices = std::make_unique<quill::VertexBuffer>(device, mesh.vertices->LayoutFlags(),
                                                          static_cast<uint32_t>(mesh.vertices->Bytes().size()) * 2, false);
    auto& part = static_cast<quill::IndexedMeshPart&>(*mesh.parts.front());
    quill::IndexChunk chunk;
    chunk.indices = part.GetIndices().indices;
    chunk.highest = static_cast<uint16_t>(mesh.vertices->VertexCount() - 1);
    auto indices = std::make_unique<quill::IndexBuffer>(device, static_cast<uint32_t>(chunk.indices.size()) * 2, false);
    uint32_t first = 0;
    const bool made = vertices->Create() && indices->Create() && vertices->Append(*mesh.vertices, first, -1) >= 0 &&
                      indices->Append(chunk, first, first, -1) >= 0;
    buffers.push_back(std::move(vertices));
    buffers.push_back(std::move(indices));
    return made;
}

void LoadIntoDeviceObjects(benchmark::State& state) {
    const BenchPackage& bench = Package();
    resource_test::TestResourceDevice device;
    device.Setup().log.SetEnabled(false);
    for (auto _ : state) {
        quill::Package package(u"bench", nullptr);
        package.ReadIndex(bench.Path(), true);
        ResourceFile& models = *package.FindLoadedFile(u"models");
        models.SetDevice(&device);
        std::vector<std::unique_ptr<quill::DeviceBuffer>> buffers;
        for (uint32_t id = 0; id < kModels; ++id) {
            if (!models.FindTexture(id)->Acquire(false) ||
                !UploadMesh(*device.GetGfxDevice(), *models.FindMesh(id), buffers)) {
                state.SkipWithError("a device object was not made");
            }
        }
        package.ReleaseTextures();
    }
    state.SetBytesProcessed(state.iterations() * bench.BodyBytes());
}
BENCHMARK(LoadIntoDeviceObjects)->Unit(benchmark::kMillisecond);

void RawInflate(benchmark::State& state) {
    const BenchPackage& bench = Package();
    std::vector<uint8_t> output(256 * 1024);
    for (auto _ : state) {
        for (const auto& [zipped, size] : bench.Records()) {
            uLongf length = size;
            if (size > output.size() || uncompress(output.data(), &length, zipped.data(), zipped.size()) != Z_OK) {
                state.SkipWithError("inflate failed");
            }
            benchmark::DoNotOptimize(output.data());
        }
    }
    state.SetBytesProcessed(state.iterations() * bench.BodyBytes());
}
BENCHMARK(RawInflate)->Unit(benchmark::kMillisecond);

}  // namespace
