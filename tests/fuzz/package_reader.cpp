// Arbitrary bytes as a package: the index, then every resource file it names read whole, read lazily with
// each item loaded on its own, and written back out; the graphics items that load are then used the way
// the game uses them (models placed, animated, skinned and culled, sprites animated and projected as
// decals, scene descriptions copied), since their indices come from the file too. A damaged package must
// fail its loads or have its bad indices skipped, never crash, read out of bounds or allocate without
// bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/math/Camera.h"
#include "QuillLib/resource/DecalHolder.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/PackageWriter.h"
#include "QuillLib/resource/PlacedModelObject.h"
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

// A camera looking along +z from z = -10.
quill::Camera View() {
    quill::Camera camera(u"view");
    camera.SetFrame(quill::Vec3{0, 0, -10}, quill::Vec3{0, 0, 0}, quill::Vec3{0, 1, 0}, quill::Vec3{1, 0, 0});
    return camera;
}

void UseModel(const quill::ModelObject& model, quill::ResourceFile& file, const quill::Camera& camera) {
    quill::PlacedModelObject placed(model, quill::Transform{});
    for (uint32_t id : file.GetBoneAnimationTable()->GetIds()) {
        placed.AttachBoneAnimation(0.0f, 1, file.FindBoneAnimation(id));
    }
    placed.AdvanceAnimation(0.25f);
    placed.PrepareForView(camera);
    placed.ApplyToParts([&camera](quill::MeshPart& part) { part.CullTriangles(quill::kIdentityMatrix, camera); });
    for (uint32_t id : file.GetSpriteTable()->GetIds()) {
        quill::DecalHolder holder;
        const quill::SharedPtr<quill::SpriteObject> sprite = file.FindSprite(id);
        sprite->ProjectAsDecal(holder, quill::Vec3{}, 10.0f, placed, 0);
        sprite->UpdateAnimation(0.3f);
    }
}

void UseGraphics(quill::ResourceFile& file) {
    const quill::Camera camera = View();
    const size_t models = std::min<size_t>(file.GetModelTable()->GetCount(), 4);
    for (size_t i = 0; i < models; ++i) {
        UseModel(*file.FindModel(file.GetModelTable()->GetIds()[i]), file, camera);
    }
    for (uint32_t id : file.GetSceneInfoTable()->GetIds()) {
        std::unique_ptr<quill::SceneInfo> copy(file.FindSceneInfo(id)->Clone());
        copy->SelectCamera(0);
    }
    for (uint32_t id : file.GetSpriteAnimationTable()->GetIds()) {
        const quill::SharedPtr<quill::SpriteAnimation> animation = file.GetSpriteAnimationTable()->FindShared(id);
        animation->Start();
        animation->Update(0.5f, nullptr, true);
    }
}

void ReadWhole(MemoryStream& stream, Package& package, const Package::IndexEntry& entry) {
    ResourceFile file(entry.name, &package, nullptr);
    if (!SeekTo(stream, entry.offset) || !file.Read(stream, true)) {
        return;
    }
    UseGraphics(file);
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
