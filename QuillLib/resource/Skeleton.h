#pragma once
// A BONE item: the bones that skinned meshes follow, in the order poses and parent references use.
// Parents normally come before their children, so that a parent's pose is in model space when its
// children follow it.
//
// Threads: the thread that drives the scenes.
#include <cstdint>
#include <vector>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/math/BonePose.h"
#include "QuillLib/resource/SkeletonBone.h"

namespace quill {

class Skeleton : public NamedObject {
public:
    explicit Skeleton(WStringView name = u"") : NamedObject(name) {}
    Skeleton(const Skeleton&) = default;
    Skeleton& operator=(const Skeleton&) = default;

    Skeleton* Clone() const override { return new Skeleton(*this); }

    std::vector<SkeletonBone>& Bones() { return bones_; }
    const std::vector<SkeletonBone>& Bones() const { return bones_; }
    uint32_t GetBoneCount() const { return static_cast<uint32_t>(bones_.size()); }

    // Whether every parent reference names a bone of the skeleton (or none).
    bool HasValidParents() const;

    // Turns bone-local poses into model-space poses in place: each bone turns about its pivot offset, then
    // follows its parent. A pose shorter than the bones, or a parent past the pose, leaves the pose as it
    // was and answers false (with one warning line in the log).
    bool ComputeWorldPose(std::vector<BonePose>& pose) const;

private:
    std::vector<SkeletonBone> bones_;
};

}  // namespace quill
