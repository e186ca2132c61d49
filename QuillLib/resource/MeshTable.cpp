#include "QuillLib/resource/MeshTable.h"

#include <bit>

#include "QuillLib/resource/BodyFields.h"
#include "QuillLib/resource/IndexedMeshPart.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/SkinnedMesh.h"

namespace quill {
namespace {

constexpr uint32_t kOptionsSince = 6;
constexpr uint32_t kNoExtraValuesSince = 14;
constexpr uint32_t kOldFormatVersion = 1;
constexpr uint32_t kInfluenceSize = 6;
constexpr uint32_t kSmallestPart = 5;

bool IndicesFit(const IndexBlock& block, uint32_t vertexCount) {
    return block.vertexKeys.empty() || *block.vertexKeys.rbegin() < vertexCount;
}

}  // namespace

uint32_t MeshTable::ConvertVersion1Format(uint32_t oldFormat) {
    return static_cast<uint32_t>(std::popcount(oldFormat & 0xCu)) * 0x100u | (oldFormat & 3u);
}

bool MeshTable::HasExtraValues() const {
    return Version() < kNoExtraValuesSince;
}

SharedPtr<Mesh> MeshTable::LoadBody(Stream& body, Stream& file, bool packed) {
    WString name;
    uint32_t skeletonId = kNone;
    uint32_t vertexFormat = 0;
    uint32_t vertexCount = 0;
    if (!ReadItemName(body, packed, name) || !ReadU32(body, skeletonId) || !ReadU32(body, vertexFormat) ||
        !ReadU32(body, vertexCount)) {
        return {};
    }
    if (!packed && Version() <= kOldFormatVersion) {
        vertexFormat = ConvertVersion1Format(vertexFormat);
    }
    SharedPtr<Mesh> mesh = MakeMesh(file, name, skeletonId);
    if (!mesh || !ReadVertices(body, *mesh, vertexFormat, vertexCount) || !ReadSphere(body, mesh->bound)) {
        return {};
    }
    if (auto* skinned = dynamic_cast<SkinnedMesh*>(mesh.get()); skinned && !ReadSkin(body, *skinned)) {
        return {};
    }
    uint8_t optionA = 0;
    uint8_t optionB = 0;
    if (HasFieldSince(packed, Version(), kOptionsSince) &&
        (!ReadU8(body, optionA) || (optionA != 0 && !ReadU8(body, optionB)))) {
        return {};
    }
    mesh->SetOptions(optionA, optionB);
    return ReadParts(body, file, *mesh) ? mesh : SharedPtr<Mesh>();
}

SharedPtr<Mesh> MeshTable::MakeMesh(Stream& file, const WString& name, uint32_t skeletonId) {
    if (skeletonId == kNone) {
        return quill::make_shared<Mesh>(name);
    }
    SharedPtr<Skeleton> skeleton = Owner()->FindOrLoadBone(skeletonId, file);
    return skeleton ? quill::make_shared<SkinnedMesh>(name, std::move(skeleton)) : SharedPtr<Mesh>();
}

bool MeshTable::ReadVertices(Stream& body, Mesh& mesh, uint32_t vertexFormat, uint32_t vertexCount) {
    VertexData probe;
    if (!probe.SetLayout(vertexFormat, 0) || !CanHold(body, vertexCount, probe.VertexSize()) ||
        !mesh.Allocate(vertexFormat, vertexCount)) {
        return false;
    }
    const std::span<std::byte> bytes = mesh.vertices->Bytes();
    return body.Read(bytes.data(), static_cast<uint32_t>(bytes.size())) == bytes.size();
}

bool MeshTable::ReadSkin(Stream& body, SkinnedMesh& mesh) {
    uint32_t entryCount = 0;
    if (!ReadU32(body, entryCount) || !CanHold(body, entryCount, 2)) {
        return false;
    }
    mesh.influences.resize(entryCount);
    const uint32_t boneCount = mesh.skeleton->GetBoneCount();
    bool inRange = entryCount <= mesh.vertices->VertexCount();
    for (std::vector<SkinInfluence>& list : mesh.influences) {
        uint16_t count = 0;
        if (!ReadU16(body, count) || !CanHold(body, count, kInfluenceSize)) {
            return false;
        }
        list.resize(count);
        for (SkinInfluence& influence : list) {
            if (!ReadU16(body, influence.bone) || !ReadF32(body, influence.weight)) {
                return false;
            }
            inRange = inRange && influence.bone < boneCount;
        }
    }
    if (!inRange) {
        WarnIndexOutOfRange(GetKindName(), mesh.name, u"a skin influence");
    }
    return true;
}

bool MeshTable::ReadParts(Stream& body, Stream& file, Mesh& mesh) {
    uint16_t partCount = 0;
    if (!ReadU16(body, partCount) || !CanHold(body, partCount, kSmallestPart)) {
        return false;
    }
    bool inRange = true;
    for (uint16_t i = 0; i < partCount; ++i) {
        uint32_t materialId = kNone;
        uint8_t hasIndices = 0;
        if (!ReadU32(body, materialId) || !ReadU8(body, hasIndices)) {
            return false;
        }
        SharedPtr<Material> material = Owner()->FindOrLoadMaterial(materialId, file);
        if (!material) {
            return false;
        }
        if (!hasIndices) {
            mesh.AddPart(quill::make_shared<MeshPart>(std::move(material)));
            continue;
        }
        SharedPtr<IndexedMeshPart> part = quill::make_shared<IndexedMeshPart>(std::move(material), 0);
        if (!ReadIndices(body, *part)) {
            return false;
        }
        inRange = inRange && IndicesFit(part->GetIndices(), mesh.vertices->VertexCount());
        mesh.AddPart(std::move(part));
    }
    if (!inRange) {
        WarnIndexOutOfRange(GetKindName(), mesh.name, u"a part's vertex index");
    }
    return true;
}

bool MeshTable::ReadIndices(Stream& body, IndexedMeshPart& part) {
    uint32_t indexCount = 0;
    uint32_t extraCount = 0;
    if (!ReadU32(body, indexCount) || (HasExtraValues() && !ReadU32(body, extraCount)) ||
        !CanHold(body, uint64_t{indexCount} + extraCount, 2)) {
        return false;
    }
    IndexBlock& block = part.GetWritableIndices();
    block.indices.resize(indexCount);
    for (uint16_t& index : block.indices) {
        if (!ReadU16(body, index)) {
            return false;
        }
    }
    block.RebuildKeys();
    for (uint32_t i = 0; i < extraCount; ++i) {
        uint16_t dropped = 0;
        if (!ReadU16(body, dropped)) {
            return false;
        }
    }
    for (uint32_t& word : part.words) {
        if (!ReadU32(body, word)) {
            return false;
        }
    }
    return true;
}

bool MeshTable::SaveBody(Stream& out, const SharedPtr<Mesh>& item, bool packed) {
    const Mesh& mesh = *item;
    const auto* skinned = dynamic_cast<const SkinnedMesh*>(&mesh);
    const uint32_t skeletonId = skinned && skinned->skeleton ? skinned->skeleton->id : kNone;
    const std::span<const std::byte> bytes = std::as_const(*mesh.vertices).Bytes();
    if (!WriteItemName(out, packed, mesh.name) || !WriteU32(out, skeletonId) ||
        !WriteU32(out, mesh.vertices->LayoutFlags()) || !WriteU32(out, mesh.vertices->VertexCount()) ||
        out.Write(bytes.data(), static_cast<uint32_t>(bytes.size())) != bytes.size() || !WriteSphere(out, mesh.bound)) {
        return false;
    }
    if (skeletonId != kNone && !WriteSkin(out, *skinned)) {
        return false;
    }
    if (!WriteU8(out, mesh.optionA) || (mesh.optionA != 0 && !WriteU8(out, mesh.optionB)) ||
        !WriteU16(out, static_cast<uint16_t>(mesh.parts.size()))) {
        return false;
    }
    for (const SharedPtr<MeshPart>& part : mesh.parts) {
        if (!WritePart(out, *part)) {
            return false;
        }
    }
    return true;
}

bool MeshTable::WriteSkin(Stream& out, const SkinnedMesh& mesh) const {
    if (!WriteU32(out, static_cast<uint32_t>(mesh.influences.size()))) {
        return false;
    }
    for (const std::vector<SkinInfluence>& list : mesh.influences) {
        if (!WriteU16(out, static_cast<uint16_t>(list.size()))) {
            return false;
        }
        for (const SkinInfluence& influence : list) {
            if (!WriteU16(out, influence.bone) || !WriteF32(out, influence.weight)) {
                return false;
            }
        }
    }
    return true;
}

// Written in the form the table's version reads: a file of a version before 14 keeps an (empty) extra
// count in every indexed part.
bool MeshTable::WritePart(Stream& out, const MeshPart& part) const {
    const uint32_t materialId = part.material ? part.material->id : kNone;
    if (!WriteU32(out, materialId) || !WriteU8(out, part.HasIndices() ? 1 : 0)) {
        return false;
    }
    if (!part.HasIndices()) {
        return true;
    }
    const auto& indexed = static_cast<const IndexedMeshPart&>(part);
    const std::vector<uint16_t>& indices = indexed.GetIndices().indices;
    if (!WriteU32(out, static_cast<uint32_t>(indices.size())) || (HasExtraValues() && !WriteU32(out, 0))) {
        return false;
    }
    for (uint16_t index : indices) {
        if (!WriteU16(out, index)) {
            return false;
        }
    }
    for (uint32_t word : indexed.words) {
        if (!WriteU32(out, word)) {
            return false;
        }
    }
    return true;
}

bool MeshTable::OnAddItem(const SharedPtr<Mesh>& item) {
    auto* skinned = dynamic_cast<SkinnedMesh*>(item.get());
    if (skinned && skinned->skeleton) {
        skinned->skeleton = Owner()->GetBoneTable()->AddItem(skinned->skeleton, kNone);
        if (!skinned->skeleton) {
            return false;
        }
    }
    for (SharedPtr<MeshPart>& part : item->parts) {
        // Only this mesh's part may change: a part held elsewhere too is replaced by its own copy first.
        if (part.use_count() != 1) {
            part = SharedPtr<MeshPart>(part->Clone());
        }
        if (part->material) {
            part->material = Owner()->GetMaterialTable()->AddItem(part->material, kNone);
            if (!part->material) {
                return false;
            }
        }
    }
    return true;
}

bool MeshTable::OnRemoveItem(const SharedPtr<Mesh>& item) {
    const auto* skinned = dynamic_cast<const SkinnedMesh*>(item.get());
    if (skinned && skinned->skeleton && skinned->skeleton->id != kNone &&
        !Owner()->GetBoneTable()->RemoveItem(skinned->skeleton->id, true)) {
        return false;
    }
    for (const SharedPtr<MeshPart>& part : item->parts) {
        if (part->material && part->material->id != kNone &&
            !Owner()->GetMaterialTable()->RemoveItem(part->material->id, true)) {
            return false;
        }
    }
    return true;
}

}  // namespace quill
