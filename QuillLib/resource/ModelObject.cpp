#include "QuillLib/resource/ModelObject.h"

#include "QuillLib/math/Camera.h"
#include "QuillLib/resource/Material.h"

namespace quill {
namespace {

// The 4 x 4 matrix of a pose (rotation, then translation) and its 3 x 3 normal matrix.
Matrix4 PoseMatrix(const BonePose& pose) {
    Transform transform;
    transform.rotation = pose.rotation;
    transform.position = pose.position;
    transform.UpdateMatrix();
    return transform.matrix;
}

}  // namespace

ModelObject::ModelObject(WStringView name, uint16_t v1, uint16_t v2, float v3)
    : NamedObject(name), value1(v1), value2(v2), value3(v3) {}

ModelObject::ModelObject(WStringView name, SharedPtr<Skeleton> nodeSkeleton, uint32_t link, uint16_t v1, uint16_t v2,
                         float v3)
    : NamedObject(name), skeleton(std::move(nodeSkeleton)), skeletonLink(link), value1(v1), value2(v2), value3(v3) {}

ModelObject::ModelObject(const ModelObject& other) : NamedObject(other) {
    CopyNodeData(other);
    attachments = other.attachments;
    for (const SharedPtr<ModelObject>& child : other.children_) {
        AddChild(SharedPtr<ModelObject>(child->Clone()));
    }
}

ModelObject::~ModelObject() = default;

void ModelObject::CopyNodeData(const ModelObject& other) {
    id = other.id;
    name = other.name;
    skeleton = other.skeleton;
    skeletonLink = other.skeletonLink;
    value1 = other.value1;
    value2 = other.value2;
    value3 = other.value3;
    bound = other.bound;
    localTransform = other.localTransform;
    textureSlotEnabled = other.textureSlotEnabled;
    textureSlot = other.textureSlot;
    cameraMode = other.cameraMode;
    direction1 = other.direction1;
    direction2 = other.direction2;
    trailer = other.trailer;
    frameId = other.frameId;
    tag = other.tag;
    blendMode = other.blendMode;
    blendMode2 = other.blendMode2;
    alpha = other.alpha;
    drawOrder = other.drawOrder;
    cullMode = other.cullMode;
    pose = other.pose;
    camera = other.camera ? std::unique_ptr<Camera>(other.camera->Clone()) : nullptr;
    if (other.modelPlayer) {
        modelPlayer = std::make_unique<AnimationPlayer<ModelAnimation>>(*other.modelPlayer);
    }
    bonePlayers = other.bonePlayers;
}

void ModelObject::AddChild(SharedPtr<ModelObject> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
}

Mesh* ModelObject::GetAttachment() const {
    const auto found = attachments.find(frameId);
    return found == attachments.end() ? nullptr : found->second.get();
}

void ModelObject::BuildFromFrame(const ModelObject& frame) {
    CopyNodeData(frame);
    attachments.clear();
    for (const auto& [key, mesh] : frame.attachments) {
        attachments[key] = mesh ? mesh->CreateInstance(Transform{}, false, mesh->optionA != 0) : SharedPtr<Mesh>();
    }
    children_.clear();
    for (const SharedPtr<ModelObject>& childFrame : frame.children_) {
        SharedPtr<ModelObject> child = quill::make_shared<ModelObject>();
        child->BuildFromFrame(*childFrame);
        AddChild(std::move(child));
    }
}

Mesh* ModelObject::UniqueAttachment() {
    const auto found = attachments.find(frameId);
    if (found == attachments.end() || !found->second) {
        return nullptr;
    }
    SharedPtr<Mesh>& mesh = found->second;
    if (mesh.use_count() != 1) {
        mesh = mesh->CreateInstance(Transform{}, false, mesh->optionA != 0);
    }
    return mesh.get();
}

void ModelObject::SetLocalTransform(const Transform& transform) {
    localTransform = transform;
    localTransform.UpdateMatrix();
    UpdateWorldTransform();
}

void ModelObject::UpdateWorldTransform() {
    pose.world = localTransform;
    if (const Transform* placement = PlacementOf()) {
        pose.world.Combine(*placement);
    }
    UpdateOwnBounds();
    for (const SharedPtr<ModelObject>& child : children_) {
        child->UpdateWorldTransform();
    }
}

void ModelObject::UpdateOwnBounds() {
    pose.worldSphere = bound;
    if (bound.radius >= 0.0f && !pose.world.IsIdentity()) {
        pose.worldSphere.Transform(pose.world);
    }
    if (Mesh* mesh = GetAttachment()) {
        // Only a baked mesh carries its vertices in world space; the others keep their own (skinned ones
        // among them) and are drawn with the world matrix.
        if (mesh->renderData && mesh->renderData->baked) {
            mesh->ApplyWorldTransform(pose.world);
        }
        mesh->UpdateBounds(pose.world, true);
    }
    pose.cullResult = 0;
    pose.depth = 0.0f;
    if (Mesh* mesh = GetAttachment()) {
        mesh->ResetDeviceData();
    }
}

void ModelObject::UpdateBounds() {
    UpdateOwnBounds();
    for (const SharedPtr<ModelObject>& child : children_) {
        child->UpdateBounds();
    }
}

void ModelObject::ResetPose() {
    pose.cullResult = 0;
    pose.depth = 0.0f;
    if (Mesh* mesh = GetAttachment()) {
        mesh->ResetDeviceData();
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        child->ResetPose();
    }
}

void ModelObject::UpdateSkinChain() {
    for (ModelObject* node = this; node; node = node->parent_) {
        if (Mesh* mesh = node->GetAttachment()) {
            mesh->RefreshBounds();
        }
        node->UpdateOwnBounds();
    }
}

void ModelObject::AdvanceAnimation(float elapsed) {
    if (modelPlayer && modelPlayer->animation && modelPlayer->Advance(elapsed) == AnimationClock::kPlaying) {
        Transform sampled;
        if (modelPlayer->clock.time >= modelPlayer->clock.startTime) {
            modelPlayer->hint = modelPlayer->animation->Sample(modelPlayer->hint, modelPlayer->ClipTime(), sampled);
        }
        SetLocalTransform(sampled);
    }
    AdvanceBonePlayer(elapsed);
    Mesh* mesh = GetAttachment();
    if (mesh && mesh->vertexPlayer && mesh->vertexPlayer->animation) {
        AnimationPlayer<VertexAnimation>& player = *mesh->vertexPlayer;
        const int state = player.Advance(elapsed);
        if (state == AnimationClock::kPlaying) {
            player.hint = player.animation->Sample(player.hint, player.ClipTime(), *mesh->vertices);
            mesh->vertices->MarkChanged();
        } else if (state == AnimationClock::kEnded) {
            player.Reset();
        }
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        child->AdvanceAnimation(elapsed);
    }
}

void ModelObject::AdvanceBonePlayer(float elapsed) {
    if (bonePlayers.empty() || !bonePlayers.back().animation) {
        return;
    }
    AnimationPlayer<BoneAnimation>& player = bonePlayers.back();
    const int state = player.Advance(elapsed);
    if (state == AnimationClock::kEnded) {
        bonePlayers.pop_back();
        return;
    }
    if (state != AnimationClock::kPlaying) {
        return;
    }
    const BoneAnimation& animation = *player.animation;
    std::vector<BonePose> poses(animation.restPose.size());
    if (player.clock.time >= player.clock.startTime) {
        player.hint = animation.Sample(player.hint, player.ClipTime(), poses);
    }
    if (animation.skeleton) {
        ApplyBonePoses(*animation.skeleton, animation.restPose, poses);
    }
}

bool ModelObject::ApplyBonePoses(const Skeleton& poseSkeleton, const std::vector<BonePose>& restPose,
                                 const std::vector<BonePose>& poses) {
    if (poses.empty()) {
        return false;
    }
    const bool placed = !pose.world.IsIdentity();
    std::vector<Matrix4> matrices(poses.size());
    std::vector<Matrix4> normals(poses.size());
    for (size_t bone = 0; bone < poses.size(); ++bone) {
        Quaternion rotation = poses[bone].rotation;
        if (!pose.world.rotation.IsIdentity()) {
            Quaternion::Multiply(rotation, pose.world.rotation, rotation);
        }
        matrices[bone] = PoseMatrix(poses[bone]);
        normals[bone].FromQuaternion(rotation);
        if (placed) {
            matrices[bone].MultiplyInPlace(pose.world.matrix);
        }
    }
    bool changed = false;
    if (Mesh* mesh = GetAttachment()) {
        changed = mesh->Deform(matrices, normals);
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        child->ApplyBonePoses(poseSkeleton, restPose, poses);
    }
    if (changed) {
        UpdateSkinChain();
    }
    return true;
}

void ModelObject::PrepareForView(const Camera& view) {
    if (pose.cullResult != 0) {
        return;
    }
    int32_t state = MeshRenderRecord::kInside;
    float depth = view.DepthOf(pose.worldSphere.centre);
    if (!parent_ || parent_->pose.cullResult != MeshRenderRecord::kInside) {
        state = view.ClassifySphere(pose.worldSphere.centre, pose.worldSphere.radius, &depth);
    }
    if (state == MeshRenderRecord::kOutside) {
        SetCullStateRecursive(state, depth, true);
        return;
    }
    pose.cullResult = state;
    pose.depth = depth;
    if (Mesh* mesh = GetAttachment()) {
        mesh->Submit(view, pose.world.matrix, state == MeshRenderRecord::kInside ? 3 : 0);
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        child->PrepareForView(view);
    }
}

void ModelObject::SetTag(uint16_t value) {
    tag = value;
    ApplyToParts([value](MeshPart& part) {
        if (part.material) {
            part.material->SetTextureTag(value);
        }
    });
}

void ModelObject::SetVisibleRecursive(uint8_t visible) {
    pose.visible = visible;
    if (Mesh* mesh = UniqueAttachment()) {
        mesh->SetVisible(visible);
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        child->SetVisibleRecursive(visible);
    }
}

void ModelObject::SetReflectionRecursive(uint8_t reflection) {
    pose.reflection = reflection;
    Mesh* mesh = UniqueAttachment();
    if (mesh && mesh->renderData) {
        mesh->renderData->reflection = reflection;
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        child->SetReflectionRecursive(reflection);
    }
}

void ModelObject::SetBlendModeRecursive(uint16_t mode) {
    blendMode = mode;
    for (const SharedPtr<ModelObject>& child : children_) {
        child->SetBlendModeRecursive(mode);
    }
}

void ModelObject::SetBlendMode2Recursive(uint16_t mode) {
    blendMode2 = mode;
    for (const SharedPtr<ModelObject>& child : children_) {
        child->SetBlendMode2Recursive(mode);
    }
}

void ModelObject::SetAlphaRecursive(float value) {
    alpha = value;
    for (const SharedPtr<ModelObject>& child : children_) {
        child->SetAlphaRecursive(value);
    }
}

void ModelObject::SetDirection1Recursive(const Vec3& direction) {
    direction1 = direction;
    direction1.Normalize();
    for (const SharedPtr<ModelObject>& child : children_) {
        child->SetDirection1Recursive(direction);
    }
}

void ModelObject::SetDirection2Recursive(const Vec3& direction) {
    direction2 = direction;
    direction2.Normalize();
    for (const SharedPtr<ModelObject>& child : children_) {
        child->SetDirection2Recursive(direction);
    }
}

void ModelObject::SetDrawOrderRecursive(int16_t order) {
    drawOrder = order;
    for (const SharedPtr<ModelObject>& child : children_) {
        child->SetDrawOrderRecursive(order);
    }
}

void ModelObject::SetCullStateRecursive(int32_t result, float depth, bool apply) {
    pose.cullResult = result;
    pose.depth = depth;
    if (!apply) {
        return;
    }
    if (Mesh* mesh = UniqueAttachment()) {
        mesh->SetCullState(result, depth, true);
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        child->SetCullStateRecursive(result, depth, apply);
    }
}

void ModelObject::SelectTextureSlotRecursive(uint8_t enable, uint16_t slot) {
    textureSlotEnabled = enable;
    if (enable) {
        textureSlot = slot;
    }
    if (Mesh* mesh = UniqueAttachment()) {
        for (const SharedPtr<MeshPart>& part : mesh->parts) {
            if (part->material) {
                part->material->SelectTextureSlot(enable != 0, slot);
            }
        }
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        child->SelectTextureSlotRecursive(enable, slot);
    }
}

void ModelObject::SetCameraModeRecursive(uint16_t mode) {
    cameraMode = mode;
    if (mode == kCameraMode) {
        if (!camera) {
            camera = std::make_unique<Camera>(u"");
        }
    } else {
        camera.reset();
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        child->SetCameraModeRecursive(mode);
    }
}

bool ModelObject::AcquireTexturesRecursive(uint32_t mask) {
    Mesh* mesh = GetAttachment();
    if (mesh && !mesh->AcquireTextures(mask)) {
        return false;
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        if (!child->AcquireTexturesRecursive(mask)) {
            return false;
        }
    }
    return true;
}

bool ModelObject::ReleaseTexturesRecursive(uint32_t mask) {
    Mesh* mesh = GetAttachment();
    if (mesh && !mesh->ReleaseTextures(mask)) {
        return false;
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        if (!child->ReleaseTexturesRecursive(mask)) {
            return false;
        }
    }
    return true;
}

void ModelObject::CollectMeshStreams(std::vector<VertexData*>& out) const {
    if (Mesh* mesh = GetAttachment()) {
        out.push_back(mesh->vertices.get());
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        child->CollectMeshStreams(out);
    }
}

void ModelObject::ApplyToParts(const std::function<void(MeshPart&)>& operation) {
    if (Mesh* mesh = GetAttachment()) {
        for (const SharedPtr<MeshPart>& part : mesh->parts) {
            operation(*part);
        }
    }
    for (const SharedPtr<ModelObject>& child : children_) {
        child->ApplyToParts(operation);
    }
}

}  // namespace quill
