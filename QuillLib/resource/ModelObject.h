#pragma once
// One node of a model's hierarchy. A MODEL item is the root node of such a tree (the frame): each node can
// name a skeleton, attaches meshes under 16-bit keys and carries a local transform and a bounding sphere.
// Placing a model builds a tree of the same shape whose nodes hold mesh instances (BuildFromFrame); the
// frame id of a node picks the attachment it draws. Display properties are set on whole subtrees, parent
// before children, and the device textures of a subtree are made or released by a mask of texture slots.
//
// Threads: the thread that drives the scenes.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/math/BonePose.h"
#include "QuillLib/math/BoundingSphere.h"
#include "QuillLib/math/Transform.h"
#include "QuillLib/resource/AnimationPlayer.h"
#include "QuillLib/resource/BoneAnimation.h"
#include "QuillLib/resource/Mesh.h"
#include "QuillLib/resource/ModelAnimation.h"
#include "QuillLib/resource/PoseRecord.h"
#include "QuillLib/resource/Skeleton.h"

namespace quill {

class Camera;
class MeshPart;
class VertexData;

class ModelObject : public NamedObject {
public:
    static constexpr uint32_t kNoLink = 0xFFFFFFFF;
    static constexpr uint16_t kCameraMode = 2;

    explicit ModelObject(WStringView name = u"", uint16_t value1 = 0, uint16_t value2 = 0, float value3 = 1.0f);
    ModelObject(WStringView name, SharedPtr<Skeleton> nodeSkeleton, uint32_t link, uint16_t value1, uint16_t value2,
                float value3);
    // Copies the node and clones the children; attachments, skeleton and animations are shared.
    ModelObject(const ModelObject& other);
    ModelObject& operator=(const ModelObject&) = delete;
    ~ModelObject() override;

    ModelObject* Clone() const override { return new ModelObject(*this); }

    // The tree.
    void AddChild(SharedPtr<ModelObject> child);
    const std::vector<SharedPtr<ModelObject>>& Children() const { return children_; }
    // Attaches a mesh (or none) under key, replacing an earlier attachment of that key.
    void Attach(uint16_t key, SharedPtr<Mesh> mesh) { attachments[key] = std::move(mesh); }
    // The mesh the frame id picks; null when there is none.
    Mesh* GetAttachment() const;
    // The node's data from its frame, with mesh instances of its attachments, then a child object per
    // child frame, recursively.
    void BuildFromFrame(const ModelObject& frame);

    // Transforms and bounds.
    // Copies the transform and brings the world transforms of the subtree up to date.
    void SetLocalTransform(const Transform& transform);
    // World = local inside the parent's world; then the bounds; then the children.
    void UpdateWorldTransform();
    // The pose record's sphere from the node's bound, the attachment moved to the world transform; then
    // ResetPose; recursive.
    void UpdateBounds();
    // The pose record's pass state cleared and the attachment's device data reset; recursive.
    void ResetPose();
    // From this node up through its parents: each one's attached skin and bounds brought up to date.
    void UpdateSkinChain();

    // Animation.
    // Advances the model player and the last bone player (a finished one is dropped) and applies what they
    // sample; then the attachment's vertex player; then the children.
    void AdvanceAnimation(float elapsed);
    // Deforms the attachment with model-space bone poses (one matrix per pose) and gives the same poses to
    // the children. False for no poses.
    bool ApplyBonePoses(const Skeleton& skeleton, const std::vector<BonePose>& restPose,
                        const std::vector<BonePose>& poses);
    // Per frame, once per pass: classifies the node's sphere (inside when its parent is), marks an outside
    // subtree and prepares the attachment of a visible one for drawing; then the children.
    void PrepareForView(const Camera& camera);

    // Subtree setters.
    void SetTag(uint16_t value);
    void SetVisibleRecursive(uint8_t visible);
    void SetReflectionRecursive(uint8_t reflection);
    void SetBlendModeRecursive(uint16_t mode);
    void SetBlendMode2Recursive(uint16_t mode);
    void SetAlphaRecursive(float value);
    void SetDirection1Recursive(const Vec3& direction);
    void SetDirection2Recursive(const Vec3& direction);
    void SetDrawOrderRecursive(int16_t order);
    // The pose record's cull state; with apply also the attachment's and the children's.
    void SetCullStateRecursive(int32_t result, float depth, bool apply);
    void SelectTextureSlotRecursive(uint8_t enable, uint16_t slot);
    // Mode 2 gives the node a camera of its own; any other mode takes it away.
    void SetCameraModeRecursive(uint16_t mode);
    bool AcquireTexturesRecursive(uint32_t mask);
    bool ReleaseTexturesRecursive(uint32_t mask);
    // Gathers the vertex data of every attachment the frame ids pick, parent first.
    void CollectMeshStreams(std::vector<VertexData*>& out) const;
    void ApplyToParts(const std::function<void(MeshPart&)>& operation);

    // The node's data (what a MODEL body holds).
    SharedPtr<Skeleton> skeleton;
    uint32_t skeletonLink = kNoLink;
    uint16_t value1;
    uint16_t value2;
    float value3;
    std::map<uint16_t, SharedPtr<Mesh>> attachments;
    BoundingSphere bound;
    Transform localTransform;
    uint8_t textureSlotEnabled = 0;
    uint16_t textureSlot = 0;
    uint16_t cameraMode = 0;
    Vec3 direction1;
    Vec3 direction2;
    uint32_t trailer = 0;

    // Display state.
    uint16_t frameId = 0;
    uint16_t tag = 0;
    uint16_t blendMode = 0;     // 0 opaque, 1 alpha-blended
    uint16_t blendMode2 = 0xFFFF;
    float alpha = 1.0f;
    int16_t drawOrder = 0;
    uint32_t cullMode = 0xFFFFFFFF;  // the device's default
    uint8_t registered = 0;
    PoseRecord pose;
    std::unique_ptr<Camera> camera;

    // Players of the placed model.
    std::unique_ptr<AnimationPlayer<ModelAnimation>> modelPlayer;
    std::vector<AnimationPlayer<BoneAnimation>> bonePlayers;

protected:
    // The world transform this node is placed in: its parent's; none for a root.
    virtual const Transform* PlacementOf() const { return parent_ ? &parent_->pose.world : nullptr; }
    void CopyNodeData(const ModelObject& other);

private:
    // The attachment made private to this node (an instance of its own) before a setter writes into it.
    Mesh* UniqueAttachment();
    void UpdateOwnBounds();
    void AdvanceBonePlayer(float elapsed);

    std::vector<SharedPtr<ModelObject>> children_;
    ModelObject* parent_ = nullptr;
};

}  // namespace quill
