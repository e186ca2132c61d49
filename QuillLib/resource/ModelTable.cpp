#include "QuillLib/resource/ModelTable.h"

#include "QuillLib/math/TransformFields.h"
#include "QuillLib/resource/BodyFields.h"
#include "QuillLib/resource/ResourceFile.h"

namespace quill {
namespace {

constexpr uint32_t kValue3Since = 3;
constexpr uint32_t kSubtreeSince = 5;
constexpr uint32_t kTrailerSince = 16;
constexpr uint32_t kAttachmentSize = 6;

}  // namespace

SharedPtr<ModelObject> ModelTable::LoadBody(Stream& body, Stream& file, bool packed) {
    return LoadNode(body, file, packed, 0);
}

SharedPtr<ModelObject> ModelTable::LoadNode(Stream& body, Stream& file, bool packed, uint32_t depth) {
    SharedPtr<ModelObject> node = depth <= kMaxDepth ? MakeNode(body, file, packed) : SharedPtr<ModelObject>();
    Transform local;
    if (!node || !ReadAttachments(body, file, *node) || !ReadSphere(body, node->bound) || !ReadTransform(body, local)) {
        return {};
    }
    node->SetLocalTransform(local);
    uint16_t childCount = 0;
    if (!ReadU16(body, childCount) || !CanHold(body, childCount, 2)) {
        return {};
    }
    for (uint16_t i = 0; i < childCount; ++i) {
        SharedPtr<ModelObject> child = LoadNode(body, file, packed, depth + 1);
        if (!child) {
            return {};
        }
        node->AddChild(std::move(child));
    }
    if (!HasFieldSince(packed, Version(), kSubtreeSince)) {
        return node;
    }
    if (!ReadSubtreeFields(body, *node)) {
        return {};
    }
    if (HasFieldSince(packed, Version(), kTrailerSince) && !ReadU32(body, node->trailer)) {
        return {};
    }
    return node;
}

SharedPtr<ModelObject> ModelTable::MakeNode(Stream& body, Stream& file, bool packed) {
    WString name;
    uint32_t skeletonId = kNone;
    uint32_t skeletonLink = ModelObject::kNoLink;
    uint16_t value1 = 0;
    uint16_t value2 = 0;
    float value3 = 1.0f;
    if (!ReadItemName(body, packed, name) || !ReadU32(body, skeletonId) || !ReadU32(body, skeletonLink) ||
        !ReadU16(body, value1) || !ReadU16(body, value2) ||
        (HasFieldSince(packed, Version(), kValue3Since) && !ReadF32(body, value3))) {
        return {};
    }
    if (skeletonId == kNone) {
        return quill::make_shared<ModelObject>(name, value1, value2, value3);
    }
    SharedPtr<Skeleton> skeleton = Owner()->FindOrLoadBone(skeletonId, file);
    if (!skeleton) {
        return {};
    }
    return quill::make_shared<ModelObject>(name, std::move(skeleton), skeletonLink, value1, value2, value3);
}

bool ModelTable::ReadAttachments(Stream& body, Stream& file, ModelObject& node) {
    uint16_t count = 0;
    if (!ReadU16(body, count) || !CanHold(body, count, kAttachmentSize)) {
        return false;
    }
    for (uint16_t i = 0; i < count; ++i) {
        uint16_t key = 0;
        uint32_t meshId = kNone;
        if (!ReadU16(body, key) || !ReadU32(body, meshId)) {
            return false;
        }
        SharedPtr<Mesh> mesh;
        if (meshId != kNone && !(mesh = Owner()->FindOrLoadMesh(meshId, file))) {
            return false;
        }
        node.Attach(key, std::move(mesh));
    }
    return true;
}

bool ModelTable::ReadSubtreeFields(Stream& body, ModelObject& node) {
    uint8_t flag = 0;
    if (!ReadU8(body, flag)) {
        return false;
    }
    if (!flag) {
        return true;
    }
    uint16_t mode = 0;
    uint16_t slot = 0;
    Vec3 first;
    Vec3 second;
    if (!ReadU16(body, mode) || !ReadU16(body, slot) || !ReadVector3(body, first) || !ReadVector3(body, second)) {
        return false;
    }
    node.SetCameraModeRecursive(mode);
    node.SelectTextureSlotRecursive(flag, slot);
    node.direction1 = first.Normalize();
    node.direction2 = second.Normalize();
    return mode == 0;
}

bool ModelTable::SaveBody(Stream& out, const SharedPtr<ModelObject>& item, bool packed) {
    return SaveNode(out, *item, packed);
}

// Every field, in the newest form.
bool ModelTable::SaveNode(Stream& out, const ModelObject& node, bool packed) const {
    const uint32_t skeletonId = node.skeleton ? node.skeleton->id : kNone;
    if (!WriteItemName(out, packed, node.name) || !WriteU32(out, skeletonId) || !WriteU32(out, node.skeletonLink) ||
        !WriteU16(out, node.value1) || !WriteU16(out, node.value2) || !WriteF32(out, node.value3) ||
        !WriteU16(out, static_cast<uint16_t>(node.attachments.size()))) {
        return false;
    }
    for (const auto& [key, mesh] : node.attachments) {
        if (!WriteU16(out, key) || !WriteU32(out, mesh ? mesh->id : kNone)) {
            return false;
        }
    }
    if (!WriteSphere(out, node.bound) || !WriteTransform(out, node.localTransform) ||
        !WriteU16(out, static_cast<uint16_t>(node.Children().size()))) {
        return false;
    }
    for (const SharedPtr<ModelObject>& child : node.Children()) {
        if (!SaveNode(out, *child, packed)) {
            return false;
        }
    }
    return WriteSubtreeFields(out, node) && WriteU32(out, node.trailer);
}

bool ModelTable::WriteSubtreeFields(Stream& out, const ModelObject& node) const {
    if (!WriteU8(out, node.textureSlotEnabled)) {
        return false;
    }
    if (!node.textureSlotEnabled) {
        return true;
    }
    // Only camera mode 0 is stored.
    return node.cameraMode == 0 && WriteU16(out, node.cameraMode) && WriteU16(out, node.textureSlot) &&
           WriteVector3(out, node.direction1) && WriteVector3(out, node.direction2);
}

bool ModelTable::OnAddItem(const SharedPtr<ModelObject>& item) {
    for (auto& [key, mesh] : item->attachments) {
        if (mesh && !(mesh = Owner()->GetMeshTable()->AddItem(mesh, kNone))) {
            return false;
        }
    }
    for (const SharedPtr<ModelObject>& child : item->Children()) {
        if (!OnAddItem(child)) {
            return false;
        }
    }
    return true;
}

bool ModelTable::OnRemoveItem(const SharedPtr<ModelObject>& item) {
    for (const auto& [key, mesh] : item->attachments) {
        if (mesh && mesh->id != kNone && !Owner()->GetMeshTable()->RemoveItem(mesh->id, true)) {
            return false;
        }
    }
    for (const SharedPtr<ModelObject>& child : item->Children()) {
        if (!OnRemoveItem(child)) {
            return false;
        }
    }
    return true;
}

}  // namespace quill
